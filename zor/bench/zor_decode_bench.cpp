// Decodes a whole archive (ZOR_BENCH_ARCHIVE, password in ZOR_BENCH_PASSWORD)
// without writing files, once per run: timed as a whole process against
// `7zz t -mmt1` / `7zz x -mmt1` of the same archive.
#include "zor/core/archive_reader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

class CountingSink : public zor::ExtractSink {
  public:
    uint64_t bytes = 0;
    std::unique_ptr<zor::EntryWriter> Open(std::size_t, const zor::ArchiveEntry&) override {
        struct W : zor::EntryWriter {
            uint64_t& n;
            explicit W(uint64_t& c) : n(c) {}
            void Write(const uint8_t*, std::size_t s) override { n += s; }
            void Commit() override {}
        };
        return std::make_unique<W>(bytes);
    }
};

void DecodeArchive(benchmark::State& state) {
    const char* path = std::getenv("ZOR_BENCH_ARCHIVE");
    const char* password = std::getenv("ZOR_BENCH_PASSWORD");
    if (!path) {
        state.SkipWithError("set ZOR_BENCH_ARCHIVE to a 7z archive");
        return;
    }
    for (auto _ : state) {
        zor::FixedPassword pw(password ? password : "");
        auto reader = zor::ArchiveReader::OpenFile(path, &pw);
        CountingSink sink;
        reader.Extract({}, sink);
        state.SetBytesProcessed(static_cast<int64_t>(sink.bytes));
    }
}
BENCHMARK(DecodeArchive)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Archives from the writer pass 7zz's test, extract with 7zz to the same files,
// and read back in the reader.
#include "zor/core/archive_error.h"
#include "zor/core/archive_reader.h"
#include "zor/core/archive_writer.h"
#include "zor/tests/test_support.h"

#include <gtest/gtest.h>

namespace zor::test {
namespace {

namespace fs = std::filesystem;

struct WriterCase {
    const char* name;
    WriteMethod method;
    const char* password;
    bool encryptHeader;
};

class WriterRoundTrip : public ::testing::TestWithParam<WriterCase> {};

TEST_P(WriterRoundTrip, SevenZipAndOurReaderAgreeWithTheSources) {
    const WriterCase& c = GetParam();
    fs::path dir = FreshDir(std::string("writer_") + c.name);
    // The fixture files without the large binaries: the writer runs in debug builds too.
    fs::path src = dir / "src";
    fs::copy(FixtureDir() / "src", src, fs::copy_options::recursive);
    fs::remove_all(src / "bin");
    auto code = ReadFileBytes(FixtureDir() / "src" / "bin" / "prog.dll");
    code.resize(std::min<std::size_t>(code.size(), 256 * 1024));
    WriteFileBytes(src / "bin" / "small.bin", code);
    WriterOptions options;
    options.method = c.method;
    options.password = c.password;
    options.encryptHeader = c.encryptHeader;
    options.keyCyclesPower = 12;
    ArchiveWriter writer(options);
    writer.AddTree(src.string(), "");
    std::vector<uint8_t> memoryFile(70000);
    for (std::size_t i = 0; i < memoryFile.size(); ++i)
        memoryFile[i] = static_cast<uint8_t>(i * 7 % 251);
    writer.AddData("memory\\generated.bin", memoryFile);
    writer.AddData("memory/empty.bin", {});
    writer.AddFolder("memory\\empty folder");
    fs::path archive = dir / "out.7z";
    writer.WriteFile(archive.string());

    std::string pw = *c.password ? " '-p" + AnsiToUtf8(c.password) + "'" : std::string(" -p-");
    ASSERT_EQ(
        RunCommand(std::string(ZOR_7ZZ) + " t -bd" + pw + " " + archive.string() + " >/dev/null"),
        0);
    ASSERT_EQ(RunCommand(std::string(ZOR_7ZZ) + " x -bd -y" + pw + " -o" + (dir / "x").string() +
                         " " + archive.string() + " >/dev/null"),
              0);

    auto expected = ReadTree(src);
    expected["memory"].isDirectory = true;
    expected["memory\\generated.bin"].data = memoryFile;
    expected["memory\\empty.bin"].data.clear();
    expected["memory\\empty folder"].isDirectory = true;

    auto bySevenZip = ReadTree(dir / "x");
    FixedPassword password(c.password);
    auto reader = ArchiveReader::OpenFile(archive.string(), &password);
    EXPECT_EQ(reader.HeaderEncrypted(), *c.password && c.encryptHeader);
    auto byReader = ExtractAll(reader);
    for (const auto* tree : {&bySevenZip, &byReader}) {
        for (const auto& [name, item] : expected) {
            auto it = tree->find(name);
            if (name == "memory") continue; // implied folder: only 7zz creates it
            ASSERT_NE(it, tree->end()) << name;
            EXPECT_EQ(it->second.isDirectory, item.isDirectory) << name;
            EXPECT_TRUE(it->second.data == item.data) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, WriterRoundTrip,
    ::testing::Values(WriterCase{"lzma", WriteMethod::Lzma, "", false},
                      WriterCase{"copy", WriteMethod::Copy, "", false},
                      WriterCase{"lzma_aes", WriteMethod::Lzma, "p\xE4ss word", false},
                      WriterCase{"lzma_aes_header", WriteMethod::Lzma, "secret", true},
                      WriterCase{"copy_aes_header", WriteMethod::Copy, "secret", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Writer, EmptyArchiveReadsBackEmpty) {
    ArchiveWriter writer;
    auto bytes = writer.WriteToMemory();
    ArchiveReader reader(std::make_unique<MemoryInput>(bytes), nullptr);
    EXPECT_TRUE(reader.Entries().empty());
}

TEST(Writer, WrongPasswordOnOwnArchiveIsCannotOpen) {
    WriterOptions options;
    options.password = "right";
    options.keyCyclesPower = 8;
    ArchiveWriter writer(options);
    writer.AddData("a.txt", {'a', 'b', 'c'});
    auto bytes = writer.WriteToMemory();
    FixedPassword wrong("wrong");
    try {
        ArchiveReader reader(std::make_unique<MemoryInput>(bytes), &wrong);
        FAIL() << "opened with a wrong password";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Number(), 1003);
    }
}

} // namespace
} // namespace zor::test

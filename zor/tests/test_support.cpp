#include "zor/tests/test_support.h"

#include "common/ansi_utf16.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace zor::test {

namespace fs = std::filesystem;

namespace {

// Native names are UTF-8; the archive side speaks Windows-1252.
std::string Utf8ToAnsi(const std::string& utf8) {
    std::u16string wide;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra) cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            cp = cp << 6 | (utf8[i + k] & 0x3F);
        i += extra + 1;
        wide.push_back(static_cast<char16_t>(cp));
    }
    return zk::Utf16ToAnsi(wide);
}

} // namespace

std::vector<uint8_t> ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const fs::path& path, const std::vector<uint8_t>& data) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

std::map<std::string, TreeItem> ReadTree(const fs::path& root) {
    std::map<std::string, TreeItem> tree;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        std::string rel = fs::relative(e.path(), root).string();
        for (char& c : rel) {
            if (c == '/') c = '\\';
        }
        TreeItem item;
        item.isDirectory = e.is_directory();
        if (!item.isDirectory) item.data = ReadFileBytes(e.path());
        tree[Utf8ToAnsi(rel)] = std::move(item);
    }
    return tree;
}

std::map<std::string, TreeItem> ExtractAll(ArchiveReader& reader) {
    struct Sink : ExtractSink {
        std::map<std::string, TreeItem> tree;
        std::unique_ptr<EntryWriter> Open(std::size_t, const ArchiveEntry& e) override {
            struct W : EntryWriter {
                TreeItem item;
                std::map<std::string, TreeItem>& tree;
                std::string name;
                W(std::map<std::string, TreeItem>& t, std::string n, bool dir)
                    : tree(t), name(std::move(n)) {
                    item.isDirectory = dir;
                }
                void Write(const uint8_t* d, std::size_t s) override {
                    item.data.insert(item.data.end(), d, d + s);
                }
                void Commit() override { tree[name] = std::move(item); }
            };
            return std::make_unique<W>(tree, e.ansiName, e.isDirectory);
        }
    } sink;
    reader.Extract({}, sink);
    return std::move(sink.tree);
}

fs::path FreshDir(const std::string& name) {
    fs::path dir = fs::path(::testing::TempDir()) / ("zor_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

int RunCommand(const std::string& command) {
    int rc = std::system(command.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

fs::path FixtureDir() {
    return ZOR_FIXTURE_DIR;
}

std::string AnsiToUtf8(const std::string& ansi) {
    std::string out;
    for (char16_t c : zk::AnsiToUtf16(ansi)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace zor::test

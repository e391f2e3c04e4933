// The wrapper over zor.lib: List, Extract with its default callbacks, Move tree.
#include "engine/media/zor_wrapper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zk::media {
namespace {

namespace fs = std::filesystem;

const std::string kFixtures = ZOR_FIXTURE_DIR;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path FreshDir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("zk_media_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string Win(const fs::path& p) {
    std::string s = p.string();
    for (char& c : s) {
        if (c == '/') c = '\\';
    }
    return s;
}

TEST(ZorWrapper, ListGivesNamesOrTheListingErrorText) {
    struct Case {
        const char* archive;
        const char* password;
        const char* error;
    } cases[] = {
        {"lzma2_solid.7z", "", ""},
        {"aes_header.7z", "secret", ""},
        {"aes_header.7z", "wrong",
         "The archive cannot be opened: unsupported archive or incorrect password"},
        {"missing.7z", "", "The archive file was not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        std::vector<std::string> names;
        std::string error = "stale";
        bool ok = ZorList(kFixtures + "\\" + c.archive, c.password, nullptr, names, error);
        EXPECT_EQ(ok, *c.error == 0);
        EXPECT_EQ(error, c.error);
        if (ok) {
            EXPECT_NE(std::find(names.begin(), names.end(), "text\\readme.txt"), names.end());
        }
    }
}

TEST(ZorWrapper, ExtractUsesTheDefaultsAndReportsFailuresAsNumbers) {
    fs::path dest = FreshDir("extract");
    std::string error;
    ASSERT_TRUE(ZorExtract(kFixtures + "\\aes_header.7z", "secret", Win(dest), {}, nullptr, true,
                           true, error))
        << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadAll(dest / "nested" / "deep" / "file.dat"), "deep file\n");
    EXPECT_TRUE(fs::is_directory(dest / "emptydir"));

    // Answer flag set: existing files are replaced; not set: they are kept.
    std::ofstream(dest / "empty.txt", std::ios::binary) << "mine";
    std::vector<std::string> one = {"empty.txt"};
    ASSERT_TRUE(ZorExtract(kFixtures + "\\aes_header.7z", "secret", Win(dest), {}, &one, false,
                           true, error));
    EXPECT_EQ(ReadAll(dest / "empty.txt"), "mine");
    ASSERT_TRUE(ZorExtract(kFixtures + "\\aes_header.7z", "secret", Win(dest), {}, &one, true, true,
                           error));
    EXPECT_EQ(ReadAll(dest / "empty.txt"), "");

    // A wrong password passes the listing of a plain header and fails in extraction.
    EXPECT_FALSE(ZorExtract(kFixtures + "\\aes.7z", "wrong", Win(FreshDir("wrong")), {}, nullptr,
                            true, true, error));
    EXPECT_EQ(error, "#1003");
    EXPECT_FALSE(ZorExtract(kFixtures + "\\aes_header.7z", "wrong", Win(FreshDir("wrong2")), {},
                            nullptr, true, true, error));
    EXPECT_EQ(error, "The archive cannot be opened: unsupported archive or incorrect password");
}

TEST(ZorWrapper, ExtractionFlagFalsePutsFilesStraightIntoTheDestination) {
    fs::path dest = FreshDir("flat");
    std::string error;
    std::vector<std::string> one = {"nested\\deep\\file.dat"};
    ASSERT_TRUE(
        ZorExtract(kFixtures + "\\lzma2_solid.7z", "", Win(dest), {}, &one, true, false, error))
        << error;
    EXPECT_TRUE(fs::exists(dest / "file.dat"));
}

TEST(ZorWrapper, MoveTreeMovesOrCopiesEveryFile) {
    for (bool move : {true, false}) {
        SCOPED_TRACE(move ? "move" : "copy");
        fs::path root = FreshDir(move ? "move" : "copy");
        fs::create_directories(root / "src" / "a" / "b");
        fs::create_directories(root / "src" / "empty");
        std::ofstream(root / "src" / "top.txt") << "top";
        std::ofstream(root / "src" / "a" / "b" / "deep.txt") << "deep";
        fs::create_directories(root / "dst" / "a" / "b");
        std::ofstream(root / "dst" / "a" / "b" / "deep.txt") << "old";
        fs::permissions(root / "dst" / "a" / "b" / "deep.txt", fs::perms::owner_read);
        ASSERT_TRUE(MoveTree(Win(root / "src"), Win(root / "dst"), move));
        EXPECT_EQ(ReadAll(root / "dst" / "top.txt"), "top");
        EXPECT_EQ(ReadAll(root / "dst" / "a" / "b" / "deep.txt"), "deep");
        EXPECT_TRUE(fs::is_directory(root / "dst" / "empty"));
        EXPECT_EQ(fs::exists(root / "src"), !move);
    }
}

} // namespace
} // namespace zk::media

// zor.lib called exactly as the engine calls it: through the import library.
#include "zor/api/zor_api.h"
#include "zor/core/archive_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kFixtures = ZOR_FIXTURE_DIR;
std::string Fixture(const char* name) {
    return kFixtures + "/" + name;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path FreshDir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("zor_dll_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

int ZOR_CALL SecretCallback(char* buffer) {
    std::strcpy(buffer, "secret");
    return 1;
}
int ZOR_CALL NoPasswordCallback(char*) {
    return 0;
}
int ZOR_CALL GoOn(intptr_t, intptr_t) {
    return 1;
}
int g_answer = kZorAnswerReplaceAll;
int g_answerCalls = 0;
int ZOR_CALL Answer(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
                    intptr_t, intptr_t) {
    ++g_answerCalls;
    return g_answer;
}
uint64_t g_lastDone = 0, g_lastTotal = 0;
int g_stopAfter = -1, g_progressCalls = 0;
int ZOR_CALL Progress(const char*, uint64_t done, uint64_t total) {
    EXPECT_LE(done, total);
    g_lastDone = done;
    g_lastTotal = total;
    ++g_progressCalls;
    return g_stopAfter < 0 || g_progressCalls < g_stopAfter;
}

int Extract(const std::string& archive, const fs::path& dest, const char* password,
            std::vector<std::string> names = {}, bool flatten = false) {
    std::vector<char*> raw;
    for (auto& n : names)
        raw.push_back(n.data());
    ZorTargetFiles targets{raw.data(), static_cast<intptr_t>(raw.size())};
    return ExtractArchive(archive.c_str(), 1, dest.string().c_str(), &targets, flatten ? 1 : 0,
                          password, NoPasswordCallback, Progress, GoOn, Answer);
}

TEST(ZorList, ListsNamesAndSizesOfEveryEntry) {
    ZorListEntry* entries = nullptr;
    int32_t count = 0;
    void* h = OpenListArchive(Fixture("lzma2_solid.7z").c_str(), 0, NoPasswordCallback, 0, 0, 0, "",
                              &entries, &count);
    ASSERT_NE(h, nullptr) << GetLastArchiveError();
    std::vector<std::string> names;
    bool sawReadme = false, sawEmptyDir = false;
    for (int i = 0; i < count; ++i) {
        // The engine reads the name pointer at offset 0 of 48-byte entries.
        auto* raw = reinterpret_cast<const unsigned char*>(entries) + 48 * i;
        const char* name = *reinterpret_cast<const char* const*>(raw);
        if (std::string(name) == "text\\readme.txt") {
            sawReadme = true;
            EXPECT_EQ(entries[i].size, fs::file_size(kFixtures + "/src/text/readme.txt"));
        }
        if (std::string(name) == "emptydir") sawEmptyDir = (entries[i].flags & 1) != 0;
    }
    EXPECT_EQ(count, 12);
    EXPECT_TRUE(sawReadme);
    EXPECT_TRUE(sawEmptyDir);
    CloseListArchive(h);
}

TEST(ZorList, FailuresGiveTheListingErrorNumbers) {
    struct Case {
        std::string archive;
        const char* password;
        ZorPasswordCallback callback;
        int error; // 0: opens
    } cases[] = {
        {Fixture("missing.7z"), "", NoPasswordCallback, 1001},
        {kFixtures + "/src/text/readme.txt", "", NoPasswordCallback, 1003},
        {Fixture("aes_header.7z"), "wrong", NoPasswordCallback, 1003},
        {Fixture("aes_header.7z"), "", NoPasswordCallback, 1003},
        {Fixture("aes_header.7z"), "secret", NoPasswordCallback, 0},
        {Fixture("aes_header.7z"), "", SecretCallback, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive + " / " + c.password);
        ZorListEntry* entries = nullptr;
        int32_t count = 0;
        void* h = OpenListArchive(c.archive.c_str(), 0, c.callback, 0, 0, 0, c.password, &entries,
                                  &count);
        if (c.error == 0) {
            ASSERT_NE(h, nullptr) << GetLastArchiveError();
            EXPECT_EQ(count, 12);
            CloseListArchive(h);
        } else {
            EXPECT_EQ(h, nullptr);
            EXPECT_EQ(GetLastArchiveError(), c.error);
        }
    }
}

class ZorExtractArchive : public ::testing::TestWithParam<const char*> {};

TEST_P(ZorExtractArchive, ExtractsAllFilesIntact) {
    fs::path dest = FreshDir(std::string("all_") + GetParam());
    g_stopAfter = -1;
    g_progressCalls = 0;
    ASSERT_EQ(Extract(Fixture(GetParam()), dest, "secret"), 1) << GetLastArchiveError();
    for (const char* f :
         {"text/readme.txt", "bin/big.bin", "bin/prog.dll", "nested/deep/file.dat", "empty.txt"}) {
        EXPECT_EQ(ReadAll(dest / f), ReadAll(kFixtures + "/src/" + f)) << f;
    }
    EXPECT_TRUE(fs::is_directory(dest / "emptydir"));
    EXPECT_GT(g_progressCalls, 0);
    EXPECT_EQ(g_lastDone, g_lastTotal);
}

INSTANTIATE_TEST_SUITE_P(Methods, ZorExtractArchive,
                         ::testing::Values("copy.7z", "lzma2_nonsolid.7z", "bcj2.7z", "mx9.7z",
                                           "delta.7z", "aes_header.7z", "aes_copy_nonsolid.7z"),
                         [](const auto& info) {
                             std::string n = info.param;
                             return n.substr(0, n.size() - 3);
                         });

TEST(ZorExtract, FailuresGiveTheirErrorNumbers) {
    struct Case {
        const char* archive;
        const char* password;
        std::vector<std::string> names;
        int stopAfter;
        int error;
    } cases[] = {
        {"aes.7z", "wrong", {}, -1, 1003},
        {"aes.7z", "", {}, -1, 1003},
        {"lzma2_solid.7z", "", {}, 2, 1007},
        {"lzma2_solid.7z", "", {"text\\*.txt"}, -1, 1002},
        {"lzma2_solid.7z", "", {"not\\there.txt"}, -1, 1009},
        {"missing.7z", "", {}, -1, 1001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + " error " + std::to_string(c.error));
        g_stopAfter = c.stopAfter;
        g_progressCalls = 0;
        EXPECT_EQ(Extract(Fixture(c.archive), FreshDir("fail"), c.password, c.names), 0);
        EXPECT_EQ(GetLastArchiveError(), c.error);
    }
    g_stopAfter = -1;
}

TEST(ZorExtract, TargetListAndFlatteningChooseWhatLandsWhere) {
    fs::path dest = FreshDir("targets");
    ASSERT_EQ(
        Extract(Fixture("lzma2_solid.7z"), dest, "", {"nested/deep/file.dat", "TEXT\\README.TXT"}),
        1);
    EXPECT_TRUE(fs::exists(dest / "nested" / "deep" / "file.dat"));
    EXPECT_TRUE(fs::exists(dest / "text" / "readme.txt"));
    EXPECT_FALSE(fs::exists(dest / "bin"));
    fs::path flat = FreshDir("flat");
    ASSERT_EQ(Extract(Fixture("lzma2_solid.7z"), flat, "", {"nested\\deep\\file.dat"}, true), 1);
    EXPECT_EQ(ReadAll(flat / "file.dat"), "deep file\n");
}

TEST(ZorExtract, ExistingFilesFollowTheAnswerCallback) {
    fs::path dest = FreshDir("answer");
    const std::vector<std::string> one = {"nested\\deep\\file.dat"};
    ASSERT_EQ(Extract(Fixture("lzma2_solid.7z"), dest, "", one), 1);
    struct Case {
        int answer;
        int result;
        const char* content;
    } cases[] = {{kZorAnswerKeep, 1, "mine"},
                 {kZorAnswerStop, 0, "mine"},
                 {kZorAnswerReplaceAll, 1, "deep file\n"}};
    for (const Case& c : cases) {
        std::ofstream(dest / "nested" / "deep" / "file.dat", std::ios::binary | std::ios::trunc)
            << "mine";
        g_answer = c.answer;
        g_answerCalls = 0;
        EXPECT_EQ(Extract(Fixture("lzma2_solid.7z"), dest, "", one), c.result);
        EXPECT_EQ(g_answerCalls, 1);
        EXPECT_EQ(ReadAll(dest / "nested" / "deep" / "file.dat"), c.content);
    }
    g_answer = kZorAnswerReplaceAll;
}

TEST(ZorExtract, EntriesOutsideTheDestinationAreRefusedAndNothingIsWritten) {
    fs::path root = FreshDir("unsafe");
    for (const char* evil :
         {"../evil.txt", "sub/../../evil.txt", "C:/evil.txt", "ok/CON", "file.txt:stream"}) {
        SCOPED_TRACE(evil);
        zor::ArchiveWriter writer;
        writer.AddData("good.txt", {'o', 'k'});
        writer.AddData(evil, {'x'});
        fs::path archive = root / "evil.7z";
        writer.WriteFile(archive.string());
        fs::path dest = root / "dest";
        fs::remove_all(dest);
        EXPECT_EQ(Extract(archive.string(), dest, ""), 0);
        EXPECT_EQ(GetLastArchiveError(), 1005);
        EXPECT_FALSE(fs::exists(root / "evil.txt"));
        EXPECT_FALSE(fs::exists(dest / "good.txt"));
    }
}

} // namespace

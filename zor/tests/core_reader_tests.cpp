// Reads archives made by 7zz with every supported method combination and
// compares their contents with the files they were made from.
#include "zor/core/archive_error.h"
#include "zor/core/archive_reader.h"
#include "zor/tests/test_support.h"

#include <gtest/gtest.h>

namespace zor::test {
namespace {

namespace fs = std::filesystem;

struct FixtureCase {
    const char* archive;
    bool encrypted;
};

class FixtureArchive : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(FixtureArchive, ListsAndExtractsEveryFileIntact) {
    FixedPassword password(GetParam().encrypted ? "secret" : "");
    auto reader = ArchiveReader::OpenFile((FixtureDir() / GetParam().archive).string(), &password);
    auto expected = ReadTree(FixtureDir() / "src");
    auto actual = ExtractAll(reader);
    ASSERT_EQ(actual.size(), expected.size());
    for (const auto& [name, item] : expected) {
        auto it = actual.find(name);
        ASSERT_NE(it, actual.end()) << name;
        EXPECT_EQ(it->second.isDirectory, item.isDirectory) << name;
        EXPECT_TRUE(it->second.data == item.data) << name;
    }
    EXPECT_TRUE(actual.count("caf\xE9.txt")) << "UTF-16 names become Windows-1252";
}

INSTANTIATE_TEST_SUITE_P(
    Methods, FixtureArchive,
    ::testing::Values(FixtureCase{"copy.7z", false}, FixtureCase{"lzma.7z", false},
                      FixtureCase{"lzma2_solid.7z", false}, FixtureCase{"lzma2_nonsolid.7z", false},
                      FixtureCase{"bcj_lzma.7z", false}, FixtureCase{"bcj2.7z", false},
                      FixtureCase{"mx9.7z", false}, FixtureCase{"delta.7z", false},
                      FixtureCase{"aes.7z", true}, FixtureCase{"aes_header.7z", true},
                      FixtureCase{"aes_copy_nonsolid.7z", true}),
    [](const auto& info) {
        std::string n = info.param.archive;
        return n.substr(0, n.size() - 3);
    });

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ArchiveError& e) {
        return e.Number();
    }
    return 0;
}

TEST(ArchivePasswords, WrongOrMissingPasswordIsReportedAsCannotOpen) {
    struct Case {
        const char* archive;
        const char* password;
        bool listingFails; // encrypted header: listing fails, else extraction
    } cases[] = {
        {"aes_header.7z", "wrong", true},
        {"aes_header.7z", "", true},
        {"aes.7z", "wrong", false},
        {"aes.7z", "", false},
        {"aes_copy_nonsolid.7z", "wrong", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + " / " + c.password);
        FixedPassword password(c.password);
        std::string path = (FixtureDir() / c.archive).string();
        int openError = ErrorOf([&] { ArchiveReader::OpenFile(path, &password); });
        if (c.listingFails) {
            EXPECT_EQ(openError, 1003);
            continue;
        }
        ASSERT_EQ(openError, 0);
        auto reader = ArchiveReader::OpenFile(path, &password);
        EXPECT_EQ(ErrorOf([&] { ExtractAll(reader); }), 1003);
    }
}

TEST(ArchiveDamage, TruncatedOrFlippedArchivesFailWithAnError) {
    for (const char* name : {"lzma2_solid.7z", "bcj2.7z", "aes_header.7z", "copy.7z"}) {
        auto data = ReadFileBytes(FixtureDir() / name);
        // Cut points in the signature, the packed data and the header.
        for (std::size_t cut : {std::size_t(10), data.size() / 2, data.size() - 20}) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(cut));
            std::vector<uint8_t> part(data.begin(),
                                      data.begin() + static_cast<std::ptrdiff_t>(cut));
            FixedPassword password("secret");
            int rc = ErrorOf([&] {
                ArchiveReader r(std::make_unique<MemoryInput>(part), &password);
                ExtractAll(r);
            });
            EXPECT_NE(rc, 0);
        }
        // A flipped byte in the packed data: the CRC (or the decoder) must notice.
        std::vector<uint8_t> flipped = data;
        flipped[data.size() / 3] ^= 0x55;
        FixedPassword password("secret");
        int rc = ErrorOf([&] {
            ArchiveReader r(std::make_unique<MemoryInput>(flipped), &password);
            ExtractAll(r);
        });
        EXPECT_TRUE(rc == 1004 || rc == 1003) << name << " gave " << rc;
    }
}

TEST(ArchiveOpen, MissingFileAndNonArchive) {
    EXPECT_EQ(
        ErrorOf([] { ArchiveReader::OpenFile((FixtureDir() / "nope.7z").string(), nullptr); }),
        1001);
    EXPECT_EQ(ErrorOf([] {
                  ArchiveReader r(std::make_unique<MemoryInput>(std::vector<uint8_t>(100, 'x')),
                                  nullptr);
              }),
              1003);
}

} // namespace
} // namespace zor::test

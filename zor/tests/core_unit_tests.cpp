// Entry path safety and the reader's caps on what an archive may declare.
#include "zor/core/aes_coder.h"
#include "zor/core/archive_error.h"
#include "zor/core/entry_path.h"
#include "zor/core/header_parser.h"

#include <gtest/gtest.h>

namespace zor {
namespace {

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ArchiveError& e) {
        return e.Number();
    }
    return 0;
}

TEST(EntryPath, UnsafePathsAreRefused) {
    const char16_t* unsafe[] = {u"",
                                u"/etc/passwd",
                                u"\\\\server\\share\\x",
                                u"\\root.txt",
                                u"C:\\Windows\\x.dll",
                                u"c:x.txt",
                                u"..\\evil.txt",
                                u"a/../../evil.txt",
                                u"a\\..",
                                u"file.txt:stream",
                                u"CON",
                                u"nul.txt",
                                u"dir\\COM1",
                                u"lpt9.log",
                                u"AUX",
                                u"dir\\conin$",
                                u"trail. ",
                                u"dots...",
                                u"bad\x01name",
                                u"wild*.txt",
                                u"./",
                                u".. \\x"};
    for (const char16_t* p : unsafe) {
        EXPECT_EQ(ErrorOf([&] { SafePathComponents(p); }), 1005)
            << std::string(std::u16string_view(p).begin(), std::u16string_view(p).end());
    }
}

TEST(EntryPath, OrdinaryPathsAreSplit) {
    struct Case {
        const char16_t* path;
        std::vector<std::u16string> parts;
    } cases[] = {
        {u"a.txt", {u"a.txt"}},     {u"dir/sub\\file.dat", {u"dir", u"sub", u"file.dat"}},
        {u"./x/./y", {u"x", u"y"}}, {u"conx\\console.txt", {u"conx", u"console.txt"}},
        {u"COM10", {u"COM10"}},     {u"..a\\b..c", {u"..a", u"b..c"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafePathComponents(c.path), c.parts);
}

TEST(HeaderLimits, HugeDeclaredCountsAreRefusedBeforeAllocating) {
    // FilesInfo declaring 2^40 files, folders declaring 2^40 folders, and a coder with 2^40
    // streams.
    std::vector<std::vector<uint8_t>> headers = {
        {0x05, 0xF8, 0, 0, 0, 0, 0x01, 0x00, 0x00},
        {0x04, 0x07, 0x0B, 0xF8, 0, 0, 0, 0, 0x01, 0x00},
        {0x04, 0x07, 0x0B, 0x01, 0x00, 0x01, 0x31, 0x21, 0xF8, 0, 0, 0, 0, 1, 1},
    };
    for (const auto& h : headers) {
        int rc = ErrorOf([&] { ParseHeader(h.data(), h.size()); });
        EXPECT_TRUE(rc == 1010 || rc == 1003) << rc;
    }
}

TEST(AesLimits, KeyHashRoundsAboveTheCapAreRefused) {
    struct Pw : PasswordProvider {
        std::u16string Password() override { return u"x"; }
    } pw;
    AesParams params;
    params.cyclesPower = 25;
    EXPECT_EQ(ErrorOf([&] { pw.Key(params); }), 1010);
    params.cyclesPower = 10;
    EXPECT_EQ(ErrorOf([&] { pw.Key(params); }), 0);
}

} // namespace
} // namespace zor

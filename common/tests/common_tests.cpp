#include <gtest/gtest.h>

#include "common/ansi_case.h"
#include "common/comma_text.h"
#include "common/hashed_line_list.h"
#include "common/line_file.h"

namespace zk {
namespace {

TEST(AnsiCase, MapsWindows1252Letters) {
    EXPECT_EQ(AnsiUpper("abc\xE9\xFF\x9A\xF7\xDF"), "ABC\xC9\x9F\x8A\xF7\xDF");
    EXPECT_EQ(AnsiLower("ABC\xC9\x9F\x8A\xD7"), "abc\xE9\xFF\x9A\xD7");
    EXPECT_TRUE(AnsiSameText("Stra\xDF" "e", "STRA\xDF" "E"));
    EXPECT_FALSE(AnsiSameText("abc", "abcd"));
    EXPECT_EQ(AnsiHashText("\xE9t\xE9"), AnsiHashText("\xC9T\xC9"));
}

TEST(AnsiCase, FindAndReplaceIgnoreCase) {
    EXPECT_EQ(AnsiFindText("one #LOCMODE# two", "#locmode#"), 4u);
    EXPECT_EQ(AnsiFindText("abc", "d"), std::string_view::npos);
    EXPECT_EQ(AnsiReplaceText("#a# and #A#", "#a#", "x"), "x and x");
    EXPECT_EQ(AnsiReplaceText("aaa", "aa", "a"), "aa"); // no rescanning of replaced text
}

TEST(HashedLineList, IndexOfIsCaseInsensitiveAndFindsFirst) {
    HashedLineList list;
    for (const char* s : {"alpha", "Beta", "BETA", "gamma"}) list.Add(s);
    EXPECT_EQ(list.IndexOf("beta"), 1);
    EXPECT_EQ(list.IndexOf("delta"), HashedLineList::npos);
    list.Delete(1);
    EXPECT_EQ(list.IndexOf("beta"), 1); // now the former third line
    list.Insert(0, "beta");
    EXPECT_EQ(list.IndexOf("BETA"), 0);
    list.Set(0, "zeta");
    EXPECT_EQ(list.IndexOf("beta"), 2);
    EXPECT_EQ(list.Get(99), "");
    EXPECT_EQ(list.Get(-1), "");
}

struct CommaCase {
    std::vector<std::string> items;
    std::string text;
};

class CommaTextRoundTrip : public ::testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextRoundTrip, JoinsAndSplitsBack) {
    const auto& c = GetParam();
    EXPECT_EQ(JoinCommaText(c.items), c.text);
    EXPECT_EQ(SplitCommaText(c.text), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommaTextRoundTrip,
    ::testing::Values(CommaCase{{"a", "b"}, "a,b"}, CommaCase{{"NAME=two words"}, "\"NAME=two words\""},
                      CommaCase{{"say \"hi\""}, "\"say \"\"hi\"\"\""}, CommaCase{{"a,b", "c"}, "\"a,b\",c"},
                      CommaCase{{""}, "\"\""}, CommaCase{{"a", "", "b"}, "a,,b"},
                      CommaCase{{}, ""}));

TEST(CommaText, SplitsUnquotedItemsAtBlanksAndKeepsTrailingEmpty) {
    EXPECT_EQ(SplitCommaText("two words"), (std::vector<std::string>{"two", "words"}));
    EXPECT_EQ(SplitCommaText("  a , b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitCommaText("a,"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitCommaText("\"unterminated"), (std::vector<std::string>{"unterminated"}));
}

TEST(LineFile, SplitsAnyLineEndAndJoinsWithCrLf) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(JoinLinesCrLf({"a", ""}), "a\r\n\r\n");
}

} // namespace
} // namespace zk

#include "common/ansi_utf16.h"

namespace zk {
namespace {

TEST(AnsiUtf16, MapsWindows1252BothWays) {
    const std::string ansi = "A\x80\x9F\xE9\x81";
    EXPECT_EQ(AnsiToUtf16(ansi), (std::u16string{u'A', 0x20AC, 0x0178, 0x00E9, 0x0081}));
    EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(ansi)), ansi);
    EXPECT_EQ(Utf16ToAnsi(u"\u4E2D"), "?");
    EXPECT_EQ(AnsiToUtf16LeBytes("<K"), std::string("<\0K\0", 4));
}

} // namespace
} // namespace zk

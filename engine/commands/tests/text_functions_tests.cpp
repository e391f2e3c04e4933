// The text work of the string, path and arithmetic commands, without a script.
#include <gtest/gtest.h>

#include <map>

#include "engine/commands/mathematics.h"
#include "engine/commands/path_text.h"
#include "engine/commands/string_text.h"

namespace zk::commands {
namespace {

struct ParseCase {
    const char* source;
    const char* delimiter;
    int mode;
    bool trim;
    bool ignoreCase;
    ParsedParts expected;
};

class ParsePartsTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePartsTest, CutsTheSource) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseParts(c.source, c.delimiter, c.mode, c.trim, c.ignoreCase), c.expected)
        << c.source << " / " << c.delimiter << " mode " << c.mode;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ParsePartsTest,
    ::testing::Values(ParseCase{"a=b=c", "=", 0, false, false, {"a", "b=c"}},
                      ParseCase{"a=b=c", "=", 1, false, false, {"a=b", "c"}},
                      ParseCase{"a=b=c", "x", 0, false, false, {"a=b=c", ""}},
                      ParseCase{"a=b=c", "x", 1, false, false, {"", "a=b=c"}},
                      ParseCase{"a=b=c", "", 0, false, false, {"a=b=c", ""}},
                      ParseCase{"a=b=c", "", 1, false, false, {"", "a=b=c"}},
                      ParseCase{"key::value", "::", 0, false, false, {"key", "value"}},
                      ParseCase{"aaa", "aa", 1, false, false, {"a", ""}}, // the last occurrence may
                                                                          // overlap an earlier one
                      ParseCase{"abcdef", "2", 2, false, false, {"ab", "cdef"}},
                      ParseCase{"abcdef", "0", 2, false, false, {"", "abcdef"}},
                      ParseCase{"abcdef", "9", 2, false, false, {"abcdef", ""}},
                      ParseCase{"abcdef", "-1", 2, false, false, {"", "abcdef"}},
                      ParseCase{"abcdef", "2", 3, false, false, {"abcd", "ef"}},
                      ParseCase{"abcdef", "6", 3, false, false, {"", ""}},
                      ParseCase{"abcdef", "9", 3, false, false, {"", "abcdef"}},
                      ParseCase{"abcdef", "two", 2, false, false, {"", ""}},
                      ParseCase{"abcdef", "two", 3, false, false, {"", ""}},
                      ParseCase{"a=b", "=", 4, false, false, {"", ""}},
                      ParseCase{"a=b", "=", -1, false, false, {"", ""}},
                      ParseCase{"A-b-C", "-B-", 0, false, true, {"A", "C"}},
                      ParseCase{"A-b-C", "-B-", 0, false, false, {"A-b-C", ""}},
                      ParseCase{"X-Y-x-y", "-X-", 1, false, true, {"X-Y", "y"}},
                      ParseCase{" \tleft = right\r\n", "=", 0, true, false, {"left", "right"}},
                      ParseCase{
                          " \tleft = right\r\n", "=", 0, false, false, {" \tleft ", " right\r\n"}},
                      ParseCase{"\xC9T\xC9=x", "\xE9t\xE9", 0, false, true, {"", "=x"}}));

struct ReplaceCase {
    const char* text;
    const char* search;
    const char* replacement;
    bool ignoreCase;
    bool all;
    const char* expected;
};

class ReplaceTextTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextTest, Replaces) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement, c.ignoreCase, c.all), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ReplaceTextTest,
    ::testing::Values(ReplaceCase{"aXbxc", "x", "-", false, false, "aXb-c"},
                      ReplaceCase{"aXbxc", "x", "-", false, true, "aXb-c"},
                      ReplaceCase{"aXbxc", "x", "-", true, false, "a-bxc"},
                      ReplaceCase{"aXbxc", "x", "-", true, true, "a-b-c"},
                      ReplaceCase{"aXbxc", "", "-", true, true, "aXbxc"},
                      ReplaceCase{"", "x", "-", true, true, ""},
                      ReplaceCase{"ab", "abc", "-", true, true, "ab"},
                      ReplaceCase{"aaaa", "aa", "a", false, true, "aa"}, // no overlap, no rescan
                      ReplaceCase{"x", "x", "xx", false, true,
                                  "xx"}, // the replacement is not scanned
                      ReplaceCase{"C:\\Old\\old", "OLD", "new", true, true, "C:\\new\\new"}));

struct PartCase {
    const char* path;
    int part;
    const char* expected;
};

class ExtractPathPartTest : public ::testing::TestWithParam<PartCase> {};

TEST_P(ExtractPathPartTest, SelectsThePart) {
    EXPECT_EQ(ExtractPathPart(GetParam().path, GetParam().part), GetParam().expected)
        << GetParam().path << " part " << GetParam().part;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, ExtractPathPartTest,
    ::testing::Values(PartCase{"C:\\dir\\sub\\file.tar.gz", 0, "file.tar.gz"},
                      PartCase{"C:\\dir\\sub\\file.tar.gz", 1, "file.tar"},
                      PartCase{"C:\\dir\\sub\\file.tar.gz", 2, "gz"},
                      PartCase{"C:\\dir\\sub\\file.tar.gz", 3, "C:\\dir\\sub\\"},
                      PartCase{"C:\\dir\\sub\\file.tar.gz", 4, "C:\\dir\\"},
                      PartCase{"C:\\dir\\sub\\file.tar.gz", 5, "C:\\"},
                      PartCase{"C:\\dir\\sub\\file.tar.gz", 7, "C:\\dir\\sub\\file.tar.gz"},
                      PartCase{"C:\\a.bc\\a.bc.b", 1, "a.bc"}, // the extension is cut at the end
                      PartCase{"C:\\dir.d\\README", 1, "README"},
                      PartCase{"C:\\dir.d\\README", 2, ""}, PartCase{"C:file.txt", 0, "file.txt"},
                      PartCase{"C:file.txt", 3, "C:\\"}, PartCase{"file.txt", 3, ""},
                      PartCase{"file.txt", 4, ""}, PartCase{"file.txt", 5, ""},
                      PartCase{"\\\\server\\share\\dir\\f.txt", 5, "\\\\server\\share\\"},
                      PartCase{"\\\\server\\share", 5, "\\\\server\\share\\"},
                      PartCase{"\\\\server\\share\\dir\\f.txt", 4, "\\\\server\\share\\"},
                      PartCase{"C:\\\\dir\\\\f", 6, "C:\\dir\\f"}));

TEST(LongPathForm, TakesStoredNamesFromTheRootOutwards) {
    const std::map<std::string, std::string> disk = {
        {"C:\\PROGRA~1", "Program Files"},
        {"C:\\PROGRA~1\\app", "App"},
        {"C:\\PROGRA~1\\app\\readme.txt", "ReadMe.txt"},
        {"relative", "Relative"},
        {"\\rooted", "Rooted"},
    };
    std::vector<std::string> asked;
    const StoredNameLookup lookup = [&](const std::string& path) -> std::optional<std::string> {
        asked.push_back(path);
        const auto it = disk.find(path);
        if (it == disk.end()) return std::nullopt;
        return it->second;
    };
    EXPECT_EQ(LongPathForm("\"C:\\PROGRA~1\\app\\readme.txt\"", lookup),
              "C:\\Program Files\\App\\ReadMe.txt");
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\PROGRA~1", "C:\\PROGRA~1\\app",
                                               "C:\\PROGRA~1\\app\\readme.txt"}));
    // A missing last component: the cleaned text unchanged, even though its
    // folders could be converted.
    EXPECT_EQ(LongPathForm("\"C:\\PROGRA~1\\app\\missing\\\"", lookup),
              "C:\\PROGRA~1\\app\\missing");
    EXPECT_EQ(LongPathForm("C:\\PROGRA~1\\", lookup), "C:\\Program Files");
    EXPECT_EQ(LongPathForm("C:\\", lookup), "C:");
    EXPECT_EQ(LongPathForm("C:", lookup), "C:");
    EXPECT_EQ(LongPathForm("", lookup), "");
    EXPECT_EQ(LongPathForm("relative", lookup), "Relative");
    EXPECT_EQ(LongPathForm("\\rooted", lookup), "\\Rooted");
    const std::string hostile(100000, '\\');
    EXPECT_EQ(LongPathForm(hostile, lookup), std::string(99999, '\\'));
}

struct MathCase {
    const char* a;
    const char* b;
    const char* operation;
    std::optional<std::string> expected;
};

class CalculateTest : public ::testing::TestWithParam<MathCase> {};

TEST_P(CalculateTest, Computes) {
    RandomGenerator generator;
    const MathCase& c = GetParam();
    EXPECT_EQ(Calculate({c.a, c.b, c.operation}, generator), c.expected)
        << c.a << " op " << c.operation << " " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CalculateTest,
    ::testing::Values(MathCase{"2147483647", "1", "0", "2147483648"}, // 64-bit results
                      MathCase{"-2147483648", "1", "1", "-2147483649"},
                      MathCase{"-2147483648", "-2147483648", "2", "4611686018427387904"},
                      MathCase{"-7", "2", "3", "-3"},
                      MathCase{"-2147483648", "-1", "3", "2147483648"},
                      MathCase{"7", "0", "3", std::nullopt}, MathCase{"-7", "2", "4", "-1"},
                      MathCase{"7", "0", "4", std::nullopt}, MathCase{"12", "10", "5", "8"},
                      MathCase{"12", "10", "6", "14"}, MathCase{"12", "10", "7", "6"},
                      MathCase{"1", "40", "8", "1099511627776"}, MathCase{"1", "64", "8", "0"},
                      MathCase{"1", "-1", "8", "0"}, MathCase{"-1", "60", "9", "15"},
                      MathCase{"-1", "0", "9", "-1"}, MathCase{"0", "ignored", "10", "-1"},
                      MathCase{"A", "ignored", "11", "65"}, MathCase{"\xE9t\xE9", "", "11", "233"},
                      MathCase{"", "", "11", std::nullopt}, MathCase{"65", "ignored", "12", "A"},
                      MathCase{"321", "", "12", "A"}, // low byte
                      MathCase{"1x", "1", "0", std::nullopt},
                      MathCase{"2147483648", "1", "0", std::nullopt},
                      MathCase{"1", "", "0", std::nullopt}, MathCase{"1", "1", "16", std::nullopt},
                      MathCase{"1", "1", "", std::nullopt}, MathCase{"$10", "1", "0", "17"}));

TEST(RandomGenerator, FollowsTheScriptsChoices) {
    RandomGenerator generator;
    EXPECT_EQ(Calculate({"10", "", "15"}, generator), "0"); // untouched generator always yields 0
    EXPECT_EQ(Calculate({"5", "3", "13"}, generator), "8");
    EXPECT_EQ(Calculate({"7", "", "14"}, generator), "7");
    EXPECT_EQ(Calculate({"10", "", "15"}, generator), "8"); // x = 5 * 7 + 3 = 38
    EXPECT_EQ(generator.seed, 38);
    EXPECT_EQ(Calculate({"1000", "", "15"}, generator), "193"); // x = 5 * 38 + 3
    EXPECT_EQ(generator.seed, 193);
    EXPECT_EQ(Calculate({"0", "", "15"}, generator),
              std::nullopt); // x mod 0 fails, the seed moves on
    EXPECT_EQ(generator.seed, 968);

    // Wrapping signed 32-bit arithmetic; the seed keeps the sign of x.
    EXPECT_EQ(Calculate({"65536", "0", "13"}, generator), "65536");
    EXPECT_EQ(Calculate({"32768", "", "14"}, generator), "32768");
    EXPECT_EQ(Calculate({"-1", "", "15"}, generator), "0"); // 65536 * 32768 wraps to -2^31
    EXPECT_EQ(generator.seed, -2);                          // -2^31 = -65538 * 32767 - 2
}

} // namespace
} // namespace zk::commands

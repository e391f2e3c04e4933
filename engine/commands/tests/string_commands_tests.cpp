// "Parse String", "Replace String", "Convert Case", "Convert Path" and
// "Extract Path" in running scripts: how they read their lines and where
// their results go.
#include <gtest/gtest.h>

#include "engine/commands/tests/command_harness.h"

namespace zk::commands::testing {
namespace {

using script::RunEnd;

TEST(ParseString, ReadsPathLinesAndStoresBothParts) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"SRC", "C:\\\\dir\\\\file.txt"})
                  .Add("Set Variable", {"SEP", "\\"})
                  .Add("Parse String", {"$SRC$", "$SEP$", "LEFT", "$RIGHT$", "1", "FALSE", "FALSE"})
                  .Add("Parse String", {" a = b ", "=", "TRIMMED_L", "", "0", "-1", "0"})
                  .Image());
    // Doubled backslashes are collapsed before the search.
    EXPECT_EQ(run.Value("LEFT"), "C:\\dir");
    // A name line is used as written: "$RIGHT$" names a variable with the signs.
    EXPECT_EQ(run.Value("$RIGHT$"), "file.txt");
    EXPECT_FALSE(run.variables.IsDefined("RIGHT"));
    EXPECT_EQ(run.Value("TRIMMED_L"), "a");
}

TEST(ParseString, CountThatIsNoNumberEmptiesBothParts) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"L", "old"})
                  .Add("Set Variable", {"R", "old"})
                  .Add("Parse String", {"abcdef", "two", "L", "R", "2", "FALSE", "FALSE"})
                  .Image());
    EXPECT_EQ(run.Value("L"), "");
    EXPECT_EQ(run.Value("R"), "");
}

TEST(ReplaceString, ChangesTheVariableInPlace) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"S", "aXbxc"})
                  .Add("Set Variable", {"T", "aXbxc"})
                  .Add("Set Variable", {"FIND", "x"})
                  .Add("Replace String", {"S", "$FIND$", "-", "TRUE", "TRUE"})
                  .Add("Replace String", {"T", "X", "$NEWLINE$", "FALSE", "FALSE"})
                  .Add("Replace String", {"T", "", "-", "TRUE", "TRUE"})
                  .Image());
    EXPECT_EQ(run.Value("S"), "a-b-c");
    EXPECT_EQ(run.Value("T"), "a\r\nbxc");
}

TEST(ConvertCase, ExpandsTheValueThenConverts) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"NAME", "\xE9t\xE9"})
                  .Add("Set Variable", {"P", "c:\\\\$NAME$\\\\x"})
                  .Add("Set Variable", {"Q", "MiXeD"})
                  .Add("Convert Case", {"P", "TRUE"})
                  .Add("Convert Case", {"Q", "FALSE"})
                  .Image());
    // "Set Variable" stores "c:\\été\\x"; the conversion collapses and upper-cases.
    EXPECT_EQ(run.Value("P"), "C:\\\xC9T\xC9\\X");
    EXPECT_EQ(run.Value("Q"), "mixed");
}

TEST(ConvertPath, ShortAndLongFormsWithRedirectionOff) {
    CommandRun run;
    run.platform.shortPaths["C:\\Program Files\\App"] = "C:\\PROGRA~1\\App";
    run.platform.storedNames["C:\\PROGRA~1"] = "Program Files";
    run.platform.storedNames["C:\\PROGRA~1\\APP"] = "App";
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"SHORT", "C:\\\\Program Files\\\\App"})
                  .Add("Set Variable", {"LONG", "\"C:\\progra~1\\app\\\""})
                  .Add("Set Variable", {"MISSING", "C:\\progra~1\\gone\\"})
                  .Add("Set Variable", {"NOSHORT", "C:\\nowhere"})
                  .Add("Convert Path", {"SHORT", "TRUE"})
                  .Add("Convert Path", {"LONG", "FALSE"})
                  .Add("Convert Path", {"MISSING", "FALSE"})
                  .Add("Convert Path", {"NOSHORT", "-1"})
                  .Image());
    EXPECT_EQ(run.Value("SHORT"), "C:\\PROGRA~1\\App");
    EXPECT_EQ(run.Value("LONG"), "C:\\Program Files\\App");
    EXPECT_EQ(run.Value("MISSING"), "C:\\progra~1\\gone");
    EXPECT_EQ(run.Value("NOSHORT"), "");
    EXPECT_EQ(run.platform.modes.size(), 4u);
    EXPECT_EQ(run.platform.redirectionDepth, 0);
}

TEST(ExtractPath, ReplacesTheVariableByThePart) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"DIR", "C:\\dir"})
                  .Add("Set Variable", {"F", "$DIR$\\\\sub\\file.tar.gz"})
                  .Add("Set Variable", {"G", "$F$"})
                  .Add("Extract Path", {"F", "4"})
                  .Add("Extract Path", {"G", "1"})
                  .Image());
    EXPECT_EQ(run.Value("F"), "C:\\dir\\");
    EXPECT_EQ(run.Value("G"), "file.tar");
}

struct FailureCase {
    const char* name;
    script::ScriptImage image;
    const char* message;
};

class StringCommandFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StringCommandFailure, EndsTheRunWithTheError) {
    CommandRun run;
    run.Run(GetParam().image);
    EXPECT_EQ(run.result.end, RunEnd::RuntimeError);
    EXPECT_EQ(run.result.message,
              std::string("Runtime error in setup script:\r\r") + GetParam().message);
}

// Compilation refuses variables that are not declared; a remembered
// "Set Variable" that is disabled declares one that never comes into being.
script::ScriptImage WithUndeclared(const std::string& command,
                                   std::initializer_list<std::string> lines) {
    return ScriptBuilder()
        .Disabled("Set Variable", {"LATER$ZARA$ZARA$TRUE", "x"})
        .Add(command, lines)
        .Image();
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, StringCommandFailure,
    ::testing::Values(
        FailureCase{"extract_mode_not_a_number",
                    ScriptBuilder()
                        .Add("Set Variable", {"P", "C:\\x"})
                        .Add("Extract Path", {"P", "first"})
                        .Image(),
                    "Line 2: 'first' is not a valid integer value"},
        FailureCase{"parse_mode_not_a_number",
                    ScriptBuilder()
                        .Add("Parse String", {"a=b", "=", "L", "R", "", "FALSE", "FALSE"})
                        .Image(),
                    "Line 1: '' is not a valid integer value"},
        FailureCase{"convert_case_undefined", WithUndeclared("Convert Case", {"later", "TRUE"}),
                    "Line 2: Attempting to get value of undefined variable later"},
        FailureCase{"replace_undefined",
                    WithUndeclared("Replace String", {"Later", "a", "b", "FALSE", "FALSE"}),
                    "Line 2: Attempting to get value of undefined variable Later"},
        FailureCase{"extract_undefined", WithUndeclared("Extract Path", {"LATER", "0"}),
                    "Line 2: Attempting to get value of undefined variable LATER"},
        FailureCase{"convert_path_undefined", WithUndeclared("Convert Path", {"Later", "FALSE"}),
                    "Line 2: Attempting to get value of undefined variable Later"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zk::commands::testing

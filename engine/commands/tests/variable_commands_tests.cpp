// "Set Variable", "Localization Variable", "Get Temporary File",
// "Mathematics" and "Evaluate Expression" in running scripts.
#include <gtest/gtest.h>

#include "engine/commands/tests/command_harness.h"

namespace zk::commands::testing {
namespace {

using script::RunEnd;

std::string IdOf(int commandNumber) {
    char id[64];
    std::snprintf(id, sizeof id, "{%08X-0000-0000-0000-000000000000}",
                  static_cast<unsigned>(commandNumber));
    return id;
}

struct RememberCase {
    const char* name;
    const char* line1;
    const char* variable;
    std::vector<std::string> persistent;
};

class SetVariableTarget : public ::testing::TestWithParam<RememberCase> {};

TEST_P(SetVariableTarget, SetsAndRemembers) {
    const RememberCase& c = GetParam();
    CommandRun run;
    // Run twice: a remembered name enters the persistent list only once.
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {c.line1, "4"})
                  .Add("Set Variable", {c.line1, "5"})
                  .Image());
    EXPECT_EQ(run.Value(c.variable), "5");
    EXPECT_EQ(run.variables.PersistentNames(), c.persistent);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SetVariableTarget,
    ::testing::Values(RememberCase{"plain", "X", "X", {}},
                      RememberCase{"reference", "$TargetDir$", "TARGETDIR", {}},
                      RememberCase{"remembered", "X$ZARA$ZARA$TRUE", "X", {"X"}},
                      RememberCase{"remembered_as_written",
                                   "$Install_Kind$$ZARA$ZARA$TRUE",
                                   "INSTALL_KIND",
                                   {"Install_Kind"}},
                      RememberCase{"flag_in_lower_case", "X$ZARA$ZARA$true", "X", {}},
                      RememberCase{"flag_minus_one", "X$ZARA$ZARA$-1", "X", {}},
                      RememberCase{"marker_without_flag", "X$ZARA$ZARA$", "X", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetVariable, ReferenceAndNameChangeTheSameVariable) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"$TARGETDIR$", "C:\\One"})
                  .Add("Set Variable", {"COPY", "$TARGETDIR$"})
                  .Add("Set Variable", {"targetdir", "C:\\Two"})
                  .Image());
    EXPECT_EQ(run.Value("COPY"), "C:\\One");
    EXPECT_EQ(run.Value("TARGETDIR"), "C:\\Two");
}

TEST(SetVariable, CommandLineValueWinsInSilentRuns) {
    for (const bool silent : {true, false}) {
        CommandRun run;
        run.silent = silent;
        run.commandLineVariables = {{"TARGETDIR", "D:\\FromCommandLine"}};
        run.RunOk(ScriptBuilder().Add("Set Variable", {"TARGETDIR", "C:\\FromScript"}).Image());
        EXPECT_EQ(run.Value("TARGETDIR"), silent ? "D:\\FromCommandLine" : "C:\\FromScript");
    }
}

TEST(SetVariable, ProgressVariablesDriveTheDisplay) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"PROGRESSTEXT", "Copying $TITLE$"})
                  .Add("Set Variable", {"OTHER", "70"})
                  .Add("Set Variable", {"progress", "40"})
                  .Add("Set Variable", {"$ProgressText$", "Done"})
                  .Image());
    EXPECT_EQ(run.progress,
              (std::vector<ProgressUpdate>{{"Copying ", 0}, {"Copying ", 40}, {"Done", 40}}));
}

TEST(SetVariable, ProgressThatIsNoNumberEndsTheRun) {
    CommandRun run;
    run.Run(ScriptBuilder()
                .Add("Set Variable", {"OTHER", "abc"})
                .Add("Set Variable", {"PROGRESS", "abc"})
                .Add("Set Variable", {"AFTER", "ran"})
                .Image());
    EXPECT_EQ(run.result.end, RunEnd::RuntimeError);
    EXPECT_EQ(run.result.message,
              "Runtime error in setup script:\r\rLine 2: 'abc' is not a valid integer value");
    EXPECT_FALSE(run.variables.IsDefined("AFTER"));
}

TEST(SetVariable, TranslatesUnderItsIdentifierWhileALanguageIsActive) {
    for (const std::string language : {"German", ""}) {
        CommandRun run;
        run.withTranslation = true;
        run.host.language = language;
        run.translations[IdOf(2)] = "Hallo $WHO$";
        run.RunOk(ScriptBuilder()
                      .Add("Set Variable", {"WHO", "Welt"})
                      .Add("Set Variable", {"GREETING", "Hello $WHO$"})
                      .Image());
        EXPECT_EQ(run.Value("GREETING"), language.empty() ? "Hello Welt" : "Hallo Welt")
            << language;
    }
}

TEST(LocalizationVariable, TranslatesUnderItsLocalisationKey) {
    CommandRun run;
    run.withTranslation = true;
    run.host.language = "German";
    run.translations["ZIRIZERO$Greeting$ZIRIZERO"] = "Guten Tag, $USERNAME$";
    run.translations[IdOf(1)] = "not this one";
    run.RunOk(ScriptBuilder()
                  .Add("Localization Variable", {"$Greeting$", "Good day"})
                  .Add("Localization Variable", {"FAREWELL", "Bye $USERNAME$"})
                  .Image());
    EXPECT_EQ(run.Value("GREETING"), "Guten Tag, Owner");
    EXPECT_EQ(run.Value("FAREWELL"), "Bye Owner");
}

TEST(GetTemporaryFile, CreatesAFileInTheEnginesTemporaryFolder) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"TEMPDIR", "D:\\Elsewhere\\"}) // does not move the folder
                  .Add("Get Temporary File", {"$FIRST$"})
                  .Add("Get Temporary File", {"SECOND"})
                  .Image());
    EXPECT_EQ(run.Value("FIRST"), "C:\\Temp\\zor1.TMP");
    EXPECT_EQ(run.Value("SECOND"), "C:\\Temp\\zor2.TMP");
    EXPECT_EQ(run.platform.File("C:\\Temp\\zor1.TMP"), "");
    EXPECT_EQ(run.platform.modes, (std::vector<std::string>{"Win32", "Win32"}));
    EXPECT_EQ(run.platform.redirectionDepth, 0);
}

TEST(GetTemporaryFile, StoresAnEmptyPathWhenNoFileCanBeMade) {
    CommandRun run;
    run.platform.existingFolder = "C:\\Other\\";
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"TMP", "old"})
                  .Add("Get Temporary File", {"TMP"})
                  .Image());
    EXPECT_EQ(run.Value("TMP"), "");
}

TEST(Mathematics, KeepsTheGeneratorAcrossCommands) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"A", "5"})
                  .Add("Mathematics", {"10", "", "15", "UNSEEDED"})
                  .Add("Mathematics", {"$A$", "3", "13", "R1"})
                  .Add("Mathematics", {"7", "", "14", ""})
                  .Add("Mathematics", {"10", "", "15", "R3"})
                  .Image());
    EXPECT_EQ(run.Value("UNSEEDED"), "0");
    EXPECT_EQ(run.Value("R1"), "8");
    EXPECT_EQ(run.Value("R3"), "8");
    EXPECT_EQ(run.statesLeft, 0u) << "the generator belongs to the run";
}

TEST(Mathematics, FailuresStoreTheEmptyText) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"R", "old"})
                  .Add("Mathematics", {"1", "0", "3", "R"})
                  .Add("Mathematics", {"x", "1", "0", "NEW"})
                  .Add("Mathematics", {"1", "1", "$OP$", "UNKNOWN"})
                  .Add("Mathematics", {"$NEWLINE$", "", "11", "CODE"})
                  .Image());
    EXPECT_EQ(run.Value("R"), "");
    EXPECT_EQ(run.Value("NEW"), "");
    EXPECT_EQ(run.Value("UNKNOWN"), "");
    EXPECT_EQ(run.Value("CODE"), "13");
}

TEST(Mathematics, ResultLineNamesTheVariableAsWritten) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"X", "1"})
                  .Add("Mathematics", {"2", "3", "0", "$X$"})
                  .Image());
    EXPECT_EQ(run.Value("X"), "1");
    EXPECT_EQ(run.Value("$X$"), "5");
}

struct ExpressionCase {
    const char* value;
    const char* expression;
    const char* expected;
};

class EvaluateExpressionCommand : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(EvaluateExpressionCommand, StoresTheOutcomeWord) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"V", GetParam().value})
                  .Add("Evaluate Expression", {GetParam().expression, "$RESULT$"})
                  .Image());
    EXPECT_EQ(run.Value("RESULT"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, EvaluateExpressionCommand,
    ::testing::Values(ExpressionCase{"10", "$V$ < \"9\"", "TRUE"},
                      ExpressionCase{"b", "($V$ = \"a\") or $V$ = \"b\"", "TRUE"},
                      ExpressionCase{"b", "$V$ = \"a\" and $V$ = \"b\"", "FALSE"},
                      ExpressionCase{"say \"hi\"", "$V$ = \"x\"", "ERROR"}));

} // namespace
} // namespace zk::commands::testing

// "Terminate Install" and "Terminate with Exit Code" end the run at once.
#include <gtest/gtest.h>

#include "engine/commands/command_registration.h"
#include "engine/commands/tests/command_harness.h"

namespace zk::commands::testing {
namespace {

struct ExitCase {
    const char* line;
    int expected;
};

class TerminateWithExitCode : public ::testing::TestWithParam<ExitCase> {};

TEST_P(TerminateWithExitCode, SetsTheCodeAndEndsTheRun) {
    CommandRun run;
    run.platform.PutFile("C:\\data.txt", "line\r\nline\r\n");
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"CODE", "3010"})
                  .Add("Read from Text File", {"C:\\data.txt", "LINE", ""})
                  .Add("Terminate with Exit Code", {GetParam().line})
                  .Add("Set Variable", {"AFTER", "ran"})
                  .Image());
    EXPECT_EQ(run.exitCode, GetParam().expected);
    EXPECT_FALSE(run.variables.IsDefined("AFTER"));
    EXPECT_EQ(run.statesLeft, 0u) << "the file left open is closed";
}

INSTANTIATE_TEST_SUITE_P(Lines, TerminateWithExitCode,
                         ::testing::Values(ExitCase{"7", 7}, ExitCase{"-3", -3},
                                           ExitCase{"$CODE$", 3010}, ExitCase{"abc", 0},
                                           ExitCase{"", 0}, ExitCase{"99999999999", 0}));

TEST(TerminateInstall, EndsTheRunKeepingTheExitCode) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"BEFORE", "ran"})
                  .Add("Terminate Install")
                  .Add("Terminate with Exit Code", {"5"})
                  .Image());
    EXPECT_EQ(run.Value("BEFORE"), "ran");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(Registration, EveryCommandOfTheVariableFamilyHasAHandler) {
    // Each command of the family runs once: a command without a handler
    // would do nothing and leave its result undefined.
    ScriptBuilder builder;
    builder.Add("Set Variable", {"V", "a=b"})
        .Add("Localization Variable", {"LV", "x"})
        .Add("Get Temporary File", {"TMP"})
        .Add("Parse String", {"a=b", "=", "PL", "PR", "0", "FALSE", "FALSE"})
        .Add("Replace String", {"V", "=", ":", "FALSE", "TRUE"})
        .Add("Set Variable", {"CC", "abc"})
        .Add("Convert Case", {"CC", "TRUE"})
        .Add("Set Variable", {"CP", "C:\\x\\"})
        .Add("Convert Path", {"CP", "FALSE"})
        .Add("Set Variable", {"EP", "C:\\x\\y.z"})
        .Add("Extract Path", {"EP", "2"})
        .Add("Mathematics", {"1", "2", "0", "M"})
        .Add("Evaluate Expression", {"\"a\" = \"a\"", "E"});
    for (const CommandInfo& info : AllCommands()) {
        if (info.family == Family::VariableString) {
            EXPECT_GE(builder.Image().commandNames.IndexOf(info.name), 0)
                << info.name << " is not exercised";
        }
    }

    CommandRun run;
    run.RunOk(builder.Image());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"V", "a:b"},    {"LV", "x"}, {"TMP", "C:\\Temp\\zor1.TMP"},
        {"PL", "a"},     {"PR", "b"}, {"CC", "ABC"},
        {"CP", "C:\\x"}, {"EP", "z"}, {"M", "3"},
        {"E", "TRUE"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(run.Value(name), value) << name;
}

TEST(Registration, RefusesNamesOutsideTheCatalogueOrFamily) {
    script::VariableStore variables;
    script::SetupLog log;
    FakeHost host;
    const ScriptBuilder empty;
    script::Interpreter interpreter(empty.Image(), variables, log, host, {});
    const auto nothing = [](script::CommandContext&) { return script::CommandOutcome::Continue; };
    EXPECT_THROW(RegisterHandler(interpreter, "Set Variabel", Family::VariableString, nothing),
                 std::logic_error);
    EXPECT_THROW(RegisterHandler(interpreter, "Create Folder", Family::VariableString, nothing),
                 std::logic_error);
    EXPECT_THROW(RegisterPortableCommands(interpreter, CommandServices{}), std::logic_error);
}

} // namespace
} // namespace zk::commands::testing

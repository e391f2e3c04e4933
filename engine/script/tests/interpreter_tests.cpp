#include <gtest/gtest.h>

#include <filesystem>

#include "engine/script/interpreter.h"
#include "engine/script/script_image.h"
#include "engine/script/setup_log.h"
#include "engine/script/variable_store.h"
#include "engine/script/tests/script_builder.h"

namespace zk::script {
namespace {

using testing::ScriptBuilder;

class FakeHost : public InterpreterHost {
  public:
    std::string CurrentDate() override { return "12/11/2026"; }
    std::string CurrentTime() override { return "10:00:00"; }
    bool FileExists(const std::string& path) override { return path == "C:\\support\\setup.msi" && databaseExists; }
    bool IsAdministrator() override { return true; }
    std::pair<std::string, std::string> RegisteredUser() override { return {"Owner", "Org"}; }
    void Bootstrap(VariableStore& variables) override {
        variables.Define("MAINTENANCE", "FALSE", "Bootstrap");
    }
    WizardResult ShowWizardDialog(CommandContext& context) override {
        dialogs.push_back(context.Raw(1));
        if (answers.empty()) return WizardResult::Cancel;
        WizardResult r = answers.front();
        answers.erase(answers.begin());
        return r;
    }
    void ShowRuntimeError(const std::string& message) override { errors.push_back(message); }
    void ProcessMessages() override { ++pumps; }

    bool databaseExists = true;
    std::vector<WizardResult> answers;
    std::vector<std::string> dialogs;
    std::vector<std::string> errors;
    int pumps = 0;
};

struct Harness {
    VariableStore variables;
    SetupLog log;
    FakeHost host;
    std::vector<std::string> trace;

    RunResult Run(const ScriptImage& image, bool silent = true) {
        RunSettings settings;
        settings.msiFile = "C:\\support\\setup.msi";
        settings.silent = silent;
        Interpreter interpreter(image, variables, log, host, settings);
        interpreter.Register("Set Variable", [](CommandContext& c) {
            c.SetResult(1, c.Text(2));
            return CommandOutcome::Continue;
        });
        interpreter.Register("Trace", [this](CommandContext& c) {
            trace.push_back(c.Text(1));
            return CommandOutcome::Continue;
        });
        interpreter.Register("Stop", [](CommandContext&) { return CommandOutcome::EndRun; });
        return interpreter.Run();
    }
};

// Condition parameters: variable, operator ("0" equal), value, negate.
#define EQUALS(variable, value) {variable, "0", value, "FALSE"}

struct FlowCase {
    const char* name;
    ScriptImage image;
    std::vector<std::string> expected;
};

ScriptImage IfChains(const std::string& x) {
    return ScriptBuilder()
        .Add("Set Variable", {"X", x})
        .Add("If", EQUALS("X", "1"))
        .Add("Trace", {"one"})
        .Add("Else If", EQUALS("X", "2"))
        .Add("Trace", {"two"})
        .Add("Else If", {"X", "1", "", "FALSE"}) // "contains": true for any X
        .Add("Trace", {"any"})
        .Add("Else")
        .Add("Trace", {"else"})
        .Add("End")
        .Add("Trace", {"after"})
        .Image();
}

class ControlFlow : public ::testing::TestWithParam<FlowCase> {};

TEST_P(ControlFlow, RunsTheExpectedCommands) {
    Harness h;
    const RunResult result = h.Run(GetParam().image);
    EXPECT_EQ(result.end, RunEnd::Completed) << result.message;
    EXPECT_EQ(h.trace, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ControlFlow,
    ::testing::Values(
        FlowCase{"first_branch", IfChains("1"), {"one", "after"}},
        FlowCase{"second_branch", IfChains("2"), {"two", "after"}},
        FlowCase{"only_first_true_else_if", IfChains("3"), {"any", "after"}},
        FlowCase{"false_if_without_else",
                 ScriptBuilder().Add("Set Variable", {"X", "0"}).Add("If", EQUALS("X", "1")).Add("Trace", {"in"})
                     .Add("End").Add("Trace", {"after"}).Image(),
                 {"after"}},
        FlowCase{"nested_if_in_skipped_branch",
                 ScriptBuilder().Add("Set Variable", {"X", "0"}).Add("If", EQUALS("X", "1"))
                     .Add("If", EQUALS("X", "0")).Add("Trace", {"inner"}).Add("Else").Add("Trace", {"inner else"})
                     .Add("End").Add("Else").Add("Trace", {"outer else"}).Add("End").Add("Trace", {"after"}).Image(),
                 {"outer else", "after"}},
        FlowCase{"disabled_else_is_no_stop",
                 ScriptBuilder().Add("Set Variable", {"X", "0"}).Add("If", EQUALS("X", "1")).Add("Trace", {"then"})
                     .Disabled("Else").Add("Trace", {"still then"}).Add("End").Add("Trace", {"after"}).Image(),
                 {"after"}},
        FlowCase{"disabled_last_command",
                 ScriptBuilder().Add("Trace", {"run"}).Disabled("Trace", {"never"}).Image(), {"run"}},
        FlowCase{"goto_out_of_a_block",
                 ScriptBuilder().Add("Set Variable", {"N", "0"}).Add("Label", {"again"}).Add("Trace", {"$N$"})
                     .Add("If", EQUALS("N", "0")).Add("Set Variable", {"N", "1"}).Add("GoTo Label", {"AGAIN"})
                     .Add("End").Add("Trace", {"done"}).Image(),
                 {"0", "1", "done"}},
        FlowCase{"label_named_like_a_number",
                 ScriptBuilder().Add("GoTo Label", {"2"}).Add("Label", {"1"}).Add("Trace", {"skipped"})
                     .Add("Label", {"2"}).Add("Trace", {"landed"}).Image(),
                 {"landed"}},
        FlowCase{"ignore_and_stop",
                 ScriptBuilder().Add("Ignore", {"x"}).Add("Trace", {"a"}).Add("Stop").Add("Trace", {"b"}).Image(),
                 {"a"}}),
    [](const auto& info) { return std::string(info.param.name); });

ScriptImage Wizard() {
    return ScriptBuilder()
        .Add("Wizard Loop")
        .Add("Trace", {"never runs inside the loop"})
        .Add("Display Dialog", {"welcome", "WIZARD", "", "", "", ""})
        .Add("Display Dialog", {"license", "WIZARD", "", "", "", ""})
        .Add("Display Dialog", {"finish", "WIZARD", "", "", "", ""})
        .Add("End")
        .Add("Trace", {"after"})
        .Image();
}

TEST(Interpreter, WizardStepsForwardAndBack) {
    Harness h;
    // A custom result keeps the last step (forward here) and the loop goes on.
    h.host.answers = {WizardResult::Next, WizardResult::Back, WizardResult::Next, WizardResult::Custom,
                      WizardResult::Next};
    EXPECT_EQ(h.Run(Wizard()).end, RunEnd::Completed);
    EXPECT_EQ(h.host.dialogs, (std::vector<std::string>{"welcome", "license", "welcome", "license", "finish"}));
    EXPECT_EQ(h.trace, (std::vector<std::string>{"after"}));
}

TEST(Interpreter, BackOnTheFirstDialogLeavesTheLoop) {
    Harness h;
    h.host.answers = {WizardResult::Back};
    h.Run(Wizard());
    EXPECT_EQ(h.host.dialogs, (std::vector<std::string>{"welcome"}));
    EXPECT_EQ(h.trace, (std::vector<std::string>{"after"}));
}

TEST(Interpreter, RuntimeErrorReportsTheLineAndStopsTheLoop) {
    Harness h;
    const auto image = ScriptBuilder()
                           .Add("Trace", {"a"})
                           .Add("Set Variable", {"PROGRESS", "$UNDEFINED$"})
                           .Add("Trace", {"$MISSING$"})
                           .Add("Set Variable", {"NOT_DECLARED_ANYWHERE", "x"})
                           .Image();
    RunSettings settings;
    settings.msiFile = "C:\\support\\setup.msi";
    settings.silent = false;
    Interpreter interpreter(image, h.variables, h.log, h.host, settings);
    interpreter.Register("Trace", [](CommandContext& c) {
        c.variables.Get("UNKNOWN_VARIABLE");
        return CommandOutcome::Continue;
    });
    const RunResult result = interpreter.Run();
    EXPECT_EQ(result.end, RunEnd::RuntimeError);
    EXPECT_EQ(result.message,
              "Runtime error in setup script:\r\rLine 1: Attempting to get value of undefined variable UNKNOWN_VARIABLE");
    EXPECT_EQ(h.host.errors.size(), 1u);
}

TEST(Interpreter, CompileFailureAndMissingDatabase) {
    Harness h;
    EXPECT_EQ(h.Run(ScriptBuilder().Add("If", EQUALS("X", "1")).Image()).end, RunEnd::CompileFailed);
    Harness quiet;
    quiet.host.databaseExists = false;
    EXPECT_EQ(quiet.Run(ScriptBuilder().Add("Trace", {"x"}).Image()).end, RunEnd::NoDatabase);
    EXPECT_TRUE(quiet.trace.empty());
}

TEST(Interpreter, CommandLineValuesWinInSilentRuns) {
    Harness h;
    RunSettings settings;
    settings.msiFile = "C:\\support\\setup.msi";
    settings.silent = true;
    settings.commandLineVariables = {{"TARGETDIR", "D:\\Chosen"}, {"EXTRA", "1"}};
    const auto image = ScriptBuilder().Add("Set Variable", {"TARGETDIR", "C:\\Script"}).Add("Trace", {"$TARGETDIR$ $EXTRA$"}).Image();
    Interpreter interpreter(image, h.variables, h.log, h.host, settings);
    std::vector<std::string> trace;
    interpreter.Register("Set Variable", [](CommandContext& c) {
        c.SetResult(1, c.Text(2));
        return CommandOutcome::Continue;
    });
    interpreter.Register("Trace", [&](CommandContext& c) {
        trace.push_back(c.Text(1));
        return CommandOutcome::Continue;
    });
    interpreter.Run();
    EXPECT_EQ(trace, (std::vector<std::string>{"D:\\Chosen 1"}));
}

TEST(Interpreter, PumpsMessagesEvery314Steps) {
    ScriptBuilder b;
    for (int i = 0; i < 700; ++i) b.Add("Comment", {"c"});
    Harness h;
    h.Run(b.Image());
    EXPECT_EQ(h.host.pumps, 3); // at 0, 314 and 628
}

} // namespace
} // namespace zk::script

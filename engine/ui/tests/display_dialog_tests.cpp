#include <gtest/gtest.h>

#include "engine/ui/display_dialog.h"
#include "engine/ui/tests/fake_variables.h"

namespace zk::ui {
namespace {

using testing::FakeVariables;

// Records the calls and answers ShowDialog with a preset outcome.
class FakeScreen : public DialogScreen {
  public:
    std::vector<std::string> calls;
    ShowOutcome next;

    void PrepareDialog(const std::string& key) override { calls.push_back("prepare " + key); }
    void UnbindDialog(const std::string& key) override { calls.push_back("unbind " + key); }
    ShowOutcome ShowDialog(const std::string& key, bool modal) override {
        calls.push_back("show " + key + (modal ? " modal" : " modeless"));
        return next;
    }
    void HideCurrentDialog() override { calls.push_back("hide"); }
    void LockPainting(std::uintptr_t window, bool locked) override {
        calls.push_back((locked ? "lock " : "unlock ") + std::to_string(window));
    }
};

DisplayDialogParameters Params(std::string result, std::string modal, std::string skipVar = "",
                               std::string skipValue = "") {
    return DisplayDialogParameters::FromLines(
        {"welcome", result, modal, skipVar, "TRUE", skipValue});
}

struct SkipCase {
    const char* skipVariable;
    const char* value; // of the variable PERSONALIZED
    const char* skipValue;
    bool skipped;
};

class DisplayDialogSkip : public ::testing::TestWithParam<SkipCase> {};

TEST_P(DisplayDialogSkip, SkipsWhenTheConditionEqualsTheSkipValue) {
    const SkipCase& c = GetParam();
    FakeVariables vars;
    vars.values["PERSONALIZED"] = c.value;
    vars.values["WIZARD"] = "BEFORE";
    FakeScreen screen;
    screen.next.result = DialogResult::drNext;
    DialogCommands commands(screen, vars);
    auto out =
        commands.DisplayDialog("7", Params("WIZARD", "TRUE", c.skipVariable, c.skipValue), false);
    EXPECT_EQ(out.skipped, c.skipped);
    if (c.skipped) {
        EXPECT_TRUE(screen.calls.empty());
        EXPECT_EQ(vars.values["WIZARD"], "BEFORE");
    } else {
        EXPECT_EQ(vars.values["WIZARD"], "NEXT");
    }
}

INSTANTIATE_TEST_SUITE_P(Conditions, DisplayDialogSkip,
                         ::testing::Values(SkipCase{"PERSONALIZED", "TRUE", "TRUE", true},
                                           SkipCase{"$PERSONALIZED$", "true", "TRUE", true},
                                           SkipCase{"PERSONALIZED", "-1", "TRUE", true},
                                           SkipCase{"PERSONALIZED", "1", "TRUE", false},
                                           SkipCase{"PERSONALIZED", "1", "FALSE", true},
                                           SkipCase{"PERSONALIZED", "", "", true},
                                           SkipCase{"PERSONALIZED", "TRUE", "FALSE", false},
                                           SkipCase{"", "TRUE", "TRUE", false}));

TEST(DisplayDialog, UndefinedSkipVariableIsAScriptErrorAndShowsNothing) {
    FakeVariables vars;
    FakeScreen screen;
    DialogCommands commands(screen, vars);
    try {
        commands.DisplayDialog("3", Params("WIZARD", "TRUE", "$MISSING$", "TRUE"), false);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "Attempting to get value of undefined variable MISSING");
    }
    EXPECT_TRUE(screen.calls.empty());
    EXPECT_FALSE(vars.Exists("WIZARD"));
}

struct ResultCase {
    DialogResult result;
    const char* custom;
    const char* word;
};

class DisplayDialogResults : public ::testing::TestWithParam<ResultCase> {};

TEST_P(DisplayDialogResults, WritesTheResultWord) {
    FakeVariables vars;
    FakeScreen screen;
    screen.next.result = GetParam().result;
    screen.next.customWord = GetParam().custom;
    DialogCommands commands(screen, vars);
    auto out = commands.DisplayDialog("12", Params("choice", "TRUE"), false);
    EXPECT_EQ(out.word, GetParam().word);
    EXPECT_EQ(vars.values["CHOICE"], GetParam().word);
    EXPECT_EQ(vars.writes.back().stage, "Display Dialog Action");
}

INSTANTIATE_TEST_SUITE_P(Words, DisplayDialogResults,
                         ::testing::Values(ResultCase{DialogResult::drNext, "", "NEXT"},
                                           ResultCase{DialogResult::drBack, "", "BACK"},
                                           ResultCase{DialogResult::drCancel, "", "CANCEL"},
                                           ResultCase{DialogResult::drCustom, "btnRepair",
                                                      "BTNREPAIR"}));

TEST(DisplayDialog, ModalThenModelessThenHide) {
    FakeVariables vars;
    FakeScreen screen;
    DialogCommands commands(screen, vars);
    screen.next.result = DialogResult::drNext;
    commands.DisplayDialog("4", Params("WIZARD", "TRUE"), false);
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "0");
    EXPECT_EQ(commands.DialogToUnbind(), "4");

    screen.next = {};
    screen.next.windowHandle = 0x1234;
    auto out = commands.DisplayDialog("9", Params("WIZARD", "FALSE"), false);
    EXPECT_EQ(out.word, "NOTMODAL");
    EXPECT_EQ(vars.values["WIZARD"], "NOTMODAL");
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "4660");
    EXPECT_EQ(commands.DialogToUnbind(), "");

    // The next dialog locks painting of the page on screen while it is prepared.
    screen.next.result = DialogResult::drBack;
    commands.DisplayDialog("10", Params("", "TRUE"), false);
    std::vector<std::string> expected = {"prepare 4",  "show 4 modal",    "unbind 4",
                                         "prepare 9",  "show 9 modeless", "lock 4660",
                                         "prepare 10", "unlock 4660",     "show 10 modal"};
    EXPECT_EQ(screen.calls, expected);
    EXPECT_EQ(vars.values["WIZARD"], "NOTMODAL"); // empty result parameter stores nothing

    commands.HideDialog();
    EXPECT_EQ(screen.calls.back(), "hide");
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "0");
}

TEST(DisplayDialog, WizardLoopIsAlwaysModalAndLeavesWindowHandle) {
    FakeVariables vars;
    vars.values["WINDOWHANDLE"] = "77";
    FakeScreen screen;
    screen.next.result = DialogResult::drNext;
    DialogCommands commands(screen, vars);
    commands.DisplayDialog("5", Params("WIZARD", "FALSE"), true);
    EXPECT_EQ(screen.calls.at(3), "show 5 modal");
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "77");
    EXPECT_EQ(vars.values["WIZARD"], "NEXT");
}

} // namespace
} // namespace zk::ui

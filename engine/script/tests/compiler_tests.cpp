#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/script/compiler.h"
#include "engine/script/variable_store.h"
#include "script_builder.h"

namespace zk::script {
namespace {

using testing::ScriptBuilder;

struct CompileCase {
    const char* label;
    std::function<void(ScriptBuilder&)> build;
    std::int64_t errorIndex;
    std::string message;
};

class Compilation : public ::testing::TestWithParam<CompileCase> {};

TEST_P(Compilation, ReportsTheFirstError) {
    ScriptBuilder builder;
    GetParam().build(builder);
    VariableStore store;
    const CompileResult result = Compile(builder.Image(), store);
    EXPECT_EQ(result.errorIndex, GetParam().errorIndex);
    EXPECT_EQ(result.message, GetParam().message);
}

const std::string kOk(kCompiledMessage);
const std::string kNested = "LABEL statements cannot be nested inside loops/conditionals";

INSTANTIATE_TEST_SUITE_P(
    Blocks, Compilation,
    ::testing::Values(
        CompileCase{"EmptyScript", [](ScriptBuilder&) {}, -1, kOk},
        CompileCase{"BalancedIfAndWizardLoop",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"SILENT", "0", "TRUE", ""}).Add("Else").Add("End");
                        b.Add("Wizard Loop")
                            .Add("Display Dialog", {"Welcome", "WIZARD", "", ""})
                            .Add("End");
                    },
                    -1, kOk},
        CompileCase{"MissingEnd",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"SILENT", "0", "", ""});
                    },
                    kUnbalancedBlocks, "Insufficient END statements"},
        CompileCase{"ExtraEnd", [](ScriptBuilder& b) { b.Add("End"); }, kUnbalancedBlocks,
                    "Too many END statements"},
        CompileCase{"DisabledIfWithoutEnd",
                    [](ScriptBuilder& b) {
                        b.Disabled("If", {"SILENT", "0", "", ""});
                    },
                    -1, kOk},
        CompileCase{"LabelInsideIf",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"SILENT", "0", "", ""}).Add("Label", {"inside"}).Add("End");
                    },
                    1, kNested},
        CompileCase{"LabelAfterStrayEndSeesDepthMinusOne",
                    [](ScriptBuilder& b) {
                        b.Add("End").Add("Label", {"L"}).Add("If", {"SILENT", "0", "", ""});
                    },
                    1, kNested},
        CompileCase{"DisabledLabelInsideIfIsNotNested",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"SILENT", "0", "", ""}).Disabled("Label", {"L"}).Add("End");
                    },
                    -1, kOk}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Labels, Compilation,
    ::testing::Values(
        CompileCase{"RedefinedIgnoringCase",
                    [](ScriptBuilder& b) {
                        b.Add("Label", {"Start"}).Add("Comment", {"x"}).Add("Label", {"START"});
                    },
                    2, "LABEL re-defined: START"},
        CompileCase{"DisabledLabelTakesPart",
                    [](ScriptBuilder& b) { b.Disabled("Label", {"a"}).Add("Label", {"A"}); }, 1,
                    "LABEL re-defined: A"},
        CompileCase{
            "GoToDisabledLabel",
            [](ScriptBuilder& b) { b.Add("GoTo Label", {"later"}).Disabled("Label", {"LATER"}); },
            -1, kOk},
        CompileCase{"GoToUndefined", [](ScriptBuilder& b) { b.Add("GoTo Label", {"Nowhere"}); }, 0,
                    "LABEL undefined: Nowhere"},
        CompileCase{"NumericLabelName",
                    [](ScriptBuilder& b) { b.Add("Label", {"1"}).Add("GoTo Label", {"1"}); }, -1,
                    kOk}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Variables, Compilation,
    ::testing::Values(
        CompileCase{"IfOnLaterVariable",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"PREREQ", "0", "TRUE", ""})
                            .Add("End")
                            .Add("Set Variable", {"PREREQ", "x"});
                    },
                    0, "Variable not defined: PREREQ"},
        CompileCase{"IfOnLaterRememberedVariable",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"$prereq$", "0", "TRUE", ""}).Add("End");
                        b.Add("Set Variable", {"PreReq$ZARA$ZARA$TRUE", "x"});
                    },
                    -1, kOk},
        CompileCase{"RememberFlagIsCaseSensitive",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"PREREQ", "0", "TRUE", ""}).Add("End");
                        b.Add("Set Variable", {"PREREQ$ZARA$ZARA$true", "x"});
                    },
                    0, "Variable not defined: PREREQ"},
        CompileCase{"SetVariableDeclaresWithoutMarker",
                    [](ScriptBuilder& b) {
                        b.Add("Set Variable", {"Flag$ZARA$ZARA$FALSE", "1"})
                            .Add("If", {"FLAG", "0", "1", ""})
                            .Add("End");
                    },
                    -1, kOk},
        CompileCase{"IfWithoutVariable",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"", "0", "", ""}).Add("End");
                    },
                    0, "Variable required"},
        CompileCase{"IfValueReferenceReportedFirst",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"A", "0", "$B$", ""}).Add("End");
                    },
                    0, "Variable not defined: $B$"},
        CompileCase{"IfValueWithTextAroundReferenceNotChecked",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"TITLE", "0", "x$B$", ""}).Add("End");
                    },
                    -1, kOk},
        CompileCase{"ElseIfChecked",
                    [](ScriptBuilder& b) {
                        b.Add("If", {"TITLE", "0", "", ""})
                            .Add("Else If", {"$NOPE$", "0", "", ""})
                            .Add("End");
                    },
                    1, "Variable not defined: $NOPE$"},
        CompileCase{"DisabledCommandsNotChecked",
                    [](ScriptBuilder& b) { b.Disabled("Convert Path", {"NOPE"}); }, -1, kOk},
        CompileCase{"DefinedNameCheckUsesThePlainName",
                    [](ScriptBuilder& b) { b.Add("Convert Path", {"$TARGETDIR$"}); }, 0,
                    "Variable not defined: $TARGETDIR$"},
        CompileCase{
            "ReadDeclaresForLaterUse",
            [](ScriptBuilder& b) {
                b.Add("Read Registry", {"regvalue"}).Add("Replace String", {"REGVALUE", "a", "b"});
                b.Add("Parse String", {"x", ",", "left", "right", "0", ""});
                b.Add("Convert Case", {"Right"});
            },
            -1, kOk},
        CompileCase{"FindAllFilesRequiresItsVariable",
                    [](ScriptBuilder& b) {
                        b.Add("Find All Files", {"C:\\", "*.*", "", ""});
                    },
                    0, "Variable required"},
        CompileCase{"CheckDiskSpaceRequiresItsVariable",
                    [](ScriptBuilder& b) { b.Add("Check Disk Space", {""}); }, 0,
                    "Variable required"},
        CompileCase{"MsiSetupRequiresItsVariable",
                    [](ScriptBuilder& b) {
                        b.Add("Is MSI Setup Installed", {"{GUID}", ""});
                    },
                    0, "Variable required"},
        CompileCase{"DialogNameRequired",
                    [](ScriptBuilder& b) {
                        b.Add("Display Dialog", {"", "WIZARD", "", ""});
                    },
                    0, "Dialog name not specified"},
        CompileCase{"DialogVariableReference",
                    [](ScriptBuilder& b) {
                        b.Add("Display Dialog", {"Welcome", "RESULT", "", "$result$"});
                        b.Add("Display Dialog", {"Welcome", "", "", "OTHER"});
                    },
                    1, "Variable not defined: OTHER"},
        CompileCase{"ExpressionSyntax",
                    [](ScriptBuilder& b) {
                        b.Add("Evaluate Expression", {"$A$ = \"1\" and $B$ <> $C$", "OUT"});
                        b.Add("If", {"OUT", "0", "TRUE", ""}).Add("End");
                        b.Add("Evaluate Expression", {"$A$ === \"1\"", "OUT"});
                    },
                    3,
                    "Syntax error in expression. Please review the help topic \"Evaluate "
                    "Expression\" for the correct syntax."}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Commands, Compilation,
    ::testing::Values(
        CompileCase{"WebMediaBlockIllegalName",
                    [](ScriptBuilder& b) {
                        b.Add("Web Media Block", {"dir\\bad?name", "http://x"});
                    },
                    0, "Web Media Block name must be a legal file name"},
        CompileCase{"WebMediaBlockBothFailReportsUrl",
                    [](ScriptBuilder& b) {
                        b.Add("Web Media Block", {"bad|name", ""});
                    },
                    0, "Web Media Block must have at least one download URL"},
        CompileCase{"WebMediaBlockEmptyNamePasses",
                    [](ScriptBuilder& b) {
                        b.Add("Web Media Block", {"", ""});
                    },
                    -1, kOk},
        CompileCase{"DeleteFilesNeedsAMode",
                    [](ScriptBuilder& b) {
                        b.Add("Delete Files", {"C:\\x", "*.*", "FALSE", "0"});
                    },
                    0, "At least one delete mode must be selected"},
        CompileCase{
            "InstallFilesNeedsATarget",
            [](ScriptBuilder& b) {
                b.Add("Install Files", {"a", "b", ""});
            },
            0,
            "A target folder must be specified for files that are being installed.\rThe value "
            "$TARGETDIR$ represents the destination folder chosen by the user."}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Compilation, CommandStateListMarksEnabledComponentBoundCommands) {
    ScriptBuilder builder;
    builder.Add("Set Variable", {"A", "1"})
        .Add("Write Registry", {"x"})
        .Disabled("Create Folder", {"x"})
        .Add("Delete Files", {"C:\\x", "*.*", "-1", ""})
        .Add("Install Files", {"a", "b", "$TARGETDIR$"});
    VariableStore store;
    store.Define("STALE", "x", "Initialization");
    store.AppendPersistentName("STALE");
    const CompileResult result = Compile(builder.Image(), store);
    ASSERT_TRUE(result.Succeeded()) << result.message;
    EXPECT_EQ(result.commandStates,
              (std::vector<std::string>{"SKIP", "FALSE", "SKIP", "FALSE", "FALSE"}));
    // The store holds compilation's declarations only.
    EXPECT_FALSE(store.IsDefined("STALE"));
    EXPECT_TRUE(store.PersistentNames().empty());
    EXPECT_TRUE(store.IsDefined("A"));
    EXPECT_EQ(store.Count(), 53u);
}

TEST(Compilation, LabelsAreUpperCased) {
    ScriptBuilder builder;
    builder.Add("Label", {"Start"}).Disabled("Label", {"later"});
    VariableStore store;
    EXPECT_EQ(Compile(builder.Image(), store).labels, (std::vector<std::string>{"START", "LATER"}));
}

TEST(Compilation, MissingParameterRecordReadsAsEmpty) {
    ScriptBuilder builder;
    builder.Add("Display Dialog"); // no record at all
    VariableStore store;
    EXPECT_EQ(Compile(builder.Image(), store).message, "Dialog name not specified");
}

struct FileNameCase {
    std::string name;
    bool legal;
};

class LegalFileName : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(LegalFileName, ChecksThePartAfterTheLastSeparator) {
    EXPECT_EQ(IsLegalFileName(GetParam().name), GetParam().legal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LegalFileName,
    ::testing::Values(FileNameCase{"", true}, FileNameCase{"media1", true},
                      FileNameCase{"C:\\dir\\block.7z", true}, FileNameCase{"a*b", false},
                      FileNameCase{"a\"b", false}, FileNameCase{"x/y", false},
                      FileNameCase{"d?r\\ok", true}, FileNameCase{"ok\\b<d", false},
                      FileNameCase{"c:p|", false}, FileNameCase{"<dir>:fine", true}));

} // namespace
} // namespace zk::script

namespace zk::script {
namespace {

// The result lines of these commands are declared, not their flag lines:
// a later condition on the result compiles, and no variable named after a
// flag value appears.
TEST(CompilationResults, DeclaresTheRealResultLines) {
    ScriptBuilder builder;
    builder.Add("Run Program", {"app.exe", "FALSE", "", "TRUE", "EXITCODE"})
        .Add("Get IIS Property", {"TRUE", "", "1", "", "Path", "SITEPATH"})
        .Add("If", {"EXITCODE", "0", "0", "FALSE"})
        .Add("End")
        .Add("If", {"SITEPATH", "0", "", "FALSE"})
        .Add("End");
    VariableStore store;
    const CompileResult result = Compile(builder.Image(), store);
    EXPECT_TRUE(result.Succeeded()) << result.message;
    EXPECT_FALSE(store.IsDefined("TRUE"));
}

} // namespace
} // namespace zk::script

#include "engine/commands/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace zk::commands {
namespace {

// ---------------------------------------------------------------------------
// Per-command expectations: family, record length, result parameters and the
// three traits, written down from the command descriptions.

struct Expected {
    std::string name;
    Family family;
    int count;
    std::vector<int> results;
    bool bound = false;
    bool ends = false;
    bool media = false;
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.name;
}

class CommandExpectation : public ::testing::TestWithParam<Expected> {};

TEST_P(CommandExpectation, MatchesCatalogue) {
    const Expected& e = GetParam();
    const CommandInfo* command = FindCommand(e.name);
    ASSERT_NE(command, nullptr) << e.name;
    EXPECT_EQ(command->name, e.name);
    EXPECT_EQ(command->family, e.family) << FamilyName(command->family);
    EXPECT_EQ(command->ParameterCount(), e.count);
    EXPECT_EQ(ParameterCount(e.name), e.count);
    EXPECT_EQ(command->resultParams, e.results);
    EXPECT_EQ(command->componentBound, e.bound);
    EXPECT_EQ(IsComponentBound(e.name), e.bound);
    EXPECT_EQ(command->endsRun, e.ends);
    EXPECT_EQ(EndsRun(e.name), e.ends);
    EXPECT_EQ(command->needsSetupMedia, e.media);
    EXPECT_EQ(NeedsSetupMedia(e.name), e.media);
}

using F = Family;
INSTANTIATE_TEST_SUITE_P(
    Families, CommandExpectation,
    ::testing::Values(
        // control flow
        Expected{"If", F::ControlFlow, 4, {}}, Expected{"Else If", F::ControlFlow, 4, {}},
        Expected{"Else", F::ControlFlow, 0, {}}, Expected{"End", F::ControlFlow, 0, {}},
        Expected{"Wizard Loop", F::ControlFlow, 0, {}},
        Expected{"GoTo Label", F::ControlFlow, 1, {}}, Expected{"Label", F::ControlFlow, 1, {}},
        Expected{"Comment", F::ControlFlow, 1, {}}, Expected{"Ignore", F::ControlFlow, 0, {}},
        Expected{"Code Folding Region", F::ControlFlow, 1, {}},
        // variables and strings
        Expected{"Set Variable", F::VariableString, 2, {1}},
        Expected{"Parse String", F::VariableString, 7, {3, 4}},
        Expected{"Replace String", F::VariableString, 5, {1}},
        Expected{"Mathematics", F::VariableString, 4, {4}},
        Expected{"Evaluate Expression", F::VariableString, 2, {2}},
        Expected{"Get Temporary File", F::VariableString, 1, {1}},
        // files and folders
        Expected{"Create Folder", F::FileFolder, 1, {}, true},
        Expected{"Delete Files", F::FileFolder, 4, {}, true},
        Expected{"Copy/Move Local Files", F::FileFolder, 3, {}, true},
        Expected{"Find All Files", F::FileFolder, 4, {4}},
        Expected{"Check File Version", F::FileFolder, 5, {1}},
        Expected{"Read from Text File", F::FileFolder, 3, {2, 3}},
        Expected{"Write to Text File", F::FileFolder, 3, {}},
        Expected{"Get Folder Location", F::FileFolder, 3, {1}},
        // registry, INI, environment
        Expected{"Check Registry", F::RegistryIni, 4, {1}},
        Expected{"Write Registry", F::RegistryIni, 5, {}, true},
        Expected{"Delete Registry", F::RegistryIni, 4, {}},
        Expected{"Edit INI File", F::RegistryIni, 6, {}, true},
        Expected{"Get Environment", F::RegistryIni, 2, {2}},
        Expected{"Set Environment", F::RegistryIni, 2, {}, true},
        // system queries
        Expected{"Get System Settings", F::SystemQuery, 2, {1}},
        Expected{"Is MSI Setup Installed", F::SystemQuery, 2, {2}},
        Expected{"Check Service", F::SystemQuery, 3, {3}},
        Expected{"Get OS or SP Level", F::SystemQuery, 2, {1}},
        // programs, services, restart
        Expected{"Run Program", F::ProgramService, 5, {5}},
        Expected{"Run Program As", F::ProgramService, 10, {8}},
        Expected{"Run Light Mode Setup", F::ProgramService, 4, {2}},
        Expected{"Install Service", F::ProgramService, 15, {}, true, false, true},
        Expected{"Control Service", F::ProgramService, 2, {}, true},
        Expected{"Reboot and Resume", F::ProgramService, 0, {}, false, true},
        Expected{"Terminate with Exit Code", F::ProgramService, 1, {}, false, true},
        // shortcuts and file types
        Expected{"Advertised Shortcut", F::ShortcutFileType, 9, {}, true},
        Expected{"Create File Type", F::ShortcutFileType, 7, {}, true},
        Expected{"Advertised File Type", F::ShortcutFileType, 7, {}, true},
        // server, database, sharing, tasks, assemblies
        Expected{"Create IIS Site", F::ServerDatabase, 15, {}},
        Expected{"Create Virtual Folder", F::ServerDatabase, 18, {}},
        Expected{"Get IIS Property", F::ServerDatabase, 6, {6}},
        Expected{"Set IIS Property", F::ServerDatabase, 6, {}},
        Expected{"IIS Anonymous User", F::ServerDatabase, 1, {1}},
        Expected{"Create Share", F::ServerDatabase, 3, {}},
        Expected{"Get IIS Site Index", F::ServerDatabase, 2, {2}},
        Expected{"Create ODBC DSN", F::ServerDatabase, 0, {}, true},
        Expected{"Install ODBC Driver", F::ServerDatabase, 4, {}, true, false, true},
        Expected{"Install Assembly", F::ServerDatabase, 3, {}, true, false, true},
        Expected{"Set Access Control", F::ServerDatabase, 16, {}},
        Expected{"Schedule Task", F::ServerDatabase, 14, {}},
        Expected{"Run .NET Installer Class", F::ServerDatabase, 2, {}},
        Expected{"Remove Assemblies", F::ServerDatabase, 0, {}},
        // dialogs, progress and messages
        Expected{"Display Dialog", F::Dialog, 6, {2}}, Expected{"Hide Dialog", F::Dialog, 0, {}},
        Expected{"MessageBox", F::ProgressMessage, 5, {5}},
        Expected{"MessageBalloon", F::ProgressMessage, 4, {}},
        Expected{"System Tray", F::ProgressMessage, 4, {}},
        // components
        Expected{"Define Component", F::Components, 3, {}},
        Expected{"Get Component Space", F::Components, 2, {2}},
        Expected{"Load Feature Selections", F::Components, 1, {}},
        // installation
        Expected{"Install Files", F::Installation, 3, {}, true, false, true},
        Expected{"Apply Changes", F::Installation, 4, {2}, false, false, true},
        Expected{"Apply Patch", F::Installation, 1, {1}},
        Expected{"Set 64 Bit Mode", F::Installation, 3, {}},
        Expected{"Transform Instance", F::Installation, 0, {}},
        // media
        Expected{"Extract 7Zip Archive", F::Archive, 6, {3}},
        Expected{"Web Media Block", F::WebMedia, 3, {}}));

// ---------------------------------------------------------------------------
// Traits as whole sets: a wrong extra or missing kind shows here.

std::set<std::string> NamesWhere(bool (*test)(const CommandInfo&)) {
    std::set<std::string> names;
    for (const CommandInfo& command : AllCommands())
        if (test(command)) names.emplace(command.name);
    return names;
}

TEST(CatalogueTraits, SixteenComponentBoundKinds) {
    const std::set<std::string> expected = {
        "Delete Files",        "Copy/Move Local Files", "Create Folder",
        "Create Shortcut",     "Advertised Shortcut",   "Edit INI File",
        "Install Files",       "Install Assembly",      "Set Environment",
        "Install Service",     "Install ODBC Driver",   "Create ODBC DSN",
        "Control Service",     "Write Registry",        "Create File Type",
        "Advertised File Type"};
    ASSERT_EQ(expected.size(), 16u);
    EXPECT_EQ(NamesWhere([](const CommandInfo& c) { return c.componentBound; }), expected);
}

TEST(CatalogueTraits, FourKindsEndTheRun) {
    const std::set<std::string> expected = {"Reboot Computer", "Reboot and Resume",
                                            "Terminate Install", "Terminate with Exit Code"};
    EXPECT_EQ(NamesWhere([](const CommandInfo& c) { return c.endsRun; }), expected);
}

TEST(CatalogueTraits, KindsThatNeedSetupMedia) {
    const std::set<std::string> expected = {"Install Files", "Install Assembly",
                                            "Install ODBC Driver", "Install Service",
                                            "Apply Changes"};
    EXPECT_EQ(NamesWhere([](const CommandInfo& c) { return c.needsSetupMedia; }), expected);
}

// ---------------------------------------------------------------------------
// Names and lookups.

TEST(CatalogueNames, AreUniqueAndEachFindsItself) {
    std::set<std::string_view> seen;
    for (const CommandInfo& command : AllCommands()) {
        EXPECT_TRUE(seen.insert(command.name).second) << "twice: " << command.name;
        EXPECT_EQ(FindCommand(command.name), &command) << command.name;
    }
}

TEST(CatalogueNames, LookupIsExactAndCaseSensitive) {
    for (std::string_view name :
         {"set variable", "SET VARIABLE", "Set variable", "Set Variable ", " Set Variable",
          "Messagebox", "Message Box", "else if", "GOTO LABEL", "Goto Label", ""}) {
        EXPECT_EQ(FindCommand(name), nullptr) << '"' << name << '"';
        EXPECT_EQ(ParameterCount(name), -1) << '"' << name << '"';
    }
    EXPECT_NE(FindCommand("MessageBox"), nullptr);
    EXPECT_NE(FindCommand("GoTo Label"), nullptr);
}

TEST(CatalogueNames, NamesTheEngineDoesNotHandleAreAbsent) {
    for (std::string_view name : {"Compiler Variable End", "Compiler Variable If", "Nothing"}) {
        EXPECT_EQ(FindCommand(name), nullptr) << name;
        EXPECT_FALSE(IsComponentBound(name));
        EXPECT_FALSE(EndsRun(name));
        EXPECT_FALSE(NeedsSetupMedia(name));
    }
}

// ---------------------------------------------------------------------------
// The result column: for every command that declares a result, the parameter
// numbers, each of which must be a result variable; every other command has
// no result parameter.

const std::map<std::string, std::vector<int>>& ResultColumn() {
    static const std::map<std::string, std::vector<int>> column = {
        {"Set Variable", {1}},
        {"Localization Variable", {1}},
        {"Parse String", {3, 4}},
        {"Replace String", {1}},
        {"Convert Case", {1}},
        {"Convert Path", {1}},
        {"Extract Path", {1}},
        {"Mathematics", {4}},
        {"Get Temporary File", {1}},
        {"Evaluate Expression", {2}},
        {"Does File/Folder Exist", {1}},
        {"Find All Files", {4}},
        {"Get File Version", {2}},
        {"Check File Version", {1}},
        {"Read from Text File", {2, 3}},
        {"Check Disk Space", {1}},
        {"Get Folder Location", {1}},
        {"Read Registry", {1}},
        {"Check Registry", {1}},
        {"Get INI File Settings", {1}},
        {"Get Environment", {2}},
        {"Get System Settings", {1}},
        {"Get OS or SP Level", {1}},
        {"Is MSI Setup Installed", {2}},
        {"Check Process", {2}},
        {"Check Service", {3}},
        {"Run Program", {5}},
        {"Run Program As", {8}},
        {"Run Light Mode Setup", {2}},
        {"Register Library", {3}},
        {"Get IIS Site List", {1}},
        {"Get IIS Property", {6}},
        {"IIS Anonymous User", {1}},
        {"Get IIS Site Index", {2}},
        {"Display Dialog", {2}},
        {"MessageBox", {5}},
        {"Get Component State", {2}},
        {"Get Component Space", {2}},
        {"Apply Changes", {2}},
        {"Apply Patch", {1}},
        {"Extract 7Zip Archive", {3}},
    };
    return column;
}

TEST(CatalogueResults, EveryResultEntryIsAResultVariableParameter) {
    for (const auto& [name, results] : ResultColumn()) {
        const CommandInfo* command = FindCommand(name);
        ASSERT_NE(command, nullptr) << name;
        for (int n : results) {
            ASSERT_LE(n, command->ParameterCount()) << name << " p" << n;
            const ParamInfo& param = command->Param(n);
            EXPECT_EQ(param.kind, ParamKind::ResultVariable) << name << " p" << n;
            EXPECT_NE(param.nameForm, NameForm::None) << name << " p" << n;
        }
        EXPECT_EQ(command->resultParams, results) << name;
    }
}

TEST(CatalogueResults, CommandsOutsideTheColumnHaveNoResult) {
    for (const CommandInfo& command : AllCommands()) {
        if (ResultColumn().count(std::string(command.name)) != 0) continue;
        EXPECT_TRUE(command.resultParams.empty()) << command.name;
        for (const ParamInfo& param : command.params)
            EXPECT_NE(param.kind, ParamKind::ResultVariable) << command.name << " " << param.name;
    }
}

TEST(CatalogueResults, OnlyTheFourInPlaceStringCommandsNeedAnExistingVariable) {
    const std::set<std::string> expected = {"Replace String", "Convert Case", "Convert Path",
                                            "Extract Path"};
    std::set<std::string> found;
    for (const CommandInfo& command : AllCommands())
        for (int n = 1; n <= command.ParameterCount(); ++n)
            if (command.Param(n).mustExist) {
                EXPECT_EQ(n, 1) << command.name;
                EXPECT_EQ(command.Param(n).kind, ParamKind::ResultVariable) << command.name;
                found.emplace(command.name);
            }
    EXPECT_EQ(found, expected);
}

// ---------------------------------------------------------------------------
// How single lines are read: the places where a wrong kind changes behaviour.

struct ExpectedParam {
    std::string command;
    int n;
    ParamKind kind;
    ValueShape shape;
    NameForm form;
    bool optional;
};

void PrintTo(const ExpectedParam& e, std::ostream* os) {
    *os << e.command << " p" << e.n;
}

class ParamExpectation : public ::testing::TestWithParam<ExpectedParam> {};

TEST_P(ParamExpectation, MatchesCatalogue) {
    const ExpectedParam& e = GetParam();
    const CommandInfo* command = FindCommand(e.command);
    ASSERT_NE(command, nullptr);
    const ParamInfo& param = command->Param(e.n);
    EXPECT_EQ(param.kind, e.kind) << param.name;
    EXPECT_EQ(param.shape, e.shape) << param.name;
    EXPECT_EQ(param.nameForm, e.form) << param.name;
    EXPECT_EQ(param.optional, e.optional) << param.name;
}

using K = ParamKind;
using S = ValueShape;
using N = NameForm;
INSTANTIATE_TEST_SUITE_P(
    Lines, ParamExpectation,
    ::testing::Values(
        // the compared variable is read, never created; the operator is a digit
        ExpectedParam{"If", 1, K::Variable, S::Any, N::NameOrReference, false},
        ExpectedParam{"If", 2, K::Raw, S::Integer, N::None, false},
        ExpectedParam{"Else If", 3, K::Text, S::Any, N::None, false},
        ExpectedParam{"If", 4, K::Boolean, S::Any, N::None, false},
        // bare names versus names or references
        ExpectedParam{"Convert Case", 1, K::ResultVariable, S::Any, N::Name, false},
        ExpectedParam{"Replace String", 1, K::ResultVariable, S::Any, N::NameOrReference, false},
        ExpectedParam{"Parse String", 3, K::ResultVariable, S::Any, N::Name, true},
        ExpectedParam{"Parse String", 1, K::Path, S::Any, N::None, false},
        ExpectedParam{"Get Environment", 2, K::ResultVariable, S::Any, N::NameOrReference, false},
        ExpectedParam{"Apply Changes", 2, K::ResultVariable, S::Any, N::NameOrReference, true},
        ExpectedParam{"Display Dialog", 4, K::Variable, S::Any, N::NameOrReference, true},
        ExpectedParam{"Display Dialog", 1, K::Raw, S::Any, N::None, false},
        // numbers and exact words
        ExpectedParam{"Control IIS Site", 2, K::Raw, S::Integer, N::None, false},
        ExpectedParam{"Create IIS Site", 2, K::Path, S::Integer, N::None, false},
        ExpectedParam{"Terminate with Exit Code", 1, K::Text, S::Integer, N::None, false},
        ExpectedParam{"Set 64 Bit Mode", 3, K::Raw, S::ExactTrue, N::None, false},
        ExpectedParam{"Schedule Task", 9, K::Path, S::ExactTrue, N::None, false},
        ExpectedParam{"System Tray", 1, K::Raw, S::ExactTrue, N::None, false},
        ExpectedParam{"Create Virtual Folder", 10, K::Path, S::Pair, N::None, false},
        ExpectedParam{"Delete Share", 1, K::Path, S::Pair, N::None, false},
        // component states are taken as written
        ExpectedParam{"Set Component State", 2, K::Boolean, S::Any, N::None, false},
        ExpectedParam{"Get Component Space", 1, K::Text, S::Any, N::None, true},
        // the program thread's lines
        ExpectedParam{"Run Program", 4, K::Boolean, S::Any, N::None, false},
        ExpectedParam{"Run Program As", 4, K::Raw, S::Integer, N::None, false},
        ExpectedParam{"Run Program As", 9, K::Boolean, S::Any, N::None, false},
        ExpectedParam{"Get IIS Property", 1, K::Boolean, S::Any, N::None, false}));

// Lines the engine skips: the component-bound commands read only some of theirs.
TEST(CatalogueLines, LinesNotReadByTheHandler) {
    const std::map<std::string, std::set<int>> unread = {
        {"Delete Files", {2, 3, 4}},
        {"Copy/Move Local Files", {2}},
        {"Write Registry", {1, 2}},
        {"Edit INI File", {2, 3}},
        {"Set Environment", {1}},
        {"Install Service", {1, 3, 7, 8, 11, 12}},
        {"Create Shortcut", {7, 8, 9}},
        {"Create File Type", {6, 7}},
        {"Advertised File Type", {2, 4, 5, 6, 7}},
        {"Install ODBC Driver", {1, 2, 3}},
        {"Install Assembly", {1, 2}},
        {"Install Files", {1, 2}},
        {"Get IIS Property", {2}},
        {"Display Dialog", {5}},
        {"Web Media Block", {3}},
    };
    for (const auto& [name, lines] : unread) {
        const CommandInfo* command = FindCommand(name);
        ASSERT_NE(command, nullptr) << name;
        for (int n = 1; n <= command->ParameterCount(); ++n)
            EXPECT_EQ(command->Param(n).handlerReads, lines.count(n) == 0) << name << " p" << n;
    }
}

// ---------------------------------------------------------------------------
// Translation slots: which line each translated text comes from.

TEST(CatalogueTranslation, SlotsSitOnTheTranslatedLines) {
    // command -> line of slot 1, slot 2, ...
    const std::map<std::string, std::vector<int>> slots = {
        {"Set Variable", {2}},
        {"Localization Variable", {2}},
        {"If", {1, 3}},
        {"Else If", {1, 3}},
        {"MessageBox", {1, 2}},
        {"MessageBalloon", {1, 2}},
        {"Define Component", {1, 3}},
        {"Get Component State", {1}},
        {"Get Component Space", {1}},
        {"Set Component State", {1}},
        {"Set Component Space", {1}},
        {"Set Component Choice", {1}},
        {"Set Component Visibility", {1}},
        {"Delete Component", {1}},
        {"Create File Type", {1, 3}},
        {"Advertised File Type", {1, 3}},
        {"Create Shortcut", {2, 4}},
        {"Advertised Shortcut", {2, 4}},
        {"Create Virtual Folder", {1, 12, 13}},
        {"Install Service", {4, 5, 6, 9, 10}},
        {"Control Service", {1}},
        {"Schedule Task", {1}},
        {"Delete Scheduled Task", {1}},
        {"Delete Share", {1}},
        {"Create IIS Site", {1}},
        {"Get IIS Site Index", {1}},
        {"Create Share", {2, 3}},
        {"Set Access Control", {1, 6}},
    };
    for (const CommandInfo& command : AllCommands()) {
        std::vector<int> lineOfSlot;
        for (int n = 1; n <= command.ParameterCount(); ++n) {
            const int slot = command.Param(n).translationSlot;
            if (slot == 0) continue;
            if (lineOfSlot.size() < static_cast<std::size_t>(slot)) lineOfSlot.resize(slot, 0);
            EXPECT_EQ(lineOfSlot[slot - 1], 0) << command.name << " slot " << slot << " twice";
            lineOfSlot[slot - 1] = n;
        }
        const auto found = slots.find(std::string(command.name));
        if (found == slots.end()) {
            EXPECT_TRUE(lineOfSlot.empty()) << command.name;
        } else {
            EXPECT_EQ(lineOfSlot, found->second) << command.name;
        }
    }
}

// ---------------------------------------------------------------------------
// Well-formedness of every entry.

TEST(CatalogueShape, EveryParameterIsNamedAndConsistent) {
    for (const CommandInfo& command : AllCommands()) {
        for (const ParamInfo& param : command.params) {
            EXPECT_FALSE(param.name.empty()) << command.name;
            const bool variable =
                param.kind == ParamKind::ResultVariable || param.kind == ParamKind::Variable;
            EXPECT_EQ(param.nameForm != NameForm::None, variable)
                << command.name << " " << param.name;
            if (!param.handlerReads) {
                EXPECT_EQ(param.translationSlot, 0) << command.name;
            }
        }
    }
}

TEST(CatalogueShape, ParamOutsideTheRecordThrows) {
    const CommandInfo* command = FindCommand("Set Variable");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->Param(2).name, "value");
    EXPECT_THROW(command->Param(0), std::out_of_range);
    EXPECT_THROW(command->Param(3), std::out_of_range);
    const CommandInfo* end = FindCommand("End");
    ASSERT_NE(end, nullptr);
    EXPECT_THROW(end->Param(1), std::out_of_range);
}

TEST(CatalogueShape, EveryFamilyHasCommands) {
    std::set<Family> families;
    for (const CommandInfo& command : AllCommands())
        families.insert(command.family);
    EXPECT_EQ(families.size(), 14u);
}

TEST(CataloguePlugins, PluginRecordHasDataAndLibrary) {
    const auto& params = PluginCommandParams();
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[0].kind, ParamKind::Raw);
    EXPECT_EQ(params[1].kind, ParamKind::Raw);
}

} // namespace
} // namespace zk::commands

#include "engine/commands/catalogue.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace zk::commands {
namespace {

// One parameter line while the table is written; converts to ParamInfo.
struct Line {
    ParamInfo info;

    Line Int() const {
        return With([](ParamInfo& p) { p.shape = ValueShape::Integer; });
    }
    Line ExactTrue() const {
        return With([](ParamInfo& p) { p.shape = ValueShape::ExactTrue; });
    }
    Line Pair() const {
        return With([](ParamInfo& p) { p.shape = ValueShape::Pair; });
    }
    Line Opt() const {
        return With([](ParamInfo& p) { p.optional = true; });
    }
    Line MustExist() const {
        return With([](ParamInfo& p) { p.mustExist = true; });
    }
    Line Slot(int slot) const {
        return With([slot](ParamInfo& p) { p.translationSlot = slot; });
    }
    Line Unread() const {
        return With([](ParamInfo& p) { p.handlerReads = false; });
    }
    operator ParamInfo() const { return info; }

  private:
    template <typename F> Line With(F change) const {
        Line copy = *this;
        change(copy.info);
        return copy;
    }
};

Line Make(std::string_view name, ParamKind kind, NameForm form = NameForm::None) {
    Line line;
    line.info.name = name;
    line.info.kind = kind;
    line.info.nameForm = form;
    return line;
}

Line Text(std::string_view name) {
    return Make(name, ParamKind::Text);
}
Line PathLine(std::string_view name) {
    return Make(name, ParamKind::Path);
}
Line Bool(std::string_view name) {
    return Make(name, ParamKind::Boolean);
}
Line Raw(std::string_view name) {
    return Make(name, ParamKind::Raw);
}
// A line the authoring side writes and the engine never reads.
Line Unused() {
    return Raw("unused").Unread();
}
// Result variables: a bare name, or a bare name or pure reference.
Line ResultName(std::string_view name) {
    return Make(name, ParamKind::ResultVariable, NameForm::Name);
}
Line ResultRef(std::string_view name) {
    return Make(name, ParamKind::ResultVariable, NameForm::NameOrReference);
}
Line ReadVariable(std::string_view name) {
    return Make(name, ParamKind::Variable, NameForm::NameOrReference);
}

enum Trait : unsigned { kNone = 0, kBound = 1, kEnds = 2, kMedia = 4 };

CommandInfo Cmd(std::string_view name, Family family, std::initializer_list<Line> lines,
                unsigned traits = kNone, std::string_view forms = {}) {
    CommandInfo info;
    info.name = name;
    info.family = family;
    for (const Line& line : lines) {
        info.params.push_back(line);
        if (line.info.kind == ParamKind::ResultVariable)
            info.resultParams.push_back(static_cast<int>(info.params.size()));
    }
    info.componentBound = (traits & kBound) != 0;
    info.endsRun = (traits & kEnds) != 0;
    info.needsSetupMedia = (traits & kMedia) != 0;
    info.forms = forms;
    return info;
}

void AddControlFlow(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::ControlFlow;
    // The condition compares one variable with one value by an operator code.
    for (std::string_view name : {"If", "Else If"})
        all.push_back(Cmd(name, f,
                          {ReadVariable("variable").Slot(1), Raw("operator").Int(),
                           Text("value").Slot(2), Bool("negate")},
                          kNone, "operator \"5\" tests existence and ignores the value"));
    all.push_back(Cmd("Else", f, {}));
    all.push_back(Cmd("End", f, {}));
    all.push_back(Cmd("Wizard Loop", f, {}));
    all.push_back(Cmd("Label", f, {Raw("label")}));
    all.push_back(Cmd("GoTo Label", f, {Raw("label")}));
    // No action at run time; the authoring side keeps the comment's text and
    // the region's title in their records.
    all.push_back(Cmd("Comment", f, {Raw("comment").Unread()}));
    all.push_back(Cmd("Ignore", f, {}));
    all.push_back(Cmd("Code Folding Region", f, {Raw("title").Unread()}));
}

void AddVariableString(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::VariableString;
    all.push_back(Cmd("Set Variable", f, {ResultRef("variable"), Text("value").Slot(1)}, kNone,
                      "line 1 may end with the remember marker \"$ZARA$ZARA$\" and a flag"));
    all.push_back(Cmd("Localization Variable", f, {ResultRef("variable"), Text("value").Slot(1)}));
    all.push_back(Cmd("Get Temporary File", f, {ResultRef("variable")}));
    all.push_back(
        Cmd("Parse String", f,
            {PathLine("source"), PathLine("delimiter"), ResultName("left").Opt(),
             ResultName("right").Opt(), Raw("mode").Int(), Bool("trim"), Bool("ignore case")},
            kNone, "modes 2 and 3 read line 2 as a character count"));
    all.push_back(Cmd("Replace String", f,
                      {ResultRef("variable").MustExist(), Text("search"), Text("replacement"),
                       Bool("ignore case"), Bool("replace all")}));
    all.push_back(Cmd("Convert Case", f, {ResultName("variable").MustExist(), Bool("upper")}));
    all.push_back(Cmd("Convert Path", f, {ResultName("variable").MustExist(), Bool("short")}));
    all.push_back(Cmd("Extract Path", f, {ResultName("variable").MustExist(), Raw("part").Int()}));
    all.push_back(Cmd("Mathematics", f,
                      {Text("operand a"), Text("operand b"), Raw("operation").Int(),
                       ResultName("result").Opt()}));
    // The expression is substituted with quoted values by the handler itself.
    all.push_back(Cmd("Evaluate Expression", f, {Raw("expression"), ResultRef("result")}));
}

void AddFileFolder(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::FileFolder;
    all.push_back(Cmd("Create Folder", f, {PathLine("folder")}, kBound));
    all.push_back(Cmd("Delete Files", f,
                      {PathLine("files"), Unused(), Bool("delete mode 1").Unread(),
                       Bool("delete mode 2").Unread()},
                      kBound, "compilation requires line 3 or line 4 to be true"));
    all.push_back(Cmd("Copy/Move Local Files", f,
                      {PathLine("source"), Unused(), PathLine("destination")}, kBound));
    all.push_back(Cmd("Delete Files Recursive", f, {PathLine("files")}));
    all.push_back(
        Cmd("Does File/Folder Exist", f, {ResultName("result"), PathLine("path"), Bool("file")}));
    all.push_back(
        Cmd("Find All Files", f,
            {PathLine("files"), Bool("subfolders"), Bool("folders"), ResultRef("result")}));
    all.push_back(Cmd("Get File Version", f, {PathLine("file"), ResultRef("result")}));
    all.push_back(Cmd("Check File Version", f,
                      {ResultName("result"), PathLine("file"), Bool("compare with file"),
                       PathLine("reference file"), Text("reference version")},
                      kNone, "line 3 selects line 4 (true) or line 5 (false)"));
    all.push_back(Cmd("Read from Text File", f,
                      {PathLine("file"), ResultName("line"), ResultName("end of file").Opt()},
                      kNone, "a file starting with \"#READALL\\\" reads the rest at once"));
    all.push_back(
        Cmd("Write to Text File", f, {PathLine("file"), Text("text"), Bool("insert first")}));
    all.push_back(
        Cmd("Check Disk Space", f, {ResultRef("result"), PathLine("path"), Bool("free")}));
    all.push_back(
        Cmd("Get Folder Location", f, {ResultName("result"), Raw("folder").Int(), Bool("common")}));
}

void AddRegistryIni(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::RegistryIni;
    for (std::string_view name : {"Read Registry", "Check Registry"})
        all.push_back(Cmd(
            name, f,
            {ResultName("result"), Raw("root").Int(), PathLine("key"), PathLine("value name")}));
    all.push_back(
        Cmd("Write Registry", f,
            {Unused(), Unused(), PathLine("key"), PathLine("value name"), PathLine("value data")},
            kBound));
    all.push_back(
        Cmd("Delete Registry", f,
            {Raw("root").Int(), PathLine("key"), PathLine("value name"), Bool("whole key")}));
    all.push_back(
        Cmd("Get INI File Settings", f,
            {ResultName("result"), PathLine("file"), PathLine("section"), PathLine("key")}));
    all.push_back(Cmd("Edit INI File", f,
                      {PathLine("file"), Unused(), Unused(), PathLine("property 2"),
                       PathLine("property 3"), PathLine("property 4")},
                      kBound));
    all.push_back(Cmd("Get Environment", f, {Text("name").Opt(), ResultRef("result")}, kNone,
                      "an empty name returns the whole environment"));
    all.push_back(Cmd("Set Environment", f, {Unused(), PathLine("property 1")}, kBound));
}

void AddSystemQuery(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::SystemQuery;
    all.push_back(Cmd("Get System Settings", f, {ResultName("result"), Raw("setting").Int()}));
    all.push_back(Cmd("Get OS or SP Level", f, {ResultName("result"), Bool("name")}));
    all.push_back(
        Cmd("Is MSI Setup Installed", f, {PathLine("product code"), ResultName("result")}));
    all.push_back(Cmd("Check Process", f, {Text("program"), ResultName("result")}));
    all.push_back(
        Cmd("Check Service", f, {Text("machine").Opt(), Text("service"), ResultName("result")}));
}

void AddProgramService(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::ProgramService;
    all.push_back(Cmd("Run Program", f,
                      {PathLine("file"), Bool("hidden"), PathLine("parameters"), Bool("wait"),
                       ResultName("result").Opt()}));
    all.push_back(Cmd("Run Program As", f,
                      {PathLine("program"), PathLine("folder").Opt(), PathLine("parameters"),
                       Raw("show mode").Int(), PathLine("user").Opt(), PathLine("password"),
                       PathLine("domain"), ResultName("result").Opt(), Bool("wait"),
                       PathLine("environment").Opt()}));
    all.push_back(Cmd(
        "Run Light Mode Setup", f,
        {PathLine("data file"), ResultName("result").Opt(), PathLine("parameters"), Bool("wait")}));
    all.push_back(Cmd("Terminate Program", f, {PathLine("title"), PathLine("class")}));
    all.push_back(Cmd("Register Library", f,
                      {PathLine("file"), Bool("register"), ResultName("result").Opt()}));
    // Lines are named after the installer property each one feeds.
    all.push_back(
        Cmd("Install Service", f,
            {Unused(), PathLine("property 1"), Unused(), PathLine("property 2").Slot(1),
             PathLine("property 3").Slot(2), PathLine("property 9").Slot(3), Unused(), Unused(),
             PathLine("property 4").Slot(4), PathLine("property 5").Slot(5), Unused(), Unused(),
             PathLine("property 6"), PathLine("property 7"), PathLine("property 8")},
            kBound | kMedia));
    all.push_back(Cmd("Control Service", f,
                      {PathLine("property 1").Slot(1), PathLine("property 2")}, kBound));
    all.push_back(Cmd("Reboot Computer", f, {}, kEnds));
    all.push_back(Cmd("Reboot and Resume", f, {}, kEnds));
    all.push_back(Cmd("Terminate Install", f, {}, kEnds));
    all.push_back(Cmd("Terminate with Exit Code", f, {Text("exit code").Int()}, kEnds,
                      "a line that is not a number gives exit code 0"));
}

void AddShortcutFileType(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::ShortcutFileType;
    for (std::string_view name : {"Create Shortcut", "Advertised Shortcut"})
        all.push_back(Cmd(name, f,
                          {PathLine("target"), Text("name").Slot(1), PathLine("folder"),
                           Text("description").Slot(2), PathLine("property 3"),
                           PathLine("property 4"), Unused(), Unused(), Unused()},
                          kBound));
    all.push_back(Cmd("Create File Type", f,
                      {PathLine("name").Slot(1), PathLine("program"),
                       PathLine("description").Slot(2), PathLine("icon"), PathLine("property 5"),
                       Raw("extension").Unread(), Raw("verbs").Unread()},
                      kBound));
    all.push_back(Cmd("Advertised File Type", f,
                      {Text("identifier").Slot(1), Unused(), Text("description").Slot(2), Unused(),
                       Unused(), Unused(), Unused()},
                      kBound, "line 1 as written is also the key of the ProgId row"));
}

void AddServerDatabase(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::ServerDatabase;
    all.push_back(Cmd("Create IIS Site", f,
                      {PathLine("description").Slot(1), PathLine("site").Int(),
                       PathLine("ip address"), PathLine("host header"), PathLine("port"),
                       PathLine("ssl port"), PathLine("connection timeout").Int(),
                       Bool("keep alive"), Bool("log"), Bool("enable asp"), Bool("enable exe"),
                       Bool("unlimited connections"), Bool("unused").Unread(),
                       PathLine("max connections").Int(), PathLine("server size").Int()},
                      kNone, "a site line that is not a number takes the first free site"));
    all.push_back(Cmd("Create Virtual Folder", f,
                      {PathLine("alias").Slot(1).Opt(), PathLine("folder"), Bool("access source"),
                       Bool("access read"), Bool("access write"), Bool("directory browsing"),
                       Bool("log"), Bool("content indexed"), PathLine("protection|pool").Pair(),
                       PathLine("execute|version").Pair(), Bool("enable default document"),
                       PathLine("default documents").Slot(2), PathLine("footer").Slot(3).Opt(),
                       Bool("anonymous"), Bool("ntlm"), Bool("basic"), PathLine("mime types"),
                       PathLine("site").Int()},
                      kNone, "an empty alias is the site's root folder"));
    all.push_back(Cmd("Delete IIS Site", f, {PathLine("site").Int()}));
    all.push_back(
        Cmd("Delete Virtual Folder", f, {PathLine("site").Int(), PathLine("alias").Opt()}));
    all.push_back(Cmd("Control IIS Site", f, {PathLine("site").Int(), Raw("operation").Int()}));
    all.push_back(Cmd("Get IIS Site List", f, {ResultRef("result")}));
    all.push_back(
        Cmd("Get IIS Site Index", f, {PathLine("description").Slot(1), ResultRef("result")}));
    all.push_back(Cmd("Get IIS Property", f,
                      {Bool("site itself"), Unused(), PathLine("site").Int(),
                       PathLine("alias").Opt(), PathLine("property"), ResultRef("result")}));
    all.push_back(Cmd("Set IIS Property", f,
                      {Bool("site itself"), Unused(), PathLine("site").Int(),
                       PathLine("alias").Opt(), PathLine("property"), PathLine("value")}));
    all.push_back(Cmd("IIS Anonymous User", f, {ResultName("result").Opt()}, kNone,
                      "an empty line makes the command do nothing"));
    all.push_back(Cmd("Create ODBC DSN", f, {}, kBound));
    all.push_back(Cmd("Install ODBC Driver", f,
                      {Unused(), Unused(), Unused(), PathLine("property 1")}, kBound | kMedia));
    all.push_back(Cmd("Create Share", f,
                      {PathLine("folder|computer").Pair(), PathLine("share").Slot(1),
                       PathLine("remark").Slot(2)}));
    all.push_back(Cmd("Delete Share", f, {PathLine("share|computer").Pair().Slot(1)}));
    all.push_back(
        Cmd("Set Access Control", f,
            {PathLine("object").Slot(1), Bool("everyone"), Bool("current user"),
             Bool("authenticated users"), Bool("account entry"), PathLine("account").Slot(2),
             Bool("read and execute"), Bool("full control"), Bool("add entries"),
             Bool("empty list"), Bool("no list"), Bool("file or folder"), Bool("share"),
             Bool("registry key"), Bool("service"), Bool("printer")}));
    all.push_back(Cmd("Schedule Task", f,
                      {PathLine("task").Slot(1), PathLine("computer").Opt(),
                       PathLine("at system start").ExactTrue(), PathLine("at logon").ExactTrue(),
                       PathLine("weekly").ExactTrue(), PathLine("day"), PathLine("time"),
                       PathLine("if connected").ExactTrue(), PathLine("interactive").ExactTrue(),
                       PathLine("program"), PathLine("folder"), PathLine("parameters"),
                       PathLine("account"), PathLine("password")}));
    all.push_back(
        Cmd("Delete Scheduled Task", f, {PathLine("task").Slot(1), PathLine("computer").Opt()}));
    all.push_back(
        Cmd("Install Assembly", f, {Unused(), Unused(), PathLine("property 1")}, kBound | kMedia));
    all.push_back(Cmd("Register Assembly", f, {Text("assembly")}));
    all.push_back(Cmd("Remove Assemblies", f, {}));
    all.push_back(Cmd("Generate Native Images", f, {Text("assembly")}));
    all.push_back(Cmd("Run .NET Installer Class", f, {Text("assembly"), Bool("install")}));
}

void AddDialogs(std::vector<CommandInfo>& all) {
    all.push_back(
        Cmd("Display Dialog", Family::Dialog,
            {Raw("dialog"), ResultName("result").Opt(), Bool("modal"),
             ReadVariable("condition").Opt(), Raw("reserved").Unread(), Bool("skip value")},
            kNone, "inside a wizard loop the dialog is always modal"));
    all.push_back(Cmd("Hide Dialog", Family::Dialog, {}));
}

void AddProgressMessage(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::ProgressMessage;
    all.push_back(Cmd("MessageBox", f,
                      {Text("caption").Slot(1), Text("message").Slot(2), Raw("icon").Int(),
                       Raw("buttons").Int(), ResultName("result").Opt()}));
    all.push_back(Cmd(
        "MessageBalloon", f,
        {Text("title").Slot(1), Text("text").Slot(2), Raw("icon").Int(), Raw("time-out").Int()}));
    all.push_back(Cmd("System Tray", f,
                      {Raw("minimise").ExactTrue(), Raw("show icon").ExactTrue(),
                       Raw("restore").ExactTrue(), Raw("remove").ExactTrue()}));
}

void AddComponents(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::Components;
    all.push_back(Cmd("Define Component", f,
                      {Text("name").Slot(1), Bool("state"), Text("description").Slot(2)}));
    all.push_back(Cmd("Delete Component", f, {Text("name").Slot(1)}));
    all.push_back(Cmd("Set Component State", f, {Text("name").Slot(1), Bool("state")}));
    all.push_back(
        Cmd("Get Component State", f, {Text("name").Slot(1), ResultName("result").Opt()}));
    all.push_back(Cmd("Set Component Space", f, {Text("name").Slot(1), Text("size").Int()}));
    all.push_back(Cmd("Get Component Space", f,
                      {Text("name").Slot(1).Opt(), ResultName("result").Opt()}, kNone,
                      "an empty name returns the required space"));
    all.push_back(Cmd("Set Component Choice", f, {Text("name").Slot(1), Bool("allow")}));
    all.push_back(Cmd("Set Component Visibility", f, {Text("name").Slot(1), Bool("visible")}));
    all.push_back(Cmd("Save Feature Selections", f, {Text("file")}));
    all.push_back(Cmd("Load Feature Selections", f, {Text("file")}));
}

void AddInstallation(std::vector<CommandInfo>& all) {
    constexpr Family f = Family::Installation;
    all.push_back(Cmd("Install Files", f, {Unused(), Unused(), PathLine("target folder")},
                      kBound | kMedia, "compilation requires line 3"));
    all.push_back(
        Cmd("Apply Changes", f,
            {Raw("dialog"), ResultRef("result").Opt(), Bool("install"), Bool("uninstall")}, kMedia,
            "neither install nor uninstall advertises"));
    all.push_back(Cmd("Apply Patch", f, {ResultRef("result").Opt()}));
    all.push_back(Cmd("Transform Instance", f, {}));
    all.push_back(Cmd("Set 64 Bit Mode", f,
                      {Raw("win32").ExactTrue(), Raw("ia64").ExactTrue(), Raw("x64").ExactTrue()},
                      kNone, "a later true line wins; none leaves the mode"));
}

void AddMedia(std::vector<CommandInfo>& all) {
    all.push_back(Cmd("Extract 7Zip Archive", Family::Archive,
                      {PathLine("archive"), PathLine("destination"), ResultName("result").Opt(),
                       Text("password"), Bool("answer"), Bool("extract")}));
    all.push_back(Cmd("Web Media Block", Family::WebMedia, {Raw("block"), Text("urls"), Unused()},
                      kNone, "line 2 holds one URL per line, written with $NEWLINE$"));
}

std::vector<CommandInfo> BuildCatalogue() {
    std::vector<CommandInfo> all;
    AddControlFlow(all);
    AddVariableString(all);
    AddFileFolder(all);
    AddRegistryIni(all);
    AddSystemQuery(all);
    AddProgramService(all);
    AddShortcutFileType(all);
    AddServerDatabase(all);
    AddDialogs(all);
    AddProgressMessage(all);
    AddComponents(all);
    AddInstallation(all);
    AddMedia(all);
    return all;
}

const std::unordered_map<std::string_view, const CommandInfo*>& Index() {
    static const std::unordered_map<std::string_view, const CommandInfo*> index = [] {
        std::unordered_map<std::string_view, const CommandInfo*> byName;
        for (const CommandInfo& command : AllCommands()) {
            if (!byName.emplace(command.name, &command).second)
                throw std::logic_error("command catalogue lists \"" + std::string(command.name) +
                                       "\" twice");
        }
        return byName;
    }();
    return index;
}

} // namespace

const ParamInfo& CommandInfo::Param(int n) const {
    if (n < 1 || n > ParameterCount())
        throw std::out_of_range("command \"" + std::string(name) + "\" has no parameter " +
                                std::to_string(n));
    return params[static_cast<std::size_t>(n - 1)];
}

const std::vector<CommandInfo>& AllCommands() {
    static const std::vector<CommandInfo> all = BuildCatalogue();
    return all;
}

const CommandInfo* FindCommand(std::string_view name) {
    const auto& index = Index();
    const auto found = index.find(name);
    return found == index.end() ? nullptr : found->second;
}

bool IsComponentBound(std::string_view name) {
    const CommandInfo* command = FindCommand(name);
    return command != nullptr && command->componentBound;
}

bool EndsRun(std::string_view name) {
    const CommandInfo* command = FindCommand(name);
    return command != nullptr && command->endsRun;
}

bool NeedsSetupMedia(std::string_view name) {
    const CommandInfo* command = FindCommand(name);
    return command != nullptr && command->needsSetupMedia;
}

int ParameterCount(std::string_view name) {
    const CommandInfo* command = FindCommand(name);
    return command == nullptr ? -1 : command->ParameterCount();
}

const std::vector<ParamInfo>& PluginCommandParams() {
    static const std::vector<ParamInfo> params = {Raw("plug-in data"), Raw("library")};
    return params;
}

std::string_view FamilyName(Family family) {
    switch (family) {
    case Family::ControlFlow:
        return "control flow";
    case Family::VariableString:
        return "variables and strings";
    case Family::FileFolder:
        return "files and folders";
    case Family::RegistryIni:
        return "registry, INI and environment";
    case Family::SystemQuery:
        return "system queries";
    case Family::ProgramService:
        return "programs, services and restart";
    case Family::ShortcutFileType:
        return "shortcuts and file types";
    case Family::ServerDatabase:
        return "server, database, sharing, tasks and assemblies";
    case Family::Dialog:
        return "dialogs";
    case Family::ProgressMessage:
        return "progress, tray and messages";
    case Family::Components:
        return "components";
    case Family::Installation:
        return "installation";
    case Family::Archive:
        return "archives";
    case Family::WebMedia:
        return "web media";
    }
    return "unknown";
}

} // namespace zk::commands

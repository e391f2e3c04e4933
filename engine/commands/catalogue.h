// The command catalogue: every command name the engine executes, as data.
// Per command it gives the family whose handler runs it, the parameter lines
// its record holds (how each is read, what it holds), the parameters that
// receive results, and whether the command is bound to installer components,
// ends the run or needs setup media. The interpreter dispatches by it, the
// compiler finds its result parameters in it, and the authoring tool writes
// and checks parameter records with it.
//
// Names are matched exactly (case-sensitive, whole text). A name that is not
// in the catalogue (for example "Compiler Variable End", which the authoring
// tool writes for itself) has no handler and does nothing at run time.
#pragma once
#include <string_view>
#include <vector>

namespace zk::commands {

// Which handler family carries out a command.
enum class Family {
    ControlFlow,      // handled by the interpreter itself
    VariableString,   // variables and strings
    FileFolder,       // files and folders
    RegistryIni,      // registry, INI files, environment
    SystemQuery,      // questions about the machine
    ProgramService,   // programs, services, restart, end of run
    ShortcutFileType, // shortcuts and file types
    ServerDatabase,   // web server, ODBC, shares, tasks, assemblies
    Dialog,           // wizard pages
    ProgressMessage,  // tray icon, balloons, message boxes
    Components,       // the component table
    Installation,     // Windows Installer
    Archive,          // archive extraction
    WebMedia,         // web media blocks
};

// How a handler reads a parameter line.
enum class ParamKind {
    Text,           // passed through Substitute
    Path,           // passed through Substitute path (doubled backslashes collapsed)
    Boolean,        // true when "TRUE" in any letter case or exactly "-1"; never substituted
    ResultVariable, // names a variable the command writes (defined empty first when missing)
    Variable,       // names a variable the command only reads; it must exist
    Raw,            // used as written
};

// What the line must hold once read as its kind says.
enum class ValueShape {
    Any,
    Integer,   // a decimal integer; anything else is a conversion error or a handled failure
    ExactTrue, // true only when exactly "TRUE" (case-sensitive); "-1" and "true" are false
    Pair,      // two parts split at the first "|"
};

// How a variable parameter (ResultVariable, Variable) names its variable.
enum class NameForm {
    None,            // not a variable parameter
    Name,            // a bare name used as written: "$X$" names the variable "$X$"
    NameOrReference, // a bare name or a pure reference "$X$" standing for X
};

struct ParamInfo {
    std::string_view name; // short name, e.g. "variable", "value", "file"
    ParamKind kind = ParamKind::Raw;
    ValueShape shape = ValueShape::Any;
    NameForm nameForm = NameForm::None;
    bool optional = false;    // an empty line means "none" (no result, no condition, ...)
    bool mustExist = false;   // a result variable that is read first: it must already exist
    int translationSlot = 0;  // slot of the command's translated texts; 0 = not translated
    bool handlerReads = true; // false: carried for the authoring side, not read by the handler
};

struct CommandInfo {
    std::string_view name;
    Family family = Family::ControlFlow;
    // The parameter lines of the command's record, parameter 1 first. Their
    // number is the count the authoring tool must always write; 0 means the
    // command has no record.
    std::vector<ParamInfo> params;
    // 1-based numbers of the parameters of kind ResultVariable, in order:
    // what compilation declares (or, with mustExist, requires to be defined).
    std::vector<int> resultParams;
    bool componentBound = false;  // works only through installer components
    bool endsRun = false;         // the script run ends after it
    bool needsSetupMedia = false; // a media failure shows a message even in silent runs
    std::string_view forms;       // short note on optional or alternative forms

    int ParameterCount() const { return static_cast<int>(params.size()); }
    // Parameter n, counted from 1. Throws std::out_of_range for other n.
    const ParamInfo& Param(int n) const;
};

// The command with exactly this name, or nullptr.
const CommandInfo* FindCommand(std::string_view name);
// Every command of the catalogue, grouped by family.
const std::vector<CommandInfo>& AllCommands();

bool IsComponentBound(std::string_view name);
bool EndsRun(std::string_view name);
bool NeedsSetupMedia(std::string_view name);
// The parameter count of a command, or -1 for a name the engine does not handle.
int ParameterCount(std::string_view name);

// A command named in the script's plug-in command list runs a plug-in library
// instead of any built-in handler. Its record holds these two lines: the
// plug-in's data (raw) and the relative path of the library (raw).
const std::vector<ParamInfo>& PluginCommandParams();

std::string_view FamilyName(Family family);

} // namespace zk::commands

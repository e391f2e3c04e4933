#include "engine/script/predefined_variables.h"

#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"

namespace zk::script {

const std::vector<std::string_view>& PredefinedVariableNames() {
    static const std::vector<std::string_view> names = {
        "MYAHLOGO",       "TIME",         "DATE",     "NEWINSTANCE",   "SELECTED",
        "WINDOWHANDLE",   "EXEDIR",       "EXEFILE",  "UNINSTALLLINK", "ENGINECACHE",
        "COPYWEBLOCK",    "ABORT",        "SILENT",   "LOGGED",        "CMDLINE",
        "REBOOTNOW",      "SFXPATH",      "SFXFILE",  "LASTERROR",     "PROGRESSMODE",
        "PROGRESSTEXT",   "PROGRESS",     "LICENSE",  "USERNAME",      "USERCOMPANY",
        "REBOOTCOMPUTER", "RUNAPP",       "WIZARD",   "VERSION",       "TARGETDIR",
        "STARTMENU",      "ADVERTISE",    "ALLUSERS", "COMPLETE",      "MINIMUM",
        "PERSONALIZED",   "MODIFY",       "REPAIR",   "REMOVE",        "DATADIR",
        "PRODUCTCODE",    "REVISIONCODE", "ROOTDIR",  "MAINTENANCE",   "NEWLINE",
        "NEEDSUPGRADE",   "TITLE",        "COMPANY",  "TEMPDIR",       "SUPPORTDIR",
        "MSIFILE",        "LANGUAGE",
    };
    return names;
}

void DeclarePredefinedVariables(VariableStore& store) {
    for (std::string_view name : PredefinedVariableNames())
        store.Define(name, "", name == "PROGRESSMODE" ? kStageInitialization : kStageCompilation);
}

} // namespace zk::script

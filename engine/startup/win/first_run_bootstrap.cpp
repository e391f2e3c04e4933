#include "engine/startup/win/first_run_bootstrap.h"

#include <windows.h>
#include <shlobj.h>

#include "engine/script/stage_labels.h"
#include "engine/script/variable_text.h"
#include "engine/startup/win/folders.h"
#include "engine/startup/win/module_image.h"

namespace zk::startup {
namespace {

std::string ShellFolder(int csidl) {
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    std::string folder = buffer;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string ApplicationDataBase(bool allUsers) {
    if (allUsers) return ShellFolder(CSIDL_COMMON_APPDATA);
    std::string folder = ShellFolder(CSIDL_LOCAL_APPDATA);
    if (folder.empty()) folder = ShellFolder(CSIDL_APPDATA);
    return folder;
}

} // namespace

void DefineInstanceLinks(EngineContext& context, script::VariableStore& variables, std::string_view stage) {
    const bool allUsers = variables.IsDefined("ALLUSERS") && script::IsTrueText(variables.Get("ALLUSERS"));
    const std::string cache = ApplicationDataBase(allUsers) + context.image.revisionCode + "\\";
    const std::string exe = ModuleFileName(nullptr);
    variables.Define("ENGINECACHE", cache, stage);
    variables.Define("UNINSTALLLINK", cache + exe.substr(FolderOf(exe).size()), stage);
}

void FirstRunBootstrap(EngineContext& context, script::VariableStore& variables) {
    const auto stage = script::kStageBootstrap;
    variables.Define("PRODUCTCODE", context.image.productCode, stage);
    variables.Define("REVISIONCODE", context.image.revisionCode, stage);
    DefineInstanceLinks(context, variables, stage);
    const std::string dataFolder = context.image.mediaMode == 2 ? variables.Get("ENGINECACHE") : context.dataFolder;
    variables.Define("DATADIR", dataFolder, stage);
    variables.Define("NEEDSUPGRADE", "FALSE", stage);
    variables.Define("MAINTENANCE", "FALSE", stage);
    variables.Define("TARGETDIR", ShellFolder(CSIDL_PROGRAM_FILES) + context.image.productTitle, stage);
    variables.Define("STARTMENU", context.image.productTitle, stage);
    variables.Define("NEWINSTANCE", "FALSE", script::kStageInitialization);
}

} // namespace zk::startup

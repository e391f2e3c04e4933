// The script run phase: the interpreter with the engine's command handlers.
#include <windows.h>

#include "engine/script/engine_error.h"
#include "engine/script/interpreter.h"
#include "engine/script/variable_store.h"
#include "engine/startup/win/folders.h"
#include "engine/startup/win/engine_dialogs.h"
#include "engine/startup/win/interpreter_host.h"
#include "engine/ui/win/dialog_manager.h"
#include "engine/startup/win/module_image.h"
#include "engine/startup/win/phases.h"

namespace zk::startup {

namespace {
constexpr int kExitCompileFailure = 314;
}

void RunScript(EngineContext& context, const std::string& databasePath) {
    script::VariableStore variables;
    variables.SetMessageSource([&context](int slot) { return context.messages.Text(slot); });

    script::RunSettings settings;
    settings.exeFile = ModuleFileName(nullptr);
    settings.exeDir = context.engineFolder;
    settings.tempDir = context.tempFolder;
    settings.supportDir = context.supportFolder;
    settings.msiFile = databasePath;
    settings.silent = context.options.silent;
    settings.logFile = context.options.logFile;
    settings.commandLineTail = context.options.commandLineTail;
    settings.sfxPath = context.options.sfxPath;
    settings.sfxFile = context.options.sfxFile;
    settings.gpoPath = context.options.gpoPath;
    settings.commandLineVariables = context.options.variables;
    settings.runtimeErrorTitle = context.messages.Text(msg::kRuntimeErrorInScript);

    WindowsInterpreterHost host(context);
    EngineDialogs dialogs(context, variables, host.Caption());
    host.SetDialogs(&dialogs);
    script::Interpreter interpreter(context.image, variables, context.log, host, settings);
    RegisterEngineCommands(interpreter, context, dialogs);

    const script::RunResult result = interpreter.Run();
    // The run's dialogs go with it, whichever way it ended.
    ui::FreeDialogs();
    if (result.end == script::RunEnd::CompileFailed) ExitProcess(kExitCompileFailure);
    context.exitCode = interpreter.State().exitCode;
}

} // namespace zk::startup

// The phases of the run that belong to other subsystems, called by the run
// sequence. Each reports failure by its return value or an EngineError.
#pragma once
#include <string>

#include "engine/script/interpreter.h"
#include "engine/startup/engine_context.h"

namespace zk::startup {

// Unpacks the whole resource archive into the support folder (no password).
bool UnpackResourceArchive(EngineContext& context);

// Prepares the dialog pool and preloads the dialog file of every enabled
// "Display Dialog" command under the key of its command index.
void PreloadDialogs(EngineContext& context);

// Compiles and runs the script; the installer database is `databasePath`.
// A script that does not compile ends the process with exit code 314.
void RunScript(EngineContext& context, const std::string& databasePath);

// Registers the handlers of every command family this engine carries.
class EngineDialogs;
void RegisterEngineCommands(script::Interpreter& interpreter, EngineContext& context, EngineDialogs& dialogs);

} // namespace zk::startup

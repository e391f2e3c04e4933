// Handlers of the commands that end the script run: "Terminate Install" and
// "Terminate with Exit Code" (which first sets the engine's exit code).
#pragma once
#include "engine/script/interpreter.h"

namespace zk::commands {

void RegisterRunEndCommands(script::Interpreter& interpreter);

} // namespace zk::commands

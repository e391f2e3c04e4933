// Handlers of the commands that change texts and paths held in variables:
// "Parse String", "Replace String", "Convert Case", "Convert Path" (short
// and long form, with the file-system redirection switched off) and
// "Extract Path".
#pragma once
#include "engine/commands/command_services.h"
#include "engine/script/interpreter.h"

namespace zk::commands {

void RegisterStringCommands(script::Interpreter& interpreter, const CommandServices& services);

} // namespace zk::commands

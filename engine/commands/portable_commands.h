// The portable command handlers in one call: the variable and string family,
// "Read from Text File", "Write to Text File", "Terminate Install" and
// "Terminate with Exit Code". The engine calls it once per interpreter,
// before Run(), with the Windows platform (win/windows_command_platform.h).
#pragma once
#include "engine/commands/command_services.h"
#include "engine/script/interpreter.h"

namespace zk::commands {

// Throws std::logic_error when services.platform is null.
void RegisterPortableCommands(script::Interpreter& interpreter, const CommandServices& services);

} // namespace zk::commands

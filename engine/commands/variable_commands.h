// Handlers of the commands that compute a value and store it in a variable:
// "Set Variable" (with the remember marker and the progress display),
// "Localization Variable", "Get Temporary File", "Mathematics" and
// "Evaluate Expression".
#pragma once
#include <string_view>

#include "engine/commands/command_services.h"
#include "engine/script/interpreter.h"

namespace zk::commands {

// Marks a "Set Variable" target whose value is kept for maintenance runs
// when the text after it is exactly "TRUE".
inline constexpr std::string_view kRememberMarker = "$ZARA$ZARA$";

void RegisterVariableCommands(script::Interpreter& interpreter, const CommandServices& services);

} // namespace zk::commands

#include "engine/commands/portable_commands.h"

#include "engine/commands/run_end_commands.h"
#include "engine/commands/string_commands.h"
#include "engine/commands/text_file_commands.h"
#include "engine/commands/variable_commands.h"

namespace zk::commands {

void RegisterPortableCommands(script::Interpreter& interpreter, const CommandServices& services) {
    RegisterVariableCommands(interpreter, services);
    RegisterStringCommands(interpreter, services);
    RegisterTextFileCommands(interpreter, services);
    RegisterRunEndCommands(interpreter);
}

} // namespace zk::commands

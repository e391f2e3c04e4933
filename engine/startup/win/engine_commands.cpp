// The command handlers this engine carries, registered with the interpreter.
#include "engine/commands/portable_commands.h"
#include "engine/commands/win/windows_command_platform.h"
#include "engine/script/engine_error.h"
#include "engine/startup/win/phases.h"

namespace zk::startup {

void RegisterEngineCommands(script::Interpreter& interpreter, EngineContext& context) {
    // The platform lives as long as the process: handlers keep a pointer to it.
    static commands::WindowsCommandPlatform platform;
    commands::CommandServices services;
    services.platform = &platform;
    services.temporaryFolder = context.tempFolder;
    commands::RegisterPortableCommands(interpreter, services);

    // Dialogs are not part of this build: a script that shows one fails clearly.
    for (const char* name : {"Display Dialog", "Hide Dialog"})
        interpreter.Register(name, [](script::CommandContext&) -> script::CommandOutcome {
            throw EngineError("This engine build cannot show dialogs yet.");
        });
}

} // namespace zk::startup

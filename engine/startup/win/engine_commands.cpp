// The command handlers this engine carries, registered with the interpreter.
#include "engine/commands/portable_commands.h"
#include "engine/commands/win/plugin_runner.h"
#include "engine/commands/win/windows_command_platform.h"
#include "engine/startup/win/engine_dialogs.h"
#include "engine/startup/win/phases.h"

namespace zk::startup {

void RegisterEngineCommands(script::Interpreter& interpreter, EngineContext& context, EngineDialogs& dialogs) {
    // The platform lives as long as the process: handlers keep a pointer to it.
    static commands::WindowsCommandPlatform platform;
    commands::CommandServices services;
    services.platform = &platform;
    services.temporaryFolder = context.tempFolder;
    commands::RegisterPortableCommands(interpreter, services);

    interpreter.Register("Display Dialog", [&dialogs](script::CommandContext& c) { return dialogs.Display(c); });
    interpreter.Register("Hide Dialog", [&dialogs](script::CommandContext& c) { return dialogs.Hide(c); });

    // Plug-in commands come last: they take precedence over built-in names.
    commands::PluginEnvironment plugins;
    plugins.supportFolder = context.supportFolder;
    plugins.dataFolder = context.dataFolder;
    plugins.caption = [&dialogs] { return dialogs.EngineCaption(); };
    plugins.platform = &platform;
    commands::RegisterPluginCommands(interpreter, context.image, std::move(plugins));
}

} // namespace zk::startup

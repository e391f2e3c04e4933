// Start-up's dialog phase: every enabled "Display Dialog" command's dialog
// file is loaded into a hidden host form under the key of its command index.
#include "engine/startup/win/phases.h"
#include "engine/ui/win/dialog_manager.h"

namespace zk::startup {

void PreloadDialogs(EngineContext& context) {
    ui::InitDialogs(context.supportFolder);
    for (std::size_t i = 0; i < context.image.CommandCount(); ++i) {
        if (context.image.CommandName(i) != "Display Dialog" || context.image.IsDisabled(i)) continue;
        // The dialog name is taken as written: no substitution at start-up.
        const std::string name = context.image.ParameterOf(i, 1);
        ui::RegisterDialog(std::to_string(i), context.supportFolder + name + ".dfm");
    }
}

} // namespace zk::startup

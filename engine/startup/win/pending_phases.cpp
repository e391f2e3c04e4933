// Phases whose subsystems are not part of this build yet. Each fails with a
// clear error instead of pretending to succeed.
#include "engine/script/engine_error.h"
#include "engine/startup/win/phases.h"

namespace zk::startup {

void PreloadDialogs(EngineContext& context) {
    for (std::size_t i = 0; i < context.image.CommandCount(); ++i)
        if (context.image.CommandName(i) == "Display Dialog" && !context.image.IsDisabled(i))
            throw EngineError("This engine build cannot show dialogs yet.");
}


} // namespace zk::startup

#include "engine/startup/engine_context.h"

namespace zk::startup {

std::string EngineCaption(const std::string& title, bool myahLogo) {
    if (myahLogo) return title;
    if (!title.empty()) return title + " - " + "Korvane" + " Wizard";
    return std::string("Korvane") + " Wizard";
}

} // namespace zk::startup

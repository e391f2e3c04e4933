// The bootstrap as for a first run of a product that is not installed: the
// variables that tell the script where it stands, without looking for an
// installed instance or its maintenance data. The full bootstrap (installed
// instances, maintenance data, upgrades) replaces this unit.
#pragma once
#include <string_view>

#include "engine/script/variable_store.h"
#include "engine/startup/engine_context.h"

namespace zk::startup {

void FirstRunBootstrap(EngineContext& context, script::VariableStore& variables);

// ENGINECACHE (maintenance data folder) and UNINSTALLLINK for the current ALLUSERS.
void DefineInstanceLinks(EngineContext& context, script::VariableStore& variables, std::string_view stage);

} // namespace zk::startup

// The engine's run: start-up values, command line, log phases, script image,
// support folder, resources, dialogs, script run and clean-up. Returns the
// process exit code; fatal start-up stops end the process directly.
#pragma once

namespace zk::startup {

int RunEngine();

} // namespace zk::startup

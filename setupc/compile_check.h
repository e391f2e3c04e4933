// Runs the engine's own compilation on a built image, so that a script the
// engine would refuse (exit code 314) is refused at build time instead, with
// the compiler's message at the offending source line.
#pragma once
#include "engine/script/script_image.h"
#include "setupc/script_source.h"

namespace zk::setupc {

// Throws SourceError when compilation fails. `image` was built from `source`
// (same command order).
void CheckCompiles(const ScriptSource& source, const script::ScriptImage& image);

} // namespace zk::setupc

// Turns a compiled script image back into script source. Identifiers,
// command headers and the revision code are written only where they differ
// from what the builder would generate, and the result is checked by building
// it again: the source always builds to the same image when the image can be
// expressed at all (warnings say what could not).
#pragma once
#include <string>
#include <vector>

#include "engine/script/script_image.h"
#include "setupc/script_source.h"

namespace zk::setupc {

struct Decompiled {
    ScriptSource source;
    std::vector<std::string> warnings;
};

Decompiled DecompileImage(const script::ScriptImage& image);

} // namespace zk::setupc

// What the portable command handlers receive from the engine when they are
// registered: the platform, the engine's temporary folder, the translation of
// command texts and the progress display.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "engine/commands/command_platform.h"

namespace zk::commands {

struct CommandServices {
    // Required; must outlive the interpreter the handlers are registered with.
    CommandPlatform* platform = nullptr;
    // The engine's temporary folder (the value TEMPDIR receives at start);
    // later changes of the variable do not move it.
    std::string temporaryFolder;
    // Translation of an already substituted text of a command (key: the
    // command identifier or a localisation key; slot from 1). Called only
    // while LANGUAGE is not empty; the handler substitutes the result again.
    // Empty: texts stay untranslated.
    std::function<std::string(std::string_view text, std::string_view key, int slot)> translate;
    // Shows a progress text and position (0 to 100) on the page on screen.
    // Empty: no display (tests, runs without pages).
    std::function<void(const std::string& text, long long position)> refreshProgress;
};

} // namespace zk::commands

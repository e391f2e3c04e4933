// Registration of command handlers with the interpreter, checked against the
// catalogue: a handler can only be registered under a catalogue name of its
// family, so a misspelt name fails at start instead of doing nothing.
#pragma once
#include <string_view>

#include "engine/commands/catalogue.h"
#include "engine/commands/command_services.h"
#include "engine/script/interpreter.h"

namespace zk::commands {

// Throws std::logic_error when the name is not in the catalogue or belongs
// to another family.
void RegisterHandler(script::Interpreter& interpreter, std::string_view name, Family family,
                     script::CommandHandler handler);

// True while a setup language is active (LANGUAGE is defined and not empty).
bool LanguageActive(const script::CommandContext& context);

// Throws std::logic_error when the services lack the platform.
CommandPlatform& RequirePlatform(const CommandServices& services);

} // namespace zk::commands

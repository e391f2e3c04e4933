#include "engine/commands/command_registration.h"

#include <stdexcept>
#include <string>

#include "engine/script/variable_store.h"

namespace zk::commands {

void RegisterHandler(script::Interpreter& interpreter, std::string_view name, Family family,
                     script::CommandHandler handler) {
    const CommandInfo* info = FindCommand(name);
    if (info == nullptr)
        throw std::logic_error("No such command in the catalogue: " + std::string(name));
    if (info->family != family)
        throw std::logic_error("Command \"" + std::string(name) + "\" belongs to the family " +
                               std::string(FamilyName(info->family)));
    interpreter.Register(std::string(name), std::move(handler));
}

bool LanguageActive(const script::CommandContext& context) {
    auto lock = context.variables.Lock();
    return context.variables.IsDefined("LANGUAGE") && !context.variables.Get("LANGUAGE").empty();
}

CommandPlatform& RequirePlatform(const CommandServices& services) {
    if (services.platform == nullptr) throw std::logic_error("Command handlers need a platform");
    return *services.platform;
}

} // namespace zk::commands

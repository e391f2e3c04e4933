#include "engine/startup/win/engine_dialogs.h"

#include "engine/script/script_image.h"
#include "engine/script/variable_text.h"
#include "engine/ui/win/dialog_manager.h"

namespace zk::startup {

EngineDialogs::EngineDialogs(EngineContext& context, script::VariableStore& variables, const std::string& caption)
    : context_(context), variables_(variables), caption_(caption), commands_(ui::Dialogs(), *this) {
    ui::Dialogs().Attach(this, this);
}

EngineDialogs::~EngineDialogs() { ui::Dialogs().Attach(nullptr, nullptr); }

bool EngineDialogs::Exists(std::string_view name) const { return variables_.IsDefined(name); }
std::string EngineDialogs::Get(std::string_view name) const { return variables_.Get(name); }

void EngineDialogs::Set(std::string_view name, std::string_view value, std::string_view stage) {
    auto lock = variables_.Lock();
    if (!variables_.IsDefined(name)) variables_.Define(name, "", stage);
    variables_.Set(name, value, stage);
}

bool EngineDialogs::Silent() const { return variables_.Silent(); }
std::string EngineDialogs::EngineCaption() const { return caption_; }

std::string EngineDialogs::EngineMessage(std::string_view english) const {
    // The engine message table may have been replaced by a language file:
    // find the slot by its built-in English text.
    static const MessageTable builtIn;
    for (int slot = 1; slot <= MessageTable::kSlots; ++slot)
        if (builtIn.Text(slot) == english) return context_.messages.Text(slot);
    return std::string(english);
}

ui::DisplayDialogOutcome EngineDialogs::Show(script::CommandContext& command, bool inWizardLoop) {
    std::vector<std::string> lines;
    for (int n = 1; n <= 6; ++n) lines.push_back(command.Raw(n));
    return commands_.DisplayDialog(std::to_string(command.index), ui::DisplayDialogParameters::FromLines(lines),
                                   inWizardLoop);
}

script::CommandOutcome EngineDialogs::Display(script::CommandContext& command) {
    Show(command, false);
    return script::CommandOutcome::Continue;
}

script::WizardResult EngineDialogs::DisplayInWizard(script::CommandContext& command) {
    switch (Show(command, true).result) {
    case ui::DialogResult::drNext: return script::WizardResult::Next;
    case ui::DialogResult::drBack: return script::WizardResult::Back;
    case ui::DialogResult::drCancel: return script::WizardResult::Cancel;
    default: return script::WizardResult::Custom;
    }
}

script::CommandOutcome EngineDialogs::Hide(script::CommandContext&) {
    commands_.HideDialog();
    return script::CommandOutcome::Continue;
}

} // namespace zk::startup

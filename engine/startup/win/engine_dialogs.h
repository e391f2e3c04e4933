// The engine's side of the wizard dialogs: the variable store and engine
// services as the dialogs see them, and the "Display Dialog" / "Hide Dialog"
// commands of one script run.
#pragma once
#include <string>

#include "engine/script/interpreter.h"
#include "engine/script/variable_store.h"
#include "engine/startup/engine_context.h"
#include "engine/ui/display_dialog.h"

namespace zk::startup {

class EngineDialogs : public ui::DialogVariables, public ui::DialogServices {
  public:
    EngineDialogs(EngineContext& context, script::VariableStore& variables, const std::string& caption);
    ~EngineDialogs() override;

    // DialogVariables
    bool Exists(std::string_view name) const override;
    std::string Get(std::string_view name) const override;
    void Set(std::string_view name, std::string_view value, std::string_view stage) override;
    // DialogServices
    bool Silent() const override;
    std::string EngineCaption() const override;
    std::string EngineMessage(std::string_view english) const override;

    // "Display Dialog" outside a wizard loop and inside one.
    script::CommandOutcome Display(script::CommandContext& command);
    script::WizardResult DisplayInWizard(script::CommandContext& command);
    script::CommandOutcome Hide(script::CommandContext& command);

  private:
    ui::DisplayDialogOutcome Show(script::CommandContext& command, bool inWizardLoop);

    EngineContext& context_;
    script::VariableStore& variables_;
    const std::string& caption_;
    ui::DialogCommands commands_;
};

} // namespace zk::startup

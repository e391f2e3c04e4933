// The Windows services the interpreter uses: clock texts, files, the user's
// rights and registration, message processing and the run-time error box.
#pragma once
#include <string>

#include "engine/script/interpreter.h"
#include "engine/startup/engine_context.h"

namespace zk::startup {

class WindowsInterpreterHost : public script::InterpreterHost {
  public:
    explicit WindowsInterpreterHost(EngineContext& context) : context_(context) {}

    void ProcessMessages() override;
    void ShowRuntimeError(const std::string& message) override;
    std::string CurrentDate() override;
    std::string CurrentTime() override;
    bool FileExists(const std::string& path) override;
    bool IsAdministrator() override;
    std::pair<std::string, std::string> RegisteredUser() override;
    void Bootstrap(script::VariableStore& variables) override;
    void RefreshInstanceLinks(script::VariableStore& variables) override;
    void SetCaption(const std::string& title, bool myahLogo) override;
    script::WizardResult ShowWizardDialog(script::CommandContext& context) override;

    const std::string& Caption() const { return caption_; }
    void SetDialogs(class EngineDialogs* dialogs) { dialogs_ = dialogs; }

  private:
    EngineContext& context_;
    class EngineDialogs* dialogs_ = nullptr;
    std::string caption_ = EngineCaption("", false);
};

} // namespace zk::startup

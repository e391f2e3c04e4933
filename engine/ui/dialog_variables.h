// What the dialogs need from the rest of the engine: the script variables
// (implemented by the engine's variable store) and engine-wide services.
#pragma once
#include <string>
#include <string_view>

namespace zk::ui {

class DialogVariables {
  public:
    virtual ~DialogVariables() = default;
    virtual bool Exists(std::string_view name) const = 0;
    // The value; throws EngineError "Attempting to get value of undefined variable NAME"
    // when the variable does not exist.
    virtual std::string Get(std::string_view name) const = 0;
    // Defines the variable when missing (upper-cased name), then sets it; `stage`
    // is the log context, e.g. "Display Dialog Action".
    virtual void Set(std::string_view name, std::string_view value, std::string_view stage) = 0;
};

// Engine-wide facts and texts the dialogs show.
class DialogServices {
  public:
    virtual ~DialogServices() = default;
    virtual bool Silent() const = 0;
    // The caption of every engine message box.
    virtual std::string EngineCaption() const = 0;
    // An engine message in the current engine language, by its English text.
    virtual std::string EngineMessage(std::string_view english) const = 0;
    // True while the shown dialog drives a running installation (a confirmed
    // cancel then leaves the dialog open and only requests the stop).
    virtual bool InstallationRunning() const { return false; }
};

} // namespace zk::ui

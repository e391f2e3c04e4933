// The "Display Dialog" and "Hide Dialog" commands over an abstract dialog
// screen (the Windows dialog manager, or a fake in tests).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ui/dialog_variables.h"

namespace zk::ui {

enum class DialogResult { drNone, drNext, drBack, drCancel, drCustom };

// The result word written into the result variable.
std::string ResultWord(DialogResult result, const std::string& customWord);

struct ShowOutcome {
    DialogResult result = DialogResult::drNone; // modal
    std::string customWord;                     // drCustom
    std::uintptr_t windowHandle = 0;            // non-modal (0 in silent mode)
};

// The dialog side the commands drive.
class DialogScreen {
  public:
    virtual ~DialogScreen() = default;
    virtual void PrepareDialog(const std::string& key) = 0;
    virtual void UnbindDialog(const std::string& key) = 0;
    virtual ShowOutcome ShowDialog(const std::string& key, bool modal) = 0;
    virtual void HideCurrentDialog() = 0;
    // Stops and restarts painting of a window (the one behind WINDOWHANDLE).
    virtual void LockPainting(std::uintptr_t window, bool locked) = 0;
};

// The six parameter lines of a Display Dialog command (1-based as listed).
struct DisplayDialogParameters {
    std::string dialogName;     // 1, read at start-up only
    std::string resultVariable; // 2
    std::string modal;          // 3, boolean word
    std::string skipVariable;   // 4, name with or without enclosing "$"
    std::string carried;        // 5, not interpreted
    std::string skipValue;      // 6, boolean word

    static DisplayDialogParameters FromLines(const std::vector<std::string>& lines);
};

struct DisplayDialogOutcome {
    bool skipped = false;
    DialogResult result = DialogResult::drNone; // drNone for a non-modal dialog
    std::string word;                           // the result word, "NOTMODAL" when non-modal
};

class DialogCommands {
  public:
    DialogCommands(DialogScreen& screen, DialogVariables& variables)
        : screen_(screen), variables_(variables) {}

    // `key` is the command's index in decimal; `inWizardLoop` forces modal display.
    // Throws EngineError for an undefined skip-condition variable.
    DisplayDialogOutcome DisplayDialog(const std::string& key,
                                       const DisplayDialogParameters& params, bool inWizardLoop);
    void HideDialog();
    // Key of the dialog shown modally last and still bound; empty when none.
    const std::string& DialogToUnbind() const { return toUnbind_; }

  private:
    DialogScreen& screen_;
    DialogVariables& variables_;
    std::string toUnbind_;
};

} // namespace zk::ui

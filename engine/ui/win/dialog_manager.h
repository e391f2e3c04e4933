// The dialog manager: the table of preloaded wizard pages (dialog key -> host
// form), their display (modal loop until a result, or non-modal), positioning,
// hiding, and the click actions of the navigation controls (Tag 1 next, 2 back,
// 3 cancel after confirmation, 5 custom word). One engine-wide instance lives on
// the main thread; the free functions below act on it.
#pragma once
#include "engine/ui/win/windows_headers.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ui/display_dialog.h"
#include "engine/ui/win/form_host.h"

namespace zk::ui {

class DialogManager final : public DialogScreen {
  public:
    DialogManager() = default;
    ~DialogManager() override;

    void Init(const std::string& supportFolder);
    // Engine services and variables used while pages are prepared and clicked.
    void Attach(DialogServices* services, DialogVariables* variables);
    // Loads the dialog file into a new hidden host form under the (upper-cased)
    // key, replacing a form of the same key, and reads its rules file (path +
    // ".zorf"). Throws EngineError when either file cannot be read or is invalid.
    HWND Register(const std::string& key, const std::string& path);
    TPoolTemplate* Find(const std::string& key) const;
    void Free();

    // DialogScreen
    void PrepareDialog(const std::string& key) override;
    void UnbindDialog(const std::string& key) override;
    ShowOutcome ShowDialog(const std::string& key, bool modal) override;
    void HideCurrentDialog() override;
    void LockPainting(std::uintptr_t window, bool locked) override;

    const std::string& CurrentKey() const { return currentKey_; }
    HWND OnScreenWindow() const { return onScreenWindow_; }
    bool CancelRequested() const { return cancelRequested_; }
    bool Preparing() const { return preparing_; }
    const std::string& SupportFolder() const { return supportFolder_; }
    // Handles every message waiting for the main thread (pages stay responsive).
    void ProcessMessages();

    // The cancel confirmation; the default shows the engine's Yes/No question box.
    std::function<bool(HWND owner, const std::string& caption, const std::string& text)>
        confirmCancel;

    // The click actions by Tag (public so that bindings and tests can run them).
    void ControlClick(TPoolTemplate& form, Component& control);

  private:
    struct Entry {
        std::string key;
        std::unique_ptr<TPoolTemplate> form;
    };
    void Show(TPoolTemplate& form);
    void ShowAndFocus(TPoolTemplate& form);
    void Position(TPoolTemplate& form);
    void LoadContentFiles(TPoolTemplate& form);
    void RememberPosition(TPoolTemplate& form);
    bool Silent() const { return services_ && services_->Silent(); }

    std::string supportFolder_;
    std::vector<Entry> table_;
    DialogServices* services_ = nullptr;
    DialogVariables* variables_ = nullptr;
    std::string currentKey_;
    TPoolTemplate* onScreen_ = nullptr;
    HWND onScreenWindow_ = nullptr;
    HWND unboundWindow_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool recentre_ = true;
    bool cancelRequested_ = false;
    bool preparing_ = false;
    bool minimisedToTray_ = false;
    TPoolTemplate* deferred_ = nullptr;
};

// The engine-wide dialog manager.
DialogManager& Dialogs();
void InitDialogs(const std::string& supportFolder);
HWND RegisterDialog(const std::string& key, const std::string& path);
TPoolTemplate* FindDialog(const std::string& key);
ShowOutcome ShowDialog(const std::string& key, bool modal);
void HideCurrentDialog();
void FreeDialogs();

} // namespace zk::ui

#include "engine/ui/win/dialog_manager.h"

#include "engine/ui/win/windows_headers.h"

#include <filesystem>

#include "common/ansi_case.h"
#include "common/comma_text.h"
#include "common/line_file.h"
#include "engine/script/engine_error.h"
#include "engine/ui/form_reader.h"
#include "engine/ui/content_files.h"
#include "engine/ui/swf_header.h"
#include "engine/ui/win/control_windows.h"

namespace zk::ui {
namespace {

// Changes the current folder for the scope and restores it afterwards.
class FolderScope {
  public:
    explicit FolderScope(const std::string& folder) {
        char buf[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, buf);
        saved_ = buf;
        if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
    }
    ~FolderScope() { SetCurrentDirectoryA(saved_.c_str()); }
    FolderScope(const FolderScope&) = delete;
    FolderScope& operator=(const FolderScope&) = delete;

  private:
    std::string saved_;
};

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithSlash(std::string p) {
    if (!p.empty() && p.back() != '\\' && p.back() != '/') p += '\\';
    return p;
}

// Keyboard navigation for whichever page the message belongs to.
bool HandleDialogKeys(MSG& m) {
    HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
    if (!root) return false;
    char cls[32] = {};
    GetClassNameA(root, cls, sizeof cls);
    return AnsiSameText(cls, kHostClass) && IsDialogMessageA(root, &m);
}

DWORD CALLBACK StreamFromString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* source = reinterpret_cast<std::pair<const std::string*, std::size_t>*>(cookie);
    std::size_t left = source->first->size() - source->second;
    std::size_t n = std::min<std::size_t>(left, static_cast<std::size_t>(count));
    memcpy(buffer, source->first->data() + source->second, n);
    source->second += n;
    *done = static_cast<LONG>(n);
    return 0;
}

void SetMemoText(Component& c, const std::string& text, bool rtf) {
    if (!c.Handle()) return;
    if (rtf && c.Kind() == ComponentKind::RichEdit) {
        std::pair<const std::string*, std::size_t> source{&text, 0};
        EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, StreamFromString};
        SendMessageA(c.Handle(), EM_SETTEXTMODE, TM_RICHTEXT, 0);
        SendMessageA(c.Handle(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        return;
    }
    // Plain text files may end lines with LF alone; the edit control needs CR LF.
    c.SetProperty("Lines.Strings", JoinLinesCrLf(SplitLines(text)));
}

} // namespace

DialogManager::~DialogManager() {
    Free();
}

void DialogManager::Init(const std::string& supportFolder) {
    Free();
    supportFolder_ = WithSlash(supportFolder);
    recentre_ = true;
    currentKey_.clear();
    cancelRequested_ = false;
    RegisterHostWindowClasses();
}

void DialogManager::Attach(DialogServices* services, DialogVariables* variables) {
    services_ = services;
    variables_ = variables;
}

HWND DialogManager::Register(const std::string& key, const std::string& path) {
    std::filesystem::path file(path);
    std::string folder = file.has_parent_path() ? file.parent_path().string() : std::string();
    FolderScope scope(folder);
    const std::string upper = AnsiUpper(key);
    Entry* slot = nullptr;
    for (auto& e : table_)
        if (e.key == upper) slot = &e;
    if (slot) {
        if (slot->form) {
            if (onScreen_ == slot->form.get()) {
                onScreen_ = nullptr;
                onScreenWindow_ = nullptr;
            }
            slot->form->ShowForm(false);
            slot->form.reset();
        }
        ProcessMessages();
    } else {
        table_.push_back({upper, nullptr});
        slot = &table_.back();
    }
    auto bytes = ReadFileBytes(path);
    if (!bytes) throw EngineError("Cannot read dialog file " + path);
    std::string name = file.filename().string();
    FormObject tree = ReadFormText(*bytes, name);
    auto form = TPoolTemplate::Load(tree, name,
                                    folder.empty() ? std::filesystem::current_path()
                                                   : std::filesystem::path(folder));
    form->Form().SetProperty("Hint", name);
    auto rules = ReadLineFile(path + ".zorf");
    if (!rules) throw EngineError("Cannot read dialog rules file " + path + ".zorf");
    form->rules = JoinCommaText(*rules);
    TPoolTemplate* raw = form.get();
    raw->onClick = [this, raw](Component& c) { ControlClick(*raw, c); };
    slot->form = std::move(form);
    return raw->Handle();
}

TPoolTemplate* DialogManager::Find(const std::string& key) const {
    for (const auto& e : table_)
        if (e.key == key) return e.form.get();
    return nullptr;
}

void DialogManager::Free() {
    for (auto& e : table_)
        e.form.reset();
    table_.clear();
    onScreen_ = nullptr;
    onScreenWindow_ = nullptr;
    unboundWindow_ = nullptr;
    deferred_ = nullptr;
    currentKey_.clear();
}

void DialogManager::ProcessMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        if (HandleDialogKeys(m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void DialogManager::LoadContentFiles(TPoolTemplate& form) {
    std::string language;
    if (variables_ && variables_->Exists("LANGUAGE")) language = variables_->Get("LANGUAGE");
    auto exists = [this](const std::string& name) { return FileExists(supportFolder_ + name); };
    for (Component* c : form.Components()) {
        ContentControl control;
        switch (c->Kind()) {
        case ComponentKind::Memo:
            control = ContentControl::Memo;
            break;
        case ComponentKind::RichEdit:
            control = ContentControl::RichEdit;
            break;
        case ComponentKind::HtmlViewer:
            control = ContentControl::HtmlViewer;
            break;
        case ComponentKind::FlashFrame:
            control = ContentControl::FlashFrame;
            break;
        default:
            continue;
        }
        if (!LoadsContentFile(control, c->Tag())) continue;
        ContentFile content = FindContentFile(control, c->Tag(), language, exists);
        std::string text;
        if (content.found) {
            auto bytes = ReadFileBytes(supportFolder_ + content.fileName);
            text = bytes ? *bytes : "";
        }
        switch (control) {
        case ContentControl::Memo:
        case ContentControl::RichEdit:
            SetMemoText(
                *c, content.found ? text : content.hintText,
                content.found &&
                    AnsiSameText(std::filesystem::path(content.fileName).extension().string(),
                                 ".rtf"));
            break;
        case ContentControl::HtmlViewer:
            SetHtmlDocument(*c, content.found ? text : "<p>" + content.hintText + "</p>");
            break;
        case ContentControl::FlashFrame: {
            if (!content.found) {
                c->SetProperty("Caption", content.hintText);
                break;
            }
            if (c->StoredBool("AutoSize", false))
                if (auto size = ReadSwfFrameSize(text)) {
                    c->SetProperty("Width", std::to_string(size->width));
                    c->SetProperty("Height", std::to_string(size->height));
                }
            // The engine carries no Flash player control of its own.
            std::string message = "Unable to play Flash movie";
            c->SetProperty("Caption", services_ ? services_->EngineMessage(message) : message);
            break;
        }
        }
    }
}

void DialogManager::PrepareDialog(const std::string& key) {
    if (Silent()) return;
    TPoolTemplate* form = Find(AnsiUpper(key));
    if (!form) throw EngineError("No dialog is loaded for key " + key);
    preparing_ = true;
    try {
        LoadContentFiles(*form);
    } catch (...) {
        preparing_ = false;
        throw;
    }
    preparing_ = false;
}

void DialogManager::UnbindDialog(const std::string& key) {
    if (Silent()) return;
    TPoolTemplate* form = Find(AnsiUpper(key));
    if (form) unboundWindow_ = form->Handle();
}

void DialogManager::LockPainting(std::uintptr_t window, bool locked) {
    auto h = reinterpret_cast<HWND>(window);
    if (!IsWindow(h)) return;
    SendMessageA(h, WM_SETREDRAW, locked ? FALSE : TRUE, 0);
    if (!locked)
        RedrawWindow(h, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void DialogManager::Position(TPoolTemplate& form) {
    RECT r;
    GetWindowRect(form.Handle(), &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (!recentre_ && (width != width_ || height != height_)) recentre_ = true;
    if (recentre_) {
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        form.Form().SetProperty("Left",
                                std::to_string(work.left + (work.right - work.left - width) / 2));
        form.Form().SetProperty("Top",
                                std::to_string(work.top + (work.bottom - work.top - height) / 2));
        width_ = width;
        height_ = height;
    } else {
        form.Form().SetProperty("Left", std::to_string(left_));
        form.Form().SetProperty("Top", std::to_string(top_));
    }
    recentre_ = false;
}

void DialogManager::RememberPosition(TPoolTemplate& form) {
    if (!form.Handle()) return;
    RECT r;
    GetWindowRect(form.Handle(), &r);
    left_ = r.left;
    top_ = r.top;
}

void DialogManager::ShowAndFocus(TPoolTemplate& form) {
    HWND h = form.Handle();
    ShowWindow(h, SW_SHOWNORMAL);
    SetForegroundWindow(h);
    HWND focus = GetFocus();
    if (!focus || (focus != h && !IsChild(h, focus)) || focus == h) form.RestoreFocus();
    onScreenWindow_ = h;
    ProcessMessages();
}

void DialogManager::Show(TPoolTemplate& form) {
    form.closable = false;
    if (minimisedToTray_)
        deferred_ = &form;
    else
        ShowAndFocus(form);
    if (onScreen_ && onScreen_ != &form) {
        onScreen_->closable = true;
        onScreen_->ShowForm(false);
        if (unboundWindow_ && unboundWindow_ != form.Handle() && IsWindow(unboundWindow_))
            ShowWindow(unboundWindow_, SW_HIDE);
        ProcessMessages();
    }
    onScreen_ = &form;
    if (!minimisedToTray_) ShowAndFocus(form);
}

ShowOutcome DialogManager::ShowDialog(const std::string& key, bool modal) {
    ShowOutcome outcome;
    cancelRequested_ = false;
    FolderScope scope(supportFolder_);
    currentKey_ = AnsiUpper(key);
    if (Silent()) {
        outcome.result = DialogResult::drNext;
        if (modal) currentKey_.clear();
        return outcome;
    }
    TPoolTemplate* form = Find(currentKey_);
    if (!form) throw EngineError("No dialog is loaded for key " + key);
    // A fresh window each time; an old handle left with the script names no page.
    if (unboundWindow_ == form->Handle()) unboundWindow_ = nullptr;
    if (onScreen_ == form) onScreen_ = nullptr;
    form->ShowForm(false);
    form->RecreateWindow();
    Position(*form);
    if (modal) {
        form->result = DialogResult::drNone;
        Show(*form);
        while (form->result == DialogResult::drNone) {
            MSG m;
            BOOL got = GetMessageA(&m, nullptr, 0, 0);
            if (got <= 0) {
                // The process is ending: the page ends as cancelled and the quit request stays.
                PostQuitMessage(got == 0 ? static_cast<int>(m.wParam) : 1);
                form->result = DialogResult::drCancel;
                break;
            }
            if (HandleDialogKeys(m)) continue;
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        outcome.result = form->result;
        if (form->result == DialogResult::drCustom) outcome.customWord = form->customWord;
        currentKey_.clear();
    } else {
        outcome.windowHandle = reinterpret_cast<std::uintptr_t>(form->Handle());
        Show(*form);
    }
    RememberPosition(*form);
    return outcome;
}

void DialogManager::HideCurrentDialog() {
    TPoolTemplate* form = currentKey_.empty() ? nullptr : Find(currentKey_);
    if (!form) return;
    form->closable = true;
    form->ShowForm(false);
    if (unboundWindow_ && IsWindow(unboundWindow_)) ShowWindow(unboundWindow_, SW_HIDE);
    onScreenWindow_ = nullptr;
    ProcessMessages();
    if (onScreen_ == form) onScreen_ = nullptr;
    currentKey_.clear();
    RememberPosition(*form);
}

void DialogManager::ControlClick(TPoolTemplate& form, Component& control) {
    if (preparing_) return;
    switch (control.Tag()) {
    case 1:
        form.result = DialogResult::drNext;
        break;
    case 2:
        form.result = DialogResult::drBack;
        break;
    case 3: {
        std::string caption = services_ ? services_->EngineCaption() : "Korvane Wizard";
        std::string english = "Are you sure you want to cancel?";
        std::string text = services_ ? services_->EngineMessage(english) : english;
        bool yes = confirmCancel ? confirmCancel(form.Handle(), caption, text)
                                 : MessageBoxA(form.Handle(), text.c_str(), caption.c_str(),
                                               MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
        if (!yes) break;
        cancelRequested_ = true;
        control.SetProperty("Enabled", "False");
        if (!(services_ && services_->InstallationRunning())) form.result = DialogResult::drCancel;
        break;
    }
    case 5:
        form.result = DialogResult::drCustom;
        form.customWord = control.Name();
        break;
    default:
        break;
    }
}

DialogManager& Dialogs() {
    static DialogManager manager;
    return manager;
}

void InitDialogs(const std::string& supportFolder) {
    Dialogs().Init(supportFolder);
}
HWND RegisterDialog(const std::string& key, const std::string& path) {
    return Dialogs().Register(key, path);
}
TPoolTemplate* FindDialog(const std::string& key) {
    return Dialogs().Find(AnsiUpper(key));
}
ShowOutcome ShowDialog(const std::string& key, bool modal) {
    return Dialogs().ShowDialog(key, modal);
}
void HideCurrentDialog() {
    Dialogs().HideCurrentDialog();
}
void FreeDialogs() {
    Dialogs().Free();
}

} // namespace zk::ui

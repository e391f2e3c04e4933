// The runtime form host: a dialog file's object tree becomes a host form
// (`TPoolTemplate`, a top-level window) with one real child window per nested
// component. Every component exposes its published properties by name as text
// (property_text.h) both ways; loading the file sets them the same way.
#pragma once
#include "engine/ui/win/windows_headers.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ui/component_classes.h"
#include "engine/ui/display_dialog.h"
#include "engine/ui/form_object.h"

namespace zk::ui {

class TPoolTemplate;

class Component {
  public:
    Component(TPoolTemplate& owner, const ComponentClass& cls, std::string name, Component* parent);

    const std::string& Name() const { return name_; }
    const std::string& ClassName() const { return cls_.className; }
    ComponentKind Kind() const { return cls_.kind; }
    const ComponentClass& Class() const { return cls_; }
    Component* Parent() const { return parent_; }
    const std::vector<Component*>& Children() const { return children_; }
    TPoolTemplate& Owner() const { return owner_; }
    HWND Handle() const { return hwnd_; }

    // Sets a property from its text form. Known properties are checked and
    // normalised (false: not a valid value, nothing changes) and applied to the
    // live control; unknown ones are kept as given and reported once.
    bool SetProperty(std::string_view name, std::string_view text);
    // The current value in the text form (live state of the control where the
    // user can change it); nullopt when the component has no such property.
    std::optional<std::string> GetProperty(std::string_view name) const;

    // Stored value (design or last set) or `fallback`.
    std::string Stored(std::string_view name, std::string_view fallback = "") const;
    long long StoredInt(std::string_view name, long long fallback) const;
    bool StoredBool(std::string_view name, bool fallback) const;
    long long Tag() const { return StoredInt("Tag", 0); }
    const std::vector<std::string>& UnknownProperties() const { return unknown_; }

    // Runtime content (not published properties).
    std::vector<std::string>& CheckedItems() { return checkedItems_; }
    // Full paths behind the items of folder views, in item order.
    std::vector<std::string>& ItemPaths() { return itemPaths_; }

  private:
    friend class TPoolTemplate;
    friend struct ControlWindows;
    TPoolTemplate& owner_;
    const ComponentClass& cls_;
    std::string name_;
    Component* parent_;
    std::vector<Component*> children_;
    HWND hwnd_ = nullptr;
    std::vector<std::pair<std::string, std::string>> props_; // canonical name, text
    std::vector<std::string> unknown_;
    std::vector<std::string> checkedItems_;
    std::vector<std::string> itemPaths_;
};

struct FontSettings {
    std::string name = "Tahoma";
    int height = -11;
    bool bold = false, italic = false, underline = false, strike = false;
    COLORREF colour = 0;
    bool operator<(const FontSettings& o) const;
};

class TPoolTemplate {
  public:
    // Builds a hidden host form from a dialog file's tree. `fileName` names the
    // file in errors; relative picture files resolve against `folder`. Throws
    // EngineError for a class a dialog may not use (file, line, class name).
    static std::unique_ptr<TPoolTemplate> Load(const FormObject& root, const std::string& fileName,
                                               const std::filesystem::path& folder);
    ~TPoolTemplate();
    TPoolTemplate(const TPoolTemplate&) = delete;
    TPoolTemplate& operator=(const TPoolTemplate&) = delete;

    HWND Handle() const { return form_->hwnd_; }
    Component& Form() { return *form_; }
    // Nested components in file order (the form itself excluded).
    const std::vector<Component*>& Components() const { return order_; }
    Component*
    FindComponent(std::string_view name) const; // ignoring case; the form by its name too
    Component* FromWindow(HWND hwnd) const;
    // "Name: unknown property P" lines for properties kept but not understood.
    std::vector<std::string> Warnings() const;
    const std::filesystem::path& Folder() const { return folder_; }

    // Destroys the windows and creates them again from the properties (the
    // live state is kept); the form gets a new window handle.
    void RecreateWindow();
    void ShowForm(bool show);
    bool Visible() const;

    // Dialog state (Parts of the dialog manager and bindings use these).
    DialogResult result = DialogResult::drNone;
    std::string customWord;
    bool closable = true;
    std::string rules; // comma text of the rules file
    // Called for clicks of buttons, labels, images and shapes.
    std::function<void(Component&)> onClick;
    // The one-second timer of every host window (progress rendering hooks in here).
    std::function<void()> onTimer;
    // Called when a link of an HTML view is clicked (url); true: handled.
    std::function<bool(Component&, const std::string&)> onLink;

    // Internal to the host's window procedures.
    HFONT FontFor(const Component& c);
    FontSettings FontSettingsOf(const Component& c) const;
    COLORREF ColourOf(const Component& c) const;
    HBRUSH BrushOf(const Component& c);
    LRESULT RouteMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool& handled);
    void ClickDefault(bool cancel);
    // Gives the focus back to the control that had it, else the default button or first control.
    void RestoreFocus();
    void CreateWindows();
    void DestroyWindows();
    Component* Create(const FormObject& obj, Component* parent, const std::string& fileName);

  private:
    TPoolTemplate() = default;
    void CreateChildWindows(Component& parent);
    void SnapshotLiveState();

    std::vector<std::unique_ptr<Component>> all_;
    Component* form_ = nullptr;
    std::vector<Component*> order_;
    std::filesystem::path folder_;
    std::map<FontSettings, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    int nextId_ = 1000;
    std::map<Component*, int> ids_;
    friend struct ControlWindows;
};

// The document of an HTML view (THTMLViewer): the text of an HTML page, and its title.
void SetHtmlDocument(Component& view, const std::string& html);
std::string HtmlDocumentTitle(const Component& view);

// Registers the host's window classes and loads the common controls (once).
void RegisterHostWindowClasses();
// "True"/"False" etc. come from property_text.h; COLORREF of a colour text.
COLORREF ColourFromText(std::string_view text, COLORREF fallback);

} // namespace zk::ui

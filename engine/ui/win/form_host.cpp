#include "engine/ui/win/form_host.h"

#include <algorithm>

#include "common/ansi_case.h"
#include "engine/script/engine_error.h"
#include "engine/ui/property_text.h"
#include "engine/ui/win/control_windows.h"

namespace zk::ui {

namespace {
std::string FormValueTextForError(const std::string& text) {
    return text.size() > 60 ? text.substr(0, 60) + "..." : text;
}
} // namespace

bool FontSettings::operator<(const FontSettings& o) const {
    return std::tie(name, height, bold, italic, underline, strike, colour) <
           std::tie(o.name, o.height, o.bold, o.italic, o.underline, o.strike, o.colour);
}

COLORREF ColourFromText(std::string_view text, COLORREF fallback) {
    std::uint32_t v = 0;
    if (!ParseColourText(text, v)) return fallback;
    if ((v & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(v & 0xFF));
    if (v == 0x1FFFFFFF || v == 0x20000000) return fallback; // clNone, clDefault
    return static_cast<COLORREF>(v & 0x00FFFFFF);
}

Component::Component(TPoolTemplate& owner, const ComponentClass& cls, std::string name,
                     Component* parent)
    : owner_(owner), cls_(cls), name_(std::move(name)), parent_(parent) {}

std::string Component::Stored(std::string_view name, std::string_view fallback) const {
    for (const auto& [n, v] : props_)
        if (AnsiSameText(n, name)) return v;
    return std::string(fallback);
}

long long Component::StoredInt(std::string_view name, long long fallback) const {
    std::int64_t v = 0;
    for (const auto& [n, text] : props_)
        if (AnsiSameText(n, name)) return ParseIntegerText(text, v) ? v : fallback;
    return fallback;
}

bool Component::StoredBool(std::string_view name, bool fallback) const {
    bool b = false;
    for (const auto& [n, text] : props_)
        if (AnsiSameText(n, name)) return ParseBooleanText(text, b) ? b : fallback;
    return fallback;
}

bool Component::SetProperty(std::string_view name, std::string_view text) {
    if (AnsiSameText(name, "Name")) return AnsiSameText(text, name_);
    const PropertyInfo* property = cls_.Find(name);
    std::string value;
    std::string canonical;
    if (property) {
        auto normal = NormalizePropertyText(property->type, property->choices, text);
        if (!normal) return false;
        value = *normal;
        canonical = property->name;
    } else {
        value = std::string(text);
        canonical = std::string(name);
        bool seen = false;
        for (const auto& u : unknown_)
            if (AnsiSameText(u, name)) seen = true;
        if (!seen) unknown_.push_back(canonical);
    }
    bool replaced = false;
    for (auto& [n, v] : props_)
        if (AnsiSameText(n, canonical)) {
            v = value;
            replaced = true;
        }
    if (!replaced) props_.emplace_back(canonical, value);
    if (hwnd_ || !cls_.visual) ControlWindows::Apply(*this, canonical);
    return true;
}

std::optional<std::string> Component::GetProperty(std::string_view name) const {
    if (AnsiSameText(name, "Name")) return name_;
    const PropertyInfo* property = cls_.Find(name);
    if (hwnd_ && property) {
        if (auto live = ControlWindows::ReadLive(*this, property->name)) return live;
    }
    for (const auto& [n, v] : props_)
        if (AnsiSameText(n, name)) return v;
    if (property) return ControlWindows::DefaultValue(*this, *property);
    return std::nullopt;
}

TPoolTemplate::~TPoolTemplate() {
    DestroyWindows();
    for (auto& [settings, font] : fonts_)
        DeleteObject(font);
    for (auto& [colour, brush] : brushes_)
        DeleteObject(brush);
}

Component* TPoolTemplate::Create(const FormObject& obj, Component* parent,
                                 const std::string& fileName) {
    const ComponentClass* cls = parent ? FindComponentClass(obj.className) : &HostFormClass();
    if (!cls)
        throw EngineError(fileName + "(" + std::to_string(obj.line) + "): class " + obj.className +
                          " not found");
    if (parent && !parent->Class().container && cls->visual)
        throw EngineError(fileName + "(" + std::to_string(obj.line) + "): " + parent->ClassName() +
                          " cannot contain " + obj.className);
    auto comp = std::make_unique<Component>(*this, *cls, obj.name, parent);
    Component* c = comp.get();
    all_.push_back(std::move(comp));
    if (!parent) form_ = c;
    if (parent) {
        parent->children_.push_back(c);
        order_.push_back(c);
    }
    for (const auto& p : obj.properties) {
        std::string text = PropertyText(p.value);
        if (!c->SetProperty(p.name, text))
            throw EngineError(fileName + "(" + std::to_string(p.line) + "): invalid value '" +
                              FormValueTextForError(text) + "' for " + obj.name + "." + p.name);
    }
    for (const auto& child : obj.children)
        Create(child, c, fileName);
    return c;
}

std::unique_ptr<TPoolTemplate> TPoolTemplate::Load(const FormObject& root,
                                                   const std::string& fileName,
                                                   const std::filesystem::path& folder) {
    RegisterHostWindowClasses();
    std::unique_ptr<TPoolTemplate> host(new TPoolTemplate());
    host->folder_ = folder;
    host->form_ = host->Create(root, nullptr, fileName);
    // Names must be unique: the bindings and rules find components by name.
    for (std::size_t i = 0; i < host->order_.size(); ++i)
        for (std::size_t j = i + 1; j < host->order_.size(); ++j)
            if (!host->order_[i]->Name().empty() &&
                AnsiSameText(host->order_[i]->Name(), host->order_[j]->Name()))
                throw EngineError(fileName + ": duplicate component name " +
                                  host->order_[j]->Name());
    host->CreateWindows();
    return host;
}

Component* TPoolTemplate::FindComponent(std::string_view name) const {
    for (Component* c : order_)
        if (AnsiSameText(c->Name(), name)) return c;
    if (form_ && AnsiSameText(form_->Name(), name)) return form_;
    return nullptr;
}

Component* TPoolTemplate::FromWindow(HWND hwnd) const {
    if (!hwnd) return nullptr;
    auto* c = static_cast<Component*>(GetPropA(hwnd, "ZkComponent"));
    if (!c || &c->Owner() != this) return nullptr;
    return c;
}

std::vector<std::string> TPoolTemplate::Warnings() const {
    std::vector<std::string> out;
    for (const auto& c : all_)
        for (const auto& p : c->UnknownProperties())
            out.push_back((c->Name().empty() ? c->ClassName() : c->Name()) + ": unknown property " +
                          p);
    return out;
}

FontSettings TPoolTemplate::FontSettingsOf(const Component& c) const {
    FontSettings settings;
    if (c.Parent() && c.StoredBool("ParentFont", true))
        settings = FontSettingsOf(*c.Parent());
    else if (c.Parent())
        settings = FontSettingsOf(*form_);
    if (c.Class().Find("Font.Name") == nullptr) return settings;
    std::string name = c.Stored("Font.Name");
    if (!name.empty()) settings.name = name;
    long long height = c.StoredInt("Font.Height", 0);
    if (height) settings.height = static_cast<int>(height);
    long long size = c.StoredInt("Font.Size", 0);
    if (size) settings.height = -MulDiv(static_cast<int>(size), 96, 72);
    std::string style = c.Stored("Font.Style", "");
    if (!style.empty()) {
        auto items = SplitSetText(style);
        auto has = [&](const char* s) {
            return std::any_of(items.begin(), items.end(),
                               [&](const std::string& i) { return AnsiSameText(i, s); });
        };
        settings.bold = has("fsBold");
        settings.italic = has("fsItalic");
        settings.underline = has("fsUnderline");
        settings.strike = has("fsStrikeOut");
    }
    std::string colour = c.Stored("Font.Color");
    if (!colour.empty())
        settings.colour = ColourFromText(colour, settings.colour);
    else if (!c.Parent())
        settings.colour = GetSysColor(COLOR_WINDOWTEXT);
    return settings;
}

HFONT TPoolTemplate::FontFor(const Component& c) {
    FontSettings settings = FontSettingsOf(c);
    auto it = fonts_.find(settings);
    if (it != fonts_.end()) return it->second;
    HFONT font = CreateFontA(settings.height, 0, 0, 0, settings.bold ? FW_BOLD : FW_NORMAL, settings.italic,
                             settings.underline, settings.strike, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             settings.name.c_str());
    fonts_[settings] = font;
    return font;
}

COLORREF TPoolTemplate::ColourOf(const Component& c) const {
    std::string own = c.Stored("Color");
    std::string parentFlag = c.Stored("ParentColor");
    bool parentColour = parentFlag.empty()
                            ? own.empty() && ControlWindows::ParentColourByDefault(c.Kind())
                            : parentFlag == "True";
    if (c.Parent() && parentColour) return ColourOf(*c.Parent());
    if (!own.empty()) return ColourFromText(own, ControlWindows::DefaultColour(c.Kind()));
    return ControlWindows::DefaultColour(c.Kind());
}

HBRUSH TPoolTemplate::BrushOf(const Component& c) {
    COLORREF colour = ColourOf(c);
    auto it = brushes_.find(colour);
    if (it != brushes_.end()) return it->second;
    HBRUSH brush = CreateSolidBrush(colour);
    brushes_[colour] = brush;
    return brush;
}

void TPoolTemplate::CreateWindows() {
    ControlWindows::CreateAll(*this, *form_);
}

void TPoolTemplate::DestroyWindows() {
    if (form_ && form_->hwnd_) {
        HWND hwnd = form_->hwnd_;
        DestroyWindow(hwnd);
    }
    for (auto& c : all_)
        c->hwnd_ = nullptr;
}

void TPoolTemplate::SnapshotLiveState() {
    for (auto& c : all_)
        ControlWindows::Snapshot(*c);
}

void TPoolTemplate::RecreateWindow() {
    bool wasVisible = Visible();
    SnapshotLiveState();
    DestroyWindows();
    CreateWindows();
    if (wasVisible) ShowForm(true);
}

void TPoolTemplate::ShowForm(bool show) {
    if (!form_->hwnd_) return;
    ShowWindow(form_->hwnd_, show ? SW_SHOWNORMAL : SW_HIDE);
}

bool TPoolTemplate::Visible() const {
    return form_->hwnd_ && IsWindowVisible(form_->hwnd_);
}

void TPoolTemplate::RestoreFocus() {
    HWND h = Handle();
    auto saved = static_cast<HWND>(GetPropA(h, "ZkFocus"));
    HWND target = nullptr;
    if (saved && IsWindow(saved) && IsChild(h, saved) && IsWindowEnabled(saved) &&
        IsWindowVisible(saved))
        target = saved;
    for (Component* c : order_)
        if (!target && c->Handle() && c->Class().Find("Default") &&
            c->StoredBool("Default", false) && IsWindowEnabled(c->Handle()) &&
            IsWindowVisible(c->Handle()))
            target = c->Handle();
    if (!target) target = GetNextDlgTabItem(h, nullptr, FALSE);
    if (target && target != h) SetFocus(target);
}

void TPoolTemplate::ClickDefault(bool cancel) {
    for (Component* c : order_) {
        if (!c->Handle() || !IsWindowEnabled(c->Handle()) || !IsWindowVisible(c->Handle()))
            continue;
        if (!c->Class().Find(cancel ? "Cancel" : "Default")) continue;
        if (c->StoredBool(cancel ? "Cancel" : "Default", false)) {
            if (onClick) onClick(*c);
            return;
        }
    }
}

} // namespace zk::ui

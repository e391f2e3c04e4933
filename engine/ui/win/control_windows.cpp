#include "engine/ui/win/control_windows.h"

#include "engine/ui/win/windows_headers.h"

#include <algorithm>

#include "common/ansi_case.h"
#include "engine/ui/property_text.h"

namespace zk::ui {
namespace {

bool Is(const std::string& a, const char* b) {
    return AnsiSameText(a, b);
}

bool IsButtonKind(ComponentKind k) {
    return k == ComponentKind::Button || k == ComponentKind::BitBtn ||
           k == ComponentKind::SpeedButton || k == ComponentKind::BmpButton;
}
bool IsListKind(ComponentKind k) {
    return k == ComponentKind::ListBox || k == ComponentKind::FileListBox ||
           k == ComponentKind::DirectoryListBox;
}
bool IsComboKind(ComponentKind k) {
    return k == ComponentKind::ComboBox || k == ComponentKind::DriveComboBox ||
           k == ComponentKind::FilterComboBox || k == ComponentKind::ShellCombo;
}
bool IsGraphicKind(ComponentKind k) {
    return k == ComponentKind::Bevel || k == ComponentKind::Shape || k == ComponentKind::Image ||
           k == ComponentKind::FormShape;
}
bool IsPanelKind(ComponentKind k) {
    return k == ComponentKind::Panel || k == ComponentKind::GroupBox ||
           k == ComponentKind::TabSheet || k == ComponentKind::FlashFrame;
}
bool IsMemoKind(ComponentKind k) {
    return k == ComponentKind::Memo || k == ComponentKind::RichEdit;
}
bool IsProgressKind(ComponentKind k) {
    return k == ComponentKind::ProgressBar || k == ComponentKind::Gauge;
}

// Property names of the position a kind's range control uses.
const char* MinName(ComponentKind k) {
    return k == ComponentKind::Gauge ? "MinValue" : "Min";
}
const char* MaxName(ComponentKind k) {
    return k == ComponentKind::Gauge ? "MaxValue" : "Max";
}
const char* PosName(ComponentKind k) {
    return k == ComponentKind::Gauge ? "Progress" : "Position";
}

std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(std::max(n, 0)));
    return s;
}

const char* RichEditClass() {
    static const char* cls = [] {
        if (LoadLibraryA("msftedit.dll")) return "RICHEDIT50W";
        if (LoadLibraryA("riched20.dll")) return "RichEdit20A";
        return "Edit";
    }();
    return cls;
}

struct Creation {
    const char* windowClass = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};

Creation CreationOf(const Component& c) {
    Creation k;
    const ComponentKind kind = c.Kind();
    DWORD tab = c.StoredBool("TabStop", true) ? WS_TABSTOP : 0;
    DWORD edge = Is(c.Stored("BorderStyle", "bsSingle"), "bsNone") ? 0 : WS_EX_CLIENTEDGE;
    std::string align = c.Stored("Alignment", "taLeftJustify");
    switch (kind) {
    case ComponentKind::Label:
    case ComponentKind::StaticText: {
        k.windowClass = "Static";
        k.style = SS_NOTIFY;
        if (Is(align, "taCenter"))
            k.style |= SS_CENTER;
        else if (Is(align, "taRightJustify"))
            k.style |= SS_RIGHT;
        else if (kind == ComponentKind::Label && !c.StoredBool("WordWrap", false))
            k.style |= SS_LEFTNOWORDWRAP;
        if (!c.StoredBool("ShowAccelChar", true)) k.style |= SS_NOPREFIX;
        std::string border = c.Stored("BorderStyle", "sbsNone");
        if (Is(border, "sbsSunken")) k.exStyle |= WS_EX_STATICEDGE;
        if (Is(border, "sbsSingle")) k.style |= WS_BORDER;
        break;
    }
    case ComponentKind::Edit:
    case ComponentKind::MaskEdit: {
        k.windowClass = "Edit";
        k.style = ES_AUTOHSCROLL | (c.StoredBool("TabStop", true) ? WS_TABSTOP : 0);
        if (c.StoredBool("ReadOnly", false)) k.style |= ES_READONLY;
        std::string cc = c.Stored("CharCase", "ecNormal");
        if (Is(cc, "ecUpperCase")) k.style |= ES_UPPERCASE;
        if (Is(cc, "ecLowerCase")) k.style |= ES_LOWERCASE;
        k.exStyle = edge;
        break;
    }
    case ComponentKind::Memo:
    case ComponentKind::RichEdit: {
        k.windowClass = kind == ComponentKind::RichEdit ? RichEditClass() : "Edit";
        k.style = ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP;
        if (c.StoredBool("WantReturns", true)) k.style |= ES_WANTRETURN;
        if (c.StoredBool("ReadOnly", false)) k.style |= ES_READONLY;
        if (!c.StoredBool("WordWrap", true)) k.style |= ES_AUTOHSCROLL;
        std::string bars = c.Stored("ScrollBars", "ssNone");
        if (kind == ComponentKind::RichEdit) bars = "ssBoth";
        if (Is(bars, "ssVertical") || Is(bars, "ssBoth")) k.style |= WS_VSCROLL;
        if (Is(bars, "ssHorizontal") || Is(bars, "ssBoth")) k.style |= WS_HSCROLL;
        if (kind == ComponentKind::RichEdit) k.style |= ES_SAVESEL;
        k.exStyle = edge;
        break;
    }
    case ComponentKind::Button:
    case ComponentKind::BitBtn:
    case ComponentKind::BmpButton:
        k.windowClass = "Button";
        k.style = (c.StoredBool("Default", false) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab;
        if (c.StoredBool("WordWrap", false)) k.style |= BS_MULTILINE;
        break;
    case ComponentKind::SpeedButton:
        k.windowClass = "Button";
        k.style = BS_PUSHBUTTON | (c.StoredBool("Flat", false) ? BS_FLAT : 0);
        break;
    case ComponentKind::CheckBox:
    case ComponentKind::RadioButton:
        k.windowClass = "Button";
        if (kind == ComponentKind::CheckBox)
            k.style = c.StoredBool("AllowGrayed", false) ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
        else
            k.style = BS_AUTORADIOBUTTON;
        k.style |= tab;
        if (Is(c.Stored("Alignment", "taRightJustify"), "taLeftJustify"))
            k.style |= BS_LEFTTEXT | BS_RIGHT;
        if (c.StoredBool("WordWrap", false)) k.style |= BS_MULTILINE;
        break;
    case ComponentKind::ListBox:
    case ComponentKind::FileListBox:
    case ComponentKind::DirectoryListBox:
        k.windowClass = "ListBox";
        k.style = LBS_NOTIFY | WS_VSCROLL | tab | LBS_HASSTRINGS;
        if (!c.StoredBool("IntegralHeight", false)) k.style |= LBS_NOINTEGRALHEIGHT;
        if (c.StoredBool("MultiSelect", false))
            k.style |= c.StoredBool("ExtendedSelect", true) ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
        if (c.StoredBool("Sorted", false)) k.style |= LBS_SORT;
        k.exStyle = edge;
        break;
    case ComponentKind::CheckListBox:
    case ComponentKind::ShellList:
        k.windowClass = WC_LISTVIEWA;
        k.style = LVS_SHOWSELALWAYS | tab;
        if (kind == ComponentKind::CheckListBox)
            k.style |= LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL;
        else
            k.style |= Is(c.Stored("ViewStyle", "vsList"), "vsReport") ? LVS_REPORT : LVS_LIST;
        k.exStyle = edge;
        break;
    case ComponentKind::ComboBox:
    case ComponentKind::DriveComboBox:
    case ComponentKind::FilterComboBox:
    case ComponentKind::ShellCombo: {
        k.windowClass = "ComboBox";
        std::string style =
            kind == ComponentKind::ComboBox ? c.Stored("Style", "csDropDown") : "csDropDownList";
        if (Is(style, "csSimple"))
            k.style = CBS_SIMPLE;
        else if (Is(style, "csDropDown"))
            k.style = CBS_DROPDOWN;
        else
            k.style = CBS_DROPDOWNLIST;
        k.style |= CBS_AUTOHSCROLL | WS_VSCROLL | tab | CBS_HASSTRINGS;
        if (c.StoredBool("Sorted", false)) k.style |= CBS_SORT;
        break;
    }
    case ComponentKind::GroupBox:
    case ComponentKind::Panel:
    case ComponentKind::TabSheet:
    case ComponentKind::FlashFrame:
        k.windowClass = kPanelClass;
        k.exStyle = WS_EX_CONTROLPARENT;
        break;
    case ComponentKind::Bevel:
    case ComponentKind::Shape:
    case ComponentKind::Image:
    case ComponentKind::FormShape:
        k.windowClass = kGraphicClass;
        break;
    case ComponentKind::Gauge:
    case ComponentKind::ProgressBar:
        k.windowClass = PROGRESS_CLASSA;
        if (c.StoredBool("Smooth", false) || kind == ComponentKind::Gauge) k.style |= PBS_SMOOTH;
        if (Is(c.Stored("Orientation", "pbHorizontal"), "pbVertical") ||
            Is(c.Stored("Kind", "gkHorizontalBar"), "gkVerticalBar"))
            k.style |= PBS_VERTICAL;
        if (Is(c.Stored("Style", "pbstNormal"), "pbstMarquee")) k.style |= PBS_MARQUEE;
        break;
    case ComponentKind::PageControl:
        k.windowClass = WC_TABCONTROLA;
        k.style = tab | TCS_TABS | (c.StoredBool("MultiLine", false) ? TCS_MULTILINE : 0);
        k.exStyle = WS_EX_CONTROLPARENT;
        break;
    case ComponentKind::TrackBar:
        k.windowClass = TRACKBAR_CLASSA;
        k.style =
            tab | (Is(c.Stored("Orientation", "trHorizontal"), "trVertical") ? TBS_VERT : TBS_HORZ);
        if (!Is(c.Stored("TickStyle", "tsAuto"), "tsNone"))
            k.style |= TBS_AUTOTICKS;
        else
            k.style |= TBS_NOTICKS;
        if (Is(c.Stored("TickMarks", "tmBottomRight"), "tmBoth")) k.style |= TBS_BOTH;
        if (Is(c.Stored("TickMarks", "tmBottomRight"), "tmTopLeft")) k.style |= TBS_TOP;
        break;
    case ComponentKind::UpDown:
        k.windowClass = UPDOWN_CLASSA;
        k.style =
            UDS_SETBUDDYINT |
            (Is(c.Stored("AlignButton", "udRight"), "udLeft") ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT);
        if (c.StoredBool("ArrowKeys", true)) k.style |= UDS_ARROWKEYS;
        if (c.StoredBool("Wrap", false)) k.style |= UDS_WRAP;
        if (!c.StoredBool("Thousands", true)) k.style |= UDS_NOTHOUSANDS;
        if (Is(c.Stored("Orientation", "udVertical"), "udHorizontal")) k.style |= UDS_HORZ;
        break;
    case ComponentKind::Animate:
        k.windowClass = ANIMATE_CLASSA;
        k.style = ACS_TRANSPARENT | (c.StoredBool("Center", true) ? ACS_CENTER : 0);
        break;
    case ComponentKind::TreeView:
    case ComponentKind::ShellTree:
        k.windowClass = WC_TREEVIEWA;
        k.style = tab;
        if (c.StoredBool("ShowButtons", true)) k.style |= TVS_HASBUTTONS;
        if (c.StoredBool("ShowLines", true)) k.style |= TVS_HASLINES;
        if (c.StoredBool("ShowRoot", true)) k.style |= TVS_LINESATROOT;
        if (!c.StoredBool("HideSelection", true) || kind == ComponentKind::ShellTree)
            k.style |= TVS_SHOWSELALWAYS;
        if (kind == ComponentKind::TreeView && !c.StoredBool("ReadOnly", false))
            k.style |= TVS_EDITLABELS;
        k.exStyle = edge;
        break;
    case ComponentKind::HtmlViewer:
        k.windowClass = kHtmlClass;
        k.style = WS_VSCROLL | tab;
        if (!Is(c.Stored("BorderStyle", "htFocused"), "htNone")) k.exStyle = WS_EX_CLIENTEDGE;
        break;
    case ComponentKind::VistaGlass:
    case ComponentKind::Form:
        break;
    }
    return k;
}

void SetItems(Component& c) {
    HWND h = c.Handle();
    auto items = SplitPropertyLines(c.Stored("Items.Strings"));
    const ComponentKind kind = c.Kind();
    if (IsListKind(kind)) {
        SendMessageA(h, LB_RESETCONTENT, 0, 0);
        for (const auto& i : items)
            SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(i.c_str()));
    } else if (IsComboKind(kind)) {
        SendMessageA(h, CB_RESETCONTENT, 0, 0);
        for (const auto& i : items)
            SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(i.c_str()));
    } else if (kind == ComponentKind::CheckListBox) {
        SendMessageA(h, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t n = 0; n < items.size(); ++n) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(n);
            item.pszText = const_cast<char*>(items[n].c_str());
            SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            bool checked = std::any_of(c.CheckedItems().begin(), c.CheckedItems().end(),
                                       [&](const std::string& s) { return s == items[n]; });
            LVITEMA state{};
            state.stateMask = LVIS_STATEIMAGEMASK;
            state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
            SendMessageA(h, LVM_SETITEMSTATE, n, reinterpret_cast<LPARAM>(&state));
        }
    }
}

void SetItemIndex(Component& c) {
    long long index = c.StoredInt("ItemIndex", -1);
    HWND h = c.Handle();
    if (IsListKind(c.Kind()))
        SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (IsComboKind(c.Kind())) {
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if (index < 0 && c.Class().Find("Text")) SetWindowTextA(h, c.Stored("Text").c_str());
    } else if (c.Kind() == ComponentKind::CheckListBox && index >= 0) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(h, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&state));
    }
}

void SetRange(Component& c) {
    HWND h = c.Handle();
    const ComponentKind kind = c.Kind();
    long long lo = c.StoredInt(MinName(kind), 0);
    long long hi = c.StoredInt(MaxName(kind), kind == ComponentKind::TrackBar ? 10 : 100);
    long long pos = c.StoredInt(PosName(kind), 0);
    if (IsProgressKind(kind)) {
        SendMessageA(h, PBM_SETRANGE32, static_cast<WPARAM>(lo), static_cast<LPARAM>(hi));
        SendMessageA(h, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
        std::string bar = c.Stored(kind == ComponentKind::Gauge ? "ForeColor" : "BarColor");
        if (!bar.empty())
            SendMessageA(h, PBM_SETBARCOLOR, 0,
                         static_cast<LPARAM>(ColourFromText(bar, CLR_DEFAULT)));
    } else if (kind == ComponentKind::TrackBar) {
        SendMessageA(h, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(lo));
        SendMessageA(h, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(hi));
        SendMessageA(h, TBM_SETTICFREQ, static_cast<WPARAM>(c.StoredInt("Frequency", 1)), 0);
        SendMessageA(h, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(c.StoredInt("PageSize", 2)));
        SendMessageA(h, TBM_SETPOS, TRUE, static_cast<LPARAM>(pos));
    } else if (kind == ComponentKind::UpDown) {
        SendMessageA(h, UDM_SETRANGE32, static_cast<WPARAM>(lo), static_cast<LPARAM>(hi));
        SendMessageA(h, UDM_SETPOS32, 0, static_cast<LPARAM>(pos));
    }
}

void ApplyFontTree(Component& c) {
    if (c.Handle() && c.Class().visual)
        SendMessageA(c.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(c.Owner().FontFor(c)), TRUE);
    for (Component* child : c.Children())
        ApplyFontTree(*child);
}

HWND ParentWindowOf(Component& c) {
    return c.Parent() ? c.Parent()->Handle() : nullptr;
}

void ShowActiveSheet(Component& pages) {
    int selected = static_cast<int>(SendMessageA(pages.Handle(), TCM_GETCURSEL, 0, 0));
    int tab = 0;
    for (Component* sheet : pages.Children()) {
        if (!sheet->Handle()) continue;
        bool visible = sheet->StoredBool("TabVisible", true);
        ShowWindow(sheet->Handle(), visible && tab == selected ? SW_SHOW : SW_HIDE);
        if (visible) ++tab;
    }
}

void LayoutSheets(Component& pages) {
    RECT r;
    GetClientRect(pages.Handle(), &r);
    SendMessageA(pages.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (Component* sheet : pages.Children())
        if (sheet->Handle())
            MoveWindow(sheet->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void FillTabs(Component& pages) {
    SendMessageA(pages.Handle(), TCM_DELETEALLITEMS, 0, 0);
    int tab = 0, active = 0;
    std::string activeName = pages.Stored("ActivePage");
    for (Component* sheet : pages.Children()) {
        if (!sheet->StoredBool("TabVisible", true)) continue;
        std::string caption = sheet->Stored("Caption");
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageA(pages.Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(tab),
                     reinterpret_cast<LPARAM>(&item));
        if (AnsiSameText(sheet->Name(), activeName)) active = tab;
        ++tab;
    }
    SendMessageA(pages.Handle(), TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
    ShowActiveSheet(pages);
}

void OpenAnimation(Component& c) {
    HWND h = c.Handle();
    std::string file = c.Stored("FileName");
    std::string common = c.Stored("CommonAVI", "aviNone");
    static const std::pair<const char*, int> kCommon[] = {
        {"aviFindFolder", 150},   {"aviFindFile", 151},  {"aviFindComputer", 152},
        {"aviCopyFiles", 160},    {"aviCopyFile", 161},  {"aviRecycleFile", 162},
        {"aviEmptyRecycle", 163}, {"aviDeleteFile", 164}};
    BOOL opened = FALSE;
    if (!file.empty()) {
        std::string path = (c.Owner().Folder() / file).string();
        opened = static_cast<BOOL>(
            SendMessageA(h, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str())));
    } else {
        for (const auto& [name, id] : kCommon)
            if (Is(common, name)) {
                HMODULE shell = GetModuleHandleA("shell32.dll");
                if (!shell) shell = LoadLibraryA("shell32.dll");
                opened = static_cast<BOOL>(SendMessageA(
                    h, ACM_OPENA, reinterpret_cast<WPARAM>(shell), static_cast<LPARAM>(id)));
            }
    }
    // Playback failures are not errors: the page shows without the animation.
    if (opened && c.StoredBool("Active", false))
        SendMessageA(
            h, ACM_PLAY,
            static_cast<WPARAM>(c.StoredInt("Repetitions", 0) ? c.StoredInt("Repetitions", 0) : -1),
            MAKELPARAM(0, 0xFFFF));
}

void ApplyGlass(Component& glass) {
    Component& form = glass.Owner().Form();
    if (form.Tag() == 1 || !form.Handle()) return;
    using IsEnabledFn = HRESULT(WINAPI*)(BOOL*);
    struct Margins {
        int left, right, top, bottom;
    };
    using ExtendFn = HRESULT(WINAPI*)(HWND, const Margins*);
    HMODULE dwm = LoadLibraryA("dwmapi.dll");
    if (!dwm) return; // no glass before Vista
    auto isEnabled = reinterpret_cast<IsEnabledFn>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
    auto extend = reinterpret_cast<ExtendFn>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmExtendFrameIntoClientArea")));
    BOOL composition = FALSE;
    if (!isEnabled || !extend || FAILED(isEnabled(&composition)) || !composition) return;
    Margins m{0, 0, 0, 0};
    if (glass.StoredBool("GlassEnabled", false)) {
        if (glass.StoredBool("SheetofGlass", false))
            m = {-1, -1, -1, -1};
        else
            m = {static_cast<int>(glass.StoredInt("GlassLeft", 0)),
                 static_cast<int>(glass.StoredInt("GlassRight", 0)),
                 static_cast<int>(glass.StoredInt("GlassTop", 0)),
                 static_cast<int>(glass.StoredInt("GlassBottom", 0))};
    }
    extend(form.Handle(), &m);
}

bool Live(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (Is(name, n)) return true;
    return false;
}

void PlaceForm(Component& form) {
    HWND h = form.Handle();
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE));
    DWORD ex = static_cast<DWORD>(GetWindowLongPtrA(h, GWL_EXSTYLE));
    int width = static_cast<int>(form.StoredInt("Width", 470));
    int height = static_cast<int>(form.StoredInt("Height", 215));
    if (!form.Stored("ClientWidth").empty() || !form.Stored("ClientHeight").empty()) {
        RECT r{0, 0, static_cast<int>(form.StoredInt("ClientWidth", 462)),
               static_cast<int>(form.StoredInt("ClientHeight", 181))};
        AdjustWindowRectEx(&r, style, FALSE, ex);
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    SetWindowPos(h, nullptr, static_cast<int>(form.StoredInt("Left", 0)),
                 static_cast<int>(form.StoredInt("Top", 0)), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

bool ControlWindows::ParentColourByDefault(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Label:
    case ComponentKind::CheckBox:
    case ComponentKind::RadioButton:
    case ComponentKind::GroupBox:
    case ComponentKind::StaticText:
    case ComponentKind::TabSheet:
    case ComponentKind::Bevel:
    case ComponentKind::Image:
    case ComponentKind::FormShape:
    case ComponentKind::TrackBar:
    case ComponentKind::Button:
    case ComponentKind::BitBtn:
    case ComponentKind::SpeedButton:
    case ComponentKind::BmpButton:
    case ComponentKind::UpDown:
    case ComponentKind::Animate:
    case ComponentKind::ProgressBar:
    case ComponentKind::Gauge:
    case ComponentKind::PageControl:
        return true;
    default:
        return false;
    }
}

COLORREF ControlWindows::DefaultColour(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Edit:
    case ComponentKind::MaskEdit:
    case ComponentKind::Memo:
    case ComponentKind::RichEdit:
    case ComponentKind::ListBox:
    case ComponentKind::ComboBox:
    case ComponentKind::CheckListBox:
    case ComponentKind::TreeView:
    case ComponentKind::HtmlViewer:
    case ComponentKind::FileListBox:
    case ComponentKind::DirectoryListBox:
    case ComponentKind::DriveComboBox:
    case ComponentKind::FilterComboBox:
    case ComponentKind::ShellTree:
    case ComponentKind::ShellList:
    case ComponentKind::ShellCombo:
        return GetSysColor(COLOR_WINDOW);
    case ComponentKind::Shape:
        return RGB(255, 255, 255);
    default:
        return GetSysColor(COLOR_BTNFACE);
    }
}

std::optional<std::string> ControlWindows::DefaultValue(const Component& c,
                                                        const PropertyInfo& property) {
    const std::string& n = property.name;
    switch (property.type) {
    case PropertyType::Boolean: {
        bool trueByDefault = Live(n, {"Enabled",       "Visible",
                                      "ParentFont",    "ParentShowHint",
                                      "ParentCtl3D",   "Ctl3D",
                                      "ShowAccelChar", "AutoSelect",
                                      "HideSelection", "WantReturns",
                                      "ShowButtons",   "ShowLines",
                                      "ShowRoot",      "ArrowKeys",
                                      "Thousands",     "TabVisible",
                                      "AutoScale",     "AutoRegisterFlash",
                                      "ShowText",      "IncrementalDisplay",
                                      "SliderVisible"});
        if (Is(n, "ParentColor")) trueByDefault = ParentColourByDefault(c.Kind());
        if (Is(n, "TabStop"))
            trueByDefault = c.Kind() != ComponentKind::Label && c.Kind() != ComponentKind::Panel;
        if (Is(n, "WordWrap")) trueByDefault = IsMemoKind(c.Kind());
        if (Is(n, "Center")) trueByDefault = c.Kind() == ComponentKind::Animate;
        return trueByDefault ? "True" : "False";
    }
    case PropertyType::Integer:
        if (Is(n, "ItemIndex")) return "-1";
        if (Is(n, "Max") || Is(n, "MaxValue"))
            return c.Kind() == ComponentKind::TrackBar ? "10" : "100";
        if (Is(n, "Font.Height")) return std::to_string(c.Owner().FontSettingsOf(c).height);
        return "0";
    case PropertyType::Colour: {
        if (Is(n, "Color")) {
            if (c.Parent() && ParentColourByDefault(c.Kind()))
                return c.Parent()->GetProperty("Color");
            return DefaultColour(c.Kind()) == GetSysColor(COLOR_WINDOW) ? "clWindow" : "clBtnFace";
        }
        if (Is(n, "Font.Color")) return "clWindowText";
        return "clDefault";
    }
    case PropertyType::Enumeration: {
        if (Is(n, "Alignment"))
            return (c.Kind() == ComponentKind::CheckBox || c.Kind() == ComponentKind::RadioButton)
                       ? "taRightJustify"
                   : c.Kind() == ComponentKind::Panel ? "taCenter"
                                                      : "taLeftJustify";
        std::string first = property.choices.substr(0, property.choices.find(','));
        if (Is(n, "BevelOuter")) return "bvRaised";
        if (Is(n, "BorderStyle") && property.choices.find("bsSingle") != std::string::npos &&
            c.Kind() != ComponentKind::Panel && c.Kind() != ComponentKind::Gauge)
            return c.Kind() == ComponentKind::Form ? "bsSizeable" : "bsSingle";
        if (Is(n, "Style") && c.Kind() == ComponentKind::Bevel) return "bsLowered";
        if (Is(n, "Shape") && c.Kind() == ComponentKind::Bevel) return "bsBox";
        if (Is(n, "ScrollBars") && c.Kind() == ComponentKind::HtmlViewer) return "ssVertical";
        return first;
    }
    case PropertyType::Set:
        return "[]";
    case PropertyType::Text:
        if (Is(n, "Font.Name")) return c.Owner().FontSettingsOf(c).name;
        return "";
    default:
        return "";
    }
}

void ControlWindows::CreateAll(TPoolTemplate& host, Component& form) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    DWORD ex = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    std::string border = form.Stored("BorderStyle", "bsSizeable");
    if (Is(border, "bsDialog"))
        ex |= WS_EX_DLGMODALFRAME;
    else if (Is(border, "bsSizeable"))
        style |= WS_THICKFRAME;
    else if (Is(border, "bsNone"))
        style = WS_POPUP;
    auto icons = SplitSetText(form.Stored("BorderIcons", "[biSystemMenu,biMinimize,biMaximize]"));
    auto hasIcon = [&](const char* s) {
        return std::any_of(icons.begin(), icons.end(),
                           [&](const std::string& i) { return Is(i, s); });
    };
    if (!Is(border, "bsDialog") && !Is(border, "bsNone")) {
        if (hasIcon("biMinimize")) style |= WS_MINIMIZEBOX;
        if (hasIcon("biMaximize") && Is(border, "bsSizeable")) style |= WS_MAXIMIZEBOX;
    }
    if (!hasIcon("biSystemMenu")) style &= ~static_cast<DWORD>(WS_SYSMENU);
    HWND h = CreateWindowExA(ex, kHostClass, form.Stored("Caption").c_str(), style, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), &form);
    form.hwnd_ = h;
    SetPropA(h, "ZkComponent", &form);
    PlaceForm(form);
    SetTimer(h, 1, 1000, nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(host.FontFor(form)), FALSE);
    host.CreateChildWindows(form);
    for (Component* c : host.Components())
        if (c->Kind() == ComponentKind::VistaGlass) ApplyGlass(*c);
}

void TPoolTemplate::CreateChildWindows(Component& parent) {
    std::vector<Component*> windowed;
    for (Component* c : parent.Children()) {
        if (!c->Class().visual) continue;
        Creation k = CreationOf(*c);
        int id = ids_.count(c) ? ids_[c] : (ids_[c] = nextId_++);
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | k.style;
        if (c->StoredBool("Visible", true) && c->Kind() != ComponentKind::TabSheet)
            style |= WS_VISIBLE;
        if (!c->StoredBool("Enabled", true)) style |= WS_DISABLED;
        int height = static_cast<int>(c->StoredInt("Height", 25));
        if (IsComboKind(c->Kind()) && (k.style & 3) != CBS_SIMPLE)
            height += static_cast<int>(c->StoredInt("DropDownCount", 8)) * 16;
        std::string text = c->Class().Find("Caption") ? c->Stored("Caption") : c->Stored("Text");
        HWND h = CreateWindowExA(
            k.exStyle, k.windowClass, text.c_str(), style,
            static_cast<int>(c->StoredInt("Left", 0)), static_cast<int>(c->StoredInt("Top", 0)),
            static_cast<int>(c->StoredInt("Width", 75)), height, ParentWindowOf(*c),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), c);
        if (!h) continue;
        c->hwnd_ = h;
        SetPropA(h, "ZkComponent", c);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*c)), FALSE);
        ControlWindows::Apply(*c, "");
        if (!IsGraphicKind(c->Kind())) windowed.push_back(c);
        CreateChildWindows(*c);
        if (c->Kind() == ComponentKind::PageControl) {
            LayoutSheets(*c);
            FillTabs(*c);
        }
    }
    // Align: controls docked to the edges of their parent take the remaining space in order.
    if (parent.Handle()) {
        RECT area;
        GetClientRect(parent.Handle(), &area);
        for (Component* c : parent.Children()) {
            if (!c->Handle()) continue;
            std::string align = c->Stored("Align", "alNone");
            int w = static_cast<int>(c->StoredInt("Width", 0)),
                hgt = static_cast<int>(c->StoredInt("Height", 0));
            RECT r{};
            if (Is(align, "alTop")) {
                r = {area.left, area.top, area.right, area.top + hgt};
                area.top += hgt;
            } else if (Is(align, "alBottom")) {
                r = {area.left, area.bottom - hgt, area.right, area.bottom};
                area.bottom -= hgt;
            } else if (Is(align, "alLeft")) {
                r = {area.left, area.top, area.left + w, area.bottom};
                area.left += w;
            } else if (Is(align, "alRight")) {
                r = {area.right - w, area.top, area.right, area.bottom};
                area.right -= w;
            } else if (Is(align, "alClient"))
                r = area;
            else
                continue;
            MoveWindow(c->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        }
    }
    // Tab order: windowed controls in TabOrder sequence, drawn graphics beneath them all.
    std::stable_sort(windowed.begin(), windowed.end(), [](Component* a, Component* b) {
        return a->StoredInt("TabOrder", 1 << 20) < b->StoredInt("TabOrder", 1 << 20);
    });
    HWND after = HWND_TOP;
    for (Component* c : windowed) {
        SetWindowPos(c->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = c->Handle();
    }
    // Later graphics paint over earlier ones: each goes to the bottom, the last one first.
    for (auto it = parent.Children().rbegin(); it != parent.Children().rend(); ++it)
        if ((*it)->Handle() && IsGraphicKind((*it)->Kind()))
            SetWindowPos((*it)->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Radio buttons that follow each other in tab order form one group.
    bool previousRadio = false;
    for (Component* c : windowed) {
        bool radio = c->Kind() == ComponentKind::RadioButton;
        LONG_PTR style = GetWindowLongPtrA(c->Handle(), GWL_STYLE);
        if (!radio || !previousRadio) style |= WS_GROUP;
        SetWindowLongPtrA(c->Handle(), GWL_STYLE, style);
        previousRadio = radio;
    }
    // Up-down controls attach to their associate once it exists.
    for (Component* c : parent.Children())
        if (c->Kind() == ComponentKind::UpDown) ControlWindows::Apply(*c, "Associate");
}

void ControlWindows::Apply(Component& c, const std::string& name) {
    const ComponentKind kind = c.Kind();
    if (kind == ComponentKind::VistaGlass) {
        if (c.Owner().Form().Handle()) ApplyGlass(c);
        return;
    }
    HWND h = c.Handle();
    if (!h) return;
    const bool all = name.empty(); // right after creation: everything not given at creation
    if (kind == ComponentKind::Form) {
        if (Live(name, {"Left", "Top", "Width", "Height", "ClientWidth", "ClientHeight"}))
            PlaceForm(c);
        if (Is(name, "Caption")) SetWindowTextA(h, c.Stored("Caption").c_str());
        if (Live(name, {"Color", "ParentColor"})) InvalidateRect(h, nullptr, TRUE);
        if (name.rfind("Font.", 0) == 0 || Is(name, "ParentFont")) ApplyFontTree(c);
        return;
    }
    if (!all && Live(name, {"Left", "Top", "Width", "Height"})) {
        int height = static_cast<int>(c.StoredInt("Height", 25));
        if (IsComboKind(kind)) height += static_cast<int>(c.StoredInt("DropDownCount", 8)) * 16;
        MoveWindow(h, static_cast<int>(c.StoredInt("Left", 0)),
                   static_cast<int>(c.StoredInt("Top", 0)),
                   static_cast<int>(c.StoredInt("Width", 75)), height, TRUE);
        if (kind == ComponentKind::PageControl) LayoutSheets(c);
    }
    if (!all && (Is(name, "Caption") || Is(name, "Text"))) {
        SetWindowTextA(h, c.Stored(name).c_str());
        if (kind == ComponentKind::TabSheet && c.Parent()) FillTabs(*c.Parent());
        InvalidateRect(h, nullptr, TRUE);
    }
    if (!all && Is(name, "Enabled")) EnableWindow(h, c.StoredBool("Enabled", true));
    if (!all && Is(name, "Visible") && kind != ComponentKind::TabSheet)
        ShowWindow(h, c.StoredBool("Visible", true) ? SW_SHOWNA : SW_HIDE);
    if (!all && (name.rfind("Font.", 0) == 0 || Is(name, "ParentFont"))) ApplyFontTree(c);
    if (!all && Live(name, {"Color", "ParentColor", "Font.Color"}))
        InvalidateRect(h, nullptr, TRUE);
    if (all || IsMemoKind(kind)) {
        if (IsMemoKind(kind) && (all || Is(name, "Lines.Strings"))) {
            if (kind == ComponentKind::RichEdit) SendMessageA(h, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
            SetWindowTextA(h, c.Stored("Lines.Strings").c_str());
        }
    }
    if ((kind == ComponentKind::CheckBox || kind == ComponentKind::RadioButton) &&
        (all || Is(name, "Checked") || Is(name, "State"))) {
        WPARAM state = c.StoredBool("Checked", false) ? BST_CHECKED : BST_UNCHECKED;
        if (Is(name, "State") || (all && !c.Stored("State").empty())) {
            std::string s = c.Stored("State", "cbUnchecked");
            state = Is(s, "cbChecked")  ? BST_CHECKED
                    : Is(s, "cbGrayed") ? BST_INDETERMINATE
                                        : BST_UNCHECKED;
        }
        SendMessageA(h, BM_SETCHECK, state, 0);
    }
    if (IsListKind(kind) || IsComboKind(kind) || kind == ComponentKind::CheckListBox) {
        if (kind == ComponentKind::CheckListBox && all) {
            SendMessageA(h, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                         LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
            RECT r;
            GetClientRect(h, &r);
            LVCOLUMNA col{};
            col.mask = LVCF_WIDTH;
            col.cx = r.right - r.left;
            SendMessageA(h, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
        }
        bool folderKind =
            kind == ComponentKind::FileListBox || kind == ComponentKind::DirectoryListBox ||
            kind == ComponentKind::DriveComboBox || kind == ComponentKind::FilterComboBox ||
            kind == ComponentKind::ShellCombo;
        if (folderKind && (all || Live(name, {"Directory", "Mask", "Drive", "Filter", "Path"})))
            FillFolderView(c);
        if (!folderKind && (all || Is(name, "Items.Strings"))) SetItems(c);
        if (all || Is(name, "Items.Strings") || Is(name, "ItemIndex") || Is(name, "Text"))
            SetItemIndex(c);
    }
    if ((kind == ComponentKind::ShellTree || kind == ComponentKind::ShellList) &&
        (all || Is(name, "Path")))
        FillFolderView(c);
    if ((kind == ComponentKind::Edit || kind == ComponentKind::MaskEdit || IsMemoKind(kind) ||
         IsComboKind(kind)) &&
        (all || Is(name, "MaxLength")))
        SendMessageA(h, IsComboKind(kind) ? CB_LIMITTEXT : EM_LIMITTEXT,
                     static_cast<WPARAM>(c.StoredInt("MaxLength", 0)), 0);
    if ((kind == ComponentKind::Edit || kind == ComponentKind::MaskEdit || IsMemoKind(kind)) &&
        Is(name, "ReadOnly"))
        SendMessageA(h, EM_SETREADONLY, c.StoredBool("ReadOnly", false), 0);
    if ((kind == ComponentKind::Edit || kind == ComponentKind::MaskEdit) &&
        (all || Is(name, "PasswordChar"))) {
        std::string p = c.Stored("PasswordChar", "#0");
        char ch = (p.empty() || p == "#0") ? 0 : p[0];
        SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 0);
    }
    if (IsProgressKind(kind) || kind == ComponentKind::TrackBar || kind == ComponentKind::UpDown) {
        if (all || Live(name, {"Min", "Max", "Position", "MinValue", "MaxValue", "Progress",
                               "Frequency", "PageSize", "BarColor", "ForeColor"}))
            SetRange(c);
    }
    if (kind == ComponentKind::UpDown && Is(name, "Associate")) {
        Component* buddy = c.Owner().FindComponent(c.Stored("Associate"));
        SendMessageA(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->Handle() : nullptr),
                     0);
    }
    if (IsButtonKind(kind) && Is(name, "Default"))
        SendMessageA(h, BM_SETSTYLE,
                     c.StoredBool("Default", false) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (kind == ComponentKind::PageControl && Is(name, "ActivePage")) FillTabs(c);
    if (kind == ComponentKind::Animate && (all || Live(name, {"FileName", "CommonAVI", "Active"})))
        OpenAnimation(c);
    if (kind == ComponentKind::TreeView && Is(name, "ReadOnly")) {
        LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
        style = c.StoredBool("ReadOnly", false) ? (style & ~static_cast<LONG_PTR>(TVS_EDITLABELS))
                                                : (style | TVS_EDITLABELS);
        SetWindowLongPtrA(h, GWL_STYLE, style);
    }
    if (IsGraphicKind(kind) || IsPanelKind(kind) || kind == ComponentKind::HtmlViewer) {
        if (!all && IsGraphicKind(kind)) {
            // Drawn by the parent: repaint that part of the parent and what lies on it.
            RECT r;
            GetWindowRect(h, &r);
            MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
            RedrawWindow(GetParent(h), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        } else if (!all) {
            InvalidateRect(h, nullptr, TRUE);
        }
        if (IsGraphicKind(kind) && (all || Live(name, {"Picture.Data", "PictureFile"}))) {
            HBITMAP old = static_cast<HBITMAP>(GetPropA(h, "ZkPicture"));
            if (old) DeleteObject(old);
            SetPropA(h, "ZkPicture", LoadComponentPicture(c));
        }
    }
}

std::optional<std::string> ControlWindows::ReadLive(const Component& c, const std::string& name) {
    HWND h = c.Handle();
    const ComponentKind kind = c.Kind();
    if (kind == ComponentKind::Form) {
        RECT r;
        if (Live(name, {"ClientWidth", "ClientHeight"})) {
            GetClientRect(h, &r);
            return std::to_string(Is(name, "ClientWidth") ? r.right : r.bottom);
        }
        if (Live(name, {"Left", "Top", "Width", "Height"})) {
            GetWindowRect(h, &r);
            if (Is(name, "Left")) return std::to_string(r.left);
            if (Is(name, "Top")) return std::to_string(r.top);
            return std::to_string(Is(name, "Width") ? r.right - r.left : r.bottom - r.top);
        }
        if (Is(name, "Caption")) return WindowText(h);
        return std::nullopt;
    }
    if (Live(name, {"Left", "Top", "Width", "Height"}) && !IsComboKind(kind)) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        if (Is(name, "Left")) return std::to_string(r.left);
        if (Is(name, "Top")) return std::to_string(r.top);
        return std::to_string(Is(name, "Width") ? r.right - r.left : r.bottom - r.top);
    }
    if (Is(name, "Enabled")) return IsWindowEnabled(h) ? "True" : "False";
    if (Is(name, "Text") &&
        (kind == ComponentKind::Edit || kind == ComponentKind::MaskEdit || IsComboKind(kind)))
        return WindowText(h);
    if (Is(name, "Caption") &&
        (IsButtonKind(kind) || kind == ComponentKind::Label || kind == ComponentKind::StaticText ||
         kind == ComponentKind::CheckBox || kind == ComponentKind::RadioButton))
        return WindowText(h);
    if (Is(name, "Lines.Strings") && IsMemoKind(kind))
        return JoinPropertyLines(SplitPropertyLines(WindowText(h)));
    if (Is(name, "Checked") &&
        (kind == ComponentKind::CheckBox || kind == ComponentKind::RadioButton))
        return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? "True" : "False";
    if (Is(name, "State") && kind == ComponentKind::CheckBox) {
        LRESULT s = SendMessageA(h, BM_GETCHECK, 0, 0);
        return s == BST_CHECKED ? "cbChecked" : s == BST_INDETERMINATE ? "cbGrayed" : "cbUnchecked";
    }
    if (Is(name, "ItemIndex")) {
        if (IsListKind(kind))
            return std::to_string(static_cast<long long>(SendMessageA(h, LB_GETCURSEL, 0, 0)));
        if (IsComboKind(kind))
            return std::to_string(static_cast<long long>(SendMessageA(h, CB_GETCURSEL, 0, 0)));
        if (kind == ComponentKind::CheckListBox)
            return std::to_string(static_cast<long long>(
                SendMessageA(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    }
    if (Is(name, "Items.Strings") &&
        (IsListKind(kind) || IsComboKind(kind) || kind == ComponentKind::CheckListBox)) {
        std::vector<std::string> items;
        if (kind == ComponentKind::CheckListBox) {
            int n = static_cast<int>(SendMessageA(h, LVM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < n; ++i) {
                char buf[1024] = {};
                LVITEMA item{};
                item.iSubItem = 0;
                item.pszText = buf;
                item.cchTextMax = sizeof buf;
                SendMessageA(h, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&item));
                items.emplace_back(buf);
            }
        } else {
            bool list = IsListKind(kind);
            int n = static_cast<int>(SendMessageA(h, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
            for (int i = 0; i < n; ++i) {
                int len = static_cast<int>(SendMessageA(h, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN,
                                                        static_cast<WPARAM>(i), 0));
                std::string s(static_cast<std::size_t>(std::max(len, 0)) + 1, '\0');
                SendMessageA(h, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(s.data()));
                s.resize(static_cast<std::size_t>(std::max(len, 0)));
                items.push_back(s);
            }
        }
        return JoinPropertyLines(items);
    }
    if (Is(name, PosName(kind))) {
        if (IsProgressKind(kind))
            return std::to_string(static_cast<long long>(SendMessageA(h, PBM_GETPOS, 0, 0)));
        if (kind == ComponentKind::TrackBar)
            return std::to_string(static_cast<long long>(SendMessageA(h, TBM_GETPOS, 0, 0)));
        if (kind == ComponentKind::UpDown)
            return std::to_string(
                static_cast<long long>(static_cast<int>(SendMessageA(h, UDM_GETPOS32, 0, 0))));
    }
    if (Is(name, "ActivePage") && kind == ComponentKind::PageControl) {
        int selected = static_cast<int>(SendMessageA(h, TCM_GETCURSEL, 0, 0));
        int tab = 0;
        for (Component* sheet : c.Children()) {
            if (!sheet->StoredBool("TabVisible", true)) continue;
            if (tab++ == selected) return sheet->Name();
        }
    }
    return std::nullopt;
}

void ControlWindows::Snapshot(Component& c) {
    if (!c.Handle()) return;
    for (const char* name :
         {"Caption", "Text", "Lines.Strings", "Checked", "ItemIndex", "Items.Strings", "Position",
          "Progress", "ActivePage", "Left", "Top"}) {
        const PropertyInfo* property = c.Class().Find(name);
        if (!property) continue;
        if (c.Kind() != ComponentKind::Form && (Is(property->name, "Left") || Is(property->name, "Top")))
            continue;
        if (IsComboKind(c.Kind()) && Is(property->name, "Items.Strings")) continue;
        if (auto live = ReadLive(c, property->name)) {
            bool replaced = false;
            for (auto& [n, v] : c.props_)
                if (AnsiSameText(n, property->name)) {
                    v = *live;
                    replaced = true;
                }
            if (!replaced) c.props_.emplace_back(property->name, *live);
        }
    }
    if (c.Kind() == ComponentKind::CheckListBox) {
        c.checkedItems_.clear();
        int n = static_cast<int>(SendMessageA(c.Handle(), LVM_GETITEMCOUNT, 0, 0));
        auto items = SplitPropertyLines(c.Stored("Items.Strings"));
        for (int i = 0; i < n && i < static_cast<int>(items.size()); ++i) {
            UINT state = static_cast<UINT>(SendMessageA(
                c.Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK));
            if ((state >> 12) == 2) c.checkedItems_.push_back(items[static_cast<std::size_t>(i)]);
        }
    }
}

} // namespace zk::ui

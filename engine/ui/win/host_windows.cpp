// Window procedures of the host form and of the host's own controls
// (containers and drawn graphics), and the routing of control notifications.
#include "engine/ui/win/windows_headers.h"

#include <mutex>

#include "common/ansi_case.h"
#include "engine/ui/property_text.h"
#include "engine/ui/win/control_windows.h"

namespace zk::ui {

const char* const kHostClass = "TPoolTemplate";
const char* const kPanelClass = "ZkPanel";
const char* const kGraphicClass = "ZkGraphic";
const char* const kHtmlClass = "ZkHtmlView";

namespace {

bool Is(const std::string& a, const char* b) {
    return AnsiSameText(a, b);
}

Component* ComponentOf(HWND hwnd) {
    return static_cast<Component*>(GetPropA(hwnd, "ZkComponent"));
}

void DrawCaption(HDC dc, Component& c, RECT r, UINT format) {
    std::string caption = c.Stored("Caption");
    if (caption.empty()) return;
    HFONT old = static_cast<HFONT>(SelectObject(dc, c.Owner().FontFor(c)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(c.Handle()) ? c.Owner().FontSettingsOf(c).colour
                                                 : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), -1, &r, format);
    SelectObject(dc, old);
}

UINT BevelEdge(const std::string& bevel) {
    if (Is(bevel, "bvLowered")) return BDR_SUNKENOUTER;
    if (Is(bevel, "bvRaised")) return BDR_RAISEDINNER;
    return 0;
}

void PaintPanel(HDC dc, Component& c) {
    RECT r;
    GetClientRect(c.Handle(), &r);
    TPoolTemplate& host = c.Owner();
    if (c.Kind() == ComponentKind::GroupBox) {
        FillRect(dc, &r, host.BrushOf(c));
        HFONT old = static_cast<HFONT>(SelectObject(dc, host.FontFor(c)));
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        RECT frame = r;
        frame.top += tm.tmHeight / 2;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        std::string caption = c.Stored("Caption");
        if (!caption.empty()) {
            old = static_cast<HFONT>(SelectObject(dc, host.FontFor(c)));
            SIZE size;
            GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
            SelectObject(dc, old);
            RECT label{8, 0, 8 + size.cx + 4, tm.tmHeight};
            FillRect(dc, &label, host.BrushOf(c));
            label.left += 2;
            DrawCaption(dc, c, label, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
        return;
    }
    FillRect(dc, &r, host.BrushOf(c));
    if (c.Kind() == ComponentKind::TabSheet) return;
    int width = static_cast<int>(c.StoredInt("BevelWidth", 1));
    for (const char* which : {"BevelOuter", "BevelInner"}) {
        std::string bevel = c.Stored(which, Is(which, "BevelOuter") ? "bvRaised" : "bvNone");
        UINT edge = BevelEdge(bevel);
        for (int i = 0; edge && i < width; ++i) {
            DrawEdge(dc, &r, edge, BF_RECT);
            InflateRect(&r, -1, -1);
        }
        if (Is(which, "BevelOuter"))
            InflateRect(&r, -static_cast<int>(c.StoredInt("BorderWidth", 0)),
                        -static_cast<int>(c.StoredInt("BorderWidth", 0)));
    }
    std::string align = c.Stored("Alignment", "taCenter");
    UINT format = DT_SINGLELINE | DT_VCENTER |
                  (Is(align, "taLeftJustify")    ? DT_LEFT
                   : Is(align, "taRightJustify") ? DT_RIGHT
                                                 : DT_CENTER);
    DrawCaption(dc, c, r, format);
}

void PaintGraphic(HDC dc, Component& c) {
    RECT r;
    GetClientRect(c.Handle(), &r);
    TPoolTemplate& host = c.Owner();
    switch (c.Kind()) {
    case ComponentKind::Bevel: {
        std::string shape = c.Stored("Shape", "bsBox");
        bool raised = Is(c.Stored("Style", "bsLowered"), "bsRaised");
        bool box = Is(shape, "bsBox") || Is(shape, "bsFrame");
        UINT edge =
            box ? (raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER) : (raised ? EDGE_BUMP : EDGE_ETCHED);
        if (Is(shape, "bsFrame")) edge = raised ? EDGE_BUMP : EDGE_ETCHED;
        UINT flags = Is(shape, "bsBox") || Is(shape, "bsFrame") ? BF_RECT
                     : Is(shape, "bsTopLine")                   ? BF_TOP
                     : Is(shape, "bsBottomLine")                ? BF_BOTTOM
                     : Is(shape, "bsLeftLine")                  ? BF_LEFT
                     : Is(shape, "bsRightLine")                 ? BF_RIGHT
                                                                : 0;
        if (Is(shape, "bsBottomLine")) r.top = r.bottom - 2;
        if (Is(shape, "bsRightLine")) r.left = r.right - 2;
        if (Is(shape, "bsTopLine")) r.bottom = r.top + 2;
        if (Is(shape, "bsLeftLine")) r.right = r.left + 2;
        if (flags) DrawEdge(dc, &r, edge, flags);
        break;
    }
    case ComponentKind::Shape: {
        HBRUSH brush = Is(c.Stored("Brush.Style", "bsSolid"), "bsClear")
                           ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                           : CreateSolidBrush(ColourFromText(c.Stored("Brush.Color", "clWhite"),
                                                             RGB(255, 255, 255)));
        int penWidth = static_cast<int>(c.StoredInt("Pen.Width", 1));
        HPEN pen = Is(c.Stored("Pen.Style", "psSolid"), "psClear")
                       ? static_cast<HPEN>(GetStockObject(NULL_PEN))
                       : CreatePen(PS_INSIDEFRAME, penWidth,
                                   ColourFromText(c.Stored("Pen.Color", "clBlack"), 0));
        HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
        std::string shape = c.Stored("Shape", "stRectangle");
        int w = r.right, h = r.bottom;
        if (Is(shape, "stSquare") || Is(shape, "stRoundSquare") || Is(shape, "stCircle")) {
            int side = std::min(w, h);
            r.left = (w - side) / 2;
            r.top = (h - side) / 2;
            r.right = r.left + side;
            r.bottom = r.top + side;
        }
        if (Is(shape, "stEllipse") || Is(shape, "stCircle"))
            Ellipse(dc, r.left, r.top, r.right, r.bottom);
        else if (Is(shape, "stRoundRect") || Is(shape, "stRoundSquare"))
            RoundRect(dc, r.left, r.top, r.right, r.bottom, std::min(w, h) / 4, std::min(w, h) / 4);
        else
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        if (!Is(c.Stored("Brush.Style", "bsSolid"), "bsClear")) DeleteObject(brush);
        if (!Is(c.Stored("Pen.Style", "psSolid"), "psClear")) DeleteObject(pen);
        break;
    }
    case ComponentKind::Image:
    case ComponentKind::FormShape: {
        auto bmp = static_cast<HBITMAP>(GetPropA(c.Handle(), "ZkPicture"));
        if (!bmp) break;
        BITMAP info;
        GetObjectA(bmp, sizeof info, &info);
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, bmp);
        RECT dst{0, 0, info.bmWidth, info.bmHeight};
        if (c.StoredBool("Stretch", false)) {
            dst = r;
            if (c.StoredBool("Proportional", false) && info.bmWidth && info.bmHeight) {
                double scale =
                    std::min(double(r.right) / info.bmWidth, double(r.bottom) / info.bmHeight);
                dst = {0, 0, int(info.bmWidth * scale), int(info.bmHeight * scale)};
            }
        }
        if (c.StoredBool("Center", false))
            OffsetRect(&dst, (r.right - (dst.right - dst.left)) / 2,
                       (r.bottom - (dst.bottom - dst.top)) / 2);
        SetStretchBltMode(dc, HALFTONE);
        if (c.StoredBool("Transparent", false) || c.Kind() == ComponentKind::FormShape) {
            COLORREF key = GetPixel(mem, 0, info.bmHeight - 1);
            TransparentBlt(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, mem,
                           0, 0, info.bmWidth, info.bmHeight, key);
        } else {
            StretchBlt(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, mem, 0, 0,
                       info.bmWidth, info.bmHeight, SRCCOPY);
        }
        SelectObject(mem, old);
        DeleteDC(mem);
        break;
    }
    default:
        break;
    }
    (void)host;
}

// Drawn controls (bevels, shapes, images) are painted by their parent, in file
// order, beneath the windowed controls; their own windows only take clicks.
void PaintGraphicChildren(HDC dc, Component& parent) {
    for (Component* child : parent.Children()) {
        ComponentKind k = child->Kind();
        bool graphic = k == ComponentKind::Bevel || k == ComponentKind::Shape ||
                       k == ComponentKind::Image || k == ComponentKind::FormShape;
        if (!graphic || !child->Handle() || !IsWindowVisible(child->Handle())) continue;
        RECT r;
        GetWindowRect(child->Handle(), &r);
        MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&r), 2);
        int saved = SaveDC(dc);
        SetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        PaintGraphic(dc, *child);
        RestoreDC(dc, saved);
    }
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Component* c = ComponentOf(hwnd);
    if (c) {
        bool handled = false;
        LRESULT r = c->Owner().RouteMessage(hwnd, msg, wp, lp, handled);
        if (handled) return r;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        if (c) {
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, c->Owner().BrushOf(*c));
            PaintGraphicChildren(reinterpret_cast<HDC>(wp), *c);
            return 1;
        }
        break;
    case WM_ACTIVATE:
        // As a dialog does: the focused control is kept while another window is active
        // and given back on return; the first time, the default button (or first control) gets it.
        if (c) {
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd, focus)) SetPropA(hwnd, "ZkFocus", focus);
            } else if (!HIWORD(wp)) {
                c->Owner().RestoreFocus();
            }
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (c) {
            c->Owner().RestoreFocus();
            return 0;
        }
        break;
    case WM_TIMER:
        if (c && wp == 1) {
            // Timer1Timer: off while its handler runs, so that a slow refresh never stacks up.
            KillTimer(hwnd, 1);
            if (c->Owner().onTimer) c->Owner().onTimer();
            if (IsWindow(hwnd)) SetTimer(hwnd, 1, 1000, nullptr);
            return 0;
        }
        break;
    case WM_CLOSE:
        // A page closes only when the engine hides it; the user leaves through its buttons.
        if (c && !c->Owner().closable) return 0;
        if (c) {
            ShowWindow(hwnd, SW_HIDE);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemovePropA(hwnd, "ZkComponent");
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Component* c = ComponentOf(hwnd);
    if (c) {
        bool handled = false;
        LRESULT r = c->Owner().RouteMessage(hwnd, msg, wp, lp, handled);
        if (handled) return r;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (c) {
            PaintPanel(dc, *c);
            PaintGraphicChildren(dc, *c);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETTEXT:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_NCDESTROY:
        RemovePropA(hwnd, "ZkComponent");
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK GraphicProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Component* c = ComponentOf(hwnd);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps); // the parent draws this control
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCHITTEST:
        // Bevels are decoration: the mouse goes to whatever lies beneath.
        if (c && c->Kind() == ComponentKind::Bevel) return HTTRANSPARENT;
        break;
    case WM_LBUTTONUP:
        if (c && (c->Kind() == ComponentKind::Image || c->Kind() == ComponentKind::Shape) &&
            c->Owner().onClick)
            c->Owner().onClick(*c);
        return 0;
    case WM_NCDESTROY: {
        if (auto bmp = static_cast<HBITMAP>(RemovePropA(hwnd, "ZkPicture"))) DeleteObject(bmp);
        RemovePropA(hwnd, "ZkComponent");
        break;
    }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void Register(const char* name, WNDPROC proc, HBRUSH background, UINT style) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    RegisterClassExA(&wc);
}

} // namespace

void RegisterHostWindowClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX icc{sizeof icc,
                                 ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                     ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                     ICC_UPDOWN_CLASS | ICC_ANIMATE_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        Register(kHostClass, HostProc, nullptr, CS_DBLCLKS);
        Register(kPanelClass, PanelProc, nullptr, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
        Register(kGraphicClass, GraphicProc, nullptr, CS_HREDRAW | CS_VREDRAW);
        Register(kHtmlClass, HtmlViewProc, nullptr, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
        // Setup pages never want the system's critical-error boxes.
        SetErrorMode(SEM_FAILCRITICALERRORS);
    });
}

LRESULT TPoolTemplate::RouteMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    handled = false;
    switch (msg) {
    case WM_COMMAND: {
        auto ctl = reinterpret_cast<HWND>(lp);
        Component* c = FromWindow(ctl);
        int id = LOWORD(wp);
        int code = HIWORD(wp);
        if (!c && !ctl) {
            if (id == IDCANCEL) {
                handled = true;
                ClickDefault(true);
                return 0;
            }
            for (auto& [comp, compId] : ids_)
                if (compId == id) c = comp;
            if (!c && id == IDOK) {
                handled = true;
                ClickDefault(false);
                return 0;
            }
        }
        if (!c) return 0;
        handled = true;
        ComponentKind k = c->Kind();
        bool button = k == ComponentKind::Button || k == ComponentKind::BitBtn ||
                      k == ComponentKind::SpeedButton || k == ComponentKind::BmpButton;
        if (button && code == BN_CLICKED && onClick) onClick(*c);
        if ((k == ComponentKind::Label) && code == STN_CLICKED && onClick) onClick(*c);
        if (k == ComponentKind::DirectoryListBox && code == LBN_DBLCLK) {
            int sel = static_cast<int>(SendMessageA(ctl, LB_GETCURSEL, 0, 0));
            if (sel >= 0 && sel < static_cast<int>(c->ItemPaths().size()))
                c->SetProperty("Directory", c->ItemPaths()[static_cast<std::size_t>(sel)]);
        }
        if ((k == ComponentKind::DriveComboBox || k == ComponentKind::ShellCombo) &&
            code == CBN_SELCHANGE) {
            int sel = static_cast<int>(SendMessageA(ctl, CB_GETCURSEL, 0, 0));
            char text[MAX_PATH] = {};
            if (sel >= 0)
                SendMessageA(ctl, CB_GETLBTEXT, static_cast<WPARAM>(sel),
                             reinterpret_cast<LPARAM>(text));
            if (k == ComponentKind::DriveComboBox && text[0])
                c->SetProperty("Drive", std::string(1, text[0]));
            if (k == ComponentKind::ShellCombo && text[0]) c->SetProperty("Path", text);
        }
        return 0;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        Component* c = FromWindow(hdr->hwndFrom);
        if (!c) return 0;
        if (c->Kind() == ComponentKind::PageControl && hdr->code == TCN_SELCHANGE) {
            int selected = static_cast<int>(SendMessageA(hdr->hwndFrom, TCM_GETCURSEL, 0, 0));
            int tab = 0;
            for (Component* sheet : c->Children()) {
                if (!sheet->StoredBool("TabVisible", true)) continue;
                if (sheet->Handle())
                    ShowWindow(sheet->Handle(), tab == selected ? SW_SHOW : SW_HIDE);
                ++tab;
            }
        }
        if (c->Kind() == ComponentKind::ShellTree && hdr->code == TVN_SELCHANGEDA) {
            auto* tv = reinterpret_cast<NMTREEVIEWA*>(lp);
            auto index = static_cast<std::size_t>(tv->itemNew.lParam);
            if (index < c->ItemPaths().size() &&
                !AnsiSameText(c->Stored("Path"), c->ItemPaths()[index]))
                c->SetProperty("Path", c->ItemPaths()[index]);
        }
        if (c->Kind() == ComponentKind::ShellList && hdr->code == NM_DBLCLK) {
            int sel = static_cast<int>(SendMessageA(hdr->hwndFrom, LVM_GETNEXTITEM,
                                                    static_cast<WPARAM>(-1), LVNI_SELECTED));
            if (sel >= 0 && sel < static_cast<int>(c->ItemPaths().size())) {
                const std::string& path = c->ItemPaths()[static_cast<std::size_t>(sel)];
                DWORD attributes = GetFileAttributesA(path.c_str());
                if (attributes != INVALID_FILE_ATTRIBUTES &&
                    (attributes & FILE_ATTRIBUTE_DIRECTORY))
                    c->SetProperty("Path", path);
            }
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        Component* c = FromWindow(reinterpret_cast<HWND>(lp));
        if (!c) return 0;
        handled = true;
        auto dc = reinterpret_cast<HDC>(wp);
        FontSettings font = FontSettingsOf(*c);
        bool enabled = IsWindowEnabled(c->Handle());
        bool editable = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        bool readOnlyEdit = msg == WM_CTLCOLORSTATIC &&
                            (c->Kind() == ComponentKind::Edit || c->Kind() == ComponentKind::Memo ||
                             c->Kind() == ComponentKind::MaskEdit);
        SetTextColor(dc, enabled || editable ? font.colour : GetSysColor(COLOR_GRAYTEXT));
        COLORREF back = ColourOf(*c);
        SetBkColor(dc, back);
        if (!editable && !readOnlyEdit) SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(BrushOf(*c));
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        return 0;
    case DM_GETDEFID: {
        if (hwnd != form_->hwnd_) return 0;
        handled = true;
        for (Component* c : order_)
            if (c->Handle() && c->Class().Find("Default") && c->StoredBool("Default", false) &&
                IsWindowEnabled(c->Handle()))
                return MAKELRESULT(ids_[c], DC_HASDEFID);
        return 0;
    }
    case WM_NEXTDLGCTL: {
        // Keyboard navigation of IsDialogMessage for a host that is not a dialog class.
        handled = true;
        HWND next = nullptr;
        if (LOWORD(lp))
            next = reinterpret_cast<HWND>(wp);
        else
            next = GetNextDlgTabItem(form_->hwnd_, GetFocus(), wp != 0);
        if (next) {
            SetFocus(next);
            char cls[32] = {};
            GetClassNameA(next, cls, sizeof cls);
            if (AnsiSameText(cls, "Edit")) SendMessageA(next, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    }
    return 0;
}

} // namespace zk::ui

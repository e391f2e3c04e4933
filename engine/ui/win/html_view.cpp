// A small HTML view of the host's own: title, headings, paragraphs, line
// breaks, rules, bulleted and numbered lists, bold and italic text and links.
// No scripting, no images, no tables (their text flows as paragraphs).
#include <algorithm>
#include <memory>

#include "common/ansi_case.h"
#include "engine/ui/win/control_windows.h"

namespace zk::ui {
namespace {

struct Run {
    std::string text;
    bool bold = false, italic = false;
    std::string href;
};

struct Block {
    int heading = 0; // 1..6
    bool rule = false;
    int indent = 0;
    std::string bullet;
    std::vector<Run> runs;
};

struct HtmlDoc {
    std::string title;
    std::vector<Block> blocks;
    int scroll = 0;
    std::vector<std::pair<RECT, std::string>> links;
};

HtmlDoc* DocOf(HWND h) {
    return static_cast<HtmlDoc*>(GetPropA(h, "ZkHtml"));
}

std::string DecodeEntity(const std::string& name) {
    static const std::pair<const char*, const char*> kNamed[] = {
        {"amp", "&"},      {"lt", "<"},        {"gt", ">"},       {"quot", "\""},
        {"apos", "'"},     {"nbsp", " "},      {"copy", "\xA9"},  {"reg", "\xAE"},
        {"trade", "\x99"}, {"hellip", "\x85"}, {"mdash", "\x97"}, {"ndash", "\x96"},
        {"bull", "\x95"}};
    if (!name.empty() && name[0] == '#') {
        long code = name.size() > 1 && (name[1] == 'x' || name[1] == 'X')
                        ? strtol(name.c_str() + 2, nullptr, 16)
                        : strtol(name.c_str() + 1, nullptr, 10);
        return std::string(1, code > 0 && code < 256 ? static_cast<char>(code) : '?');
    }
    for (const auto& [n, v] : kNamed)
        if (name == n) return v;
    return "&" + name + ";";
}

std::string AttributeOf(const std::string& tag, const char* attribute) {
    std::string lower = AnsiLower(tag);
    std::size_t at = lower.find(std::string(attribute) + "=");
    if (at == std::string::npos) return "";
    at += std::strlen(attribute) + 1;
    if (at >= tag.size()) return "";
    char quote = tag[at];
    if (quote == '"' || quote == '\'') {
        std::size_t end = tag.find(quote, at + 1);
        return tag.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    }
    std::size_t end = tag.find_first_of(" \t\r\n>", at);
    return tag.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

HtmlDoc Parse(const std::string& html) {
    HtmlDoc doc;
    int bold = 0, italic = 0, heading = 0;
    std::string href;
    struct List {
        bool numbered;
        int next;
    };
    std::vector<List> lists;
    bool inTitle = false, skip = false;
    auto newBlock = [&](const std::string& bullet = "") {
        Block b;
        b.heading = heading;
        b.indent = static_cast<int>(lists.size());
        b.bullet = bullet;
        if (!doc.blocks.empty() && doc.blocks.back().runs.empty() && !doc.blocks.back().rule &&
            doc.blocks.back().bullet.empty())
            doc.blocks.back() = b;
        else
            doc.blocks.push_back(b);
    };
    auto addText = [&](const std::string& text) {
        if (inTitle) {
            doc.title += text;
            return;
        }
        if (skip || text.empty()) return;
        if (doc.blocks.empty()) newBlock();
        Block& b = doc.blocks.back();
        bool leadingSpace = text[0] == ' ';
        if (b.runs.empty() && leadingSpace && text.size() == 1) return;
        Run r{b.runs.empty() && leadingSpace ? text.substr(1) : text, bold > 0 || heading > 0,
              italic > 0, href};
        if (!b.runs.empty() && b.runs.back().bold == r.bold && b.runs.back().italic == r.italic &&
            b.runs.back().href == r.href)
            b.runs.back().text += r.text;
        else
            b.runs.push_back(r);
    };
    std::size_t i = 0;
    std::string text;
    auto flush = [&] {
        addText(text);
        text.clear();
    };
    while (i < html.size()) {
        char ch = html[i];
        if (ch == '<') {
            if (html.compare(i, 4, "<!--") == 0) {
                std::size_t end = html.find("-->", i + 4);
                i = end == std::string::npos ? html.size() : end + 3;
                continue;
            }
            std::size_t end = html.find('>', i);
            if (end == std::string::npos) break;
            std::string tag = html.substr(i + 1, end - i - 1);
            i = end + 1;
            bool closing = !tag.empty() && tag[0] == '/';
            std::string name = AnsiLower(
                tag.substr(closing ? 1 : 0,
                           tag.find_first_of(" \t\r\n/", closing ? 1 : 0) - (closing ? 1 : 0)));
            flush();
            if (name == "script" || name == "style")
                skip = !closing;
            else if (name == "title")
                inTitle = !closing;
            else if (name == "b" || name == "strong")
                bold += closing ? -1 : 1;
            else if (name == "i" || name == "em")
                italic += closing ? -1 : 1;
            else if (name == "a")
                href = closing ? "" : AttributeOf(tag, "href");
            else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') {
                heading = closing ? 0 : name[1] - '0';
                newBlock();
            } else if (name == "p" || name == "div" || name == "br" || name == "tr" ||
                       name == "blockquote")
                newBlock();
            else if (name == "hr") {
                Block b;
                b.rule = true;
                doc.blocks.push_back(b);
                newBlock();
            } else if (name == "ul" || name == "ol") {
                if (closing && !lists.empty())
                    lists.pop_back();
                else if (!closing)
                    lists.push_back({name == "ol", 1});
                newBlock();
            } else if (name == "li" && !closing) {
                std::string bullet = "\x95";
                if (!lists.empty() && lists.back().numbered)
                    bullet = std::to_string(lists.back().next++) + ".";
                Block b;
                b.indent = static_cast<int>(std::max<std::size_t>(lists.size(), 1));
                b.bullet = bullet;
                doc.blocks.push_back(b);
            }
            bold = std::max(bold, 0);
            italic = std::max(italic, 0);
            continue;
        }
        if (ch == '&') {
            std::size_t semi = html.find(';', i);
            if (semi != std::string::npos && semi - i < 10) {
                text += DecodeEntity(html.substr(i + 1, semi - i - 1));
                i = semi + 1;
                continue;
            }
        }
        bool blank = ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
        if (blank) {
            if (text.empty() || text.back() != ' ') text += ' ';
        } else {
            text += ch;
        }
        ++i;
    }
    flush();
    return doc;
}

HFONT MakeFont(const Component& c, int heading, bool bold, bool italic, bool underline) {
    std::string name = c.Stored("DefFontName", "Tahoma");
    int size = static_cast<int>(c.StoredInt("DefFontSize", 9));
    static const double kScale[] = {1.0, 1.9, 1.5, 1.25, 1.1, 1.0, 0.9};
    int height = -MulDiv(static_cast<int>(size * kScale[std::clamp(heading, 0, 6)] * 10), 96, 720);
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, 0,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, name.c_str());
}

// Lays out and (when `draw`) paints the document; returns the content height.
int Render(HWND h, HDC dc, Component& c, HtmlDoc& doc, bool draw) {
    RECT client;
    GetClientRect(h, &client);
    int margin = static_cast<int>(c.StoredInt("MarginWidth", 10));
    int right = client.right - margin;
    int y = static_cast<int>(c.StoredInt("MarginHeight", 8)) - doc.scroll;
    const int top = y;
    COLORREF textColour = ColourFromText(c.Stored("DefFontColor", "clWindowText"), 0);
    COLORREF linkColour = ColourFromText(c.Stored("DefHotSpotColor", "clBlue"), RGB(0, 0, 255));
    doc.links.clear();
    SetBkMode(dc, TRANSPARENT);
    for (const Block& b : doc.blocks) {
        if (b.rule) {
            RECT line{margin, y + 4, right, y + 6};
            if (draw) DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            y += 10;
            continue;
        }
        if (b.runs.empty()) continue;
        int left = margin + b.indent * 18;
        int x = left, lineHeight = 0;
        std::vector<std::pair<std::string, const Run*>> pending;
        if (!b.bullet.empty() && draw) {
            HFONT f = MakeFont(c, 0, false, false, false);
            HGDIOBJ old = SelectObject(dc, f);
            SetTextColor(dc, textColour);
            TextOutA(dc, left - 14 - (b.bullet.size() > 1 ? 6 : 0), y, b.bullet.c_str(),
                     static_cast<int>(b.bullet.size()));
            SelectObject(dc, old);
            DeleteObject(f);
        }
        for (const Run& r : b.runs) {
            HFONT f = MakeFont(c, b.heading, r.bold, r.italic, !r.href.empty());
            HGDIOBJ old = SelectObject(dc, f);
            TEXTMETRICA tm;
            GetTextMetricsA(dc, &tm);
            std::size_t at = 0;
            while (at < r.text.size()) {
                std::size_t end = r.text.find(' ', at);
                end = end == std::string::npos ? r.text.size() : end + 1;
                std::string word = r.text.substr(at, end - at);
                at = end;
                SIZE size;
                GetTextExtentPoint32A(dc, word.c_str(), static_cast<int>(word.size()), &size);
                if (x + size.cx > right && x > left) {
                    y += lineHeight;
                    x = left;
                    lineHeight = 0;
                    if (word == " ") continue;
                }
                lineHeight = std::max<int>(lineHeight, static_cast<int>(tm.tmHeight));
                if (draw) {
                    SetTextColor(dc, r.href.empty() ? textColour : linkColour);
                    TextOutA(dc, x, y, word.c_str(), static_cast<int>(word.size()));
                }
                if (!r.href.empty())
                    doc.links.push_back({RECT{x, y, x + size.cx, y + tm.tmHeight}, r.href});
                x += size.cx;
            }
            SelectObject(dc, old);
            DeleteObject(f);
        }
        y += lineHeight + (b.heading ? lineHeight / 2 : b.bullet.empty() ? lineHeight / 2 : 2);
    }
    return y - top + 8;
}

void UpdateScroll(HWND h, Component& c, HtmlDoc& doc) {
    HDC dc = GetDC(h);
    int height = Render(h, dc, c, doc, false);
    ReleaseDC(h, dc);
    RECT client;
    GetClientRect(h, &client);
    doc.scroll = std::clamp(doc.scroll, 0, std::max(0, height - static_cast<int>(client.bottom)));
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS,   0,
                  height,    static_cast<UINT>(client.bottom), doc.scroll,
                  0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
}

} // namespace

void SetHtmlDocument(Component& c, const std::string& html) {
    HWND h = c.Handle();
    if (!h) return;
    HtmlDoc* doc = DocOf(h);
    if (!doc) {
        doc = new HtmlDoc();
        SetPropA(h, "ZkHtml", doc);
    }
    *doc = Parse(html);
    UpdateScroll(h, c, *doc);
    InvalidateRect(h, nullptr, TRUE);
}

std::string HtmlDocumentTitle(const Component& c) {
    HtmlDoc* doc = c.Handle() ? DocOf(c.Handle()) : nullptr;
    return doc ? doc->title : "";
}

LRESULT CALLBACK HtmlViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* c = static_cast<Component*>(GetPropA(hwnd, "ZkComponent"));
    HtmlDoc* doc = DocOf(hwnd);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (c) {
            RECT r;
            GetClientRect(hwnd, &r);
            HBRUSH back = CreateSolidBrush(
                ColourFromText(c->Stored("DefBackground", "clWindow"), GetSysColor(COLOR_WINDOW)));
            FillRect(dc, &r, back);
            DeleteObject(back);
            if (doc) Render(hwnd, dc, *c, *doc, true);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE:
        if (c && doc) UpdateScroll(hwnd, *c, *doc);
        break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        if (c && doc) {
            RECT r;
            GetClientRect(hwnd, &r);
            int step = 0;
            if (msg == WM_MOUSEWHEEL)
                step = -GET_WHEEL_DELTA_WPARAM(wp) / 3;
            else
                switch (LOWORD(wp)) {
                case SB_LINEUP:
                    step = -16;
                    break;
                case SB_LINEDOWN:
                    step = 16;
                    break;
                case SB_PAGEUP:
                    step = -r.bottom;
                    break;
                case SB_PAGEDOWN:
                    step = r.bottom;
                    break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION:
                    step = HIWORD(wp) - doc->scroll;
                    break;
                }
            doc->scroll += step;
            UpdateScroll(hwnd, *c, *doc);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_SETCURSOR:
        if (doc) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd, &p);
            for (const auto& [r, href] : doc->links)
                if (PtInRect(&r, p)) {
                    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                    return TRUE;
                }
        }
        break;
    case WM_LBUTTONUP:
        if (c && doc) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            for (const auto& [r, href] : doc->links)
                if (PtInRect(&r, p)) {
                    std::string link = href;
                    if (c->Owner().onLink && c->Owner().onLink(*c, link)) return 0;
                    // Not handled: follow a link to a local page of the same folder.
                    std::string file = link.substr(0, link.find('#'));
                    std::string path = (c->Owner().Folder() / file).string();
                    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr);
                    if (f != INVALID_HANDLE_VALUE) {
                        std::string text(std::min<DWORD>(GetFileSize(f, nullptr), 4u << 20), '\0');
                        DWORD read = 0;
                        ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
                        CloseHandle(f);
                        text.resize(read);
                        SetHtmlDocument(*c, text);
                    }
                    return 0;
                }
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_NCDESTROY:
        delete doc;
        RemovePropA(hwnd, "ZkHtml");
        RemovePropA(hwnd, "ZkComponent");
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace zk::ui

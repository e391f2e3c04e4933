// File and folder views built on standard list, combo, tree and list-view
// controls: file list, folder list, drive and filter combos, shell tree, list
// and combo.
#include "engine/ui/win/windows_headers.h"

#include <algorithm>

#include "common/ansi_case.h"
#include "engine/ui/property_text.h"
#include "engine/ui/win/control_windows.h"

namespace zk::ui {
namespace {

std::string CurrentFolder() {
    char buf[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buf);
    return buf;
}

std::string WithSlash(std::string p) {
    if (!p.empty() && p.back() != '\\') p += '\\';
    return p;
}

bool IsFolder(const std::string& p) {
    DWORD a = GetFileAttributesA(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Drives() {
    char buf[512] = {};
    DWORD n = GetLogicalDriveStringsA(sizeof buf, buf);
    std::vector<std::string> out;
    for (const char* p = buf; p < buf + n && *p; p += lstrlenA(p) + 1)
        out.emplace_back(p);
    return out;
}

// Entries of a folder: sub-folders (without . and ..) or files matching the masks.
std::vector<std::string> Entries(const std::string& folder, bool folders,
                                 const std::string& masks) {
    std::vector<std::string> out;
    std::vector<std::string> patterns;
    std::size_t at = 0;
    std::string all = folders || masks.empty() ? "*.*" : masks;
    while (at <= all.size()) {
        std::size_t semi = all.find(';', at);
        if (semi == std::string::npos) semi = all.size();
        if (semi > at) patterns.push_back(all.substr(at, semi - at));
        at = semi + 1;
    }
    for (const auto& pattern : patterns) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((WithSlash(folder) + pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            bool dir = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            if (dir == folders && std::find(out.begin(), out.end(), name) == out.end())
                out.push_back(name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
        return AnsiLower(a) < AnsiLower(b);
    });
    return out;
}

// The folder a view shows: its Directory or Path property, else the current folder.
std::string FolderOf(Component& c, const char* property) {
    std::string folder = c.Stored(property);
    if (folder.empty() || !IsFolder(folder)) folder = CurrentFolder();
    return folder;
}

void AddCombo(HWND h, const std::string& text) {
    SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

void FillFolderView(Component& c) {
    HWND h = c.Handle();
    if (!h) return;
    auto& paths = c.ItemPaths();
    paths.clear();
    switch (c.Kind()) {
    case ComponentKind::FileListBox: {
        SendMessageA(h, LB_RESETCONTENT, 0, 0);
        std::string folder = FolderOf(c, "Directory");
        for (const auto& name : Entries(folder, false, c.Stored("Mask", "*.*"))) {
            SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            paths.push_back(WithSlash(folder) + name);
        }
        break;
    }
    case ComponentKind::DirectoryListBox: {
        SendMessageA(h, LB_RESETCONTENT, 0, 0);
        std::string folder = FolderOf(c, "Directory");
        // The chain from the root down to the folder, then its sub-folders indented below.
        std::string walked;
        std::size_t at = 0;
        int depth = 0;
        while (at < folder.size()) {
            std::size_t slash = folder.find('\\', at);
            if (slash == std::string::npos) slash = folder.size();
            std::string part = folder.substr(at, slash - at);
            walked += part + "\\";
            if (!part.empty()) {
                std::string label = std::string(static_cast<std::size_t>(depth) * 2, ' ') +
                                    (depth ? part : part + "\\");
                SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
                paths.push_back(walked);
                ++depth;
            }
            at = slash + 1;
        }
        SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(depth - 1), 0);
        for (const auto& name : Entries(folder, true, "")) {
            std::string label = std::string(static_cast<std::size_t>(depth) * 2, ' ') + name;
            SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
            paths.push_back(WithSlash(folder) + name);
        }
        break;
    }
    case ComponentKind::DriveComboBox:
    case ComponentKind::ShellCombo: {
        SendMessageA(h, CB_RESETCONTENT, 0, 0);
        std::string want =
            c.Kind() == ComponentKind::DriveComboBox ? c.Stored("Drive") : c.Stored("Path");
        if (want.empty()) want = CurrentFolder();
        int selected = -1, n = 0;
        bool upper = AnsiSameText(c.Stored("TextCase", "tcLowerCase"), "tcUpperCase");
        for (const auto& drive : Drives()) {
            std::string label =
                c.Kind() == ComponentKind::DriveComboBox
                    ? (upper ? AnsiUpper(drive.substr(0, 2)) : AnsiLower(drive.substr(0, 2)))
                    : drive;
            AddCombo(h, label);
            paths.push_back(drive);
            if (AnsiUpperChar(drive[0]) == AnsiUpperChar(want[0])) selected = n;
            ++n;
        }
        if (c.Kind() == ComponentKind::ShellCombo && IsFolder(want) && want.size() > 3) {
            AddCombo(h, want);
            paths.push_back(want);
            selected = n;
        }
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        break;
    }
    case ComponentKind::FilterComboBox: {
        SendMessageA(h, CB_RESETCONTENT, 0, 0);
        std::string filter = c.Stored("Filter", "All files (*.*)|*.*");
        std::vector<std::string> parts;
        std::size_t at = 0;
        while (at <= filter.size()) {
            std::size_t bar = filter.find('|', at);
            if (bar == std::string::npos) bar = filter.size();
            parts.push_back(filter.substr(at, bar - at));
            at = bar + 1;
        }
        for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
            AddCombo(h, parts[i]);
            paths.push_back(parts[i + 1]);
        }
        SendMessageA(h, CB_SETCURSEL, 0, 0);
        break;
    }
    case ComponentKind::ShellTree: {
        SendMessageA(h, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        std::string folder = FolderOf(c, "Path");
        HTREEITEM selected = nullptr;
        auto insert = [&](HTREEITEM parent, const std::string& text, const std::string& path) {
            TVINSERTSTRUCTA ins{};
            ins.hParent = parent;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT | TVIF_PARAM;
            ins.item.pszText = const_cast<char*>(text.c_str());
            ins.item.lParam = static_cast<LPARAM>(paths.size());
            paths.push_back(path);
            return reinterpret_cast<HTREEITEM>(
                SendMessageA(h, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
        };
        for (const auto& drive : Drives()) {
            HTREEITEM item = insert(TVI_ROOT, drive, drive);
            if (AnsiUpperChar(drive[0]) != AnsiUpperChar(folder[0])) continue;
            // The path of the shown folder, opened down to it, with its sub-folders.
            std::string walked = drive;
            std::size_t at = drive.size();
            selected = item;
            while (at < folder.size()) {
                std::size_t slash = folder.find('\\', at);
                if (slash == std::string::npos) slash = folder.size();
                std::string part = folder.substr(at, slash - at);
                if (!part.empty()) {
                    walked = WithSlash(walked) + part;
                    HTREEITEM child = insert(selected, part, walked);
                    SendMessageA(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(selected));
                    selected = child;
                }
                at = slash + 1;
            }
            for (const auto& name : Entries(folder, true, ""))
                insert(selected, name, WithSlash(folder) + name);
            SendMessageA(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(selected));
        }
        if (selected)
            SendMessageA(h, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected));
        break;
    }
    case ComponentKind::ShellList: {
        SendMessageA(h, LVM_DELETEALLITEMS, 0, 0);
        if (SendMessageA(h, LVM_GETCOLUMNWIDTH, 0, 0) == 0) {
            LVCOLUMNA col{};
            col.mask = LVCF_WIDTH | LVCF_TEXT;
            col.cx = 200;
            col.pszText = const_cast<char*>("Name");
            SendMessageA(h, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
        }
        std::string folder = FolderOf(c, "Path");
        int n = 0;
        for (bool folders : {true, false})
            for (const auto& name : Entries(folder, folders, "")) {
                LVITEMA item{};
                item.mask = LVIF_TEXT;
                item.iItem = n++;
                item.pszText = const_cast<char*>(name.c_str());
                SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
                paths.push_back(WithSlash(folder) + name);
            }
        break;
    }
    default:
        break;
    }
}

HBITMAP LoadComponentPicture(const Component& c) {
    std::string file = c.Stored("PictureFile");
    if (!file.empty()) {
        std::string path =
            std::filesystem::path(file).is_absolute() ? file : (c.Owner().Folder() / file).string();
        return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }
    std::string hex = c.Stored("Picture.Data");
    if (hex.empty()) return nullptr;
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    // The form file holds the picture's class name (length-prefixed) and, for a
    // bitmap, its size as 4 bytes before the BMP file itself.
    std::size_t at = 0;
    if (bytes.size() > 1 && bytes.compare(0, 2, "BM") != 0) {
        std::size_t nameLength = static_cast<unsigned char>(bytes[0]);
        if (bytes.size() < 1 + nameLength || !AnsiSameText(bytes.substr(1, nameLength), "TBitmap"))
            return nullptr;
        at = 1 + nameLength + 4;
    }
    if (bytes.size() < at + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) ||
        bytes.compare(at, 2, "BM") != 0)
        return nullptr;
    BITMAPFILEHEADER fileHeader;
    memcpy(&fileHeader, bytes.data() + at, sizeof fileHeader);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + at + sizeof fileHeader);
    if (fileHeader.bfOffBits >= bytes.size() - at) return nullptr;
    const char* bits = bytes.data() + at + fileHeader.bfOffBits;
    LONG width = info->bmiHeader.biWidth, height = info->bmiHeader.biHeight;
    if (width <= 0 || width > 16384 || height == 0 || height > 16384 || height < -16384)
        return nullptr;
    std::size_t stride =
        ((static_cast<std::size_t>(std::abs(width)) * info->bmiHeader.biBitCount + 31) / 32) * 4;
    if (info->bmiHeader.biCompression == BI_RGB &&
        stride * static_cast<std::size_t>(std::abs(height)) >
            bytes.size() - at - fileHeader.bfOffBits)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bmp;
}

} // namespace zk::ui

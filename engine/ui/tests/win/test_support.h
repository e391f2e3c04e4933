// Helpers of the Windows dialog tests: message pumping with a deadline,
// screenshots of a window into a BMP file, and fake engine services.
#pragma once
#include "engine/ui/win/windows_headers.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "engine/ui/dialog_variables.h"

namespace zk::ui::testing {

inline void Pump(int milliseconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    } while (std::chrono::steady_clock::now() < until);
}

// Copies what the screen shows of the window into a 24-bit BMP file.
inline bool SaveWindowBitmap(HWND hwnd, const std::filesystem::path& file) {
    RECT r;
    GetWindowRect(hwnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    GdiFlush();
    DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
    DWORD size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof info.bmiHeader + size), 0, 0,
                        static_cast<DWORD>(sizeof fh + sizeof info.bmiHeader)};
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return out.good();
}

// Colour of a pixel of a window as the screen shows it.
inline COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

class FakeServices : public DialogServices {
  public:
    bool silent = false;
    bool installing = false;
    bool Silent() const override { return silent; }
    std::string EngineCaption() const override { return "Quorvix - Korvane Wizard"; }
    std::string EngineMessage(std::string_view english) const override {
        return std::string(english);
    }
    bool InstallationRunning() const override { return installing; }
};

// Runs `action` once from a thread timer while a modal loop (or message box) runs.
class TimedAction {
  public:
    TimedAction(int milliseconds, std::function<void()> action) {
        id_ = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), &TimedAction::Fire);
        Actions()[id_] = std::move(action);
    }
    ~TimedAction() {
        KillTimer(nullptr, id_);
        Actions().erase(id_);
    }
    TimedAction(const TimedAction&) = delete;
    TimedAction& operator=(const TimedAction&) = delete;

  private:
    static std::map<UINT_PTR, std::function<void()>>& Actions() {
        static std::map<UINT_PTR, std::function<void()>> actions;
        return actions;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto it = Actions().find(id);
        if (it == Actions().end() || !it->second) return;
        auto action = std::move(it->second);
        it->second = nullptr;
        action();
    }
    UINT_PTR id_;
};

} // namespace zk::ui::testing

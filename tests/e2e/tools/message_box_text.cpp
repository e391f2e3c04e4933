// Waits for a top-level window with the given caption (a message box), prints
// the texts of its child windows, one per line, and answers it with OK.
//   message_box_text.exe "<caption>" <seconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    char text[4096] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (text[0]) std::printf("%s\n", text);
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
    HWND box = nullptr;
    while (!(box = FindWindowA(nullptr, argv[1]))) {
        if (GetTickCount() > deadline) {
            std::printf("no window\n");
            return 1;
        }
        Sleep(100);
    }
    Sleep(300); // let the box finish laying out its texts
    EnumChildWindows(box, PrintChild, 0);
    std::fflush(stdout);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}

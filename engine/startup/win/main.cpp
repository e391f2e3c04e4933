#include <windows.h>

#include "engine/startup/win/run_sequence.h"

namespace {

// Libraries loaded at run time come from the system folder only, never from
// the folder the setup was started from.
void SecureDllSearch() {
    using SetDirs = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetDirs>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                      : nullptr;
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SecureDllSearch();
    return zk::startup::RunEngine();
}

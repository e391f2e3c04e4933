#include "quorvconfig/diag/diag_host_win.h"

#include <windows.h>

#include <cstdio>

namespace zk::qcfg {

bool Win_Diagnostic_Host::Message_Box(velm::Velm_Window owner, const std::string& text,
                                      const std::string& caption, Box_Kind kind) {
    UINT style = kind == Box_Kind::Question ? (MB_YESNO | MB_ICONQUESTION) : (MB_OK | MB_ICONERROR);
    int answer = MessageBoxA(static_cast<HWND>(owner), text.c_str(),
                             caption.empty() ? nullptr : caption.c_str(), style);
    return answer == IDYES;
}

velm::Velm_Window Win_Diagnostic_Host::Active_Window() {
    return GetActiveWindow();
}

void Win_Diagnostic_Host::Post_Ring_Message(velm::Velm_Window window) {
    PostMessageA(static_cast<HWND>(window), WM_USER + 1, 0, 0);
}

void Win_Diagnostic_Host::Console_Write(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void Win_Diagnostic_Host::Status_Overwrite(const std::string& text) {
    if (On_Status_Overwrite) On_Status_Overwrite(text);
}

Computer_Info Win_Diagnostic_Host::Get_Computer_Info() {
    Computer_Info info;
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    if (GetComputerNameA(name, &size)) {
        info.Has_Name = true;
        info.Computer_Name.assign(name, size);
    }

    // The extended structure first (service pack numbers), then the basic one.
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    bool extended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)) != 0;
    if (!extended) {
        ex = OSVERSIONINFOEXA{};
        ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) return info;
    }
    info.Has_Version = true;
    info.Platform = ex.dwPlatformId == VER_PLATFORM_WIN32s          ? Platform_Kind::Win32s
                    : ex.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? Platform_Kind::Windows_9x
                                                                    : Platform_Kind::Windows_NT;
    info.Major = ex.dwMajorVersion;
    info.Minor = ex.dwMinorVersion;
    info.Build = ex.dwBuildNumber & 0xFFFF;
    info.Has_Service_Pack = extended;
    info.Service_Pack_Major = ex.wServicePackMajor;
    info.Service_Pack_Minor = ex.wServicePackMinor;

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    info.Processors = system.dwNumberOfProcessors;
    info.Processor_Type = system.dwProcessorType;
    info.Oem_Id = system.wProcessorArchitecture; // the former dwOemId
    return info;
}

bool Open_Trace_Console() {
    if (!AllocConsole() && GetConsoleWindow() == nullptr) return false;
    if (std::freopen("CONOUT$", "w", stdout) == nullptr) return false;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return true;
}

} // namespace zk::qcfg

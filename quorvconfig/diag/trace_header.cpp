#include "quorvconfig/diag/my_error_fct.h"

namespace zk::qcfg {

using namespace zk::velm;

namespace {
const char* System_Line(const Computer_Info& info) {
    switch (info.Platform) {
    case Platform_Kind::Win32s:
        return "System:         Win32s";
    case Platform_Kind::Windows_9x:
        return info.Major > 4 || (info.Major == 4 && info.Minor > 0) ? "System:         Windows 98"
                                                                     : "System:         Windows 95";
    case Platform_Kind::Windows_NT:
        if (info.Major == 5 && info.Minor == 0) return "System:         Windows 2000";
        if (info.Major == 5 && info.Minor == 1) return "System:         Windows XP";
        return "System:         Windows NT";
    }
    return "System:         Windows NT";
}
} // namespace

void Write_Trace_Header() {
    if (Flag_Trace == 0) return;

    // Each traced run starts a new (unnumbered) trace file.
    std::string folder, base, extension;
    Get_Generic_Name(Velm_Trace_File, folder, base, extension);
    if (folder.empty()) {
        folder = Velm_Scratch_Dir;
        if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    }
    Velm_Delete_File(folder + base + extension);

    Diagnostic_Host* host = Get_Diagnostic_Host();
    std::tm now = host != nullptr ? host->Local_Time() : std::tm{};
    char date[64];
    std::size_t n = std::strftime(date, sizeof date, "%d %b %Y %H:%M", &now);
    date[n] = '\0';

    Error_Fct(hwnd, Type_Trace, "==== ==== %s %s ==== (%s) ==== ====", Prog_Name.c_str(),
              Prog_Version.c_str(), date);
    Error_Fct(hwnd, Type_Trace, "%s", "");
    Error_Fct(hwnd, Type_Trace, "Prog_ID:      %s", Prog_ID.c_str());
    Error_Fct(hwnd, Type_Trace, "Prog_Date:    %s", Prog_Date.c_str());
    Error_Fct(hwnd, Type_Trace, "Compile:      %s", "Dec 31 2012");
    Error_Fct(hwnd, Type_Trace, "%s", "");
    Error_Fct(hwnd, Type_Trace, "---- Computer Info: ----");

    Computer_Info info = host != nullptr ? host->Get_Computer_Info() : Computer_Info{};
    if (info.Has_Name) {
        Error_Fct(hwnd, Type_Trace, "Computer Name:  %s", info.Computer_Name.c_str());
    } else {
        Error_Fct(hwnd, Type_Trace, "File:%s Line:%d", "trace_header.cpp", __LINE__);
        Error_Fct(hwnd, Type_Trace, "in GetComputerName()");
    }
    if (!info.Has_Version) return;
    Error_Fct(hwnd, Type_Trace, "%s", System_Line(info));
    Error_Fct(hwnd, Type_Trace, "                version %u.%u (Build %u)", info.Major, info.Minor,
              info.Build & 0xFFFFu);
    if (info.Has_Service_Pack) {
        Error_Fct(hwnd, Type_Trace, "                Service Pack %u.%u", info.Service_Pack_Major,
                  info.Service_Pack_Minor);
    }
    Error_Fct(hwnd, Type_Trace, "Processor:      %u x %u (OEM ID: %u)", info.Processors,
              info.Processor_Type, info.Oem_Id);
    Error_Fct(hwnd, Type_Trace, "%s", "");
    Error_Fct(hwnd, Type_Trace, "-----------------------");
}

} // namespace zk::qcfg

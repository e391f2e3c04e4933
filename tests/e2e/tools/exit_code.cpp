// Runs the command line that follows its own name and prints the program's
// full 32-bit exit code; a Unix process status keeps only its low 8 bits.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
    const char* p = GetCommandLineA();
    if (*p == '"') {
        p = std::strchr(p + 1, '"');
        p = p ? p + 1 : "";
    } else {
        while (*p && *p != ' ') ++p;
    }
    while (*p == ' ') ++p;
    char command[32768];
    lstrcpynA(command, p, sizeof(command));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start: %lu\n", GetLastError());
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit code %lu\n", code);
    return 0;
}

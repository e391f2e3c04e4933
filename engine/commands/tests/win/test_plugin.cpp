// A plug-in library for the plug-in command tests. The plug-in data choose
// what it does:
//   "replace"      changes CHANGE, drops the variables whose names begin with
//                  "DROP", adds ADDED and WINDOW (the window handle it got)
//   "fail"         returns -1
//   "empty"        returns an empty result
//   "progress"     reports progress and adds CALLBACK (the callback's answers)
//   "cancel"       reports progress until told to stop (at most 2000 times)
//                  and adds CANCELLED ("1" when told, else "0")
//   "crash first"  faults in the call without buffer
//   "crash second" faults in the call with the buffer
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/comma_text.h"

namespace {

using ProgressCallback = INT_PTR(WINAPI*)(INT_PTR position, const char* text);

// Writes into the first page of the address space, which is never mapped.
void Fault() {
    int* volatile nowhere = reinterpret_cast<int*>(static_cast<UINT_PTR>(0x10));
    *nowhere = 1;
}

std::string Answer(UINT_PTR window, const std::string& variables, const std::string& data,
                   ProgressCallback progress) {
    std::vector<std::string> items = zk::SplitCommaText(variables);
    if (data == "replace") {
        std::vector<std::string> kept;
        for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
            if (items[i].rfind("DROP", 0) == 0) continue;
            kept.insert(kept.end(),
                        {items[i], items[i] == "CHANGE" ? "changed by plug-in" : items[i + 1]});
        }
        kept.insert(kept.end(),
                    {"ADDED", "new, \"quoted\" value", "WINDOW", std::to_string(window)});
        return zk::JoinCommaText(kept);
    }
    if (data == "progress") {
        std::string answers;
        answers += std::to_string(progress(0, "Starting"));
        answers += std::to_string(progress(50, "$IGNORE$"));
        answers += std::to_string(progress(150, "Done"));
        items.insert(items.end(), {"CALLBACK", answers});
        return zk::JoinCommaText(items);
    }
    if (data == "cancel") {
        bool told = false;
        for (int i = 0; i < 2000 && !told; ++i) {
            told = progress(10, "$IGNORE$") == 0;
            if (!told) Sleep(5);
        }
        items.insert(items.end(), {"CANCELLED", told ? "1" : "0"});
        return zk::JoinCommaText(items);
    }
    return {};
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI
    RunTimeExecute(UINT_PTR window, const char* variables, const char* data,
                   ProgressCallback progress, UINT_PTR* pluginValue, char* buffer) {
    const std::string mode = data;
    if (mode == "fail") return -1;
    if (mode == "crash first" && buffer == nullptr) Fault();
    if (mode == "crash second" && buffer != nullptr) Fault();
    // The engine keeps the value between the two calls.
    if (buffer == nullptr)
        *pluginValue = 4711;
    else if (*pluginValue != 4711)
        return -1;
    const std::string answer = Answer(window, variables, mode, progress);
    if (buffer != nullptr) std::memcpy(buffer, answer.c_str(), answer.size() + 1);
    return static_cast<int>(answer.size());
}

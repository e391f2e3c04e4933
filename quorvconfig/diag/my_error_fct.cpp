#include "quorvconfig/diag/my_error_fct.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace zk::qcfg {

using namespace zk::velm;

namespace {

Diagnostic_Host* currentHost = nullptr;
// Recursive: a message box pumps messages, and the window may report again.
std::recursive_mutex handlerLock;
bool errorLogStarted = false;
bool folderBoxShown = false;

std::string Format_Time(const std::tm& t, const char* format) {
    char buffer[64];
    std::size_t n = std::strftime(buffer, sizeof buffer, format, &t);
    return std::string(buffer, n);
}

std::tm Now() {
    if (currentHost != nullptr) return currentHost->Local_Time();
    std::time_t t = std::time(nullptr);
    std::tm result{};
    if (const std::tm* local = std::localtime(&t)) result = *local;
    return result;
}

// Entries end with CR LF whatever the build.
std::string With_Crlf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

void Append_Entry(const std::string& fileName, const std::string& entry) {
    std::FILE* f = Open_For_Append(fileName);
    if (f == nullptr) return;
    std::string bytes = With_Crlf(entry);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void Console(const std::string& text) {
    if (Flag_Trace > 0 && currentHost != nullptr) currentHost->Console_Write(text);
}

void Trace_File(int severity, const std::string& entry) {
    if (Flag_Trace > 0 || (Flag_Trace < 0 && Flag_Trace >= -severity))
        Append_Entry(Velm_Trace_File, entry);
}

void Audit(int type, const std::string& date, const std::string& text) {
    if (Flag_Audit == 1) {
        bool trim = type == Type_Error || type == Type_Warning;
        Append_Entry(Velm_Audit_File, date + " " + (trim ? Str_Strip_Spaces(text) : text) + "\n");
    } else if (Flag_Audit == 2 && type == Type_Audit) {
        Append_Entry(Velm_Audit_File, text + "\n");
    }
}

void Ring(Velm_Window window, const char* raw) {
    char* slot = T_Buf[T_Buf_Write];
    std::size_t n = std::min<std::size_t>(std::strlen(raw), T_Buf_Slot_Size - 1);
    std::memcpy(slot, raw, n);
    slot[n] = '\0';
    T_Buf_Write = (T_Buf_Write + 1) % T_Buf_Slots;
    if (window != nullptr && currentHost != nullptr) currentHost->Post_Ring_Message(window);
}

void Error_Log(const std::string& text) {
    std::string entry;
    if (!errorLogStarted) {
        entry = "\n======== " + Prog_Name + " " + Prog_Version + " =====(" +
                Format_Time(Now(), "%d %b %Y %H:%M") + ")========\n";
    }
    entry += text + "\n";
    std::FILE* f = Open_For_Append(Velm_Log_File);
    if (f == nullptr) return;
    std::string bytes = With_Crlf(entry);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    errorLogStarted = true;
}

} // namespace

std::tm Diagnostic_Host::Local_Time() {
    std::time_t t = std::time(nullptr);
    std::tm result{};
    if (const std::tm* local = std::localtime(&t)) result = *local;
    return result;
}

void Set_Diagnostic_Host(Diagnostic_Host* host) {
    std::lock_guard<std::recursive_mutex> guard(handlerLock);
    currentHost = host;
}

Diagnostic_Host* Get_Diagnostic_Host() {
    return currentHost;
}

void Reset_Diagnostics() {
    std::lock_guard<std::recursive_mutex> guard(handlerLock);
    errorLogStarted = false;
    folderBoxShown = false;
}

std::string Clean_Text(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 6 || c >= 240) continue;
        if (c < 32 || c == 127) {
            if (c == '\t' || c == '\n' || c == '\r') out += ch;
            continue;
        }
        out += ch; // printable ASCII and the Windows-1252 letters and signs
    }
    return out;
}

std::string Append_File_Name(const std::string& fileName) {
    std::string folder, base, extension;
    Get_Generic_Name(fileName, folder, base, extension);
    if (folder.empty()) {
        folder = Velm_Scratch_Dir;
        if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    }
    if (Velm_File_Size == 0) return folder + base + extension;
    char number[8];
    std::string name;
    for (int i = 0; i < 1000; ++i) {
        std::snprintf(number, sizeof number, "_%03d", i);
        name = folder + base + number + extension;
        std::int64_t size = Velm_Get_File_Size(name);
        if (size < 0 || size < Velm_File_Size) return name;
    }
    return name; // every numbered file is full: keep appending to the last one
}

std::FILE* Open_For_Append(const std::string& fileName) {
    std::lock_guard<std::recursive_mutex> guard(handlerLock);
    std::string folder, base, extension;
    Get_Generic_Name(fileName, folder, base, extension);
    if (folder.empty()) folder = Velm_Scratch_Dir;
    if (!Create_Dir(folder)) {
        if (!folderBoxShown) {
            folderBoxShown = true;
            if (currentHost != nullptr) {
                currentHost->Message_Box(currentHost->Active_Window(),
                                         "Unable to create directory: \"" + folder +
                                             "\"\nMake sure you have the necessary permisions",
                                         "Error writing to Scratch dir", Box_Kind::Error);
            }
        }
        return nullptr;
    }
    return Velm_Open_File(Append_File_Name(fileName), "ab");
}

int My_Error_Fct(Velm_Window window, int type, const char* rawText) {
    std::lock_guard<std::recursive_mutex> guard(handlerLock);
    const char* raw = rawText != nullptr ? rawText : "";
    std::string date = Format_Time(Now(), "%d-%b-%Y %H:%M:%S");
    std::string text = Clean_Text(raw);

    switch (type) {
    case Type_Error:
        Console("ERROR: " + text + "\n");
        Trace_File(3, "ERROR:   " + text + "\n");
        Audit(type, date, text);
        if (currentHost != nullptr) currentHost->Message_Box(window, text, "", Box_Kind::Error);
        return 1;
    case Type_Warning:
        Console("WARNING: " + text + "\n");
        Trace_File(2, "WARNING: " + text + "\n");
        Ring(window, raw);
        Audit(type, date, text);
        return 1;
    case Type_Question:
        if (currentHost == nullptr) return 0;
        return currentHost->Message_Box(window, text, Prog_Name, Box_Kind::Question) ? 1 : 0;
    case Type_Report:
        Console("REPORT:  " + text + "\n");
        Trace_File(1, "REPORT: " + text + "\n");
        Ring(window, raw);
        Audit(type, date, text);
        return 1;
    case Type_Audit:
        Console("AUDIT:   " + text + " \n");
        Audit(type, date, text);
        return 1;
    case Type_Thread:
        Console("THREAD:  " + text + "\n");
        Trace_File(1, "THREAD:  " + text + "\n");
        Ring(window, raw);
        Audit(type, date, text);
        return 1;
    case Type_Errlog:
        Console("ERRLOG: " + text + "\n");
        Error_Log(text);
        return 1;
    case Type_Overwrite:
        Console("OVER:   " + text + "\n");
        Trace_File(1, "OVER: " + text + "\n");
        if (currentHost != nullptr) currentHost->Status_Overwrite(text);
        return 1;
    default:
        break;
    }
    if (type >= Type_Trace && type <= Type_Trace_Last && Flag_Trace != 0) {
        std::string indent(static_cast<std::size_t>(4 * (type - Type_Trace)), ' ');
        Console("TRACE:   " + indent + text + " \n");
        Append_Entry(Velm_Trace_File, "TRACE:   " + indent + text + "\n");
    }
    return 1;
}

} // namespace zk::qcfg

#include "quorvconfig/prefs/preference_file.h"

#include "quorvconfig/velmora_util/velmora_util.h"

#include <cerrno>

namespace zk::qcfg {

using namespace zk::velm;

namespace {

const char* const This_File = "preference_file.cpp";

std::tm Local_Now() {
    std::time_t t = std::time(nullptr);
    std::tm result{};
    if (const std::tm* local = std::localtime(&t)) result = *local;
    return result;
}

bool Write_All(std::FILE* f, const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
}

} // namespace

bool Preference_Path(std::string& file, std::string& folder) {
    std::string appData;
    if (!Velm_Get_Env("APPDATA", appData) || appData.empty()) {
        Error_Fct(hwnd, Type_Errlog, "file:%s line:%d", This_File, __LINE__);
        Error_Fct(hwnd, Type_Errlog, "Unable to get path from environment");
        return false;
    }
    file = appData + "\\Velmora\\Quorv.ini";
    folder = appData + "\\Velmora\\";
    return true;
}

void Preference_Read(Preferences& prefs) {
    Preference_Reset(prefs);
    std::string file, folder;
    if (!Preference_Path(file, folder)) return;
    std::FILE* f = Velm_Open_File(file, "rb");
    if (f == nullptr) return; // no file yet: the defaults stay
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    Preference_Read_Text(prefs, text);
}

bool Preference_Write(const Preferences& prefs, std::FILE* pipe) {
    std::string file, folder;
    if (!Preference_Path(file, folder)) return false;

    if (!Create_Dir(folder)) {
        Error_Fct(hwnd, Type_Errlog, "file:%s line:%d", This_File, __LINE__);
        Error_Fct(hwnd, Type_Errlog, "ERROR: Unable to create dir \"%s\"", folder.c_str());
        // 0xF1 0x04 ... 0x02: the status text widget shows "ERROR:" marked.
        Error_Fct(hwnd, Type_Warning,
                  "\xF1\x04"
                  "ERROR:\x02 Unable to create dir \"%s\"",
                  folder.c_str());
        return false;
    }

    std::FILE* f = Velm_Open_File(file, "wb");
    if (f == nullptr) {
        int error = errno;
        Error_Fct(hwnd, Type_Errlog, "file:%s line:%d", This_File, __LINE__);
        Error_Fct(hwnd, Type_Errlog, "Unable to open config file: \"%s\"", file.c_str());
        Error_Fct(hwnd, Type_Errlog, "%s", Error_Perror(error).c_str());
        return false;
    }
    bool written = Write_All(f, Preference_Format_File(prefs, Local_Now()));
    int error = errno;
    if (std::fclose(f) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        Error_Fct(hwnd, Type_Errlog, "file:%s line:%d", This_File, __LINE__);
        Error_Fct(hwnd, Type_Errlog, "Unable to write config file: \"%s\"", file.c_str());
        Error_Fct(hwnd, Type_Errlog, "%s", Error_Perror(error).c_str());
        return false;
    }

    if (pipe != nullptr && !Write_All(pipe, Preference_Format_Pipe(prefs))) {
        error = errno;
        Error_Fct(hwnd, Type_Errlog, "file:%s line:%d", This_File, __LINE__);
        Error_Fct(hwnd, Type_Errlog, "Unable to write to the pipe");
        Error_Fct(hwnd, Type_Errlog, "%s", Error_Perror(error).c_str());
        return false;
    }
    return true;
}

} // namespace zk::qcfg

#include "quorvconfig/tests/test_support.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zk::qcfg::test {

namespace {
std::vector<Entry> recorded;

int Record(velm::Velm_Window, int type, const char* text) {
    recorded.push_back({type, text});
    return 1;
}

void Set_Env(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
#endif
}

std::filesystem::path Fs(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return std::filesystem::path(p);
#endif
}
} // namespace

Recorder::Recorder() {
    velm::Velm_Reset_Data();
    recorded.clear();
    velm::User_Error_Fct = Record;
}

Recorder::~Recorder() {
    velm::Velm_Reset_Data();
}

const std::vector<Entry>& Recorder::Entries() const {
    return recorded;
}

std::vector<Entry> Recorder::Reports() const {
    std::vector<Entry> out;
    for (const Entry& e : recorded)
        if (e.Type < velm::Type_Trace) out.push_back(e);
    return out;
}

void Recorder::Clear() {
    recorded.clear();
}

Temp_Dir::Temp_Dir() {
    static std::atomic<int> counter{0};
    auto base = std::filesystem::temp_directory_path();
    std::filesystem::path dir;
    for (;;) {
        std::ostringstream name;
        name << "qcfg_test_" << std::rand() << "_" << counter++;
        dir = base / name.str();
        if (std::filesystem::create_directory(dir)) break;
    }
    path_ = dir.string();
#ifdef _WIN32
    path_ += '\\';
#else
    path_ += '/';
#endif
}

Temp_Dir::~Temp_Dir() {
    std::error_code ec;
    std::filesystem::remove_all(Fs(path_), ec);
}

Env_Override::Env_Override(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    Set_Env(name_, value);
}

Env_Override::~Env_Override() {
    Set_Env(name_, saved_);
}

std::string Read_Bytes(const std::string& path) {
    std::ifstream in(Fs(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write_Bytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(Fs(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace zk::qcfg::test

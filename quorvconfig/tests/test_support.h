// Helpers of the Quorvconfig tests: a handler that records Error_Fct entries,
// private temporary folders, environment changes that undo themselves.
#pragma once
#include "quorvconfig/velmora_util/velmora_util.h"

#include <optional>
#include <string>
#include <vector>

namespace zk::qcfg::test {

struct Entry {
    int Type;
    std::string Text;
    bool operator==(const Entry&) const = default;
};

// Installs a recording handler in User_Error_Fct for its lifetime and resets
// the library data before and after.
class Recorder {
  public:
    Recorder();
    ~Recorder();
    const std::vector<Entry>& Entries() const;
    // Entries other than trace entries.
    std::vector<Entry> Reports() const;
    void Clear();
};

// A new empty folder under the system's temporary folder, removed at the end.
class Temp_Dir {
  public:
    Temp_Dir();
    ~Temp_Dir();
    // With the platform's separator at the end.
    std::string Path() const { return path_; }
    std::string Sub(const std::string& name) const { return path_ + name; }
    // Without the final separator (as APPDATA is given).
    std::string Bare() const { return path_.substr(0, path_.size() - 1); }

  private:
    std::string path_;
};

// Sets (or, with nullopt, removes) an environment variable; restores it at the end.
class Env_Override {
  public:
    Env_Override(const char* name, std::optional<std::string> value);
    ~Env_Override();

  private:
    std::string name_;
    std::optional<std::string> saved_;
};

std::string Read_Bytes(const std::string& path);
void Write_Bytes(const std::string& path, const std::string& bytes);

} // namespace zk::qcfg::test

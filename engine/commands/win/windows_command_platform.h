// The command platform on Windows, through the ANSI functions of the kernel:
// GetTempFileNameA, GetShortPathNameA, FindFirstFileA, CreateFileA and the
// 64-bit emulation's redirection switches looked up at run time.
#pragma once
#include "engine/commands/command_platform.h"

namespace zk::commands {

class WindowsCommandPlatform : public CommandPlatform {
  public:
    std::string CreateTemporaryFile(const std::string& folder, const std::string& prefix) override;
    std::string ShortPath(const std::string& path) override;
    std::optional<std::string> StoredName(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool WriteFile(const std::string& path, std::string_view bytes) override;
    void MakeAttributesNormal(const std::string& path) override;
    RedirectionState RedirectionOff(std::string_view platformMode) override;
    void RestoreRedirection(const RedirectionState& state) override;
};

// True when IsWow64Process exists in kernel32, succeeds and reports true for
// this process (a 32-bit engine on a 64-bit system).
bool RunsOn64BitSystem();

} // namespace zk::commands

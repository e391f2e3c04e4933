// What command handlers need from the operating system: unique temporary
// files, the short and the stored long names of paths, whole-file reads and
// writes with ANSI paths, and the switch of the 32-bit emulation's file-system
// redirection (the 64-bit bracket). The Windows layer implements it
// (win/windows_command_platform.h); tests fake it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace zk::commands {

// What switching redirection off saved, for restoring it.
struct RedirectionState {
    bool switched = false; // false: nothing was changed, nothing to restore
    void* saved = nullptr;
};

class CommandPlatform {
  public:
    virtual ~CommandPlatform() = default;

    // Creates a new, empty file with a name the system picks (prefix, up to
    // four hexadecimal digits, ".TMP") in the folder; its full path, or empty
    // when no file could be created.
    virtual std::string CreateTemporaryFile(const std::string& folder,
                                            const std::string& prefix) = 0;
    // The short (8.3) form of a path; empty when the system gives none (for
    // example the path does not exist).
    virtual std::string ShortPath(const std::string& path) = 0;
    // The last component of an existing path as the file system stores it
    // (its letter case, its long name); nullopt when nothing is found.
    virtual std::optional<std::string> StoredName(const std::string& path) = 0;

    // The whole file; nullopt when it cannot be opened or read.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Creates or replaces the file with the bytes; false on failure.
    virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
    // Clears read-only, hidden and system attributes; failures are ignored.
    virtual void MakeAttributesNormal(const std::string& path) = 0;

    // On a 64-bit system in a platform mode other than "Win32": switches the
    // file-system redirection off. Otherwise changes nothing.
    virtual RedirectionState RedirectionOff(std::string_view platformMode) = 0;
    virtual void RestoreRedirection(const RedirectionState& state) = 0;
};

// Redirection off for the lifetime of the object (the file work of a command).
class RedirectionOffScope {
  public:
    RedirectionOffScope(CommandPlatform& platform, std::string_view platformMode)
        : platform_(platform), state_(platform.RedirectionOff(platformMode)) {}
    ~RedirectionOffScope() { platform_.RestoreRedirection(state_); }
    RedirectionOffScope(const RedirectionOffScope&) = delete;
    RedirectionOffScope& operator=(const RedirectionOffScope&) = delete;

  private:
    CommandPlatform& platform_;
    RedirectionState state_;
};

} // namespace zk::commands

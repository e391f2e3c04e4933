// The engine's own user-visible texts: 115 slots with built-in English texts,
// replaceable from the engine language file.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zk::startup {

class MessageTable {
  public:
    static constexpr int kSlots = 115;

    MessageTable(); // built-in texts

    // Slot n, counted from 1 as in the language file.
    const std::string& Text(int slot) const;

    // Applies a language file: a default block of 115 lines, then named blocks
    // (an English language name line and 115 lines). Each block is applied as it
    // is read; reading stops after the block named `userLanguage` (ignoring case).
    void ApplyLanguageFile(const std::vector<std::string>& lines, std::string_view userLanguage);

  private:
    std::array<std::string, kSlots> texts_;
};

// Slot numbers used across the engine.
namespace msg {
constexpr int kResourceNotFound = 2;
constexpr int kDecompressionFailure = 3;
constexpr int kDatabaseNotFound = 4;
constexpr int kRuntimeErrorInInstall = 5;
constexpr int kUndefinedGet = 9;
constexpr int kUndefinedSet = 10;
constexpr int kGeneralFailure = 19;
constexpr int kRuntimeErrorInScript = 20;
constexpr int kWizardCaption = 23;
} // namespace msg

} // namespace zk::startup

// Data appended to a PE file (the script image after engine.exe, the language
// file after zor.lib): where the regular file image ends, and how to split or
// replace what follows it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zk::setupc {

// End of the regular file image, or nullopt when the bytes are not a PE file
// or end before it.
std::optional<std::uint64_t> RegularImageEnd(std::string_view fileBytes);
// The PE file's regular image with `appended` after it; whatever followed the
// regular image before (an older script image, a symbol table) is dropped.
// Throws std::runtime_error when the bytes are not a complete PE file.
std::string WithAppendedData(std::string_view fileBytes, std::string_view appended);
// The script image inside a file: what follows a PE file's regular image, or
// the whole file when it is not a PE file. Throws std::runtime_error for a PE
// file that carries nothing after its image.
std::string ScriptImageOfFile(std::string_view fileBytes);

} // namespace zk::setupc

// Parts of Windows paths as text ("Extract Path"), and the long form of a path
// ("Convert Path") built from the names the file system stores. Separators
// are "\" and, after a drive letter, ":".
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zk::commands {

// Everything after the last "\" or ":".
std::string FileNamePart(std::string_view path);
// Everything up to and including the last "\" or ":"; empty without either.
std::string FolderPart(std::string_view path);
// The file name's extension from its last dot, dot included; empty without one.
std::string ExtensionPart(std::string_view path);
// "C:" for a drive path, "\\server\share" for a network path, else empty.
std::string DrivePart(std::string_view path);
// Appends "\" to a non-empty text that does not end in one.
std::string WithTrailingBackslash(std::string_view text);

// The parts "Extract Path" selects by number:
// 0 file name, 1 file name without extension, 2 extension without its dot,
// 3 folder part with "\", 4 the folder above the folder part with "\",
// 5 drive part with "\", 6 doubled backslashes collapsed; any other number
// gives the text unchanged. Empty parts stay empty.
std::string ExtractPathPart(std::string_view path, int part);

// Looks up the last component of a path on disk: its stored name, or nullopt.
using StoredNameLookup = std::function<std::optional<std::string>(const std::string& path)>;

// The long form of a path: double quotes and one trailing backslash removed,
// then each component, from the drive or root outwards, replaced by the name
// the file system stores. When a component is not found, the text up to and
// including that component stays as it was. Never ends in a backslash
// (except a bare root "\").
std::string LongPathForm(std::string_view path, const StoredNameLookup& lookup);

} // namespace zk::commands

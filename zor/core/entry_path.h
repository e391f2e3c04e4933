// Checks that an archive entry's path stays inside the destination folder.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zor {

// The path's components, or throws ArchiveError UnsafePath for absolute paths,
// drive letters, UNC names, "..", alternate data streams (":"), Windows device
// names (CON, NUL, COM1, ...), names the file system would alter (trailing dot
// or space) and control or wildcard characters. Empty and "." components are dropped.
std::vector<std::u16string> SafePathComponents(std::u16string_view path);

} // namespace zor

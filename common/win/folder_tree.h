// Emptying a folder tree on Windows (ANSI paths).
#pragma once
#include <string>

namespace zk {

// Deletes every entry of a folder: sub-folders are emptied the same way and
// removed, files get normal attributes and are deleted; errors are ignored.
// `folder` ends in "\". Callers repeat it to catch files released late.
void EmptyFolder(const std::string& folder);

} // namespace zk

// Folder services of start-up: the temporary folder, the support folder and
// the recursive delete used to clean it up.
#pragma once
#include <string>

namespace zk::startup {

// The user's temporary folder with a trailing "\", created when missing.
std::string TemporaryFolder();

// Creates tempFolder + "zor" + n for the first n whose folder does not exist
// yet, atomically (creation that meets an existing folder tries the next n).
// Returns the folder with a trailing "\". Throws EngineError on other failures.
std::string CreateSupportFolder(const std::string& tempFolder);

// Deletes every entry of a folder (sub-folders emptied and removed, files set
// to normal attributes and deleted), ignoring errors. `folder` ends in "\".
void EmptyFolder(const std::string& folder);

// Folder part of a path, with its trailing "\" ("" when there is none).
std::string FolderOf(const std::string& path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

} // namespace zk::startup

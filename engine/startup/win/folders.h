// Folder services of start-up: the temporary folder and the support folder.
#pragma once
#include <string>

namespace zk::startup {

// The user's temporary folder with a trailing "\", created when missing.
std::string TemporaryFolder();

// Creates tempFolder + "zor" + n for the first n whose folder does not exist
// yet, atomically (creation that meets an existing folder tries the next n).
// Returns the folder with a trailing "\". Throws EngineError on other failures.
std::string CreateSupportFolder(const std::string& tempFolder);

// Folder part of a path, with its trailing "\" ("" when there is none).
std::string FolderOf(const std::string& path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

} // namespace zk::startup

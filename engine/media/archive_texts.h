// Texts and numbers of archive extraction that do not need Windows: the error
// texts made of the archive library's error numbers and the progress line.
#pragma once
#include <cstdint>
#include <string>

namespace zk::media {

// After a failed listing: 1001, 1002, 1003 have fixed texts, anything else the general one.
std::string ListErrorText(int errorNumber);
// After a failed extraction: "#" + the number.
std::string ExtractErrorText(int errorNumber);
// done * 100 / total + 1, at most 100; a total of 0 counts as complete.
int ProgressPercent(uint64_t done, uint64_t total);
// "setup.exe, 7% complete": the file name without its folder, ", ", percent, `completeText`.
std::string ProgressLine(const std::string& fileName, int percent, const std::string& completeText);

} // namespace zk::media

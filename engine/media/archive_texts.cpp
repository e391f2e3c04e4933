#include "engine/media/archive_texts.h"

namespace zk::media {

std::string ListErrorText(int errorNumber) {
    switch (errorNumber) {
    case 1001:
        return "The archive file was not found";
    case 1002:
        return "Illegal path used in a wildcard expression";
    case 1003:
        return "The archive cannot be opened: unsupported archive or incorrect password";
    default:
        return "General failure opening archive";
    }
}

std::string ExtractErrorText(int errorNumber) {
    return "#" + std::to_string(errorNumber);
}

int ProgressPercent(uint64_t done, uint64_t total) {
    if (total == 0) return 100; // nothing to do is complete (and never a division by zero)
    // done * 100 / total without overflowing 64 bits for large sizes.
    uint64_t rest = done % total;
    uint64_t restPercent =
        rest <= UINT64_MAX / 100
            ? rest * 100 / total
            : static_cast<uint64_t>(static_cast<long double>(rest) * 100 / total);
    uint64_t percent = done / total * 100 + restPercent + 1;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

std::string ProgressLine(const std::string& fileName, int percent,
                         const std::string& completeText) {
    std::size_t cut = fileName.find_last_of("\\/");
    std::string base = cut == std::string::npos ? fileName : fileName.substr(cut + 1);
    return base + ", " + std::to_string(percent) + completeText;
}

} // namespace zk::media

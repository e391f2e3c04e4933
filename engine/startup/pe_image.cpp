#include "engine/startup/pe_image.h"

#include <algorithm>

namespace zk::startup {
namespace {

std::optional<std::uint32_t> Read(std::string_view data, std::uint64_t offset, int bytes) {
    if (offset + static_cast<std::uint64_t>(bytes) > data.size()) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(data[offset + static_cast<std::uint64_t>(i)]);
    return value;
}

} // namespace

std::optional<std::uint64_t> PeImageEnd(std::string_view headers) {
    if (headers.size() < 0x40 || headers[0] != 'M' || headers[1] != 'Z') return std::nullopt;
    const auto peOffset = Read(headers, 0x3C, 4);
    if (!peOffset) return std::nullopt;
    const auto signature = Read(headers, *peOffset, 4);
    if (!signature || *signature != 0x00004550) return std::nullopt; // "PE\0\0"
    const std::uint64_t fileHeader = std::uint64_t{*peOffset} + 4;
    const auto sections = Read(headers, fileHeader + 2, 2);
    const auto optionalSize = Read(headers, fileHeader + 16, 2);
    if (!sections || !optionalSize) return std::nullopt;
    const std::uint64_t table = fileHeader + 20 + *optionalSize;
    std::uint64_t end = 0;
    for (std::uint32_t i = 0; i < *sections; ++i) {
        const std::uint64_t entry = table + std::uint64_t{i} * 40;
        const auto rawSize = Read(headers, entry + 16, 4);
        const auto rawPointer = Read(headers, entry + 20, 4);
        if (!rawSize || !rawPointer) return std::nullopt;
        end = std::max(end, std::uint64_t{*rawPointer} + *rawSize);
    }
    return end;
}

} // namespace zk::startup

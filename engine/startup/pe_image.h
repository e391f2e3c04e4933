// Where data appended to a PE image starts: the end of the regular file image,
// computed from the section table of the module's headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zk::startup {

// `headers` holds at least the module's headers (DOS header, PE header,
// optional header and section table), as mapped in memory or read from the
// file. The section table is found through SizeOfOptionalHeader, so 32-bit and
// 64-bit images are both handled. nullopt when the headers are not a PE image.
std::optional<std::uint64_t> PeImageEnd(std::string_view headers);

} // namespace zk::startup

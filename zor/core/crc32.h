// CRC-32 (IEEE 802.3, reflected), as 7z archives store it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zor {

// Continues `crc` (start with 0) over `size` bytes.
uint32_t Crc32Update(uint32_t crc, const void* data, std::size_t size);

} // namespace zor

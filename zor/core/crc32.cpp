#include "zor/core/crc32.h"

#include <array>

namespace zor {
namespace {

// Slicing-by-4 tables: four bytes per step keeps CRC checking well below the
// cost of decompression.
struct Crc32Tables {
    std::array<std::array<uint32_t, 256>, 4> t{};
    Crc32Tables() {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i) {
            for (int s = 1; s < 4; ++s)
                t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
        }
    }
};

const Crc32Tables& Tables() {
    static const Crc32Tables tables;
    return tables;
}

} // namespace

uint32_t Crc32Update(uint32_t crc, const void* data, std::size_t size) {
    const auto& t = Tables().t;
    const auto* p = static_cast<const uint8_t*>(data);
    uint32_t c = ~crc;
    while (size >= 4) {
        c ^= uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        c = t[3][c & 0xFF] ^ t[2][(c >> 8) & 0xFF] ^ t[1][(c >> 16) & 0xFF] ^ t[0][c >> 24];
        p += 4;
        size -= 4;
    }
    while (size--)
        c = (c >> 8) ^ t[0][(c ^ *p++) & 0xFF];
    return ~c;
}

} // namespace zor

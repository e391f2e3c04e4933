#include <gtest/gtest.h>

#include <cstdint>

#include "engine/startup/pe_image.h"

namespace zk::startup {
namespace {

void Put(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Minimal headers: DOS stub pointing at a PE header with the given optional
// header size and sections (pointer, size).
std::string Headers(std::uint16_t optionalSize, std::vector<std::pair<std::uint32_t, std::uint32_t>> sections) {
    std::string b(0x400, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    const std::uint32_t pe = 0x80;
    Put(b, 0x3C, pe, 4);
    Put(b, pe, 0x00004550, 4);
    Put(b, pe + 4 + 2, static_cast<std::uint32_t>(sections.size()), 2);
    Put(b, pe + 4 + 16, optionalSize, 2);
    std::size_t table = pe + 24 + optionalSize;
    for (const auto& [pointer, size] : sections) {
        Put(b, table + 16, size, 4);
        Put(b, table + 20, pointer, 4);
        table += 40;
    }
    return b;
}

TEST(PeImage, UsesTheOptionalHeaderSizeOfEachImageKind) {
    // The largest pointer + size wins, whatever the section order.
    EXPECT_EQ(PeImageEnd(Headers(224, {{0x400, 0x1000}, {0x3400, 0x200}, {0x1400, 0x2000}})), 0x3600u);
    EXPECT_EQ(PeImageEnd(Headers(240, {{0x400, 0x1000}, {0x1400, 0x600}})), 0x1A00u);
}

TEST(PeImage, RejectsWhatIsNotAPeImage) {
    EXPECT_FALSE(PeImageEnd("not an image"));
    std::string b = Headers(240, {{0x400, 0x1000}});
    b[0x81] = 'X';
    EXPECT_FALSE(PeImageEnd(b));
    // A section table beyond the headers given is not read.
    EXPECT_FALSE(PeImageEnd(Headers(240, {{0x400, 0x1000}}).substr(0, 0x100)));
}

} // namespace
} // namespace zk::startup

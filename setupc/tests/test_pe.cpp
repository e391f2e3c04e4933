#include "setupc/tests/test_pe.h"

#include <cstdint>

namespace zk::setupc::test {
namespace {

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string MakeTestPe(char tag) {
    std::string pe(0x400, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    Put(pe, 0x3C, 0x40, 4);
    Put(pe, 0x40, 0x00004550, 4); // "PE\0\0"
    Put(pe, 0x44, 0x8664, 2);     // machine
    Put(pe, 0x46, 1, 2);          // one section
    Put(pe, 0x54, 240, 2);        // 64-bit optional header size
    const std::size_t section = 0x40 + 4 + 20 + 240;
    Put(pe, section + 16, 0x200, 4); // SizeOfRawData
    Put(pe, section + 20, 0x200, 4); // PointerToRawData
    for (std::size_t i = 0x200; i < 0x400; ++i)
        pe[i] = tag;
    return pe;
}

} // namespace zk::setupc::test

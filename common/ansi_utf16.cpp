#include "common/ansi_utf16.h"

namespace zk {
namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to themselves.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ToUnit(unsigned char c) { return (c >= 0x80 && c <= 0x9F) ? kHigh[c - 0x80] : c; }

} // namespace

std::u16string AnsiToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out += ToUnit(static_cast<unsigned char>(c));
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t u : text) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += static_cast<char>(u);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u) mapped = static_cast<char>(0x80 + i);
        out += mapped;
    }
    return out;
}

std::string AnsiToUtf16LeBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t u : AnsiToUtf16(text)) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

} // namespace zk

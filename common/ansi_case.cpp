#include "common/ansi_case.h"

#include <array>

namespace zk {
namespace {

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    CaseTables() {
        for (int i = 0; i < 256; ++i) upper[i] = lower[i] = static_cast<unsigned char>(i);
        auto pair = [this](int up, int low) {
            upper[low] = static_cast<unsigned char>(up);
            lower[up] = static_cast<unsigned char>(low);
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
        // Latin-1 letters; 0xD7/0xF7 are the multiplication and division signs.
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) pair(c, c + 32);
        pair(0x8A, 0x9A); // S caron
        pair(0x8C, 0x9C); // OE ligature
        pair(0x8E, 0x9E); // Z caron
        pair(0x9F, 0xFF); // Y diaeresis
    }
};

const CaseTables& Tables() {
    static const CaseTables tables;
    return tables;
}

} // namespace

char AnsiUpperChar(char c) { return static_cast<char>(Tables().upper[static_cast<unsigned char>(c)]); }
char AnsiLowerChar(char c) { return static_cast<char>(Tables().lower[static_cast<unsigned char>(c)]); }

std::string AnsiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiUpperChar(c);
    return out;
}

std::string AnsiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AnsiLowerChar(c);
    return out;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) return false;
    return true;
}

std::size_t AnsiFindText(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= hay.size() ? from : std::string_view::npos;
    if (hay.size() < needle.size()) return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= hay.size(); ++i)
        if (AnsiSameText(hay.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

std::string AnsiReplaceText(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = AnsiFindText(text, from, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::size_t AnsiHashText(std::string_view s) {
    // FNV-1a over the upper-cased bytes.
    std::size_t h = 14695981039346656037ull & static_cast<std::size_t>(-1);
    for (char c : s) {
        h ^= static_cast<unsigned char>(AnsiUpperChar(c));
        h *= static_cast<std::size_t>(1099511628211ull);
    }
    return h;
}

} // namespace zk

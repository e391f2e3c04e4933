#include "setupc/identifiers.h"

namespace zk::setupc {
namespace {

std::uint64_t Fnv1a(std::string_view text, std::uint64_t basis) {
    std::uint64_t h = basis;
    for (unsigned char c : text) {
        h ^= c;
        h *= 0x100000001B3ull;
    }
    return h;
}

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

void AppendHex(std::string& out, std::uint64_t value, int digits) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int i = digits - 1; i >= 0; --i)
        out += kHex[(value >> (i * 4)) & 15];
}

} // namespace

Hash128 HashText(std::string_view text) {
    const std::uint64_t a = Fnv1a(text, 0xCBF29CE484222325ull);
    const std::uint64_t b = Fnv1a(text, 0x84222325CBF29CE4ull ^ text.size());
    return {Mix(a ^ Mix(b)), Mix(b + 0x9E3779B97F4A7C15ull * (a | 1))};
}

std::string GuidFromText(std::string_view text) {
    Hash128 h = HashText(text);
    // Version 8 (custom) and the standard variant, so the value reads as a valid GUID.
    h.high = (h.high & ~0xF000ull) | 0x8000ull;
    h.low = (h.low & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;
    std::string out = "{";
    AppendHex(out, h.high >> 32, 8);
    out += '-';
    AppendHex(out, (h.high >> 16) & 0xFFFF, 4);
    out += '-';
    AppendHex(out, h.high & 0xFFFF, 4);
    out += '-';
    AppendHex(out, h.low >> 48, 4);
    out += '-';
    AppendHex(out, h.low & 0xFFFFFFFFFFFFull, 12);
    out += '}';
    return out;
}

bool IsRegistryGuid(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    for (std::size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != '-' : !IsUpperHex(text[i])) return false;
    }
    return true;
}

bool IsCommandHeader(std::string_view text) {
    if (text.empty() || text.size() > 8 || text[0] == '0') return false;
    for (char c : text)
        if (!IsUpperHex(c)) return false;
    return true;
}

std::string CommandHeaderFrom(std::uint32_t value) {
    if (value == 0) value = 1;
    std::string out;
    AppendHex(out, value, 8);
    return out.substr(out.find_first_not_of('0'));
}

} // namespace zk::setupc

#include "engine/script/integer_text.h"

#include <cstdint>
#include <string>

#include "engine/script/engine_error.h"

namespace zk::script {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> TryTextToInt(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= text.size()) return std::nullopt;
    std::uint64_t magnitude = 0;
    if (text[pos] == '$') {
        ++pos;
        if (pos >= text.size()) return std::nullopt;
        for (; pos < text.size(); ++pos) {
            int digit = HexDigit(text[pos]);
            if (digit < 0) return std::nullopt;
            magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
            if (magnitude > 0xFFFFFFFFull) return std::nullopt;
        }
        auto bits = static_cast<std::uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > 2147483648ull) return std::nullopt;
    }
    if (!negative && magnitude > 2147483647ull) return std::nullopt;
    std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> TryTextToInt64(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const bool hex = pos < text.size() && text[pos] == '$';
    if (hex) ++pos;
    if (pos >= text.size()) return std::nullopt;
    std::uint64_t magnitude = 0;
    const std::uint64_t base = hex ? 16 : 10;
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? HexDigit(text[pos]) : (text[pos] >= '0' && text[pos] <= '9' ? text[pos] - '0' : -1);
        if (digit < 0) return std::nullopt;
        if (magnitude > (UINT64_MAX - static_cast<std::uint64_t>(digit)) / base) return std::nullopt;
        magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
    }
    if (!hex && magnitude > static_cast<std::uint64_t>(INT64_MAX) + (negative ? 1 : 0)) return std::nullopt;
    const std::uint64_t bits = negative ? 0 - magnitude : magnitude;
    return static_cast<std::int64_t>(bits);
}

std::int32_t TextToInt(std::string_view text) {
    if (auto value = TryTextToInt(text)) return *value;
    throw EngineError("'" + std::string(text) + "' is not a valid integer value");
}

} // namespace zk::script

// Deterministic identifiers of the authoring tool: GUIDs in registry form and
// command headers derived from a hash of text, so that the same source always
// gives the same image.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zk::setupc {

// 128-bit hash of the text (two seeded 64-bit FNV-1a passes, mixed).
struct Hash128 {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
};
Hash128 HashText(std::string_view text);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case, from the hash of the text.
std::string GuidFromText(std::string_view text);
// Braces around 8-4-4-4-12 upper-case hexadecimal digits.
bool IsRegistryGuid(std::string_view text);
// 1 to 8 upper-case hexadecimal digits without leading zeros.
bool IsCommandHeader(std::string_view text);
// A command header from a 32-bit value (never "0": 0 becomes 1).
std::string CommandHeaderFrom(std::uint32_t value);

} // namespace zk::setupc

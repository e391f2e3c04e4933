// The ordinary integer conversion of script texts: an optional sign followed by
// decimal digits, or by "$" and hexadecimal digits. Decimal values must fit a
// signed 32-bit integer; hexadecimal values take up to 32 bits and wrap, so
// "$FFFFFFFF" is -1.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace zk::script {

std::optional<std::int32_t> TryTextToInt(std::string_view text);
// As TryTextToInt; throws zk::EngineError "'text' is not a valid integer value".
std::int32_t TextToInt(std::string_view text);
// The same conversion for 64-bit values (sizes): decimal values must fit a
// signed 64-bit integer, hexadecimal values take up to 64 bits and wrap.
std::optional<std::int64_t> TryTextToInt64(std::string_view text);

} // namespace zk::script

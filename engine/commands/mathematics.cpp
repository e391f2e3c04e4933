#include "engine/commands/mathematics.h"

#include "engine/script/integer_text.h"

namespace zk::commands {
namespace {

constexpr std::int64_t kRandomModulus = 32767;

std::int64_t Shift(std::int64_t a, std::int64_t count, bool left) {
    // Counts outside 0 to 63 shift every bit out.
    if (count < 0 || count >= 64) return 0;
    const auto bits = static_cast<std::uint64_t>(a);
    return static_cast<std::int64_t>(left ? bits << count : bits >> count);
}

} // namespace

std::optional<std::string> Calculate(const MathOperands& operands, RandomGenerator& generator) {
    const auto operation = script::TryTextToInt(operands.operation);
    if (!operation) return std::nullopt;
    const int k = *operation;
    if (k < 0 || k > 15) return std::nullopt;

    std::int64_t a = 0;
    if (k != 11) {
        const auto value = script::TryTextToInt(operands.a);
        if (!value) return std::nullopt;
        a = *value;
    }
    std::int64_t b = 0;
    if (k <= 9 || k == 13) {
        const auto value = script::TryTextToInt(operands.b);
        if (!value) return std::nullopt;
        b = *value;
    }

    std::int64_t result = 0;
    switch (k) {
    case 0:
        result = a + b;
        break;
    case 1:
        result = a - b;
        break;
    case 2:
        result = a * b;
        break;
    case 3:
        if (b == 0) return std::nullopt;
        result = a / b; // truncates toward zero
        break;
    case 4:
        if (b == 0) return std::nullopt;
        result = a % b; // sign of a
        break;
    case 5:
        result = a & b;
        break;
    case 6:
        result = a | b;
        break;
    case 7:
        result = a ^ b;
        break;
    case 8:
        result = Shift(a, b, true);
        break;
    case 9:
        result = Shift(a, b, false);
        break;
    case 10:
        result = ~a;
        break;
    case 11:
        if (operands.a.empty()) return std::nullopt;
        result = static_cast<unsigned char>(operands.a.front());
        break;
    case 12:
        return std::string(1, static_cast<char>(static_cast<std::uint8_t>(a & 0xFF)));
    case 13:
        generator.multiplier = static_cast<std::int32_t>(a);
        generator.increment = static_cast<std::int32_t>(b);
        result = a + b;
        break;
    case 14:
        generator.seed = static_cast<std::int32_t>(a);
        result = a;
        break;
    case 15: {
        // Signed 32-bit arithmetic that wraps, done on unsigned values.
        const auto x = static_cast<std::int32_t>(static_cast<std::uint32_t>(generator.multiplier) *
                                                     static_cast<std::uint32_t>(generator.seed) +
                                                 static_cast<std::uint32_t>(generator.increment));
        generator.seed = static_cast<std::int32_t>(x % kRandomModulus);
        if (a == 0) return std::nullopt;
        result = static_cast<std::int64_t>(x) % a;
        break;
    }
    default:
        return std::nullopt;
    }
    return std::to_string(result);
}

} // namespace zk::commands

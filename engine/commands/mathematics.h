// The arithmetic of "Mathematics": operations 0 to 15 on signed 32-bit operand
// texts, computed in signed 64-bit, and the script's pseudo-random generator
// (a linear congruential generator modulo 32767 whose multiplier, increment
// and seed the script chooses; all three start at 0 for each run).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/script/interpreter.h"

namespace zk::commands {

struct RandomGenerator : script::CommandState {
    std::int32_t multiplier = 0;
    std::int32_t increment = 0;
    std::int32_t seed = 0;
};

// Operand texts, already substituted. `operandB` is read only by the
// operations that use it (0 to 9 and 13).
struct MathOperands {
    std::string_view a;
    std::string_view b;
    std::string_view operation;
};

// The result text, or nullopt for every failure (an operand or operation
// that is not a 32-bit integer, division by zero, an empty text for
// operation 11, an operation number outside 0 to 15). Operations 13 to 15
// read and change the generator.
std::optional<std::string> Calculate(const MathOperands& operands, RandomGenerator& generator);

} // namespace zk::commands

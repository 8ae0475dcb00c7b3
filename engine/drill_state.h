#pragma once

#include <cstdint>

namespace sumbrook {

// Operation-mode bits, one per switch.
enum OperationBit : std::int32_t { OpAdd = 1, OpSubtract = 2, OpMultiply = 4, OpDivide = 8 };

// The limit at start: a constant, not read from the limit box (which shows the same).
inline constexpr std::int32_t kStartQuestionLimit = 25;

// Everything the drill remembers; one per process, never reset while it runs.
struct DrillState {
    // op1, op2, op3 and the answer form one block that the operand draw zeroes as a whole.
    std::int32_t Operands[3] = {0, 0, 0};
    std::int32_t CorrectAnswer = 0;
    std::int32_t CorrectCount = 0;
    std::int32_t WrongCount = 0;
    std::int32_t MaxValue = 0;
    std::int32_t QuestionLimit = kStartQuestionLimit;
    std::int32_t OperationMode = OpAdd | OpSubtract;
};

// The sum of the bits of the switches that are checked.
std::int32_t OperationModeFromSwitches(bool add, bool subtract, bool multiply, bool divide);

// v when 0 <= v <= maxValue, otherwise 0.
constexpr std::int32_t ClampToRange(std::int32_t v, std::int32_t maxValue) {
    return (v >= 0 && v <= maxValue) ? v : 0;
}

} // namespace sumbrook

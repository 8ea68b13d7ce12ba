// Conditions and compare modes of the script commands, and how a test folds into a thread's condition words.
#pragma once

#include <cstdint>

#include "framework/utility/script/script_thread.h"

namespace vesk::utility::script {

// Condition words of a conditional jump.
enum ScriptCondition : std::uint32_t {
    kConditionAndSet = 0,
    kConditionOrSet = 1,
    kConditionAndClear = 2,
    kConditionOrClear = 3,
};

// Compare modes: value (mode) operand.
enum ScriptCompare : std::uint32_t {
    kCompareEqual = 4,
    kCompareNotEqual = 5,
    kCompareGreater = 6,
    kCompareGreaterEqual = 7,
    kCompareLess = 8,
    kCompareLessEqual = 9,
};

inline bool ConditionHolds(const ScriptThread& thread, std::uint32_t condition)
{
    switch (condition) {
    case kConditionAndSet:
        return thread.conditionAnd != 0;
    case kConditionOrSet:
        return thread.conditionOr != 0;
    case kConditionAndClear:
        return thread.conditionAnd == 0;
    case kConditionOrClear:
        return thread.conditionOr == 0;
    default:
        return false;
    }
}

// A test folds its truth value into the thread's condition words.
inline void ApplyTest(ScriptThread& thread, bool truth)
{
    thread.conditionAnd = (thread.conditionAnd != 0 && truth) ? 1 : 0;
    thread.conditionOr = (thread.conditionOr != 0 || truth) ? 1 : 0;
}

inline void ResetConditions(ScriptThread& thread)
{
    thread.conditionAnd = 1;
    thread.conditionOr = 0;
}

template <typename T>
bool CompareValues(std::uint32_t mode, T value, T operand)
{
    switch (mode) {
    case kCompareEqual:
        return value == operand;
    case kCompareNotEqual:
        return value != operand;
    case kCompareGreater:
        return value > operand;
    case kCompareGreaterEqual:
        return value >= operand;
    case kCompareLess:
        return value < operand;
    case kCompareLessEqual:
        return value <= operand;
    default:
        return false;
    }
}

}  // namespace vesk::utility::script

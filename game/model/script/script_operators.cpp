// Assignment operators and comparisons that route and enemy script commands write as texts.
#include "game/model/script/script_operators.h"

namespace {

template <typename T>
bool Compare(T left, std::string_view op, T right)
{
    if (op == "==") return left == right;
    if (op == "!=") return left != right;
    if (op == "<") return left < right;
    if (op == "<=") return left <= right;
    if (op == ">") return left > right;
    if (op == ">=") return left >= right;
    return false;
}

std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

}  // namespace

std::int32_t ApplyOperator32(std::int32_t left, std::string_view op, std::int32_t right)
{
    const std::int64_t l = left;
    const std::int64_t r = right;
    if (op == "=") return right;
    if (op == "+=" || op == "+") return Wrap(l + r);
    if (op == "-=" || op == "-") return Wrap(l - r);
    if (op == "*=" || op == "*") return Wrap(l * r);
    // INT_MIN / -1 does not fit: worked in 64 bits it wraps back to INT_MIN, and the remainder is 0.
    if (op == "/=" || op == "/") return right == 0 ? left : Wrap(l / r);
    if (op == "%=" || op == "%") return right == 0 ? left : Wrap(l % r);
    return left;
}

std::int8_t ApplyOperator8(std::int8_t left, std::string_view op, std::int8_t right)
{
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(ApplyOperator32(left, op, right) & 0xFF));
}

bool CompareOperatorS32(std::int32_t left, std::string_view op, std::int32_t right)
{
    return Compare(left, op, right);
}

bool CompareOperatorU32(std::uint32_t left, std::string_view op, std::uint32_t right)
{
    return Compare(left, op, right);
}

bool CompareOperatorS8(std::int8_t left, std::string_view op, std::int8_t right)
{
    return Compare(left, op, right);
}

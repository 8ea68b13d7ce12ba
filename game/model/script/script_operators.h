// Assignment operators and comparisons that route and enemy script commands write as texts ("+=", "<=").
#pragma once

#include <cstdint>
#include <string_view>

// Assignments: "=", "+=" or "+", "-=" or "-", "*=" or "*", "/=" or "/", "%=" or "%". Signed 32-bit
// and wrapping; division truncates toward zero and the remainder takes the left side's sign. A
// division or remainder by 0, and any other text, leave the left side as it was.
std::int32_t ApplyOperator32(std::int32_t left, std::string_view op, std::int32_t right);
// The same on signed bytes: both sides taken as signed bytes, worked as 32-bit numbers, the low
// byte of the result kept.
std::int8_t ApplyOperator8(std::int8_t left, std::string_view op, std::int8_t right);

// Comparisons "==", "!=", "<", "<=", ">", ">=", the text matched whole; any other text is false.
bool CompareOperatorS32(std::int32_t left, std::string_view op, std::int32_t right);
bool CompareOperatorU32(std::uint32_t left, std::string_view op, std::uint32_t right);
bool CompareOperatorS8(std::int8_t left, std::string_view op, std::int8_t right);

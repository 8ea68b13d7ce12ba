// Tests of the operator texts of the script commands: assignments on 32-bit and byte values, and the comparisons.
#include <gtest/gtest.h>

#include <climits>

#include "game/model/script/script_operators.h"

TEST(ScriptOperators, AssignmentsWrapAndADivisionByZeroOrAnUnknownTextLeavesTheValue)
{
    EXPECT_EQ(ApplyOperator32(7, "=", -3), -3);
    EXPECT_EQ(ApplyOperator32(7, "+=", 5), 12);
    EXPECT_EQ(ApplyOperator32(7, "+", 5), 12);
    EXPECT_EQ(ApplyOperator32(7, "-", 9), -2);
    EXPECT_EQ(ApplyOperator32(7, "*=", -3), -21);
    EXPECT_EQ(ApplyOperator32(-7, "/", 2), -3);  // toward zero
    EXPECT_EQ(ApplyOperator32(-7, "%=", 3), -1);  // the left side's sign
    EXPECT_EQ(ApplyOperator32(INT_MAX, "+=", 1), INT_MIN);
    EXPECT_EQ(ApplyOperator32(40, "/=", 0), 40);
    EXPECT_EQ(ApplyOperator32(40, "%", 0), 40);
    EXPECT_EQ(ApplyOperator32(40, "<<", 2), 40);
    EXPECT_EQ(ApplyOperator32(40, "", 2), 40);
    // The one quotient that does not fit: no fault, and a result that stays in 32 bits.
    EXPECT_EQ(ApplyOperator32(INT_MIN, "/", -1), INT_MIN);
    EXPECT_EQ(ApplyOperator32(INT_MIN, "%", -1), 0);

    // Bytes are signed and the low byte of the result is kept.
    EXPECT_EQ(ApplyOperator8(100, "+=", 100), static_cast<std::int8_t>(-56));
    EXPECT_EQ(ApplyOperator8(-128, "/", -1), static_cast<std::int8_t>(-128));
    EXPECT_EQ(ApplyOperator8(5, "/", 0), 5);
}

TEST(ScriptOperators, ComparisonsMatchTheWholeTextAndTakeTheirSides)
{
    EXPECT_TRUE(CompareOperatorS32(-1, "<", 0));
    EXPECT_TRUE(CompareOperatorS32(3, ">=", 3));
    EXPECT_FALSE(CompareOperatorS32(3, "=", 3));  // not a comparison
    EXPECT_FALSE(CompareOperatorS32(3, "==x", 3));

    // Unsigned: -1 on the right is the largest number, 0 is never above anything.
    EXPECT_TRUE(CompareOperatorU32(123456, "<", 0xFFFFFFFF));
    EXPECT_FALSE(CompareOperatorU32(0xFFFFFFFF, "<", 0xFFFFFFFF));
    EXPECT_FALSE(CompareOperatorU32(0, ">", 0));
    EXPECT_FALSE(CompareOperatorU32(0, ">", 0xFFFFFFFF));

    // A byte of 200 reads as -56.
    EXPECT_TRUE(CompareOperatorS8(static_cast<std::int8_t>(200), "<", 0));
    EXPECT_TRUE(CompareOperatorS8(static_cast<std::int8_t>(200), "==", -56));
}

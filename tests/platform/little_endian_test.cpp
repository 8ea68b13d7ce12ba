// Little-endian fields read at any offset without sign extension.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/little_endian.h"

// High bits must not sign-extend through the int promotion of the bytes, and
// fields are read at odd offsets as files place them.
TEST(LittleEndian, ReadsFieldsAtAnyOffsetWithoutSignExtending)
{
    const std::vector<std::uint8_t> bytes = {0xAA, 0xFE, 0xFF, 0x80, 0x00, 0x00, 0xC0, 0x3F, 0x81};
    EXPECT_EQ(platform::ReadU16(bytes, 1), 0xFFFEu);
    EXPECT_EQ(platform::ReadI16(bytes, 1), -2);
    EXPECT_EQ(platform::ReadU32(bytes, 0), 0x80FFFEAAu);
    EXPECT_EQ(platform::ReadU32(bytes.data() + 5), 0x813FC000u);
    EXPECT_EQ(platform::ReadF32(bytes, 4), 1.5f);
    EXPECT_EQ(platform::ReadI16(bytes.data() + 7), static_cast<std::int16_t>(0x813F));
}

// A screen's working copy of one 10,240-byte block of the system record: loaded on opening, compared, stored on saving.
#include "game/ui/settings_block_copy.h"

#include <algorithm>

#include "game/services/save/save_image.h"
#include "platform/little_endian.h"

UISettingsBlockCopy::UISettingsBlockCopy(std::size_t offset) : offset_(offset), bytes_(kBlockSize, 0) {}

std::span<const std::uint8_t> UISettingsBlockCopy::Stored() const
{
    return GetWorkingSystemRecord().subspan(offset_, kBlockSize);
}

void UISettingsBlockCopy::Load()
{
    const std::span<const std::uint8_t> stored = Stored();
    std::copy(stored.begin(), stored.end(), bytes_.begin());
}

bool UISettingsBlockCopy::DiffersFromStored() const
{
    const std::span<const std::uint8_t> stored = Stored();
    return !std::equal(stored.begin(), stored.end(), bytes_.begin());
}

void UISettingsBlockCopy::Store() const
{
    const std::span<std::uint8_t> stored = GetWorkingSystemRecord().subspan(offset_, kBlockSize);
    std::copy(bytes_.begin(), bytes_.end(), stored.begin());
}

std::uint16_t UISettingsBlockCopy::U16(std::size_t offset) const { return platform::ReadU16(Bytes(), offset); }
std::uint32_t UISettingsBlockCopy::U32(std::size_t offset) const { return platform::ReadU32(Bytes(), offset); }
void UISettingsBlockCopy::SetU16(std::size_t offset, std::uint16_t value) { platform::WriteU16(Bytes(), offset, value); }
void UISettingsBlockCopy::SetU32(std::size_t offset, std::uint32_t value) { platform::WriteU32(Bytes(), offset, value); }

void UISettingsBlockCopy::ReadBindings(std::span<std::int32_t> bindings) const
{
    for (std::size_t i = 0; i < bindings.size() && 4 * i + 4 <= kBlockSize; ++i) {
        bindings[i] = static_cast<std::int32_t>(U32(4 * i));
    }
}

void UISettingsBlockCopy::WriteBindings(std::span<const std::int32_t> bindings)
{
    for (std::size_t i = 0; i < bindings.size() && 4 * i + 4 <= kBlockSize; ++i) {
        SetU32(4 * i, static_cast<std::uint32_t>(bindings[i]));
    }
}

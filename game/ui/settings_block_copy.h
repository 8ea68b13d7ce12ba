// A screen's working copy of one 10,240-byte block of the system record: loaded on opening, compared, stored on saving.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "game/services/save/save_layout.h"

// The options edit the settings block; the binding screens edit the pad or key block. The copy lives
// from one opening to the next, so edits survive a trip to another screen until Load is called again.
class UISettingsBlockCopy {
public:
    static constexpr std::size_t kBlockSize = save_layout::system::kSettingsSize;

    explicit UISettingsBlockCopy(std::size_t offset);

    // The stored block (in the running system record) over the copy.
    void Load();
    // Whether any word of the copy differs from the stored block.
    bool DiffersFromStored() const;
    // The copy over the stored block.
    void Store() const;

    std::span<std::uint8_t> Bytes() { return bytes_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    std::span<const std::uint8_t> Stored() const;

    std::uint16_t U16(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;
    void SetU16(std::size_t offset, std::uint16_t value);
    void SetU32(std::size_t offset, std::uint32_t value);

    // The 28 bindings at the head of a binding block (signed: key codes, or pad masks).
    void ReadBindings(std::span<std::int32_t> bindings) const;
    void WriteBindings(std::span<const std::int32_t> bindings);

private:
    std::size_t offset_;
    std::vector<std::uint8_t> bytes_;
};

// The save image in memory, its working copies, and the operations that build and check it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/math/random.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_layout.h"

// The memory the save machine works on: the image as the file holds it, the
// working slot and working system record that the running game reads and
// writes, and a copy of the working slot from before a save began. One set
// per process.
struct SaveAreas {
    std::vector<std::uint8_t> image;
    std::vector<std::uint8_t> workingSlot;
    std::vector<std::uint8_t> workingSystem;
    std::vector<std::uint8_t> preSaveSlot;

    std::span<std::uint8_t> ImageSlot(int slot);
    std::span<std::uint8_t> ImageSystemRecord();
    std::uint32_t ImageCurrentSlot() const;
    void SetImageCurrentSlot(std::uint32_t slot);
};

// The areas, made on first use with every slot initialised and every system
// record holding the settings defaults (the state before any file is read).
SaveAreas& GetSaveAreas();
// Back to that state (start-up of a new session, tests).
void ResetSaveAreas();
std::span<std::uint8_t> GetWorkingSlot();
std::span<std::uint8_t> GetWorkingSystemRecord();

// Zeroes the settings block and writes the defaults; the language follows the
// platform language.
void InitSystemRecord(std::span<std::uint8_t> record);
// The whole record zeroed, the settings defaults, and the input map's default
// bindings in the two binding tables.
void InitSystemRecordWithBindings(std::span<std::uint8_t> record);
// The areas of a slot that hold tables with their own empty marks.
void InitSlotRecord(std::span<std::uint8_t> slot);
// The slot of a new game, its quest offers shuffled by draws. keepLive keeps the per-route records
// of the travel area.
void InitNewGameSlot(std::span<std::uint8_t> slot, bool keepLive, const ShuffleDraw& draw = vesk::math::Rand);
// Defaults for the working system record and for every slot of the image.
void InitAllSaveData();
// The empty task records: ids -1, no crew, kind and room 255.
void InitTaskSaveArea(std::span<std::uint8_t> slot);
// The empty store table.
void InitStoreSaveArea(std::span<std::uint8_t> slot);

// The 32-bit wrapping sum of the words the checksum covers.
std::uint32_t ComputeSaveChecksum(std::span<const std::uint8_t> image);
void WriteSaveHeader(std::span<std::uint8_t> image);
// Magic, size field and checksum match (the caller tests the format number).
bool CheckSaveImage(std::span<const std::uint8_t> image);
std::uint32_t GetSaveImageFormat(std::span<const std::uint8_t> image);

void InitMiniGameRanking(std::span<std::uint8_t> area);
// Highest score first.
void SortMiniGameRanking(std::span<std::uint8_t> area);

// Accepted offers over the used offer sets, each set counted up to its first empty pair.
int CountFlaggedQuestEntries(std::span<const std::uint8_t> slot);
// Sets the event bit of the item's position in the item list; nothing for an unknown item.
void MarkItemDiscovered(std::span<std::uint8_t> slot, std::uint32_t itemId);

// The bit of a room kind (its position in the room-id table) in the slot's set of room kinds built
// or unlocked for building; kinds outside the table read as clear and are not written.
bool IsRoomKindUnlocked(std::span<const std::uint8_t> slot, std::int32_t kind);
void SetRoomKindUnlocked(std::span<std::uint8_t> slot, std::int32_t kind, bool on);
// Bits of the event bit set at slot offset 212008; indices past the set touch nothing.
// Bit `bit` of a bit set at the offset (bit i is bit i mod 32 of the u32 i / 32); a bit of
// bitCount or more, or one past the slot, reads false and is not written.
bool GetSlotBit(std::span<const std::uint8_t> slot, std::size_t offset, std::uint32_t bitCount, std::uint32_t bit);
void SetSlotBit(std::span<std::uint8_t> slot, std::size_t offset, std::uint32_t bitCount, std::uint32_t bit, bool on);
bool GetSlotEventBit(std::span<const std::uint8_t> slot, std::uint32_t bit);
void SetSlotEventBit(std::span<std::uint8_t> slot, std::uint32_t bit, bool on);
// The number of offer sets a slot uses: one per hideout, at most 40.
int CountUsedOfferSets();

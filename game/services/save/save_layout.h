// Offsets and sizes of every area of the save image, its slots and its system record.
#pragma once

#include <cstddef>
#include <cstdint>

// The save file is one fixed 3 MiB image: a 16-byte header, ten game slots, the
// system record and the current slot number, then zero fill. Every owner writes
// and reads its own area field by field, little-endian, at these offsets.
namespace save_layout {

inline constexpr std::size_t kImageSize = 0x300000;
inline constexpr std::size_t kMagicOffset = 0;
inline constexpr std::size_t kFormatOffset = 4;
inline constexpr std::size_t kSizeOffset = 8;
inline constexpr std::size_t kChecksumOffset = 12;
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::uint8_t kMagic[4] = {'M', 'H', 'D', 'S'};
// The one format number this game writes and reads; any other image is refused as broken.
inline constexpr std::uint32_t kFormat = 1;

inline constexpr int kSlotCount = 10;
inline constexpr int kAutoSaveSlot = 0;
inline constexpr std::size_t kSlotSize = 226476;
inline constexpr std::size_t kSlotsOffset = kHeaderSize;
inline constexpr std::size_t kSystemRecordOffset = kSlotsOffset + kSlotCount * kSlotSize;  // 2264776
inline constexpr std::size_t kSystemRecordSize = 31232;
inline constexpr std::size_t kCurrentSlotOffset = kSystemRecordOffset + kSystemRecordSize;  // 2296008
// The checksum covers the words from the first slot to the current slot number.
inline constexpr std::size_t kChecksumEnd = kCurrentSlotOffset + 4;
inline constexpr std::size_t kChecksumWords = (kChecksumEnd - kSlotsOffset) / 4;  // 573999
static_assert(kSystemRecordOffset == 2264776 && kCurrentSlotOffset == 2296008 && kChecksumWords == 573999);

constexpr std::size_t SlotOffset(int slot) { return kSlotsOffset + static_cast<std::size_t>(slot) * kSlotSize; }

// Areas of a game slot.
namespace slot {
inline constexpr std::size_t kPlaySeconds = 0;
inline constexpr std::size_t kMoney = 4;
inline constexpr std::size_t kDateTime = 8;  // kept from the working slot
inline constexpr std::size_t kDateTimeSize = 32;
// In that kept area: a bit per room-id table position of the room kinds unlocked for building, and
// a bit per position of the static database's hideout map of the hideouts the ship has stood at.
inline constexpr std::size_t kRoomUnlockFlags = 8;
inline constexpr std::size_t kVisitedHideouts = 16;
inline constexpr std::size_t kVisitedHideoutsSize = 8;
inline constexpr int kVisitedHideoutBits = 64;

inline constexpr std::size_t kRooms = 40;
inline constexpr int kRoomRecordCount = 251;
inline constexpr std::size_t kRoomRecordSize = 32;
inline constexpr std::size_t kCrew = 8072;
inline constexpr int kCrewRecordCount = 128;
inline constexpr std::size_t kCrewRecordSize = 128;
inline constexpr std::size_t kCrewInUse = 0;  // a crew record's first byte: 1 while it holds a member
inline constexpr std::size_t kShipTag = 24456;
inline constexpr std::size_t kFuel = 24460;
inline constexpr std::size_t kFuelCountdown = 24462;
inline constexpr std::size_t kDamageMarkers = 24520;
inline constexpr int kDamageMarkerCount = 251;
inline constexpr std::size_t kDamageMarkerSize = 32;

// Live world tables: the story flag words, then the offer sets of the map points.
inline constexpr std::size_t kWorldTables = 32552;
inline constexpr std::size_t kWorldTablesSize = 36864;
inline constexpr std::size_t kStoryFlags = 32552;  // two u32 words, flags 0..63
inline constexpr std::size_t kOfferSets = 32560;
inline constexpr int kOfferSetCount = 40;
inline constexpr std::size_t kOfferSetSize = 268;
inline constexpr int kOfferPairCount = 32;
inline constexpr std::size_t kOfferPairSize = 8;          // id, value
inline constexpr std::size_t kOfferMask = 256;            // u32 within a set
inline constexpr std::size_t kOfferSpare = 260;           // u32 within a set
inline constexpr std::size_t kOfferCountdown = 264;       // u32 within a set

inline constexpr std::size_t kByteTable = 69416;  // live signed bytes indexed by record ids
inline constexpr std::size_t kByteTableSize = 1024;

// The travel area: the route save block with the field objects' records in its free stretches.
inline constexpr std::size_t kTravel = 70440;
inline constexpr std::size_t kTravelSize = 40960;
inline constexpr std::size_t kRouteId = kTravel + 0;
inline constexpr std::size_t kRouteReversed = kTravel + 4;
inline constexpr std::size_t kRouteDirection = kTravel + 8;
inline constexpr std::size_t kRoutePosition = kTravel + 12;
inline constexpr std::size_t kEnemyRecords = kTravel + 16;  // 70456: 16 records of 16 bytes
inline constexpr std::size_t kDropItemRecords = kTravel + 21008;  // 91448: 128 records of 12 bytes
inline constexpr std::size_t kRouteMusic = kTravel + 22544;  // 92984: route music track id + 1, 0 when none
// What a new game keeps of the travel area when asked to keep live data: the per-route records.
inline constexpr std::size_t kTravelKeptOffset = 3088;
inline constexpr std::size_t kTravelKeptSize = 17920;

inline constexpr std::size_t kClock = 111400;
inline constexpr std::size_t kClockSize = 32;
inline constexpr std::size_t kClockDay = kClock + 0;
inline constexpr std::size_t kClockStep = kClock + 4;
inline constexpr std::size_t kClockItemsFound = kClock + 8;
inline constexpr std::size_t kClockCounter = kClock + 12;
inline constexpr std::size_t kClockEnemiesDefeated = kClock + 16;
inline constexpr std::size_t kClockBgm = kClock + 20;  // current BGM id + 1, 0xFFFFFFFF when none
inline constexpr std::size_t kClockTimeStopped = kClock + 24;
inline constexpr std::size_t kClockFlag = kClock + 28;

inline constexpr std::size_t kStore = 111656;
inline constexpr int kStoreEntryCount = 3952;
inline constexpr std::size_t kStoreEntrySize = 8;  // u32 id, u16 count, u16 owner
inline constexpr std::size_t kStoreCounters = kStore + kStoreEntryCount * kStoreEntrySize;  // two u16
inline constexpr std::size_t kStoreSize = 31620;

inline constexpr std::size_t kTasks = 144424;
inline constexpr int kTaskRecordCount = 1235;
inline constexpr std::size_t kTaskRecordSize = 44;
inline constexpr std::size_t kTaskRepeatBits = kTasks + kTaskRecordCount * kTaskRecordSize;
inline constexpr std::size_t kTasksSize = kTaskRecordCount * kTaskRecordSize + 156;

inline constexpr std::size_t kFieldItems = 199720;
inline constexpr int kFieldItemCount = 247;
inline constexpr std::size_t kFieldItemSize = 12;
inline constexpr std::size_t kFieldItemsLive = kFieldItems + kFieldItemCount * kFieldItemSize;  // 202684
inline constexpr std::size_t kFieldItemsLiveSize = 28;
inline constexpr std::size_t kFieldItemsSize = 2992;

inline constexpr std::size_t kEngineModes = 203816;
inline constexpr std::size_t kEngineModesSize = 4096;
inline constexpr std::size_t kLiveTable = 207912;
inline constexpr std::size_t kLiveTableSize = 4096;
inline constexpr std::size_t kEventBits = 212008;  // bits 0..1055
inline constexpr std::size_t kEventBitsSize = 132;
inline constexpr int kEventBitCount = 1056;
inline constexpr std::size_t kBackground = 212140;
inline constexpr std::size_t kBackgroundSize = 1024;
inline constexpr std::size_t kRanking = 213164;
inline constexpr std::size_t kRankingSize = 5120;
inline constexpr std::size_t kLiveArea = 218284;
inline constexpr std::size_t kLiveAreaSize = 2048;
inline constexpr std::size_t kEndingSeen = 218284;
inline constexpr std::size_t kLastSaveTime = 218288;  // eight u32
inline constexpr std::size_t kBackgroundSaveList = 220332;
inline constexpr std::size_t kBackgroundSaveListSize = 1536;
inline constexpr std::size_t kTravelFlags = 224428;
inline constexpr std::size_t kSize = kSlotSize;
}  // namespace slot

// The mini-game ranking: ten entries of a three-character wide name with its terminator, then a score.
namespace ranking {
inline constexpr int kEntryCount = 10;
inline constexpr std::size_t kEntrySize = 12;
inline constexpr std::size_t kNameUnits = 3;
inline constexpr std::size_t kScore = 8;
}  // namespace ranking

// Fields of the system record.
namespace system {
inline constexpr std::size_t kSettingsSize = 10240;
inline constexpr std::size_t kBgmVolume = 0;   // u16 percent
inline constexpr std::size_t kSeVolume = 2;    // u16 percent
inline constexpr std::size_t kOption4 = 4;     // u32
inline constexpr std::size_t kOption8 = 8;     // u32: the camera does not clamp the ship scroll
inline constexpr std::size_t kLanguage = 12;   // u16
inline constexpr std::size_t kFullScreen = 16;  // u32
inline constexpr std::size_t kWindowSize = 20;  // u16: (value + 100) / 100 = 1, 2, 3
inline constexpr std::size_t kOption22 = 22;    // u16
inline constexpr std::size_t kWheelSensitivity = 24;  // u16 percent, read where the wheel zooms
inline constexpr std::size_t kOption28 = 28;    // u32
inline constexpr std::size_t kCameraSpeed = 32;  // u16: 0..150, shown as 50..200 %
inline constexpr std::size_t kOption36 = 36;    // u32: the game speed goes back to 1 when an event starts
inline constexpr std::size_t kPauseInactive = 40;  // u32
inline constexpr std::size_t kMuteInactive = 44;   // u32
inline constexpr std::size_t kOption48 = 48;       // u32
inline constexpr std::size_t kAutoSaveMinutes = 52;  // u16
inline constexpr std::size_t kOption56 = 56;         // u32

inline constexpr std::size_t kAchievementBits = 10240;
inline constexpr std::size_t kAchievementCounters = 10248;  // 20 u32
// Bit 0: the ending has been reached once on this machine.
inline constexpr std::size_t kProgressFlags = 10488;
inline constexpr std::size_t kAchievementSet12 = 10492;
inline constexpr std::size_t kAchievementSet0 = 10496;
inline constexpr std::size_t kAchievementSet18 = 10500;
// Bit 0 asks a route script to unlock two achievements; bits 1 and 2 hold each of them back. Enemy
// defeats set bit 2, the iron scorpion's bits 1 and 2.
inline constexpr std::size_t kAchievementPending = 10504;
inline constexpr int kBindingCount = 28;
inline constexpr std::size_t kPadBindings = 10752;  // 28 u32
inline constexpr std::size_t kKeyBindings = 20992;  // 28 u32
}  // namespace system

}  // namespace save_layout

// The records the model hands to the screens: notices, losses, fades and event texts.
#pragma once

#include <cstdint>
#include <string>

#include "game/services/text/fixed_string.h"

// A notice: an empty key means none. The display state is the panel's own and is never copied.
struct UINoticeRecord {
    UTL_CFixedString<64> key;
    std::int32_t frames = 0;
    std::int32_t count = 0;
    std::uint32_t flag = 0;
    UTL_CFixedString<64> argumentKey;
    std::int32_t display[4] = {0, 0, 0, 0};  // kind, shown count, frame counter, spare
};
UINoticeRecord* InitNoticeRecord(UINoticeRecord* record);
// Key, frames, count, flag (as 0 or 1) and argument key; the destination's display state is left.
UINoticeRecord* AssignNoticeRecord(UINoticeRecord* destination, const UINoticeRecord* source);

// One loss the route's game-over label reports: kind 0 money, 1 a crew member, 3 a room.
struct LossRecord {
    std::int32_t kind = 0;
    UTL_CFixedWString<32> name;
    std::int32_t gridX = 0;
    std::int32_t gridY = 0;
    std::int32_t amount = 0;
};
// Kind 0, an empty name and zeros.
LossRecord* InitLossRecord(LossRecord* record);

// A fade request: colours, frames (their absolute value is used) and channel (0 or 1).
struct UIFadeRequest {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::int32_t frames = 0;
    std::uint32_t channel = 0;
};
// What GetFadeState tells of channel 0.
struct UIFadeState {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    std::uint32_t current = 0;
    float progress = 0.0f;
    std::uint32_t channel = 0;
};
// A script value handed to ShowEventMessage: a narrow string is a message key, a wide one literal text.
struct UIEventTextValue {
    static constexpr std::uint32_t kStringTag = 32;
    std::uint32_t wide = 0;
    std::uint32_t typeTag = 0;
    std::string narrow;
    std::u16string text;
};

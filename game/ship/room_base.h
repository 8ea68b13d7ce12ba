// A room on the ship: for now the room id, the room script and the script flags the registration needs.
#pragma once

#include <algorithm>
#include <cstdint>

#include "game/core/data/id_tags.h"
#include "game/core/data/record_entries.h"
#include "game/core/script/script_room.h"

// A building block placed on the ship grid. This holds what the room
// scripts' registration runs on: the room id that keys the room kind's
// record, the embedded room script and the script flags its restart clears.
class GAME_CRoomBase {
public:
    GAME_CRoomBase() : script_(this) {}
    ~GAME_CRoomBase() = default;
    GAME_CRoomBase(const GAME_CRoomBase&) = delete;
    GAME_CRoomBase& operator=(const GAME_CRoomBase&) = delete;

    // The room id tag ("ID01" ...); kNoId while unset.
    std::uint32_t GetRoomId() const { return roomId_; }
    void SetRoomId(std::uint32_t roomId) { roomId_ = roomId; }

    GAME_CScriptRoom& Script() { return script_; }

    // The room kind: the position of the room id in the room-id table, 0 for no room.
    std::int32_t GetKind() const { return FindRoomIdIndex(roomId_); }
    // The grid cell of the room's top-left corner.
    std::int32_t GetGridX() const { return gridX_; }
    std::int32_t GetGridY() const { return gridY_; }
    void SetGridPosition(std::int32_t x, std::int32_t y)
    {
        gridX_ = x;
        gridY_ = y;
    }
    bool IsUnderConstruction() const { return underConstruction_; }
    void SetUnderConstruction(bool building) { underConstruction_ = building; }

    // Flag A: the ship draws the room's sprite on every footprint cell.
    bool GetScriptFlagA() const { return scriptFlagA_; }
    void SetScriptFlagA(bool set) { scriptFlagA_ = set; }
    // Flag B: the build has started.
    bool GetScriptFlagB() const { return scriptFlagB_; }
    void SetScriptFlagB(bool set) { scriptFlagB_ = set; }

private:
    std::uint32_t roomId_ = kNoId;
    GAME_CScriptRoom script_;
    bool scriptFlagA_ = false;
    bool scriptFlagB_ = false;
    std::int32_t gridX_ = 0;
    std::int32_t gridY_ = 0;
    bool underConstruction_ = false;
};

// A crew member: what its actor script's restart touches, its place on the grid, its room links and status.
#pragma once

#include <cstdint>
#include <string>

#include "framework/math/vector.h"
#include "game/object/actor_status.h"

class GAME_CRoomBase;
class GAME_CTaskBase;

// A link of a crew member to a room: its home (a crew home) or its workplace.
struct ActorRoomLink {
    std::int32_t roomNumber = -1;
    GAME_CRoomBase* room = nullptr;
};

// What a crew member is set up from: a floor point of the grid in pixels.
struct ActorSetupRecord {
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t aiState = 0;
};

// A crew member of the field objects. The crew's own behaviour (walking, meters, AI) comes with
// the crew members; this holds what the ship and its rooms read and write.
class GAME_CObjectActor {
public:
    static constexpr float kStandardDrawOffsetY = -11.0f;

    GAME_CObjectActor() = default;
    GAME_CObjectActor(const GAME_CObjectActor&) = delete;
    GAME_CObjectActor& operator=(const GAME_CObjectActor&) = delete;

    // Alive and active at the point (its grid cell from the ship's cell size), links cleared,
    // status reset.
    void Init(const ActorSetupRecord& record);

    const vesk::math::Vec2& GetDrawOffset() const { return drawOffset_; }
    void SetDrawOffset(const vesk::math::Vec2& offset) { drawOffset_ = offset; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // A crew home (kind 3) becomes the home link, a room taking crew the work link; room number -1
    // clears the work link (home false) or the home link (home true). While the game world is
    // being made both links are cleared.
    void SetRoomLink(std::int32_t roomNumber, bool home);
    // Nothing when the task is the current one; otherwise a room the old task is bound to drops
    // the member, and the new task is taken.
    void SetTask(GAME_CTaskBase* task, bool thinkNow);
    // A line of a balloon group (106 bound to a room, 107 released).
    void ShowBalloon(std::uint32_t group, bool now);
    // Where the member stands: its floor point and grid cell.
    void PlaceAt(float x, float y);

    bool IsActive() const { return active != 0 && dead == 0; }

    std::uint32_t active = 0;
    std::uint8_t dead = 0;
    std::u16string name;
    float positionX = -100.0f;
    float positionY = -100.0f;
    std::int16_t cellX = -1;
    std::int16_t cellY = -1;
    ActorRoomLink homeLink;
    ActorRoomLink workLink;
    std::uint32_t assigned = 0;      // set while a room counts the member among its assigned crew
    std::uint32_t roomLinkFlag = 0;  // set when a room adds the member to its crew
    std::uint32_t parentToBe = 0;
    std::uint32_t lastBalloonGroup = 0xFFFFFFFF;
    GAME_CTaskBase* task = nullptr;
    GAME_CActorStatus status;

private:
    vesk::math::Vec2 drawOffset_{0.0f, kStandardDrawOffsetY};
    bool visible_ = true;
};

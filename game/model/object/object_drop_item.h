// A stack lying on the ground beside the ship at a place along the route, which comes aboard when the ship passes it.
#pragma once

#include <cstdint>

#include "game/services/data/record_entries.h"
#include "game/model/object/object_base.h"

// What a drop item is set up from.
struct DropItemSetup {
    std::uint32_t itemId = kNoId;
    std::int32_t count = 0;
    std::int32_t routePosition = 0;
};

// Waits until the ship's pick-up extent covers its place, then, while a free cell of the grid
// exists, comes aboard over 45 steps as an item on the free cell nearest the grid's bottom-left.
class GAME_CObjectDropItem : public GAME_CObjectBase {
public:
    static constexpr std::int32_t kBoardingSteps = 45;
    enum State : std::int32_t { kWaiting = 0, kBoarding = 1 };

    // The id must name an item of the static database (the callers check it).
    void Init(const DropItemSetup& setup);

    void Update() override;
    void Draw() override;
    void DrawOverlay(const FieldView&) override {}
    const vesk::math::Vec2& GetPosition() const override { return position; }

    std::uint32_t itemId = kNoId;
    std::int32_t count = 0;
    vesk::math::Vec2 position;  // where the last draw put it
    std::int32_t routePosition = 0;
    std::int32_t age = 0;
    std::int32_t state = kWaiting;
    std::int32_t requestedState = kWaiting;
    std::int32_t targetCell = 0;  // row x grid width + column
    std::int32_t waitCounter = 0;

private:
    void Board();
};

// A player at the wheel for the benchmarks that run the game on a road: the road's texts confirmed as they wait.
#pragma once

#include <cstdint>

#include "bench/travel_rig.h"
#include "framework/input/key_tables.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/ui_manager.h"
#include "platform/input/keyboard.h"
#include "tests/support/event_window.h"

namespace bench_support {

// The platform key that DECIDE is bound to; 0 when none is.
inline std::uint8_t DecideKey()
{
    const std::int32_t logical = GetInputMap()->GetKeyBinding(kActionDecide);
    for (const vesk::input::KeyLogical& entry : vesk::input::LogicalKeyTable()) {
        if (entry.logicalKey == logical) return entry.keyCode;
    }
    return 0;
}

// A road's text that waits is confirmed and its question takes the choice under the cursor, or the route would wait
// for good. DECIDE goes down one frame and up the next: a key held is no new press. Call before each frame.
class RoadReader {
public:
    void BeforeFrame(GAME_CGameWorld& world)
    {
        const bool waiting = support::EventTextWaits(UIManagerOf(&world)->Get<GAME_CUIEvent>()) || GetEventSelection()->IsActive();
        decideDown_ = waiting && !decideDown_;
        platform::input::SetKeyDown(DecideKey(), decideDown_);
    }

    // DECIDE is not left down for what comes after.
    ~RoadReader() { platform::input::SetKeyDown(DecideKey(), false); }

private:
    bool decideDown_ = false;
};

// The game played on for the frames given, the road's texts read as they come: a benchmark's settling before it counts.
inline void PlayReadingTheRoad(TravelRig& rig, GAME_CGameWorld& world, int frames)
{
    RoadReader reader;
    for (int i = 0; i < frames; ++i) {
        reader.BeforeFrame(world);
        rig.Frame();
    }
}

}  // namespace bench_support

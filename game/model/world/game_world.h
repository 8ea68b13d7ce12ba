// The game world: the running game's model, its simulation step and its draw.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/memory/heaps.h"
#include "framework/utility/effect/effect_layer.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/background_view.h"
#include "game/model/world/camera2d.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/room_store_list.h"
#include "game/services/ui_port/ui_port.h"
#include "game/services/ui_port/ui_slots.h"

// The speed of the simulation: whole steps of the accumulator run each frame.
struct TimeScale {
    float speed = 1.0f;
    float accumulator = 0.0f;
};

class GAME_CGameWorld : public vesk::memory::MainHeapObject {
public:
    GAME_CGameWorld() = default;
    ~GAME_CGameWorld();
    GAME_CGameWorld(const GAME_CGameWorld&) = delete;
    GAME_CGameWorld& operator=(const GAME_CGameWorld&) = delete;

    // Makes every member anew; the ready flag is clear meanwhile.
    void CreateMembers();
    // For a slot being applied: travel, camera and effects anew, the rest kept.
    void Reset();
    // One simulation step.
    void Step();
    // 1 in the field: each stick axis gives its own direction; 0 in menus: one direction at a time.
    void SetFieldStick(bool field);
    void Draw();
    void DrawExtra();

    std::unique_ptr<GAME_CFieldObjectManager> fieldObjects;
    std::unique_ptr<GAME_CShip> ship;
    std::unique_ptr<GAME_CBackgroundView> background;
    std::unique_ptr<TimeScale> timeScale;
    std::unique_ptr<GAME_CUIPort> ui;  // the screens, as far as the model reaches them
    std::unique_ptr<GAME_CTaskManager> tasks;
    std::unique_ptr<GAME_CTravelController> travel;
    std::unique_ptr<GAME_CCamera2D> camera;
    std::unique_ptr<vesk::utility::particle::UTL_CEffectLayer> effects;
    // The room stores: one per food-storage room and one per turret room.
    RoomStoreList<GAME_CFoodStorageImpl> foodStores;
    RoomStoreList<GAME_CAmmoImpl> ammoStores;
    std::uint32_t paused = 0;        // the window is inactive and the option pauses the game
    std::uint32_t held = 0;          // a screen stops the game while it is open
    std::uint32_t inputBlocked = 0;  // the screens get no input
    std::uint32_t roomScreenClosing = 0;  // 1 from a room screen's closing until a room screen opens
    std::uint32_t stickDirections = 0;    // the build menu asks the input layer for the stick as directions
    std::uint32_t shipHidden = 0;    // the draw leaves out the ship, its rooms and its effect fields
    std::uint32_t shipHidden2 = 0;
    std::uint32_t effectNameCounter = 0;  // numbers the hit effects, wrapping at 32768
    std::uint32_t fieldStick = 1;         // menus clear it as they open and set it as they close

private:
    void ClearViewFlags();
    void MakeTravelCameraEffects();
};

// The world, made with its members on first use.
GAME_CGameWorld* GetGameWorld();
// Null until it exists.
GAME_CGameWorld* PeekGameWorld();
void DestroyGameWorld();
bool IsUIScreenOpen(int slot);
// Asks the ship-status panel to redraw its figures, while the world is ready.
void FlagShipStatusRefresh();

// True when any line of the resident bar's info bar holds text.
bool HasNoticeLogText(const GAME_CGameWorld& world);
// "OLIF_GET_ITEM" with the item's name into the message log and the info bar; a crew balloon;
// one more item found on the clock.
void ShowItemGotNotice(GAME_CGameWorld& world, std::string_view itemKey);
// The step to the next hideout once a route is chosen: "OLIF_GO_TO_NEXT_AJITO" with the
// destination's name, the hull's turn, the screens of the road, its music, and the bridge's
// driver task made anew with its driver kept.
void ShowNextHideoutNotice(GAME_CGameWorld& world);

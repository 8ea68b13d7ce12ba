// A careless player at the keys: seeded random input over the whole game, which must neither break nor lock.
//
// From a new game's first road, bursts of random input, each begun at one of the places the player
// goes to in turn (see Place): the plain field, a hideout's facility, a room's screen on a furnished
// ship, the bridge's world map, the arcade game, a road event's window, the title with saves present,
// the start of a game over, the pub of another hideout, a room's crew screen, the instructions, the
// sound room and the two binding screens reached through the pause menu, the ending, the staff
// roll; a place the game cannot stand at now (a hideout while under way) is passed over. Each seed
// plays in one of the languages, a pad plugged in beside the keys. A burst: presses of the keys the
// game binds (and of any other key now and then, for the key capture of the binding screens),
// left-button clicks, drags and moves at canvas points (mostly on the buttons the open screens show
// and on the ship's rooms), wheel notches, the pad's buttons, sticks and triggers held for some
// frames, some frames of no input, CANCEL held, the autosave falling due at that moment, and a save
// made at that moment.
// After each burst the player backs out: CANCEL presses, DECIDE where only DECIDE moves on (event
// texts, event choices, a dialog without cancel, the pause menu's quit question, the arcade's pause
// menu and ranking, the staff roll), Escape (the pad's START) to a binding screen waiting for a key,
// "yes" to the dialogs once refused long enough, and clicks on the empty sky.
// Checked: no crash and no sanitizer report (the run stops on either); no error line in the log;
// after every frame of the running game, the world's rules (see BrokenWorldRule: money, fuel,
// rooms on the grid, crew and item lists, one task per crew member, stack and store counts);
// a save made during a burst (or now and then one made at rest) loaded back at rest holds the same
// slot and shows the player what he saw as it was made; and no lock: within kBackOutFrames the game must rest again (see Resting: the field view with
// no screen open and nothing holding the game, or the title after a game over or the staff roll,
// and never still in the arcade game or the closing scenes); a run that cannot back out fails
// naming what held it and the place it began at.
// Every run is reproducible from its seed, which seeds both the game and the player. CI plays one
// seed once through the places but the closing scenes; VARNOLIS_RANDOM_PLAY_SEEDS=first-last (or
// one seed), VARNOLIS_RANDOM_PLAY_FRAMES=<frames per seed> and VARNOLIS_RANDOM_PLAY_PLACES=<names,
// comma separated, of kPlaceNames> play long runs. SIGINT or SIGTERM ends a run at the end of its
// frame (one asked during a new game's opening, once the opening is through), naming the seeds
// played to the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/file/save_file.h"
#include "framework/input/input_manager.h"
#include "framework/input/key_tables.h"
#include "framework/math/random.h"
#include "framework/process/canvas.h"
#include "framework/process/quitting.h"
#include "game/app/scene/scene_minigame.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/travel/route_event.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/ui/event_selection.h"
#include "game/ui/minigame_pause_menu.h"
#include "game/ui/screens/ui_ajito_menu.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_controller_config.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_keyboard_config.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/screens/ui_option.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_room_actor_info.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "platform/input/key_codes.h"
#include "platform/input/pad_device.h"
#include "platform/input/virtual_pad.h"
#include "game/services/text/language.h"
#include "tests/support/busy_road.h"
#include "tests/support/event_window.h"
#include "tests/support/game_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/save_comparison.h"
#include "tests/support/stop_request.h"

namespace {

// CI plays one seed once through every place, a short burst at each.
constexpr std::uint32_t kCiSeeds[] = {1};
constexpr int kCiBurstFrames = 80;
constexpr int kLongBurstFrames = 600;
// Frames the player has to bring the game back to rest after a burst; in the arcade game, whose
// round runs on to its ranking whatever the keys do, and in the ending and staff roll, which run on
// to the title, more.
constexpr int kBackOutFrames = 600;
constexpr int kRunningOnBackOutFrames = 3600;
constexpr int kCanvasW = static_cast<int>(vesk::process::kCanvasWidth);
constexpr int kCanvasH = static_cast<int>(vesk::process::kCanvasHeight);
// A point of the sky above the ship, where a click picks nothing.
constexpr int kSkyX = 60;
constexpr int kSkyY = 90;
// Frames a pressed button takes to act.
constexpr int kButtonSettleFrames = 16;
// The hideout menu's button of the pub.
constexpr int kPubFacility = 3;
// The save slot a save made at a random moment is built in, to be loaded back at once.
constexpr std::uint32_t kRoundTripSlot = 3;
// Screens that stay open in the plain field view: the ship status, the resident bar, the HUD, the
// hideout root while the ship stands at a hideout, the fade and the achievement pop-up.
constexpr int kRestingSlots[] = {kSlotShipStatus, kSlotResident, kSlotCommon, kSlotAjitoRoot, kSlotFade, kSlotAchievementPopup};

// Where a burst begins; the player goes to each in turn.
enum class Place {
    kField, kHideout, kRoomScreen, kWorldMap, kArcade, kRoadEvent, kTitle, kGameOver,
    kPub, kCrew, kInstruction, kSoundRoom, kKeyboardConfig, kControllerConfig, kEnding, kStaffRoll,
};
struct PlaceName {
    Place place;
    const char* name;
    // The ending and the staff roll run on for thousands of frames whatever the keys do: CI leaves
    // them to long runs.
    bool playedInCi = true;
};
constexpr PlaceName kPlaceNames[] = {
    {Place::kField, "field"},
    {Place::kHideout, "hideout"},
    {Place::kRoomScreen, "room"},
    {Place::kWorldMap, "map"},
    {Place::kArcade, "arcade"},
    {Place::kRoadEvent, "event"},
    {Place::kTitle, "title"},
    {Place::kGameOver, "gameover"},
    {Place::kPub, "pub"},
    {Place::kCrew, "crew"},
    {Place::kInstruction, "instruction"},
    {Place::kSoundRoom, "sound"},
    {Place::kKeyboardConfig, "keyboard"},
    {Place::kControllerConfig, "controller"},
    {Place::kEnding, "ending", false},
    {Place::kStaffRoll, "staffroll", false},
};

// The seeds, frames and places of the run: CI's fixed ones unless the environment names others.
struct PlayPlan {
    std::vector<std::uint32_t> seeds;
    // Frames per seed, the places taken in turn again and again; 0 for one pass through them.
    int frames = 0;
    int burstFrames = kCiBurstFrames;
    std::vector<Place> places;
};

PlayPlan PlanFromEnvironment()
{
    PlayPlan plan;
    plan.seeds.assign(std::begin(kCiSeeds), std::end(kCiSeeds));
    if (const char* seeds = std::getenv("VARNOLIS_RANDOM_PLAY_SEEDS")) {
        const std::string text = seeds;
        const std::size_t dash = text.find('-');
        const unsigned long first = std::strtoul(text.c_str(), nullptr, 10);
        const unsigned long last = dash == std::string::npos ? first : std::strtoul(text.c_str() + dash + 1, nullptr, 10);
        plan.seeds.clear();
        for (unsigned long seed = first; seed <= last; ++seed) plan.seeds.push_back(static_cast<std::uint32_t>(seed));
    }
    if (const char* frames = std::getenv("VARNOLIS_RANDOM_PLAY_FRAMES")) {
        plan.frames = std::max(1, std::atoi(frames));
        plan.burstFrames = kLongBurstFrames;
    }
    const char* places = std::getenv("VARNOLIS_RANDOM_PLAY_PLACES");
    for (const auto& [place, name, playedInCi] : kPlaceNames) {
        if (places == nullptr ? playedInCi : (std::string(",") + places + ",").find(std::string(",") + name + ",") != std::string::npos) {
            plan.places.push_back(place);
        }
    }
    if (plan.places.empty()) plan.places.push_back(Place::kField);
    return plan;
}

class RandomPlayTest : public support::GameFixture {
protected:
    // One seed's run; a failure names the seed.
    void Play(std::uint32_t seed, const PlayPlan& plan)
    {
        std::filesystem::remove_all(Folder() / vesk::file::kSaveFolder);
        std::filesystem::create_directories(Folder() / vesk::file::kSaveFolder);
        vesk::math::MarkRandomClockSeeded();
        vesk::math::SeedRandom(seed);
        player_.seed(seed);
        lastRoomPoint_.reset();
        StartNewGameToFirstRoad();
        if (HasFatalFailure()) return;
        // Each seed plays in a language of its own, and with a pad plugged in beside the keys.
        ChooseLanguage(static_cast<std::uint32_t>(seed % kLanguageCount));
        if (!pad_.IsAttached() && pad_.Attach(platform::input::PadKind::Standard)) vesk::input::OnDeviceChange();
        played_ = 0;
        loadedBack_ = 0;
        saved_.clear();
        broken_.clear();
        bool rested = true;
        const std::size_t first = seed % plan.places.size();
        for (std::size_t turn = first; rested && broken_.empty() && !Ending(); ++turn) {
            const bool more = plan.frames > 0 ? played_ < plan.frames : turn < first + plan.places.size();
            if (!more) break;
            place_ = plan.places[turn % plan.places.size()];
            GoTo(place_);
            const int burst = std::uniform_int_distribution(50, plan.burstFrames)(player_);
            Burst(plan.frames > 0 ? std::clamp(plan.frames - played_, 1, burst) : burst);
            rested = BackOut();
            if (rested && (!saved_.empty() || Chance(0.2))) LoadSaveBack();
        }
        const bool quit = vesk::process::IsQuitting();
        pad_.Detach();
        StopGame();
        const bool stopped = support::StopRequest::Asked();
        EXPECT_TRUE(rested) << "seed " << seed << ": the game did not come back to rest by frame " << played_ << " (burst from "
                            << NameOf(place_) << "); held by " << held_;
        EXPECT_EQ(broken_, "") << "seed " << seed << ": the world broke a rule";
        std::printf("seed %u: %d frames played, %d saves loaded back%s\n", seed, played_, loadedBack_,
                    stopped ? ", then the run was asked to stop" : quit ? ", then the player quit the game" : "");
        std::fflush(stdout);
    }

private:
    int Roll(int below) { return std::uniform_int_distribution(0, below - 1)(player_); }
    float Unit() { return std::uniform_real_distribution(0.0f, 1.0f)(player_); }
    bool Chance(double share) { return Unit() < share; }

    void Frame()
    {
        StepFrames(1);
        ++played_;
        // Long runs keep no frame records.
        frames.clear();
        if (broken_.empty() && InFieldView() && !UI().IsOpen(kSlotTitle)) {
            broken_ = BrokenWorldRule();
            if (!broken_.empty()) broken_ = "frame " + std::to_string(played_) + " (burst from " + NameOf(place_) + "): " + broken_;
        }
    }

    // The first rules of the running world that no input may break, or empty: money within its
    // bounds, fuel within the tank, every room and crew member on the grid, crew and items listed
    // once, no crew member in two tasks' crew lists, each stack holding 1 to its limit and lying on
    // the grid or carried by a listed crew member, the room inventories and stores within their counts.
    static std::string BrokenWorldRule()
    {
        const GAME_CGameWorld* world = PeekGameWorld();
        const GAME_CPlayerData* player = GetPlayerData();
        if (world == nullptr || world->ship == nullptr || world->fieldObjects == nullptr || player == nullptr) return {};
        std::ostringstream out;
        if (player->money < 0 || player->money > kMaxMoney) out << "money " << player->money;
        const GAME_CShip& ship = *world->ship;
        if (ship.fuel < 0 || ship.fuel > ship.fuelCapacity) out << "fuel " << ship.fuel << " of " << ship.fuelCapacity;
        for (const GAME_CRoomBase* room : ship.rooms) {
            if (room == nullptr) continue;
            if (room->gridX < 0 || room->gridY < 0 || room->gridX + room->width > ship.grid.width ||
                room->gridY + room->height > ship.grid.height) {
                out << "room of kind " << room->kind << " at " << room->gridX << ',' << room->gridY << " off the "
                    << ship.grid.width << 'x' << ship.grid.height << " grid; ";
            }
        }
        const GAME_CFieldObjectManager& field = *world->fieldObjects;
        const auto listedTwice = [](const auto& list) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i] != nullptr && std::find(list.begin() + static_cast<std::ptrdiff_t>(i) + 1, list.end(), list[i]) != list.end()) {
                    return true;
                }
            }
            return false;
        };
        if (listedTwice(field.crew)) out << "a crew member listed twice; ";
        // A member works at one task: a second list naming it would hand it work, show it in that
        // room's crew and save it there too.
        if (world->tasks != nullptr) {
            std::vector<const GAME_CObjectActor*> working;
            for (const GAME_CTaskBase* task : world->tasks->tasks) {
                if (task == nullptr || task->IsFinished()) continue;
                for (const GAME_CObjectActor* actor : task->crew) {
                    if (actor == nullptr) continue;
                    if (std::find(working.begin(), working.end(), actor) != working.end()) {
                        out << "a crew member in two tasks' crew lists; ";
                    } else {
                        working.push_back(actor);
                    }
                }
            }
        }
        if (listedTwice(field.items)) out << "an item listed twice; ";
        for (const GAME_CObjectActor* actor : field.crew) {
            // Only a crew member thrown off the ship or held by the player stands off the grid.
            if (actor == nullptr || !actor->IsActive() || actor->IsDying() || actor->held != 0 ||
                actor->actionMode != GAME_CObjectActor::kActionNormal) {
                continue;
            }
            if (!ship.grid.IsInside(actor->GetGridColumn(), actor->GetGridRow())) {
                out << "a crew member at " << actor->GetGridColumn() << ',' << actor->GetGridRow() << " off the grid; ";
            }
        }
        for (const GAME_CObjectItem* item : field.items) {
            if (item == nullptr || !item->HasValidEntry()) continue;
            if (item->count < 1 || item->count > StackLimitOf(item->record)) out << "item " << item->itemId << " lying " << item->count << "; ";
            if (item->carrier != nullptr) {
                if (std::find(field.crew.begin(), field.crew.end(), item->carrier) == field.crew.end() || item->carrier->carriedItem != item) {
                    out << "item " << item->itemId << " carried by no crew member; ";
                }
            } else if (!ship.grid.IsInside(item->GetCellColumn(), item->GetCellRow())) {
                out << "item " << item->itemId << " lying at " << item->GetCellColumn() << ',' << item->GetCellRow() << " off the grid; ";
            }
        }
        for (std::size_t index = 0; index < player->InventoryCount(); ++index) {
            const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(index));
            if (inventory == nullptr) continue;
            for (const InventoryStack& stack : inventory->stacks) {
                if (!stack.item) continue;
                if (stack.Count() < 0 || stack.Count() > StackLimitOf(stack.item->record) || stack.marked < 0 || stack.marked > stack.Count()) {
                    out << "inventory " << index << " holds " << stack.Count() << " (" << stack.marked << " marked) of item " << stack.ItemId() << "; ";
                }
            }
        }
        for (std::int32_t index = 0; index < world->foodStores.Count(); ++index) {
            const GAME_CFoodStorageImpl* store = world->foodStores.At(index);
            if (store != nullptr && (store->GetCount() < 0 || store->GetCount() > store->GetCapacity())) {
                out << "food store " << index << " holds " << store->GetCount() << " of " << store->GetCapacity() << "; ";
            }
        }
        for (std::int32_t index = 0; index < world->ammoStores.Count(); ++index) {
            const GAME_CAmmoImpl* store = world->ammoStores.At(index);
            if (store != nullptr && (store->GetCount() < 0 || store->GetCount() > store->GetCapacity())) {
                out << "ammunition store " << index << " holds " << store->GetCount() << " of " << store->GetCapacity() << "; ";
            }
        }
        return out.str();
    }

    void PressKeyOf(int action)
    {
        if (const std::uint8_t key = RawKeyOfAction(action)) PressRawKey(key);
    }

    // A random key press: mostly one the game binds, now and then any key there is.
    void PressRandomKey()
    {
        if (Chance(0.05)) {
            const auto table = vesk::input::LogicalKeyTable();
            PressRawKey(table[static_cast<std::size_t>(Roll(static_cast<int>(table.size())))].keyCode);
            return;
        }
        // CANCEL more often than the rest, so the player comes out of the screens too.
        PressKeyOf(Chance(0.15) ? kActionCancel : Roll(kInputActionCount));
    }

    // A canvas point: on a button of an open screen (the HUD's among them), on a room of the ship
    // (often the last one again, as a second click opens a room's screen), or anywhere.
    std::pair<int, int> RandomPoint()
    {
        const int kind = Roll(10);
        if (kind < 3) {
            std::vector<GAME_CUIIconObject*> buttons;
            for (int slot = 1; slot < kUISlotCount; ++slot) {
                const GAME_CUIScreen* screen = UI().IsOpen(slot) ? UI().Get<GAME_CUIScreen>(slot) : nullptr;
                if (screen != nullptr && screen->Root() != nullptr) CollectShownButtons(*screen->Root(), buttons);
            }
            if (!buttons.empty()) {
                GAME_CUIIconObject& icon = *buttons[static_cast<std::size_t>(Roll(static_cast<int>(buttons.size())))];
                const vesk::math::Vec2 at = icon.WorldPosition();
                const vesk::math::Vec2 size = *icon.GetSize();
                const vesk::math::Vec2 pivot = *icon.GetPivot();
                return OnCanvas(at.x + size.x * (0.1f + 0.8f * Unit() - pivot.x), at.y + size.y * (0.1f + 0.8f * Unit() - pivot.y));
            }
        }
        if (kind < 6) {
            if (Chance(0.5) && lastRoomPoint_) return *lastRoomPoint_;
            const GAME_CShip& ship = *GetGameWorld()->ship;
            for (int attempt = 0; attempt < 20; ++attempt) {
                const int column = Roll(std::max(1, ship.grid.width));
                const int row = Roll(std::max(1, ship.grid.height));
                if (ship.GetRoomAtCell(column, row) == nullptr) continue;
                const vesk::math::Vec2 point = CurrentFieldFrame().ToScreen(
                    {(static_cast<float>(column) + 0.5f) * ship.grid.cellWidth, (static_cast<float>(row) + 0.5f) * ship.grid.cellHeight});
                lastRoomPoint_ = OnCanvas(point.x, point.y);
                return *lastRoomPoint_;
            }
        }
        return {Roll(kCanvasW), Roll(kCanvasH)};
    }

    // The buttons shown under a widget, itself included.
    static void CollectShownButtons(GAME_CUIObjectBase& widget, std::vector<GAME_CUIIconObject*>& out)
    {
        if (auto* icon = dynamic_cast<GAME_CUIIconObject*>(&widget);
            icon != nullptr && icon->IsVisible() && !icon->IsDisabled() && icon->GetSize()->x > 0.0f) {
            out.push_back(icon);
        }
        for (GAME_CUIObjectBase* child : widget.Children()) {
            if (child != nullptr) CollectShownButtons(*child, out);
        }
    }

    static std::pair<int, int> OnCanvas(float x, float y)
    {
        return {std::clamp(static_cast<int>(x), 0, kCanvasW - 1), std::clamp(static_cast<int>(y), 0, kCanvasH - 1)};
    }

    static const char* NameOf(Place place)
    {
        for (const auto& [known, name, playedInCi] : kPlaceNames) {
            if (known == place) return name;
        }
        return "?";
    }

    // The player goes to the place from rest, as far as the game lets it: the burst begins where
    // this ends, whether or not the place was reached.
    void GoTo(Place place)
    {
        if (place == Place::kField || Ending()) return;
        if (place == Place::kTitle) {
            GoToTitleWithSaves();
            return;
        }
        if (AtTitle() && !LeaveTitle()) return;
        if (!Resting() || AtTitle()) return;
        GAME_CGameWorld& world = *GetGameWorld();
        FurnishShip(*world.ship);
        switch (place) {
        case Place::kHideout: OpenFacility(); break;
        case Place::kRoomScreen: OpenRoomScreenOfShip(); break;
        case Place::kWorldMap: OpenWorldMap(); break;
        case Place::kArcade:
            UI().SetOpen(kSlotGameCenter, true);
            Frame();
            break;
        case Place::kRoadEvent: DriveIntoRoadEvent(); break;
        case Place::kPub: OpenPubElsewhere(); break;
        case Place::kCrew: OpenCrewMemberOfRoom(); break;
        case Place::kInstruction: OpenFromOptions(GAME_CUIOption::kRowInstructions); break;
        case Place::kKeyboardConfig: OpenFromOptions(GAME_CUIOption::kRowKeyboardConfig); break;
        case Place::kControllerConfig: OpenFromOptions(GAME_CUIOption::kRowControllerConfig); break;
        case Place::kSoundRoom: OpenSoundRoom(); break;
        case Place::kEnding: OpenClosingScene(kSlotEnding); break;
        case Place::kStaffRoll: OpenClosingScene(kSlotStaffRoll); break;
        case Place::kGameOver: {
            std::int32_t x = 0;
            std::int32_t y = 0;
            if (world.ship->GetLowestFloorCell(&x, &y)) world.ship->AddCellDamage(x, y, world.ship->hullMax);
            Frame();
            break;
        }
        default: break;
        }
    }

    bool AtTitle() const { return InFieldView() && UI().IsOpen(kSlotTitle); }

    static bool OnOpeningRoad()
    {
        const GAME_CRouteManager* route = GetGameWorld()->travel->routeManager.get();
        return route != nullptr && route->IsStartRoute();
    }

    // The seed's run ends: the player quit the game, or the run was asked to stop.
    static bool Ending() { return vesk::process::IsQuitting() || support::StopRequest::Asked(); }

    // Frames until done() holds, at most the count given; none once the run ends.
    bool FramesUntil(const std::function<bool()>& done, int maxFrames)
    {
        for (int frame = 0; frame < maxFrames && !Ending(); ++frame) {
            if (done()) return true;
            Frame();
        }
        return done();
    }

    // A save made now, as the save machine builds it, with what the player sees at the moment:
    // kept to be loaded back once the game rests. None at the title, on a new game's opening road,
    // in the closing scenes or in the arcade game, where the game cannot be saved (a slot keeps no
    // opening road, and the game offers no save on it: the pause menu's save row is dead there and
    // the autosave waits while its script runs, from the first frame to the hand-over to road 1).
    // Nor while a crew member is thrown off the ship or a room goes to pieces: the load puts the crew
    // back aboard on a floor cell, and a room's breaking is not saved, as their rules say.
    void TakeSave()
    {
        if (!InFieldView() || AtTitle() || OnOpeningRoad() || PlaysClosingScenes()) return;
        if (AnyCrewOffTheShip() || AnyRoomBreaking()) return;
        seenAtSave_ = support::WhatThePlayerSees();
        savedAt_ = "frame " + std::to_string(played_) + " (burst from " + std::string(NameOf(place_)) + ")";
        saved_ = BuildRoundTripSlot();
    }

    static bool AnyCrewOffTheShip()
    {
        const auto& crew = GetGameWorld()->fieldObjects->crew;
        return std::any_of(crew.begin(), crew.end(), [](const GAME_CObjectActor* actor) {
            return actor != nullptr && actor->dead == 0 && actor->actionMode != GAME_CObjectActor::kActionNormal;
        });
    }

    static bool AnyRoomBreaking()
    {
        const auto& rooms = GetGameWorld()->ship->rooms;
        return std::any_of(rooms.begin(), rooms.end(), [](const GAME_CRoomBase* room) { return room != nullptr && room->broken; });
    }

    static std::vector<std::uint8_t> BuildRoundTripSlot()
    {
        BuildSlotImage(kRoundTripSlot);
        const std::span<std::uint8_t> written = GetSaveAreas().ImageSlot(kRoundTripSlot);
        return {written.begin(), written.end()};
    }

    // The save taken (or, when none was, one made now) loaded as the load screen loads it, at rest in
    // the field: built again, it holds the same slot but for what a load rebuilds, and the player sees
    // what he saw as it was made. The game plays on from the load.
    void LoadSaveBack()
    {
        if (!broken_.empty() || !Resting() || AtTitle()) return;
        if (saved_.empty()) TakeSave();
        if (saved_.empty()) return;
        const std::vector<std::uint8_t> saved = std::move(saved_);
        saved_.clear();
        GetSaveAreas().workingSlot.assign(saved.begin(), saved.end());
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
        const std::string seen = support::WhatThePlayerSees();
        const std::vector<std::uint8_t> again = support::WithoutRebuiltFields(BuildRoundTripSlot());
        std::vector<std::uint8_t> expected = support::WithoutRebuiltFields(saved);
        // The load marks each turret's ammunition found, rounds or none, as the store's rule says.
        for (std::int32_t i = 0; i < GetAmmoStorageCount(); ++i) {
            const GAME_CAmmoImpl* ammo = GetAmmoStorageAt(i);
            if (ammo != nullptr) MarkItemDiscovered(expected, *ammo->GetAmmoId());
        }
        if (seen != seenAtSave_) {
            broken_ = "a save made at " + savedAt_ + " loaded back shows\n" + seen + "where the player saw\n" + seenAtSave_;
        } else if (again != expected) {
            broken_ = "a save made at " + savedAt_ + ", loaded back and saved again, differs:" + support::SlotDifferences(expected, again);
        }
        ++loadedBack_;
        Frame();
    }

    // The rooms whose screens the player may open: an engine (connected), a bridge, and one room of
    // each kind with a screen of its own, each where it fits on the hull (none where nothing fits).
    static void FurnishShip(GAME_CShip& ship)
    {
        constexpr std::int32_t kKinds[] = {kRoomKindEngine, kRoomKindBridge, 4, 5, 14, 31, 16, 2, 6, kRoomKindStorage, kRoomKindCrewHome};
        for (std::int32_t kind : kKinds) {
            const bool present = std::any_of(ship.rooms.begin(), ship.rooms.end(),
                                             [kind](const GAME_CRoomBase* room) { return room != nullptr && room->kind == kind; });
            for (std::int32_t y = 0; !present && y < ship.grid.height; ++y) {
                bool placed = false;
                for (std::int32_t x = 0; x < ship.grid.width && !placed; ++x) {
                    placed = ship.CanPlaceRoom(x, y, kind) && ship.PlaceRoom(x, y, kind) != nullptr;
                }
                if (placed) break;
            }
        }
        for (GAME_CRoomBase* room : ship.rooms) {
            if (room != nullptr && room->kind == kRoomKindEngine) room->engineMode = kEngineConnected;
        }
        ship.RecalcStats();
    }

    // A hideout with a pub, the ship standing at it, and its pub from the hideout menu.
    void OpenPubElsewhere()
    {
        const GAME_CStaticDatabase& database = *GetStaticDatabase();
        std::vector<std::uint32_t> withPub;
        std::uint32_t id = kNoId;
        for (std::int32_t position = 0; const HideoutData* hideout = database.GetHideoutDataAt(position, &id); ++position) {
            if ((hideout->facilities & (1u << kPubFacility)) != 0) withPub.push_back(id);
        }
        GAME_CGameWorld& world = *GetGameWorld();
        if (withPub.empty() || !FramesUntil([&] { return world.travel->GetLocation() != nullptr; }, 4)) return;
        world.travel->SetCurrentLocation(&withPub[static_cast<std::size_t>(Roll(static_cast<int>(withPub.size())))]);
        OpenFacility(kPubFacility);
    }

    // A room's screen, and over it the crew screen of one of its crew (of anyone on board when it
    // has none), as the room's crew panel opens it.
    void OpenCrewMemberOfRoom()
    {
        GAME_CRoomBase* room = OpenRoomScreenOfShip();
        if (room == nullptr) return;
        std::vector<GAME_CObjectActor*> crew;
        CollectUIRoomCrew(room, crew);
        if (crew.empty()) crew = GetGameWorld()->fieldObjects->crew;
        if (crew.empty()) return;
        GAME_CUIRoomActorInfo& screen = *UI().Get<GAME_CUIRoomActorInfo>();
        screen.targetActor = crew[static_cast<std::size_t>(Roll(static_cast<int>(crew.size())))];
        screen.OpenForRoom(room);
        Frame();
    }

    // The ending or the staff roll. A road's script opens the ending while its event holds the field,
    // when no button the player pressed there is still to act.
    void OpenClosingScene(int slot)
    {
        for (int frame = 0; frame < kButtonSettleFrames; ++frame) Frame();
        if (!Resting()) return;
        UI().SetOpen(slot, true);
        Frame();
    }

    // The pause menu, its options, and there the row that opens another screen.
    void OpenFromOptions(int row)
    {
        if (!OpenPauseMenuAt(GAME_CUIPause::kRowOption)) return;
        PressKeyOf(kActionDecide);
        const GAME_CUIOption& options = *UI().Get<GAME_CUIOption>();
        if (!FramesUntil([&] { return options.State() == UIScreenState::kMain; }, 60)) return;
        for (int step = 0; step < 2 * GAME_CUIOption::kRowCount && options.Cursor() != row; ++step) {
            PressKeyOf(kActionCursorDown);
            Frame();
            Frame();
        }
        if (options.Cursor() == row) PressKeyOf(kActionDecide);
        Frame();
    }

    // The sound room from the pause menu, whose row it is once the game has been cleared.
    void OpenSoundRoom()
    {
        working_slot::SetEndingSeen();
        if (!OpenPauseMenuAt(GAME_CUIPause::kRowSoundRoom)) return;
        PressKeyOf(kActionDecide);
        Frame();
    }

    // The pause menu open with its cursor on the row; false when it did not get there.
    bool OpenPauseMenuAt(int row)
    {
        UI().SetOpen(kSlotPause, true);
        const GAME_CUIPause& pause = *UI().Get<GAME_CUIPause>();
        if (!FramesUntil([&] { return pause.State() == UIScreenState::kMain; }, 40)) return false;
        for (int step = 0; step < 20 && pause.GetCursor() != row; ++step) {
            PressKeyOf(kActionCursorDown);
            Frame();
            Frame();
        }
        return pause.GetCursor() == row;
    }

    // The hideout menu from the HUD, and one of the facilities it offers (the one asked for when it does).
    void OpenFacility(int wanted = -1)
    {
        if (!FramesUntil([] { return GetGameWorld()->travel->GetLocation() != nullptr; }, 4)) return;
        const GAME_CUICommon& hud = *UI().Get<GAME_CUICommon>();
        if (!FramesUntil([&] { return hud.HideoutBlock()->GetPosition()->x > 0.0f && !hud.Icon(GAME_CUICommon::kHideout)->IsDisabled(); },
                         3 * GAME_CUICommon::kSlideFrames)) {
            return;
        }
        PressKeyOf(kActionShortcutHideout);
        Frame();
        const GAME_CUIAjitoMenu& menu = *UI().Get<GAME_CUIAjitoMenu>();
        if (!FramesUntil([&] { return menu.State() == UIScreenState::kMain; }, 40)) return;
        std::vector<int> offered;
        for (int facility = 0; facility < GAME_CUIAjitoMenu::kButtonCount; ++facility) {
            if (menu.Offers(facility)) offered.push_back(facility);
        }
        if (offered.empty()) return;
        if (std::find(offered.begin(), offered.end(), wanted) != offered.end()) offered.assign(1, wanted);
        const int facility = offered[static_cast<std::size_t>(Roll(static_cast<int>(offered.size())))];
        // A click chooses a button once the last one chosen has grown to fill the panel.
        const auto settled = [&] { return !menu.IsEmphasizing(); };
        for (int step = 0; step < 4 && menu.Selection() != facility; ++step) {
            if (!FramesUntil(settled, GAME_CUIAjitoMenu::kEmphasisFrames + 2)) return;
            const vesk::math::Vec2 home = GAME_CUIAjitoMenu::HomeOf(facility);
            const auto [x, y] = OnCanvas(home.x, home.y);
            ClickAt(x, y);
            Frame();
        }
        FramesUntil(settled, GAME_CUIAjitoMenu::kEmphasisFrames + 2);
        PressKeyOf(kActionDecide);
        Frame();
    }

    // The screen of one of the ship's rooms, each kind as likely as any other (a hull has many rooms of
    // a few kinds); the room, or null when there is none.
    GAME_CRoomBase* OpenRoomScreenOfShip()
    {
        GAME_CShip& ship = *GetGameWorld()->ship;
        std::vector<GAME_CRoomBase*> rooms;
        for (GAME_CRoomBase* room : ship.rooms) {
            if (room == nullptr) continue;
            const auto sameKind = [room](const GAME_CRoomBase* taken) { return taken->kind == room->kind; };
            if (std::none_of(rooms.begin(), rooms.end(), sameKind)) rooms.push_back(room);
        }
        if (rooms.empty()) return nullptr;
        GAME_CRoomBase* room = rooms[static_cast<std::size_t>(Roll(static_cast<int>(rooms.size())))];
        UI().OpenRoomScreen(room, ship.GetRoomIndex(room));
        Frame();
        return room;
    }

    // The bridge's map in its browse step, where a road is chosen.
    void OpenWorldMap()
    {
        GAME_CShip& ship = *GetGameWorld()->ship;
        GAME_CRoomBase* bridge = support::FindBridge(ship);
        if (bridge == nullptr) return;
        bridge->rememberedTab = 0;
        UI().OpenRoomScreen(bridge, ship.GetRoomIndex(bridge));
        const GAME_CUIMap& map = *UI().Get<GAME_CUIMap>();
        if (!FramesUntil([&] { return map.State() == UIScreenState::kMain; }, 40)) return;
        PressKeyOf(kActionDecide);
        Frame();
    }

    // From a hideout, a road that leaves it, taken up to just before one of its fixed events; the
    // texts read until the event asks (or its frames run out).
    void DriveIntoRoadEvent()
    {
        GAME_CGameWorld& world = *GetGameWorld();
        FramesUntil([&] { return world.travel->GetLocation() != nullptr; }, 4);
        const LocationRecord* here = world.travel->GetLocation();
        if (here == nullptr || world.travel->routeManager == nullptr || world.travel->routeManager->IsRouteEventRunning()) return;
        const GAME_CStaticDatabase& database = *GetStaticDatabase();
        std::vector<std::int32_t> positions;
        database.CollectRoutesFrom(here->hideoutId, positions);
        std::vector<std::uint32_t> roads;
        for (std::int32_t position : positions) {
            std::uint32_t id = kNoId;
            const RouteData* road = database.GetRouteDataAt(position, &id);
            if (road != nullptr && road->startLocation == here->hideoutId) roads.push_back(id);
        }
        if (roads.empty()) return;
        const std::uint32_t road = roads[static_cast<std::size_t>(Roll(static_cast<int>(roads.size())))];
        StartRoute(*world.travel, &road, true, {}, {});
        // A crew member drives, as the player orders one at the bridge.
        GAME_CRoomBase* bridge = support::FindBridge(*world.ship);
        if (bridge != nullptr && !world.tasks->HasBridgeDriverTask()) support::OrderBridgeDriver(world, *bridge);
        GAME_CRouteManager& route = *world.travel->routeManager;
        std::vector<std::int32_t> starts;
        if (route.Events() != nullptr) {
            for (const auto& event : route.Events()->fixedEvents) {
                if (event != nullptr && event->GetFrom() > 8 && event->GetFrom() < route.GetLength()) starts.push_back(event->GetFrom());
            }
        }
        Frame();
        if (!starts.empty()) route.SetPosition(starts[static_cast<std::size_t>(Roll(static_cast<int>(starts.size())))] - 4);
        FramesUntil([&] { return UI().IsOpen(kSlotEvent) || route.IsRouteEventRunning(); }, 240);
        FramesUntil([&] {
            const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
            if (choices != nullptr && choices->IsActive()) return true;
            if (WaitsForDecide()) PressKeyOf(kActionDecide);
            return !route.IsRouteEventRunning();
        }, 400);
    }

    // Saved games in one or two slots, then back to the title through the pause menu's quit question,
    // and one of the title menu's entries other than the last (leaving the game).
    void GoToTitleWithSaves()
    {
        if (!AtTitle()) LeaveGameForTitle();
        if (!AtTitle()) return;
        const GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
        if (!FramesUntil([&] { return title.GetSubState() == GAME_CUITitle::kPressStart; }, 300)) return;
        PressKeyOf(kActionDecide);
        const auto inMenu = [&] {
            return title.GetSubState() == GAME_CUITitle::kMenuWithoutSave || title.GetSubState() == GAME_CUITitle::kMenuWithSave;
        };
        if (!FramesUntil(inMenu, 60)) return;
        const int entry = Roll(std::max(1, title.EntryCount() - 1));
        for (int step = 0; step < 10 && inMenu() && title.GetCursor() != entry; ++step) {
            PressKeyOf(kActionCursorDown);
            for (int i = 0; i < 8; ++i) Frame();
        }
        if (inMenu() && title.GetCursor() == entry) PressKeyOf(kActionDecide);
        Frame();
    }

    void LeaveGameForTitle()
    {
        if (!Resting()) return;
        GAME_CSaveManager& saves = *GetSaveManager();
        for (int slot = 1 + Roll(3), count = 1 + Roll(2); count > 0; --count, slot = slot % 3 + 1) {
            if (!saves.RequestSaveSlot(static_cast<std::uint32_t>(slot))) break;
            FramesUntil([&] { return saves.IsIdle(); }, 600);
        }
        UI().SetOpen(kSlotPause, true);
        const GAME_CUIPause& pause = *UI().Get<GAME_CUIPause>();
        if (!FramesUntil([&] { return pause.State() == UIScreenState::kMain; }, 40)) return;
        for (int step = 0; step < 20 && pause.GetCursor() != GAME_CUIPause::kRowQuit; ++step) {
            PressKeyOf(kActionCursorDown);
            Frame();
            Frame();
        }
        PressKeyOf(kActionDecide);
        if (!FramesUntil([&] { return pause.GetSubState() == GAME_CUIPause::kQuitDialog; }, 20)) return;
        // One press at a time, each acted on before the next.
        for (int step = 0; step < 10; ++step) {
            for (int i = 0; i < 16; ++i) Frame();
            if (pause.GetDialogCursor() == GAME_CUIPause::kChoiceTitle) break;
            PressKeyOf(kActionCursorUp);
        }
        PressKeyOf(kActionDecide);
        FramesUntil([&] { return AtTitle() && !UI().IsOpen(kSlotPause); }, 300);
    }

    // From the title into a game: continue when there is a save, else a new game through its
    // opening; true once the field rests.
    bool LeaveTitle()
    {
        const GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
        return FramesUntil([&] {
            if (!InFieldView()) return false;
            if (!UI().IsOpen(kSlotTitle)) {
                if (WaitsForDecide()) PressKeyOf(kActionDecide);
                return Resting();
            }
            const GAME_CUITitle::SubState step = title.GetSubState();
            if (step == GAME_CUITitle::kPressStart) {
                PressKeyOf(kActionDecide);
            } else if (step == GAME_CUITitle::kMenuWithoutSave || step == GAME_CUITitle::kMenuWithSave) {
                PressKeyOf(title.GetCursor() == 0 ? kActionDecide : kActionCursorUp);
            }
            Frame();
            return false;
        }, 3000);
    }

    // Random input over the frames given.
    void Burst(int frameCount)
    {
        int pointerHeld = 0;
        int padHeld = 0;
        for (int frame = 0; frame < frameCount && !Ending(); ++frame) {
            const int roll = Roll(1000);
            if (roll < 200) {
                PressRandomKey();
            } else if (roll < 300) {
                const auto [x, y] = RandomPoint();
                ClickAt(x, y);
            } else if (roll < 360) {
                const auto [x, y] = RandomPoint();
                PointerMove(x, y);
            } else if (roll < 375 && pointerHeld == 0) {
                const auto [x, y] = RandomPoint();
                PointerDown(x, y);
                pointerHeld = 1 + Roll(40);
            } else if (roll < 405) {
                Wheel(Roll(2) == 0 ? -(1 + Roll(3)) : 1 + Roll(3));
            } else if (roll < 415) {
                const int action = Roll(kInputActionCount);
                if (RawKeyOfAction(action) != 0) HoldAction(action, 2 + Roll(60));
            } else if (roll < 420) {
                if (RawKeyOfAction(kActionCancel) != 0) HoldAction(kActionCancel, 5 + Roll(60));
            } else if (roll < 440 && lastRoomPoint_) {
                // Two clicks on one room: the first selects its cell, the second opens its screen.
                ClickAt(lastRoomPoint_->first, lastRoomPoint_->second);
                Frame();
                Frame();
                ClickAt(lastRoomPoint_->first, lastRoomPoint_->second);
            } else if (roll < 445) {
                // The autosave falls due now, whatever the player is doing.
                GAME_CSaveManager& saves = *GetSaveManager();
                if (saves.autoSaveInterval > 0) saves.autoSaveCounter = saves.autoSaveInterval - 1;
            } else if (roll < 450) {
                const int idle = 10 + Roll(120);
                for (int i = 0; i < idle; ++i) Frame();
                continue;
            } else if (roll < 530 && padHeld == 0) {
                SetRandomPad();
                padHeld = 1 + Roll(30);
            } else if (roll < 533) {
                TakeSave();
            }
            if (pointerHeld > 0 && --pointerHeld == 0) PointerUp();
            if (padHeld > 0 && --padHeld == 0) ReleasePad();
            Frame();
        }
        PointerUp();
        ReleasePad();
    }

    // The pad's buttons, sticks and triggers as a player's hands might leave them for some frames:
    // one or two buttons down, now and then a stick pushed or a trigger pulled.
    void SetRandomPad()
    {
        constexpr std::uint16_t kButtons[] = {
            platform::input::pad_button::DpadUp,    platform::input::pad_button::DpadDown,     platform::input::pad_button::DpadLeft,
            platform::input::pad_button::DpadRight, platform::input::pad_button::Start,        platform::input::pad_button::Back,
            platform::input::pad_button::LeftThumb, platform::input::pad_button::RightThumb,   platform::input::pad_button::LeftShoulder,
            platform::input::pad_button::RightShoulder, platform::input::pad_button::A,        platform::input::pad_button::B,
            platform::input::pad_button::X,         platform::input::pad_button::Y,
        };
        if (!pad_.IsAttached()) return;
        platform::input::StandardPadState state;
        for (int pressed = Chance(0.3) ? 2 : 1; pressed > 0; --pressed) state.buttons |= kButtons[Roll(static_cast<int>(std::size(kButtons)))];
        const auto axis = [&] { return static_cast<std::int16_t>(Roll(65536) - 32768); };
        if (Chance(0.3)) {
            state.leftX = axis();
            state.leftY = axis();
        }
        if (Chance(0.3)) {
            state.rightX = axis();
            state.rightY = axis();
        }
        if (Chance(0.1)) state.leftTrigger = static_cast<std::uint8_t>(Roll(256));
        if (Chance(0.1)) state.rightTrigger = static_cast<std::uint8_t>(Roll(256));
        pad_.Set(state);
    }

    void ReleasePad()
    {
        if (pad_.IsAttached()) pad_.Set(platform::input::StandardPadState{});
    }

    // The player backs out until the game rests: false when it did not within kBackOutFrames.
    bool BackOut()
    {
        int budget = kBackOutFrames;
        for (int frame = 0; frame < budget; ++frame) {
            // A round of the arcade game and the closing scenes run on whatever the keys do: the
            // field has its own frames from their end.
            if ((Arcade() != nullptr || PlaysClosingScenes()) && frame < kRunningOnBackOutFrames) budget = frame + kBackOutFrames;
            if (Ending() || Resting()) return true;
            // A key held down is no new press: every other frame.
            if (frame % 2 == 0) PressBackOutKey(frame);
            Frame();
        }
        if (Resting()) return true;
        held_ = DescribeHold();
        return false;
    }

    // CANCEL, but what only DECIDE answers gets DECIDE: a dialog that cannot be cancelled its "no" when
    // it has one, the pause menu's quit question its "continue". A player refused for half the frames
    // gives in and answers dialogs "yes" (a screen may ask again each time it is left: leave without
    // saving?). Now and then a click on the sky instead.
    void PressBackOutKey(int frame)
    {
        const GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
        const GAME_CUIPause* pause = InFieldView() ? UI().Get<GAME_CUIPause>() : nullptr;
        const bool givesIn = frame >= kBackOutFrames / 2;
        if (const GAME_CSceneMiniGameSideScroll* arcade = Arcade()) {
            PressArcadeBackOutKey(*arcade, frame);
        } else if (CapturesBinding()) {
            // Escape stands in for the first pad's START, whose tap ends a capture unchanged.
            PressRawKey(platform::input::key::Escape);
        } else if (pause != nullptr && pause->IsOpen() && pause->GetSubState() == GAME_CUIPause::kQuitDialog) {
            // Only once the last press has been acted on: the menu under the question has its cursor
            // on the quit row, which a further DECIDE would press again.
            if (frame % 16 == 0) {
                PressKeyOf(pause->GetDialogCursor() == GAME_CUIPause::kChoiceContinue ? kActionDecide : kActionCursorDown);
            }
        } else if (InFieldView() && dialog.IsVisible() && (givesIn || !dialog.closable)) {
            const int wanted = givesIn ? GAME_CUIInDisplaySelectionObject::kAnswerYes : GAME_CUIInDisplaySelectionObject::kAnswerNo;
            const bool onIt = !dialog.yesNoMode || dialog.cursorIndex == wanted;
            PressKeyOf(onIt ? kActionDecide : kActionCursorDown);
        } else if (WaitsForDecide() || (InFieldView() && UI().IsOpen(kSlotStaffRoll))) {
            PressKeyOf(kActionDecide);
        } else if (frame % 16 == 0 && InFieldView()) {
            ClickAt(kSkyX, kSkyY);
        } else {
            PressKeyOf(kActionCancel);
        }
    }

    // In the arcade game: a round in play is paused (End stands in for the pad's SELECT), the pause
    // menu's quit item chosen (only DECIDE answers the menu), the ranking confirmed, and CANCEL on the
    // arcade's title leaves.
    void PressArcadeBackOutKey(const GAME_CSceneMiniGameSideScroll& arcade, int frame)
    {
        using Arcade = GAME_CSceneMiniGameSideScroll;
        switch (arcade.State()) {
        case Arcade::kPlay:
            if (frame % 16 == 0) PressRawKey(platform::input::key::End);
            break;
        case Arcade::kPause:
            // Only once the last press has been acted on.
            if (frame % 16 == 0) {
                const bool onQuit = arcade.PauseMenu().CursorItem() == GAME_CMiniGamePauseMenu::kQuitItem;
                PressKeyOf(onQuit ? kActionDecide : kActionCursorDown);
            }
            break;
        case Arcade::kRanking:
        case Arcade::kScoreEntry: PressKeyOf(kActionDecide); break;
        default: PressKeyOf(kActionCancel); break;
        }
    }

    // The arcade game's scene while it is on the stack (also while it hands back to the main game),
    // else null.
    static const GAME_CSceneMiniGameSideScroll* Arcade()
    {
        const GAME_CSceneStack* stack = PeekSceneStack();
        if (stack == nullptr) return nullptr;
        for (const GAME_CSceneBase* scene : stack->scenes) {
            if (scene->GetSceneId() == kSceneMiniGame) return static_cast<const GAME_CSceneMiniGameSideScroll*>(scene);
        }
        return nullptr;
    }

    // A binding screen waiting for the key or button to bind (its prompt has no button; a refused
    // key's notice has one).
    bool CapturesBinding() const
    {
        if (!InFieldView() || !GetInDisplaySelection()->IsVisible() || !GetInDisplaySelection()->IsMessageOnly()) return false;
        const auto captures = [](const GAME_CUISettingsWindow* screen) {
            return screen != nullptr && screen->IsOpen() && screen->GetPage() == GAME_CUISettingsWindow::Page::kOwn;
        };
        return captures(UI().Get<GAME_CUIKeyboardConfig>()) || captures(UI().Get<GAME_CUIControllerConfig>());
    }

    // The ending or the staff roll, which run on to the title whatever the keys do.
    bool PlaysClosingScenes() const { return InFieldView() && (UI().IsOpen(kSlotEnding) || UI().IsOpen(kSlotStaffRoll)); }

    static bool InFieldView()
    {
        const GAME_CSceneStack* stack = PeekSceneStack();
        return stack != nullptr && stack->scenes.size() == 1 && stack->scenes.front()->GetSceneId() == kSceneGameMain;
    }

    // An event text shown in full, or event choices: only DECIDE goes on from them.
    bool WaitsForDecide() const
    {
        if (!InFieldView()) return false;
        const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
        if (choices != nullptr && choices->IsActive()) return true;
        return support::EventTextWaits(UI().Get<GAME_CUIEvent>());
    }

    // At rest: the main game alone, no dialog, no event choices, and either the title at its press
    // start or menu with nothing over it, or the field view with only the resting screens open, the
    // HUD idle and nothing holding the game.
    bool Resting() const
    {
        if (!InFieldView()) return false;
        const GAME_CUIManager& ui = UI();
        if (GetInDisplaySelection()->IsVisible()) return false;
        const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
        if (choices != nullptr && choices->IsActive()) return false;
        const bool title = ui.IsOpen(kSlotTitle);
        for (int slot = 1; slot < kUISlotCount; ++slot) {
            if (!ui.IsOpen(slot) || (title && slot == kSlotTitle)) continue;
            if (std::find(std::begin(kRestingSlots), std::end(kRestingSlots), slot) == std::end(kRestingSlots)) return false;
        }
        if (title) {
            const GAME_CUITitle::SubState step = ui.Get<GAME_CUITitle>()->GetSubState();
            return step == GAME_CUITitle::kPressStart || step == GAME_CUITitle::kMenuWithoutSave || step == GAME_CUITitle::kMenuWithSave;
        }
        const GAME_CUICommon* hud = ui.Get<GAME_CUICommon>();
        if (hud != nullptr && hud->IsOpen() && hud->SubStateNow() != GAME_CUICommon::kIdle) return false;
        return GetGameWorld()->held == 0;
    }

    // What keeps the game from resting, for the failure report.
    std::string DescribeHold() const
    {
        std::ostringstream out;
        const GAME_CSceneStack* stack = PeekSceneStack();
        out << "scenes";
        if (stack != nullptr) {
            for (const GAME_CSceneBase* scene : stack->scenes) out << ' ' << scene->GetSceneId();
        }
        if (const GAME_CSceneMiniGameSideScroll* arcade = Arcade()) out << " (arcade step " << arcade->State() << ')';
        if (!InFieldView()) return out.str();
        const GAME_CUIManager& ui = UI();
        out << "; open slots (state)";
        for (int slot = 1; slot < kUISlotCount; ++slot) {
            if (!ui.IsOpen(slot)) continue;
            out << ' ' << slot << ' ' << typeid(*ui.GetScreen(slot)).name();
            if (const auto* screen = ui.Get<GAME_CUIScreen>(slot)) out << " (" << static_cast<int>(screen->State()) << ')';
        }
        const GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
        out << "; dialog " << dialog.IsVisible();
        if (dialog.IsVisible()) {
            out << " of slot " << dialog.ownerSlot << (dialog.closable ? ", closable" : "") << ": ";
            for (char16_t c : dialog.Message()) out << (c < 0x80 ? static_cast<char>(c) : '?');
        }
        const GAME_CUIEventSelectionObject* choices = PeekEventSelection();
        out << "; event choices " << (choices != nullptr && choices->IsActive());
        if (const GAME_CUICommon* hud = ui.Get<GAME_CUICommon>()) out << "; HUD step " << static_cast<int>(hud->SubStateNow());
        if (const GAME_CUITitle* title = ui.Get<GAME_CUITitle>()) out << "; title step " << static_cast<int>(title->GetSubState());
        if (const GAME_CUIPause* pause = ui.Get<GAME_CUIPause>()) out << "; pause step " << static_cast<int>(pause->GetSubState());
        out << "; save machine " << (GetSaveManager()->IsIdle() ? "idle" : "busy");
        out << "; held " << GetGameWorld()->held << "; input blocked " << GetGameWorld()->inputBlocked;
        return out.str();
    }

    std::mt19937 player_;
    platform::input::VirtualPad pad_;
    Place place_ = Place::kField;
    std::optional<std::pair<int, int>> lastRoomPoint_;
    int played_ = 0;
    int loadedBack_ = 0;
    // A save taken during a burst, to be loaded back at rest, and where and what the player saw then.
    std::vector<std::uint8_t> saved_;
    std::string savedAt_;
    std::string seenAtSave_;
    std::string held_;
    std::string broken_;
};

TEST_F(RandomPlayTest, CarelessPlayerNeitherBreaksNorLocksTheGame)
{
    const PlayPlan plan = PlanFromEnvironment();
    // SIGINT or SIGTERM ends a long run at the end of its frame, with the seeds played so far.
    const support::StopRequest stop;
    std::vector<std::uint32_t> finished;
    for (std::uint32_t seed : plan.seeds) {
        if (stop.Asked()) break;
        support::LogCapture log;
        Play(seed, plan);
        ASSERT_FALSE(HasFatalFailure()) << "seed " << seed;
        for (const std::string& line : log.Lines()) {
            EXPECT_NE(line.rfind("error: ", 0), 0u) << "seed " << seed << ": " << line;
        }
        if (!stop.Asked()) finished.push_back(seed);
    }
    if (stop.Asked()) {
        // The seeds run in order: those finished are the first ones.
        std::printf("stopped when asked: %zu of %zu seeds played to the end", finished.size(), plan.seeds.size());
        if (!finished.empty()) std::printf(" (%u to %u)", finished.front(), finished.back());
        std::printf("\n");
        std::fflush(stdout);
    }
}

}  // namespace

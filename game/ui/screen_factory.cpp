// Makes the screen each slot of the screen manager holds.
#include "game/ui/screen_factory.h"

#include <array>
#include <type_traits>

#include "game/ui/achieve_popup.h"
#include "game/ui/fade_in_out.h"
#include "game/ui/game_center.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/screens/ui_achieve_list.h"
#include "game/ui/screens/ui_actor_birth.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_ajito_menu.h"
#include "game/ui/screens/ui_ajito_root.h"
#include "game/ui/screens/ui_all_actor_info.h"
#include "game/ui/screens/ui_build.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/screens/ui_bullet.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_controller_config.h"
#include "game/ui/screens/ui_current_quest.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "game/ui/screens/ui_ending.h"
#include "game/ui/screens/ui_engine_room.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/screens/ui_gas_station.h"
#include "game/ui/screens/ui_hospital.h"
#include "game/ui/screens/ui_instruction.h"
#include "game/ui/screens/ui_inventory.h"
#include "game/ui/screens/ui_inventory_trash.h"
#include "game/ui/screens/ui_item_create.h"
#include "game/ui/screens/ui_item_dictionary.h"
#include "game/ui/screens/ui_keyboard_config.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/screens/ui_mind_control.h"
#include "game/ui/screens/ui_option.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_pause_upper.h"
#include "game/ui/screens/ui_pub.h"
#include "game/ui/screens/ui_quest_board.h"
#include "game/ui/screens/ui_room_actor_info.h"
#include "game/ui/screens/ui_room_building.h"
#include "game/ui/screens/ui_save_slot.h"
#include "game/ui/screens/ui_ship_change.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/screens/ui_shop.h"
#include "game/ui/screens/ui_sound_room.h"
#include "game/ui/screens/ui_staff_roll.h"
#include "game/ui/screens/ui_talk_log.h"
#include "game/ui/screens/ui_task_cancel.h"
#include "game/ui/screens/ui_title.h"

namespace {

// A screen that reaches the running game is handed the context; the others are made without it.
template <typename Screen>
GAME_CUIBase* MakeOne(const UIScreenContext& context)
{
    if constexpr (std::is_constructible_v<Screen, const UIScreenContext&>) {
        return new Screen(context);
    } else {
        return new Screen;
    }
}

// The screen classes, each of which names its own slot.
template <typename... Screens>
struct UIScreenTable {
    static constexpr std::array<int, sizeof...(Screens)> kSlots{Screens::kSlot...};

    static GAME_CUIBase* Make(int slot, const UIScreenContext& context)
    {
        GAME_CUIBase* made = nullptr;
        static_cast<void>(((slot == Screens::kSlot && (made = MakeOne<Screens>(context)) != nullptr) || ...));
        return made;
    }
};

using ScreenTable = UIScreenTable<
    GAME_CUIShipStatus,
    GAME_CUIResident,
    GAME_CUICommon,
    GAME_CUIBuild,
    GAME_CUIBuildSelectGrid,
    GAME_CUIAjitoRoot,
    GAME_CUIAjitoMenu,
    GAME_CUIPub,
    GAME_CUIQuestBoard,
    GAME_CUIShop,
    GAME_CUIGasStation,
    GAME_CUIRoomBuilding,
    GAME_CUIActorStatus,
    GAME_CUIDiningHall,
    GAME_CUIBullet,
    GAME_CUIHospital,
    GAME_CUIItemCreate,
    GAME_CUIEngineRoom,
    GAME_CUIInventory,
    GAME_CUIMindControl,
    GAME_CUIMap,
    GAME_CUIAddTask,
    GAME_CUITaskCancel,
    GAME_CUIShipChange,
    GAME_CUIEvent,
    GAME_CUIPauseUpper,
    GAME_CUICurrentQuest,
    GAME_CUIRoomActorInfo,
    GAME_CUIAllActorInfo,
    GAME_CUIGameCenter,
    GAME_CUIItemDictionary,
    GAME_CUIInventoryTrash,
    GAME_CUIPause,
    GAME_CUIMessageLog,
    GAME_CUITalkLog,
    GAME_CUIGameOver,
    GAME_CUITitle,
    GAME_CUIOption,
    GAME_CUIControllerConfig,
    GAME_CUIKeyboardConfig,
    GAME_CUIInstruction,
    GAME_CUIActorBirth,
    GAME_CUIAchieveList,
    GAME_CUISoundRoom,
    GAME_CUISaveSlot,
    GAME_CUIEnding,
    GAME_CUIStaffRoll,
    GAME_CUIFadeInOut,
    GAME_CUIAchievePopup>;

// Slots 1 to 49 each have exactly one class: a class that forgets its slot and takes its base's
// shows up here as a slot held twice.
constexpr bool HoldsEverySlotOnce()
{
    std::array<bool, kUISlotCount> held{};
    for (const int slot : ScreenTable::kSlots) {
        if (slot < 1 || slot >= kUISlotCount || held[static_cast<std::size_t>(slot)]) return false;
        held[static_cast<std::size_t>(slot)] = true;
    }
    return ScreenTable::kSlots.size() == kUISlotCount - 1;
}
static_assert(HoldsEverySlotOnce());

}  // namespace

GAME_CUIBase* MakeScreen(int slot, const UIScreenContext& context) { return ScreenTable::Make(slot, context); }

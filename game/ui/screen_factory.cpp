// Makes the screen each slot of the screen manager holds.
#include "game/ui/screen_factory.h"

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

GAME_CUIBase* MakeScreen(int slot, const UIScreenContext& context)
{
    switch (slot) {
    case 1: return new GAME_CUIShipStatus;
    case 2: return new GAME_CUIResident;
    case 3: return new GAME_CUICommon;
    case 4: return new GAME_CUIBuild;
    case 5: return new GAME_CUIBuildSelectGrid;
    case 6: return new GAME_CUIAjitoRoot;
    case 7: return new GAME_CUIAjitoMenu;
    case 8: return new GAME_CUIPub;
    case 9: return new GAME_CUIQuestBoard;
    case 10: return new GAME_CUIShop;
    case 11: return new GAME_CUIGasStation;
    case 12: return new GAME_CUIRoomBuilding;
    case 13: return new GAME_CUIActorStatus;
    case 14: return new GAME_CUIDiningHall;
    case 15: return new GAME_CUIBullet;
    case 16: return new GAME_CUIHospital;
    case 17: return new GAME_CUIItemCreate;
    case 18: return new GAME_CUIEngineRoom;
    case 19: return new GAME_CUIInventory;
    case 20: return new GAME_CUIMindControl;
    case 21: return new GAME_CUIMap;
    case 22: return new GAME_CUIAddTask;
    case 23: return new GAME_CUITaskCancel;
    case 24: return new GAME_CUIShipChange;
    case 25: return new GAME_CUIEvent;
    case 26: return new GAME_CUIPauseUpper;
    case 27: return new GAME_CUICurrentQuest;
    case 28: return new GAME_CUIRoomActorInfo;
    case 29: return new GAME_CUIAllActorInfo;
    case 30: return new GAME_CUIGameCenter;
    case 31: return new GAME_CUIItemDictionary;
    case 32: return new GAME_CUIInventoryTrash;
    case 33: return new GAME_CUIPause(context);
    case 34: return new GAME_CUIMessageLog;
    case 35: return new GAME_CUITalkLog;
    case 36: return new GAME_CUIGameOver;
    case 37: return new GAME_CUITitle;
    case 38: return new GAME_CUIOption;
    case 39: return new GAME_CUIControllerConfig;
    case 40: return new GAME_CUIKeyboardConfig;
    case 41: return new GAME_CUIInstruction;
    case 42: return new GAME_CUIActorBirth;
    case 43: return new GAME_CUIAchieveList;
    case 44: return new GAME_CUISoundRoom;
    case 45: return new GAME_CUISaveSlot;
    case 46: return new GAME_CUIEnding;
    case 47: return new GAME_CUIStaffRoll;
    case 48: return new GAME_CUIFadeInOut;
    case 49: return new GAME_CUIAchievePopup;
    default: return nullptr;
    }
}

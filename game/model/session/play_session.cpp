// Applying a save slot and the system record to the running game.
#include "game/model/session/play_session.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "game/services/achievement/achievements.h"
#include "game/services/text/language.h"
#include "game/services/player/player_data.h"
#include "game/model/ship/effect_field.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/store_record.h"
#include "game/services/input/input_map.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/settings_limits.h"
#include "game/services/sound/sound_player.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

void ReadPlayTimeAndMoney(GAME_CPlayerData& player, std::span<const std::uint8_t> slot)
{
    const std::uint32_t seconds = platform::ReadU32(slot, slot::kPlaySeconds);
    if (seconds > kMaxPlaySeconds) {
        LogBadWorkingSlotField("play time", slot::kPlaySeconds,
                               std::to_string(seconds) + " s is past the limit; it is capped");
    }
    player.playSeconds = std::min(seconds, kMaxPlaySeconds);
    const std::int32_t money = platform::ReadI32(slot, slot::kMoney);
    if (money < 0 || money > kMaxMoney) {
        LogBadWorkingSlotField("money", slot::kMoney, std::to_string(money) + " is out of range; it is clamped");
    }
    player.money = std::clamp(money, 0, kMaxMoney);
}

// What was taken in place of a damaged setting or binding becomes what the record holds, so the
// options and binding screens show what is in force and the next save writes it.
void StoreWhatIsInForce(std::span<std::uint8_t> systemRecord, const GAME_CPlayerData& player, const GAME_CInputMap& map)
{
    const std::span<std::uint8_t> settings = systemRecord.subspan(0, system::kSettingsSize);
    platform::WriteU16(settings, system::kLanguage, static_cast<std::uint16_t>(player.language));
    platform::WriteU16(settings, system::kCameraSpeed, player.cameraSpeed);
    platform::WriteU16(settings, system::kAutoSaveMinutes, player.autoSaveMinutes);
    for (const std::size_t volume : {system::kBgmVolume, system::kSeVolume}) {
        platform::WriteU16(settings, volume, std::min(platform::ReadU16(settings, volume), system::kMaxVolume));
    }
    platform::WriteU16(settings, system::kWheelSensitivity,
                       std::min(platform::ReadU16(settings, system::kWheelSensitivity), system::kMaxWheelSensitivity));
    map.WritePadBindings(systemRecord.subspan(system::kPadBindings, GAME_CInputMap::kBindingTableBytes));
    map.WriteKeyBindings(systemRecord.subspan(system::kKeyBindings, GAME_CInputMap::kBindingTableBytes));
}

}  // namespace

void ApplySettingsToPlayerData(std::span<const std::uint8_t> settings)
{
    GAME_CPlayerData* player = GetPlayerData();
    if (player == nullptr) return;
    player->option4 = platform::ReadU32(settings, system::kOption4);
    player->noScrollClamp = platform::ReadU32(settings, system::kOption8);
    player->fullScreen = platform::ReadU32(settings, system::kFullScreen);
    player->windowSize = platform::ReadU16(settings, system::kWindowSize);
    player->option22 = platform::ReadU16(settings, system::kOption22);
    player->cameraSpeed = ReadSettingUpTo(settings, system::kCameraSpeed, system::kMaxCameraSpeed, "camera speed");
    player->option28 = platform::ReadU32(settings, system::kOption28);
    player->option32 = platform::ReadU16(settings, system::kWheelSensitivity);
    player->option36 = platform::ReadU32(settings, system::kOption36);
    player->pauseWhenInactive = platform::ReadU32(settings, system::kPauseInactive);
    player->muteWhenInactive = platform::ReadU32(settings, system::kMuteInactive);
    player->option48 = platform::ReadU32(settings, system::kOption48);
    player->autoSaveMinutes =
        ReadSettingUpTo(settings, system::kAutoSaveMinutes, system::kMaxAutoSaveMinutes, "autosave interval");
    player->option56 = platform::ReadU32(settings, system::kOption56);

    std::uint32_t language = platform::ReadU16(settings, system::kLanguage);
    if (language >= static_cast<std::uint32_t>(kLanguageCount)) {
        vesk::log::Warning("save data: language " + std::to_string(language) + " does not exist; English is taken");
        language = kLanguageEnglish;
    }
    player->languageChanged = 0;
    if (language != player->language) player->languageChanged = 1;
    player->language = language;
}

void SetupPlaySession(std::span<std::uint8_t> slot, std::span<std::uint8_t> systemRecord)
{
    GAME_CPlayerData* player = GetPlayerData();
    if (player == nullptr) player = CreatePlayerData();
    GAME_CGameWorld* world = GetGameWorld();
    world->Reset();
    // The speed chosen belongs to the game it was chosen in: a game begun, loaded or read again for
    // the title starts at the first one, as at start-up.
    *world->timeScale = TimeScale{.speed = player->speeds[0]};
    player->ClearInventories();
    ClearFoodStorageList();
    ClearAmmoStorageList();
    ReadPlayTimeAndMoney(*player, slot);
    // The running game's tasks go first: the new layout would otherwise remove them as a ship
    // change does, putting their materials down and marking those items found in the slot read.
    world->tasks->ForgetAllTasks();
    // A field belongs to the game whose finished task left it: over the new layout it would give
    // its buff or debuff to crew of a game that never had the room.
    ClearEffectFields();
    world->ship->BuildLayout(slot);
    world->travel->LoadFromSlot(slot);
    world->fieldObjects->LoadFromSlot(slot);
    world->travel->RestoreBattleMusic();
    LoadGameClock(*GetGameClock(), slot);
    ReadStoreRecord(slot);
    world->tasks->RestoreFromSave(slot);
    const std::span<const std::uint8_t> settings = systemRecord.subspan(0, system::kSettingsSize);
    if (GAME_CSoundPlayer* sound = PeekSoundPlayer()) sound->ApplyVolumeSettings(settings);
    ApplySettingsToPlayerData(settings);
    GAME_CInputMap* map = GetInputMap();
    map->ReadPadBindings(systemRecord.subspan(system::kPadBindings, GAME_CInputMap::kBindingTableBytes));
    map->ReadKeyBindings(systemRecord.subspan(system::kKeyBindings, GAME_CInputMap::kBindingTableBytes));
    StoreWhatIsInForce(systemRecord, *player, *map);
    SyncAchievementsFromSave();
    CheckOfferSets(slot);
    PackQuestBoards(slot);
    ReplaceUnknownOffers(slot);
}

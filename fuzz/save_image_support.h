// What the save fuzz targets share: a quiet game model with a small database, and the reading of an image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "framework/log/log.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/model/session/play_session.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"

namespace fuzz_support {

// Player data with a database of two hideouts whose offers name quests, one ship.
inline void PrepareGameModel()
{
    static const bool ready = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        CreatePlayerData();
        GAME_CStaticDatabase& database = *GetStaticDatabase();
        database.GetOrCreateShipData(0x32504853);
        for (std::uint32_t town = 0; town < 2; ++town) {
            HideoutData* hideout = database.GetOrCreateHideoutData(town);
            for (std::uint32_t i = 0; i < 3; ++i) hideout->offers[i] = {10 * town + i, 1};
            hideout->offerCount = 3;
        }
        for (std::uint32_t quest : {0u, 1u, 2u, 10u, 11u}) database.GetOrCreateQuestData(quest)->limitDays = 2;
        return true;
    }();
    (void)ready;
}

// A new game's whole image as a save file holds it, built once.
inline const std::vector<std::uint8_t>& NewGameImage()
{
    static const std::vector<std::uint8_t> image = [] {
        ResetSaveAreas();
        InitAllSaveData();
        SaveAreas& areas = GetSaveAreas();
        std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), save_layout::kSystemRecordSize);
        WriteSaveHeader(areas.image);
        return areas.image;
    }();
    return image;
}

// Reads a file as the load does and, when it is taken, applies the slot and system record.
inline void ReadAndApply(std::span<const std::uint8_t> file)
{
    if (TakeLoadedImage(file) == GAME_CSaveManager::kOk) {
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    }
}

}  // namespace fuzz_support

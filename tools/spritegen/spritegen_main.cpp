// spritegen: draws generated placeholder sprites as PNG pictures, one folder per sprite package.
// spritepack packs each folder.
//
//   spritegen dotroom OUTPUT_DIR FONT...   the room package: rooms, crew, speech balloons, the UI, the HUD,
//                                          menus and the room screens
//   spritegen effect OUTPUT_DIR            the effect sprites
//   spritegen enemy OUTPUT_DIR             the enemies
//   spritegen object OUTPUT_DIR            the background objects along the route
//   spritegen nearview OUTPUT_DIR          the near-view scenery
//   spritegen minigame OUTPUT_DIR          the arcade mini-game
//   spritegen prot OUTPUT_DIR              a hull package (also shp3)
//
// The fonts set the balloons', the HUD buttons' and the room screens' words; each character comes from the first
// font that has it.

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/png_file.h"
#include "tools/spritegen/arcade_art.h"
#include "tools/spritegen/balloon_art.h"
#include "tools/spritegen/birth_art.h"
#include "tools/spritegen/crew_list_art.h"
#include "tools/spritegen/crew_panel_art.h"
#include "tools/spritegen/crew_art.h"
#include "tools/spritegen/crew_status_art.h"
#include "tools/spritegen/dotroom_art.h"
#include "tools/spritegen/engine_room_art.h"
#include "tools/spritegen/effect_art.h"
#include "tools/spritegen/event_window_art.h"
#include "tools/spritegen/enemy_art.h"
#include "tools/spritegen/hideout_art.h"
#include "tools/spritegen/hud_art.h"
#include "tools/spritegen/menu_art.h"
#include "tools/spritegen/hull_art.h"
#include "tools/spritegen/nearview_art.h"
#include "tools/spritegen/progress_art.h"
#include "tools/spritegen/quest_art.h"
#include "tools/spritegen/room_screen_art.h"
#include "tools/spritegen/rumour_log_art.h"
#include "tools/spritegen/scenery_art.h"
#include "tools/spritegen/settings_art.h"
#include "tools/spritegen/status_panel_art.h"
#include "tools/spritegen/task_window_art.h"
#include "tools/spritegen/trade_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/world_map_art.h"

namespace {

std::vector<tools::NamedImage> DrawRoomPackage(const std::vector<std::string>& fonts)
{
    std::vector<tools::NamedImage> sprites = spritegen::DrawDotRoomSprites();
    // The UI sprites come last: data names the earlier sprites by their index.
    for (auto part : {spritegen::DrawCrewSprites(), spritegen::DrawBalloonSprites(fonts), spritegen::DrawUISprites(),
                      spritegen::DrawHudSprites(fonts), spritegen::DrawMenuSprites(fonts),
                      spritegen::DrawRoomScreenSprites(fonts), spritegen::DrawArcadeRatSprites(),
                      spritegen::DrawArcadeItemSymbols(), spritegen::DrawCrewPanelSprites(),
                      spritegen::DrawCrewStatusSprites(fonts), spritegen::DrawEngineRoomSprites(fonts),
                      // The gas station and the market.
                      spritegen::DrawTradeSprites(fonts),
                      // The options and binding windows.
                      spritegen::DrawSettingsSprites(),
                      spritegen::DrawTaskWindowSprites(),
                      // The sound room, the achievement list and the instruction screen.
                      spritegen::DrawProgressScreenSprites(),
                      // The hideout menu.
                      spritegen::DrawHideoutSprites(fonts),
                      // The crew list's and a room crew's meter bars.
                      spritegen::DrawCrewListSprites(),
                      // The event window.
                      spritegen::DrawEventWindowSprites(),
                      // The ship status strip.
                      spritegen::DrawStatusPanelSprites(),
                      // The crew birth window.
                      spritegen::DrawBirthSprites(),
                      // The world map.
                      spritegen::DrawWorldMapSprites(),
                      // The quest board and the current quests.
                      spritegen::DrawQuestSprites(fonts),
                      // The rumour log.
                      spritegen::DrawRumourLogSprites(fonts)}) {
        if (part.empty()) return {};
        sprites.insert(sprites.end(), part.begin(), part.end());
    }
    return sprites;
}

}  // namespace

int main(int argc, char** argv)
{
    using Drawer = std::function<std::vector<tools::NamedImage>()>;
    const std::map<std::string_view, Drawer> fontless = {
        {"effect", spritegen::DrawEffectSprites},      {"enemy", spritegen::DrawEnemySprites},
        {"object", spritegen::DrawBackgroundObjectSprites}, {"nearview", spritegen::DrawNearViewSprites},
        {"minigame", spritegen::DrawArcadeSprites},
        {"prot", [] { return spritegen::DrawHullSprites("prot"); }},
        {"shp3", [] { return spritegen::DrawHullSprites("shp3"); }},
    };
    const std::string_view kind = argc >= 3 ? argv[1] : "";
    const auto found = fontless.find(kind);
    if ((kind != "dotroom" || argc < 4) && (found == fontless.end() || argc != 3)) {
        std::cerr << "usage: spritegen dotroom OUTPUT_DIR FONT... | spritegen effect|enemy|object|nearview|minigame|prot|shp3 "
                     "OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    const std::vector<std::string> fonts(argv + 3, argv + argc);
    const auto sprites = kind == "dotroom" ? DrawRoomPackage(fonts) : found->second();
    if (sprites.empty()) return 1;
    for (const tools::NamedImage& sprite : sprites) {
        if (!tools::WritePng(folder / sprite.name, sprite.image)) return 1;
    }
    return 0;
}

// The game layer's start-up, frame and shut-down.
#include "game/app/game_app.h"

#include <string>

#include "framework/achievement/achievement.h"
#include "framework/app/framework_manager.h"
#include "framework/process/quitting.h"
#include "framework/file/heap_block.h"
#include "framework/file/resource_file.h"
#include "framework/file/save_file.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/input/input_manager.h"
#include "framework/log/log.h"
#include "framework/math/random.h"
#include "framework/text/font_manager.h"
#include "framework/text/message_file.h"
#include "framework/window/main_window.h"
#include "game/services/achievement/achievements.h"
#include "game/services/text/language.h"
#include "game/services/player/player_data.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/store_record.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/app/scene/missing_game_files.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/script/script_package.h"
#include "game/services/sound/sound_player.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/ui/selection_dialog.h"
#include "platform/little_endian.h"

namespace varnolis {
namespace {

struct FontFiles {
    const char* glyphTable;
    const char* image;
};

// Slot 0 is left out: it takes the font of the player's language (RegisterSystemFont).
constexpr FontFiles kFonts[] = {
    {nullptr, nullptr},
    {"font/font_minigame.abcd", "font/font_minigame.cvt"},
    {"font/font_korean.abcd", "font/font_korean.cvt"},
    {"font/font_traditionalChinese.abcd", "font/font_traditionalChinese.cvt"},
    {"font/font_simplifiedChinese.abcd", "font/font_simplifiedChinese.cvt"},
    // Japanese and English texts kept from before a change of language (the message log, the ticker).
    {"font/font_system.abcd", "font/font_system.cvt"},
};
static_assert(std::size(kFonts) == kKeptSystemFontSlot + 1);
constexpr float kSystemFontLineGap = 3.0f;
constexpr int kSpriteGroupsReleased = 8;

std::uint32_t PlayerLanguage()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player ? player->language : kLanguageEnglish;
}

// Registers the slot-0 font of the player's language unless that file is the one registered
// already (registered names it); a missing one is noted for the start-up to name, and false.
bool RegisterSystemFont(std::string& registered)
{
    vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return true;
    const std::string font(GetSystemFontForLanguage(PlayerLanguage()));
    if (font == registered) return true;
    registered = font;
    const std::string glyphTable = font + ".abcd";
    const std::string image = font + ".cvt";
    const vesk::resource::TextureLoader loader{vesk::memory::ResourceHeap(), vesk::memory::ResourceHeap()};
    const bool drawable = fonts->RegisterFont(loader, 0, glyphTable, image, 1.0f, -1.0f, 0.0f);
    if (!drawable) ReportMissingGameFile(glyphTable + " / " + image);
    if (vesk::text::FontRecord* system = fonts->Font(0)) system->lineGap = kSystemFontLineGap;
    return drawable;
}

// The system font and the font of the player's language are needed to show any text; a missing
// one is noted for the start-up to name.
void RegisterFonts(std::string& registeredSystemFont)
{
    vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return;
    registeredSystemFont.clear();
    RegisterSystemFont(registeredSystemFont);
    const std::uint32_t languageSlot = GetFontSlotForLanguage(PlayerLanguage());
    const vesk::resource::TextureLoader loader{vesk::memory::ResourceHeap(), vesk::memory::ResourceHeap()};
    for (int slot = 1; slot < static_cast<int>(std::size(kFonts)); ++slot) {
        const bool registered =
            fonts->RegisterFont(loader, slot, kFonts[slot].glyphTable, kFonts[slot].image, 1.0f, -1.0f, 0.0f);
        if (!registered && static_cast<std::uint32_t>(slot) == languageSlot) {
            ReportMissingGameFile(std::string(kFonts[slot].glyphTable) + " / " + kFonts[slot].image);
        }
    }
    if (vesk::text::FontRecord* kept = fonts->Font(static_cast<int>(kKeptSystemFontSlot))) kept->lineGap = kSystemFontLineGap;
}

// Without its message file the game cannot say anything; the start-up names the file.
void LoadMessageFileOrReport()
{
    if (LoadMessageFileForLanguage()) return;
    const GAME_CPlayerData* player = GetPlayerData();
    ReportMissingGameFile(GetMessageFileForLanguage(player ? player->language : kLanguageEnglish));
}

void SetTitleForLanguage()
{
    const GAME_CPlayerData* player = GetPlayerData();
    vesk::window::SetMainWindowTitle(GetWindowTitleForLanguage(player ? player->language : kLanguageEnglish));
}

}  // namespace

bool LoadMessageFileForLanguage()
{
    GAME_CPlayerData* player = GetPlayerData();
    const std::uint32_t language = player ? player->language : kLanguageEnglish;
    const std::string_view path = GetMessageFileForLanguage(language);
    std::size_t size = 0;
    void* block = vesk::file::ReadResourceFile(nullptr, path, &size);
    if (block == nullptr) return false;
    // The new texts are checked whole before they replace the old ones.
    const bool installed = vesk::text::ReplaceMessageFile(block, size, path);
    vesk::file::FreeFileBlock(block);
    if (installed && player != nullptr) player->fontIndex = GetFontSlotForLanguage(language);
    return installed;
}

void GameApplication::ChangeLanguage(GAME_CPlayerData& player)
{
    if (!LoadMessageFileForLanguage()) {
        KeepLanguageInForce(player, GetMessageFileForLanguage(player.language));
        return;
    }
    if (!RegisterSystemFont(systemFont_)) {
        // The texts came but their font did not: the language in force takes back both, which
        // loaded before.
        const std::string refused = systemFont_;
        KeepLanguageInForce(player, refused);
        LoadMessageFileForLanguage();
        RegisterSystemFont(systemFont_);
        return;
    }
    languageInForce_ = player.language;
    SetTitleForLanguage();
}

void GameApplication::KeepLanguageInForce(GAME_CPlayerData& player, std::string_view refusedFile)
{
    vesk::log::Error("language " + std::to_string(player.language) + ": " + std::string(refusedFile) +
                     " is missing or damaged; the game stays in language " + std::to_string(languageInForce_));
    player.language = languageInForce_;
    platform::WriteU16(GetWorkingSystemRecord(), save_layout::system::kLanguage,
                       static_cast<std::uint16_t>(languageInForce_));
    // The refused language may be on disk already (the options write it as they put it in force).
    if (GAME_CSaveManager* saves = PeekSaveManager()) saves->RequestSaveSystem();
}

void GameApplication::GameStartup()
{
    // The first texts are those of the platform's language, the language a first start takes.
    CreatePlayerData()->language = GetPlatformLanguageIndex();
    ResetSaveAreas();
    GetSaveManager();
    ClearMissingGameFiles();
    RegisterFonts(systemFont_);
    LoadMessageFileOrReport();
    languageInForce_ = PlayerLanguage();
    SetTitleForLanguage();
    GetAchievementManager();
    ResetStorefrontAchievementRows();
    if (vesk::achievement::SYSSTEAM_CAchievement* storefront = vesk::achievement::CreateAchievementSystem()) {
        storefront->SetTable(GetStorefrontAchievementRows(), kAchievementCount);
    }
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) registry->ReleaseAllTextures();
    GetSceneStack();
    PushScene(kSceneInitialize);
}

int GameApplication::GameFrame()
{
    if (GAME_CPlayerData* player = GetPlayerData(); player != nullptr && player->languageChanged != 0) {
        player->languageChanged = 0;
        ChangeLanguage(*player);
    }
    vesk::math::Rand();
    if (GAME_CSoundPlayer* sound = PeekSoundPlayer()) sound->UpdateSoundPlayer();
    if (IsInputMapActive()) {
        UpdateInputMap();
    } else {
        vesk::input::UpdateInput();
    }
    if (GAME_CSceneStack* stack = PeekSceneStack()) UpdateSceneStack(*stack);
    vesk::app::BeginFrameDraw();
    if (GAME_CSceneStack* stack = PeekSceneStack()) DrawSceneStack(*stack);
    vesk::app::EndFrameDraw();
    return vesk::process::IsQuitting() ? 1 : 0;
}

void GameApplication::GameShutdown()
{
    // A save being written finishes first: it reads the save image and its thread lives on the heaps.
    // Once the game plays, the saves owed behind it are written too; before, a file the start-up
    // could not read may still be there, and nothing may be written over it.
    GAME_CSaveManager* saves = PeekSaveManager();
    if (saves != nullptr && IsSceneOnStack(kSceneGameMain)) saves->FinishOwedWrites();
    vesk::file::FinishSaveJob();
    // The scenes go next: a start-up job still running is stopped and waited for before
    // anything it reaches into is freed.
    DestroySceneStack();
    vesk::text::ReleaseMessageFile();
    DestroySoundPlayer();
    ClearAmmoStorageList();
    ClearFoodStorageList();
    DestroyGameClock();
    DestroyPlayerData();
    DestroyInputMap();
    DestroyScriptPackageHolder();
    DestroyGameWorld();
    // The shared dialog goes with the screens; a start-up that ended before the screens existed
    // may have made it alone.
    DestroyInDisplaySelection();
    DestroySaveManager();
    DestroyAchievementManager();
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
        for (int group = 0; group < kSpriteGroupsReleased; ++group) registry->ReleaseSpritePackage(group);
        registry->ReleaseAllTextures();
    }
}

}  // namespace varnolis

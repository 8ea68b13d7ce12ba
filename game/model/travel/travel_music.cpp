// The travel controller's music: route music by progress, battle music from the enemies in reach, and their fades.
#include <algorithm>
#include <cstdlib>

#include "game/services/data/static_database.h"
#include "game/services/save/working_slot.h"
#include "game/services/sound/sound_player.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"

namespace {

constexpr std::int32_t kFadeOutFrames = 180;
constexpr std::int32_t kFadeInFrames = 240;
constexpr std::int32_t kRestoredBattleFrames = 400;
constexpr int kCrewSightGroup = 101;
constexpr std::size_t kReachWord = 1;
constexpr std::size_t kBattleMusicWord = 10;

const EnemyData* EnemyRecord(const GAME_CObjectEnemy& enemy)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? database->FindEnemyData(enemy.GetEnemyId()) : nullptr;
}

// The enemy's reach covers the distance to the ship.
bool InReach(const GAME_CObjectEnemy& enemy, const EnemyData& record, std::int32_t position)
{
    const std::int64_t reach = std::abs(std::int64_t{record.stats[kReachWord]});
    return reach >= std::abs(std::int64_t{enemy.routePosition} - position);
}

// The highest-numbered battle slot that holds an id; -1 when none does.
std::int32_t LastBattleId(const GAME_CTravelMusicState& music)
{
    for (auto slot = music.battleSlots.rbegin(); slot != music.battleSlots.rend(); ++slot) {
        if (*slot != -1) return *slot;
    }
    return -1;
}

void PlayBgm(std::int32_t id, std::int32_t fade, bool force)
{
    if (GAME_CSoundPlayer* sound = PeekSoundPlayer(); sound != nullptr && id >= 0 && id < kMusicTrackCount) {
        sound->PlayBGM(static_cast<std::uint32_t>(id), fade, force);
    }
}

void StopBgm(std::int32_t fade)
{
    if (GAME_CSoundPlayer* sound = PeekSoundPlayer()) sound->StopBGM(fade);
}

}  // namespace

std::int32_t GAME_CTravelController::RouteMusicAt(std::int64_t travelled) const
{
    const RouteData* record = routeManager != nullptr ? routeManager->GetRouteRecord() : nullptr;
    if (record == nullptr) return 1;
    const std::int64_t length = std::max<std::int64_t>(routeManager->GetLength(), 1);
    const std::int64_t progress = travelled * 1000 / length;
    if (progress >= record->musicSwitch && record->music2 < kMusicTrackCount) return record->music2;
    if (record->music1 < kMusicTrackCount) return record->music1;
    return 1;
}

std::uint32_t GAME_CTravelController::FieldMusic() const
{
    // In a fight the battle's track is what the field plays: the travel music holds it as playing
    // and would not bring it back before the fight is over.
    if (music.state == kMusicBattle) {
        const std::int32_t battle = LastBattleId(music);
        if (battle >= 0 && battle < kMusicTrackCount) return static_cast<std::uint32_t>(battle);
    }
    return music.currentId >= 0 && music.currentId < kMusicTrackCount ? static_cast<std::uint32_t>(music.currentId) : 1u;
}

std::uint32_t GAME_CTravelController::ResumedMusic() const
{
    // The slot stores the track one above its id; 0 and all ones store none.
    const std::uint32_t stored = working_slot::ClockMusic();
    return stored == 0 || stored > kBgmCount ? FieldMusic() : stored - 1;
}

bool GAME_CTravelController::AnyEnemyInReach(std::int32_t* firstMusic) const
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (firstMusic != nullptr) *firstMusic = -1;
    if (routeManager == nullptr || world == nullptr || world->fieldObjects == nullptr) return false;
    bool any = false;
    for (const GAME_CObjectEnemy* enemy : world->fieldObjects->enemies) {
        if (enemy == nullptr) continue;
        const EnemyData* record = EnemyRecord(*enemy);
        if (record == nullptr || !InReach(*enemy, *record, routeManager->GetPosition())) continue;
        if (firstMusic != nullptr && *firstMusic == -1 && record->stats[kBattleMusicWord] < kMusicTrackCount) {
            *firstMusic = record->stats[kBattleMusicWord];
        }
        any = true;
    }
    return any;
}

void GAME_CTravelController::UpdateFrame()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (routeManager == nullptr || world == nullptr || world->ui == nullptr || world->ui->IsOpen(kSlotTitle)) return;

    bool inReach = false;
    if (world->fieldObjects) {
        for (const GAME_CObjectEnemy* enemy : world->fieldObjects->enemies) {
            const EnemyData* record = enemy != nullptr ? EnemyRecord(*enemy) : nullptr;
            if (record == nullptr || !InReach(*enemy, *record, routeManager->GetPosition())) continue;
            inReach = true;
            if (record->stats[kBattleMusicWord] < kMusicTrackCount) RequestBattleMusic(record->stats[kBattleMusicWord]);
        }
        const auto crewCount = static_cast<std::int32_t>(world->fieldObjects->crew.size());
        if (inReach && enemyInReach == 0 && crewCount > 0) {
            world->fieldObjects->ShowCrewBalloonGroup(kCrewSightGroup, crewCount, crewCount / 2);
        }
    }
    enemyInReach = inReach ? 1 : 0;
    if (!inReach) {
        const GAME_CSoundPlayer* sound = PeekSoundPlayer();
        if (music.state == kMusicBattle || (sound != nullptr && sound->battleTrackChosen != 0)) {
            music.requested = kMusicBattleOver;
        }
    }
    UpdateMusic();

    const bool atHideout = world->ui->IsOpen(kSlotAjitoMenu) || world->ui->IsOpen(kSlotPub) ||
                           world->ui->IsOpen(kSlotQuestBoard) || world->ui->IsOpen(kSlotShop) ||
                           world->ui->IsOpen(kSlotGasStation);
    if (atHideout && routeManager->Script().IsRunning()) routeManager->RunScript();
}

void GAME_CTravelController::RequestBattleMusic(std::int32_t id)
{
    if (id >= kMusicTrackCount) return;
    if (std::find(music.battleSlots.begin(), music.battleSlots.end(), id) != music.battleSlots.end()) return;
    const auto free = std::find(music.battleSlots.begin(), music.battleSlots.end(), -1);
    if (free != music.battleSlots.end()) *free = id;
    if (music.state == kMusicRoute) {
        StopBgm(kFadeOutFrames);
        music.requested = kMusicFadeForBattle;
    } else if (music.state == kMusicBattle) {
        StopBgm(kFadeOutFrames);
        music.requested = kMusicBattleOver;
    }
}

void GAME_CTravelController::UpdateMusic()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (routeManager == nullptr || (world != nullptr && world->ui && world->ui->IsOpen(kSlotSoundRoom))) return;
    const std::int64_t position = routeManager->GetPosition();
    const std::int64_t travelled = routeManager->IsForward() ? position : routeManager->GetLength() - position;
    const std::int32_t routeMusic = RouteMusicAt(travelled);
    if (music.requested != music.state) {
        music.state = music.requested;
        music.frames = 0;
    }
    switch (music.state) {
    case kMusicRoute:
        if (music.currentId != routeMusic) {
            music.requested = kMusicChange;
            StopBgm(kFadeOutFrames);
        }
        music.currentId = routeMusic;
        break;
    case kMusicFadeForBattle:
        if (music.frames >= kFadeOutFrames) {
            if (const std::int32_t id = LastBattleId(music); id != -1) PlayBgm(id, 0, true);
            music.requested = kMusicBattle;
        }
        break;
    case kMusicBattle:
        break;
    case kMusicBattleOver:
        if (music.frames == 0) StopBgm(kFadeOutFrames);
        if (music.frames >= kFadeOutFrames) {
            music.requested = kMusicFadeIn;
            PlayBgm(routeMusic, kFadeInFrames, false);
            music.currentId = routeMusic;
        }
        break;
    case kMusicFadeIn:
    case kMusicChangeFadeIn:
        if (music.frames >= kFadeInFrames) ResetMusicState();
        break;
    case kMusicChange:
        if (music.frames >= kFadeOutFrames) {
            const std::int32_t id = LastBattleId(music);
            if (enemyInReach != 0 && id != -1) {
                PlayBgm(id, 0, true);
                music.requested = kMusicBattle;
            } else {
                PlayBgm(music.currentId, kFadeInFrames, false);
                music.requested = kMusicChangeFadeIn;
            }
        }
        break;
    default:
        break;
    }
    music.frames = std::min(music.frames + 1, GAME_CTravelMusicState::kMaxFrames);
}

void GAME_CTravelController::RestoreBattleMusic()
{
    std::int32_t id = -1;
    if (!AnyEnemyInReach(&id) || id == -1) return;
    music.state = kMusicBattle;
    music.requested = kMusicBattle;
    music.frames = kRestoredBattleFrames;
    music.battleSlots.fill(id);
}

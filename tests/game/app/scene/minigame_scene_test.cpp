// The arcade mini-game as a player meets it: in from the game center, the title, the countdown, the rat's controls, the pause menu and back out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/math/random.h"
#include "game/app/scene/scene_minigame.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/minigame/minigame_enemy.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "game/model/session/play_session.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/room_records.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/ui/minigame_cabinet.h"
#include "game/ui/minigame_pause_menu.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "framework/input/input_manager.h"
#include "framework/sound/sound_player.h"
#include "platform/input/pad_device.h"
#include "platform/input/virtual_pad.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

using Scene = GAME_CSceneMiniGameSideScroll;

class MiniGameSceneTest : public support::UITest {
protected:
    Scene* Arcade() const
    {
        const GAME_CSceneStack* stack = PeekSceneStack();
        if (stack == nullptr) return nullptr;
        for (GAME_CSceneBase* scene : stack->scenes) {
            if (scene != nullptr && scene->GetSceneId() == kSceneMiniGame) return static_cast<Scene*>(scene);
        }
        return nullptr;
    }

    // The game center's start, then frames until the title shows.
    Scene& EnterArcade()
    {
        UI().SetOpen(kSlotGameCenter, true);
        StepFrames(3);
        Scene* scene = Arcade();
        EXPECT_NE(scene, nullptr);
        return *scene;
    }

    // DECIDE on the title and the countdown run out: the first frame of play.
    void StartRun(Scene& scene)
    {
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kPlay; }, 400));
    }

    vesk::math::Vec2 DrawnAt(int group, const char* name) const
    {
        const support::RecordedSpriteDraw* draw = FindSpriteDraw(group, name);
        return draw != nullptr ? vesk::math::Vec2{draw->x, draw->y} : vesk::math::Vec2{-1.0f, -1.0f};
    }

    static std::u16string Name(const working_slot::RankingRow& row) { return {row.name.begin(), row.name.end()}; }

    // Ten ranking rows as the slot stores them: a terminated UTF-16 name and an s32 score, little-endian.
    static std::vector<std::uint8_t> RankingBytes(const std::vector<std::pair<std::u16string, std::int32_t>>& rows)
    {
        std::vector<std::uint8_t> bytes;
        for (const auto& [name, score] : rows) {
            for (char16_t unit : name + u'\0') {
                bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
            }
            for (int byte = 0; byte < 4; ++byte) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(score) >> (8 * byte)));
        }
        return bytes;
    }
};

TEST_F(MiniGameSceneTest, TheGameCenterOpensTheTitleAndCancelGoesBackToTheGameAsItWas)
{
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kClockBgm, 3);
    const std::uint32_t seconds = working_slot::PlaySeconds();
    UI().SetOpen(kSlotGameCenter, true);
    StepFrames(1);
    EXPECT_TRUE(Played(59));
    ASSERT_NE(Arcade(), nullptr);
    // The field's music fades out and is forgotten.
    EXPECT_EQ(GetSoundPlayer()->currentBgm, kNoBgm);
    StepFrames(2);
    Scene& scene = *Arcade();
    EXPECT_FALSE(IsSceneOnStack(kSceneGameMain));
    EXPECT_EQ(scene.State(), Scene::kTitle);
    EXPECT_EQ(DrawnAt(kMiniGameSpriteGroup, "ui_minigame_text_insertcoin"), (vesk::math::Vec2{257.0f, 7.0f}));
    EXPECT_EQ(DrawnAt(kMiniGameSpriteGroup, "ui_minigame_title"), (vesk::math::Vec2{80.0f, 39.0f}));
    EXPECT_EQ(DrawnAt(kMiniGameSpriteGroup, "ui_minigame_copyright"), (vesk::math::Vec2{193.0f, 239.0f}));
    // The cabinet lies over the black title; its scan line runs on.
    EXPECT_NE(FindSpriteDraw(kMiniGameSpriteGroup, "ui_minigame_bg_controller"), nullptr);
    const float scan = scene.Cabinet().scanY;
    StepFrames(1);
    EXPECT_FLOAT_EQ(scene.Cabinet().scanY - scan, 3.0f);
    // A fresh slot's ranking is the default one.
    EXPECT_EQ(Name(working_slot::ReadRankingRow(0)), u"ＡＡＡ");
    EXPECT_EQ(working_slot::ReadRankingRow(0).score, 10000);
    EXPECT_EQ(Name(working_slot::ReadRankingRow(9)), u"ＪＪＪ");
    EXPECT_EQ(working_slot::ReadRankingRow(9).score, 1000);

    world->held = 1;
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_TRUE(Played(2));
    StepFrames(2);
    EXPECT_EQ(Arcade(), nullptr);
    EXPECT_TRUE(IsSceneOnStack(kSceneGameMain));
    EXPECT_EQ(world->held, 0u);
    // The slot's saved music (track + 1) plays again at once.
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 2u);
    EXPECT_EQ(working_slot::PlaySeconds(), seconds);

    // A slot that stores no music, on the road to Mirage Market: leaving takes up the road's own
    // music, the wasteland's, not the desert's.
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kClockBgm, 0xFFFFFFFFu);
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kRouteId, 3);
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    EnterArcade();
    PressAction(kActionCancel);
    StepFrames(3);
    ASSERT_EQ(Arcade(), nullptr);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 2u);

    // In a fight on the first road its battle music plays, and plays again after the arcade: the
    // road's own would hold until the fight is over.
    const std::uint32_t firstRoad = 1;
    StartRoute(*world->travel, &firstRoad, true, {}, {});
    GAME_CObjectEnemy* enemy = world->fieldObjects->AcquireEnemyObject();
    ASSERT_NE(enemy, nullptr);
    const std::int32_t at = world->travel->routeManager->GetPosition();
    enemy->Init({MakeTag("E001"), {at + 20, at + 20}});
    const std::uint32_t battle = static_cast<std::uint32_t>(GetStaticDatabase()->FindEnemyData(MakeTag("E001"))->stats[10]);
    ASSERT_TRUE(StepUntil([&] { return GetSoundPlayer()->PlayingBgm() == battle; }, 400));
    EnterArcade();
    PressAction(kActionCancel);
    StepFrames(3);
    ASSERT_EQ(Arcade(), nullptr);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), battle) << "the road's music plays through the fight";
}

// A game center whose room data loops a sound for its screen, as any room's may: the loop stops as
// the arcade takes over, rather than playing on through the arcade game.
TEST_F(MiniGameSceneTest, AGameCentersLoopingRoomSoundStopsAsTheArcadeTakesOver)
{
    GAME_CRoomBase* center = nullptr;
    for (std::int32_t x = 0; center == nullptr && x < world->ship->grid.width; ++x) {
        for (std::int32_t y = 0; center == nullptr && y < world->ship->grid.height; ++y) {
            center = world->ship->PlaceRoom(x, y, FindRoomIdIndex(MakeTag("ID32")));
        }
    }
    ASSERT_NE(center, nullptr);
    auto& centerData = const_cast<RoomData&>(*GetUIRoomData(center));
    const IdValue quiet = centerData.lastPair;
    centerData.lastPair = {15, 7};
    UI().OpenRoomScreen(center, world->ship->GetRoomIndex(center));
    centerData.lastPair = quiet;
    EXPECT_EQ(GetSoundPlayer()->TrackedTag(), 7u);
    StepFrames(1);
    ASSERT_NE(Arcade(), nullptr);
    EXPECT_EQ(GetSoundPlayer()->TrackedTag(), 0u) << "the room's loop plays on in the arcade";
}

TEST_F(MiniGameSceneTest, TheCountdownTicksTwiceAndTheRatWalksJumpsAndFires)
{
    Scene& scene = EnterArcade();
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(Played(55));
    std::vector<int> ticks;
    int goFrame = -1;
    bool digitOnGo = true;
    for (int frame = 1; frame <= 190 && goFrame < 0; ++frame) {
        StepFrames(1);
        if (Played(3)) ticks.push_back(scene.Counter());
        if (Played(39)) {
            goFrame = frame;
            digitOnGo = FindSpriteDraw(kUISpriteGroup, "ui_text_num_1") != nullptr;
            EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 10u);
        }
        if (frame == 30) {
            EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_text_num_3"), nullptr);
        }
        if (frame == 90) {
            EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_text_num_2"), nullptr);
        }
    }
    EXPECT_EQ(ticks, (std::vector<int>{60, 120}));
    EXPECT_EQ(goFrame, 180);
    EXPECT_FALSE(digitOnGo);
    StepFrames(1);
    ASSERT_EQ(scene.State(), Scene::kPlay);
    GAME_CMiniGameObjectPlayer& rat = *scene.World().Player();
    // No enemy gets in the way of the measurements.
    rat.hit = 1;
    rat.invincibleTimer = 100000;

    // Walking waits out the delay, then 3 units a step; the field keeps the rat in.
    std::vector<float> xs;
    HoldAction(kActionCursorRight, 400);
    for (int frame = 0; frame < 14; ++frame) {
        const float before = rat.position.x;
        StepFrames(1);
        xs.push_back(rat.position.x - before);
    }
    EXPECT_EQ(std::find_if(xs.begin(), xs.end(), [](float dx) { return dx != 0.0f; }) - xs.begin(), 9);
    EXPECT_FLOAT_EQ(xs.back(), 3.0f);
    StepFrames(200);
    EXPECT_FLOAT_EQ(rat.position.x, 610.0f);
    StepFrames(200);

    // A held jump rises 98 units; a second jump only while still in the air.
    HoldAction(kActionCancel, 70);
    StepFrames(1);
    EXPECT_TRUE(Played(50));
    float top = rat.position.y;
    for (int frame = 0; frame < 69; ++frame) {
        StepFrames(1);
        top = std::min(top, rat.position.y);
    }
    EXPECT_NEAR(255.0f - top, 98.0f, 1.0f);
    StepFrames(60);
    ASSERT_EQ(rat.motion, GAME_CMiniGameObjectPlayer::kStanding);
    // Let go early: the rise halves every step.
    PressAction(kActionCancel);
    StepFrames(1);
    const float first = rat.velocity.y;
    StepFrames(1);
    EXPECT_NEAR(rat.velocity.y, (first + rat.gravity) * 0.5f, 0.001f);
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_EQ(rat.motion, GAME_CMiniGameObjectPlayer::kDoubleJumping);
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_FALSE(Played(50));
    StepFrames(60);

    // Enter fires the weapon the run started with: its shot's sound, a bullet in the pool. The
    // field is kept clear of enemies, which would take the shots at the muzzle.
    bool shot = false;
    HoldAction(kActionDecide, 20);
    for (int frame = 0; frame < 20; ++frame) {
        for (const auto& enemy : scene.World().Enemies()) {
            if (enemy->active != 0) enemy->Deactivate();
        }
        StepFrames(1);
        shot = shot || Played(52) || Played(53) || Played(25);
    }
    EXPECT_TRUE(shot);
    EXPECT_TRUE(std::any_of(scene.World().Bullets().begin(), scene.World().Bullets().end(),
                            [](const auto& bullet) { return bullet->age > 0; }));
    // The HUD's clock counts world steps: 90 steps are one second and a half.
    scene.World().playTime = 89;
    StepFrames(1);
    EXPECT_NE(FindTextDraw(u"00:01:50"), nullptr);
}

TEST_F(MiniGameSceneTest, FocusLossPausesSilentlyAndTheMenuResumesOrQuitsToTheTitle)
{
    GetPlayerData()->language = 2;
    std::span<std::uint8_t> system = GetWorkingSystemRecord();
    platform::WriteU32(system, save_layout::system::kPauseInactive, 0);
    Scene& scene = EnterArcade();
    StartRun(scene);
    SetFocus(false);
    StepFrames(3);
    EXPECT_EQ(scene.State(), Scene::kPlay);
    platform::WriteU32(system, save_layout::system::kPauseInactive, 1);
    StepFrames(1);
    EXPECT_EQ(scene.NextState(), Scene::kPause);
    EXPECT_FALSE(Played(59));
    SetFocus(true);
    StepFrames(1);
    ASSERT_EQ(scene.State(), Scene::kPause);
    // Korean shows the arcade's own spelling of the quit entry.
    EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_pause_quit_the_game_kr"), nullptr);
    const std::uint32_t steps = scene.World().playTime;
    StepFrames(10);
    EXPECT_EQ(scene.World().playTime, steps);
    // The cursor breathes between 33 and 73.
    EXPECT_GE(scene.PauseMenu().CursorAlpha(), 33u);
    EXPECT_LE(scene.PauseMenu().CursorAlpha(), 73u);

    // Up and down both go to the other item; DECIDE on the first returns to the game.
    PressAction(kActionCursorUp);
    StepFrames(1);
    EXPECT_TRUE(Played(58));
    EXPECT_EQ(scene.PauseMenu().CursorItem(), GAME_CMiniGamePauseMenu::kQuitItem);
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_EQ(scene.PauseMenu().CursorItem(), GAME_CMiniGamePauseMenu::kReturnItem);
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_EQ(scene.State(), Scene::kPlay);

    // A click on "quit" acts once the button is up again: back to the title, the music stopped.
    SetFocus(false);
    StepFrames(2);
    SetFocus(true);
    ASSERT_EQ(scene.State(), Scene::kPause);
    ClickAt(320, 163);
    StepFrames(2);
    EXPECT_EQ(scene.State(), Scene::kPause);
    EXPECT_EQ(scene.PauseMenu().CursorItem(), GAME_CMiniGamePauseMenu::kQuitItem);
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kTitle; }, 30));
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), kNoBgm);
}

TEST_F(MiniGameSceneTest, MutedWhileUnfocusedTheRunGoesOnSilentlyAndTheShipSoundsAgainAfterwards)
{
    // Pause off, mute on (its default): the run goes on behind another window, but silently.
    std::span<std::uint8_t> system = GetWorkingSystemRecord();
    platform::WriteU32(system, save_layout::system::kPauseInactive, 0);
    ASSERT_EQ(GetPlayerData()->muteWhenInactive, 1u);
    GAME_CSoundPlayer* sound = GetSoundPlayer();
    const auto musicState = [sound] {
        const vesk::sound::SYS_CSoundPlayer* voice = sound->BgmVoice();
        return voice != nullptr ? voice->GetState() : vesk::sound::kVoiceNeverPlayed;
    };
    Scene& scene = EnterArcade();
    StartRun(scene);
    StepFrames(2);
    ASSERT_EQ(musicState(), vesk::sound::kVoicePlaying);

    SetFocus(false);
    const std::uint32_t steps = scene.World().playTime;
    StepFrames(3);
    EXPECT_EQ(scene.State(), Scene::kPlay);
    EXPECT_GT(scene.World().playTime, steps);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);
    sound->PlaySE(kSeDecide);
    EXPECT_FALSE(PlayedNow(kSeDecide));

    SetFocus(true);
    StepFrames(1);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);
    sound->PlaySE(kSeDecide);
    EXPECT_TRUE(PlayedNow(kSeDecide));

    // With the pause on too, focus back leaves the pause menu's music paused until the run resumes.
    platform::WriteU32(system, save_layout::system::kPauseInactive, 1);
    SetFocus(false);
    StepFrames(2);
    SetFocus(true);
    StepFrames(2);
    ASSERT_EQ(scene.State(), Scene::kPause);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);
    PressAction(kActionCursorUp);
    StepFrames(1);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kTitle; }, 30));

    // Back on the ship its music plays and its sounds start, as before the arcade.
    PressAction(kActionCancel);
    StepFrames(3);
    ASSERT_EQ(Arcade(), nullptr);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);
    EXPECT_EQ(sound->readyToPlay, 1u);
    sound->PlaySE(kSeDecide);
    EXPECT_TRUE(PlayedNow(kSeDecide));
}

TEST_F(MiniGameSceneTest, APadsStartOrSelectPausesWithTheMusicAndEitherResumes)
{
    platform::input::VirtualPad pad;
    ASSERT_TRUE(pad.Attach(platform::input::PadKind::Standard));
    vesk::input::OnDeviceChange();
    StepFrames(1);
    Scene& scene = EnterArcade();
    StartRun(scene);
    StepFrames(5);
    const auto press = [&](std::uint16_t button) {
        platform::input::StandardPadState state;
        state.buttons = button;
        pad.Set(state);
        StepFrames(1);
        pad.Set(platform::input::StandardPadState{});
    };
    const auto musicState = [] {
        const vesk::sound::SYS_CSoundPlayer* voice = GetSoundPlayer()->BgmVoice();
        return voice != nullptr ? voice->GetState() : vesk::sound::kVoiceNeverPlayed;
    };

    press(platform::input::pad_button::Start);
    EXPECT_TRUE(Played(59));
    EXPECT_EQ(scene.NextState(), Scene::kPause);
    StepFrames(2);
    ASSERT_EQ(scene.State(), Scene::kPause);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);

    press(platform::input::pad_button::Back);
    EXPECT_TRUE(Played(59));
    StepFrames(2);
    EXPECT_EQ(scene.State(), Scene::kPlay);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);

    press(platform::input::pad_button::Back);
    StepFrames(2);
    EXPECT_EQ(scene.State(), Scene::kPause);
    pad.Detach();
}

TEST_F(MiniGameSceneTest, ADeathFallsToTheGameOverAndTheScoreTakesANamedRowThatTheNextSaveKeeps)
{
    // The volumes go into the settings block as rounded percentages.
    GetSoundPlayer()->bgmFactor = 0.29f;
    GetSoundPlayer()->seVolume = 0.57f;
    Scene& scene = EnterArcade();
    const std::span<std::uint8_t> settings = GetWorkingSystemRecord();
    EXPECT_EQ(platform::ReadU16(settings, save_layout::system::kBgmVolume), 29);
    EXPECT_EQ(platform::ReadU16(settings, save_layout::system::kSeVolume), 57);

    // One run: the rat dies with 5,500 points.
    const auto runToEntry = [&](std::int32_t score) {
        StartRun(scene);
        scene.World().score = score;
        scene.World().Player()->Die();
        StepFrames(1);
        EXPECT_TRUE(Played(27));
        EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), kNoBgm);
    };
    runToEntry(5500);
    GAME_CMiniGameObjectPlayer& rat = *scene.World().Player();
    const float stillY = rat.position.y;
    int stillFrames = 0;
    while (!Played(46) && stillFrames < 100) {
        StepFrames(1);
        ++stillFrames;
        EXPECT_EQ(rat.position.y, stillY);
    }
    EXPECT_EQ(stillFrames, 60);
    // Half speed up and down until the landing, then two steps a frame for 120 frames.
    int fallFrames = 0;
    while (!Played(26) && fallFrames < 600) {
        const std::uint32_t steps = scene.World().playTime;
        StepFrames(1);
        EXPECT_LE(scene.World().playTime - steps, 1u);
        ++fallFrames;
    }
    EXPECT_GT(fallFrames, 100);
    int landedFrames = 0;
    while (!Played(61) && landedFrames < 200) {
        const std::uint32_t steps = scene.World().playTime;
        StepFrames(1);
        if (!Played(61)) {
            EXPECT_EQ(scene.World().playTime - steps, 2u);
        }
        ++landedFrames;
    }
    EXPECT_NEAR(landedFrames, 120, 1);
    StepFrames(1);
    EXPECT_EQ(DrawnAt(kMiniGameSpriteGroup, "ui_minigame_text_gameover"), (vesk::math::Vec2{199.0f, 129.0f}));
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kScoreEntry; }, 200));
    EXPECT_EQ(scene.NameEntry().row, 5);

    // Three quick DECIDEs on "A": the machine's own initials.
    for (int i = 0; i < 3; ++i) {
        PressAction(kActionDecide);
        StepFrames(2);
    }
    EXPECT_EQ(scene.State(), Scene::kRanking);
    EXPECT_EQ(Name(working_slot::ReadRankingRow(5)), u"ＺＥＱ");
    EXPECT_EQ(working_slot::ReadRankingRow(5).score, 5500);
    EXPECT_EQ(Name(working_slot::ReadRankingRow(9)), u"ＩＩＩ");
    EXPECT_NE(FindTextDraw(u"ZEQ"), nullptr);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kTitle; }, 10));

    // An equal score goes below; up from A is the low line, down from it A again; CANCEL at the
    // first letter is silent; taking 60 frames keeps "AAA". The view then ends by itself.
    runToEntry(5500);
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kScoreEntry; }, 1000));
    EXPECT_EQ(scene.NameEntry().row, 6);
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_FALSE(Played(2));
    PressAction(kActionCursorUp);
    StepFrames(2);
    EXPECT_EQ(working_slot::ReadRankingRow(6).name[0], u'＿');
    PressAction(kActionCursorDown);
    StepFrames(2);
    EXPECT_EQ(working_slot::ReadRankingRow(6).name[0], u'Ａ');
    StepFrames(60);
    for (int i = 0; i < 3; ++i) {
        PressAction(kActionDecide);
        StepFrames(2);
    }
    EXPECT_EQ(Name(working_slot::ReadRankingRow(6)), u"ＡＡＡ");
    ASSERT_EQ(scene.State(), Scene::kRanking);
    StepFrames(598);
    EXPECT_EQ(scene.State(), Scene::kRanking);
    EXPECT_TRUE(StepUntil([&] { return scene.State() == Scene::kTitle; }, 4));

    // Back in the main game, saving slot 1 writes the ranking: ten rows of a UTF-16 name and an s32 score.
    PressAction(kActionCancel);
    StepFrames(3);
    ASSERT_TRUE(IsSceneOnStack(kSceneGameMain));
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(1));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::vector<std::pair<std::u16string, std::int32_t>> rows = {
        {u"ＡＡＡ", 10000}, {u"ＢＢＢ", 9000}, {u"ＣＣＣ", 8000}, {u"ＤＤＤ", 7000}, {u"ＥＥＥ", 6000},
        {u"ＺＥＱ", 5500},  {u"ＡＡＡ", 5500}, {u"ＦＦＦ", 5000}, {u"ＧＧＧ", 4000}, {u"ＨＨＨ", 3000}};
    const std::span<std::uint8_t> saved = GetSaveAreas().ImageSlot(1).subspan(save_layout::slot::kRanking, 120);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin(), saved.end()), RankingBytes(rows));
}

TEST_F(MiniGameSceneTest, ASeededRunFightsWavesUntilItsLivesAreGoneAndItsInitialsAreRanked)
{
    Scene& scene = EnterArcade();
    vesk::math::SeedRandom(31);
    vesk::math::MarkRandomClockSeeded();
    StartRun(scene);
    GAME_CMiniGameWorld& world = scene.World();
    GAME_CMiniGameObjectPlayer& rat = *world.Player();
    const std::int32_t startLives = rat.lives;

    // The run itself on the world alone, a step at a time, played by the rule below.
    int waves = 0;
    int kills = 0;
    int livesLost = 0;
    std::vector<std::uint32_t> lastEnemies = world.waveEnemies;
    std::int32_t lastLives = startLives;
    int step = 0;
    for (; step < 60000 && !world.IsPlayerDead(); ++step) {
        const GAME_CMiniGameObjectEnemy* nearest = nullptr;
        for (const auto& enemy : world.Enemies()) {
            if (enemy->active == 0 || enemy->IsDead()) continue;
            if (nearest == nullptr || std::abs(enemy->position.x - rat.position.x) < std::abs(nearest->position.x - rat.position.x)) {
                nearest = enemy.get();
            }
        }
        // Holds fire, turns to face the nearest enemy and hops over one that comes close; after
        // fifteen kills the player lets go and the enemies have the rat.
        MiniGameControls controls;
        const bool playing = kills < 15;
        controls.fireHeld = playing;
        if (nearest != nullptr && playing) {
            const bool right = nearest->position.x > rat.position.x;
            if (right != (rat.flipX != 0)) {
                controls.right = right;
                controls.left = !right;
                controls.rightPressed = right && !world.controls.right;
                controls.leftPressed = !right && !world.controls.left;
            }
            controls.jumpHeld = std::abs(nearest->position.x - rat.position.x) < 50.0f;
            controls.jumpPressed = controls.jumpHeld && !world.controls.jumpHeld;
        }
        world.controls = controls;
        const std::int32_t scoreBefore = world.score;
        world.Update();
        if (world.score > scoreBefore) ++kills;
        if (world.waveEnemies != lastEnemies) ++waves;
        lastEnemies = world.waveEnemies;
        if (rat.lives < lastLives) ++livesLost;
        lastLives = rat.lives;
    }
    ASSERT_TRUE(world.IsPlayerDead()) << "still alive after " << step << " steps";
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kScoreEntry; }, 2000));
    EXPECT_GE(waves, 2);
    EXPECT_GT(kills, 0);
    EXPECT_GE(livesLost, startLives);
    const std::int32_t score = world.score;
    const int row = scene.NameEntry().row;

    // K, O, A: each letter starts where the last one stood; slow enough to be a name.
    StepFrames(60);
    for (int steps : {10, 4, -14}) {
        for (int i = 0; i < std::abs(steps); ++i) {
            PressAction(steps > 0 ? kActionCursorDown : kActionCursorUp);
            StepFrames(2);
        }
        PressAction(kActionDecide);
        StepFrames(2);
    }
    ASSERT_EQ(scene.State(), Scene::kRanking);

    // The ranking as a fresh slot holds it, with the run's row pushed in where its score belongs.
    std::vector<std::pair<std::u16string, std::int32_t>> rows;
    for (int i = 0; i < 10; ++i) rows.emplace_back(std::u16string(3, static_cast<char16_t>(u'Ａ' + i)), 10000 - 1000 * i);
    const auto at = std::find_if(rows.begin(), rows.end(), [&](const auto& entry) { return entry.second < score; });
    ASSERT_EQ(at - rows.begin(), row);
    rows.insert(at, {u"ＫＯＡ", score});
    rows.pop_back();
    const std::span<std::uint8_t> slot = GetWorkingSlot().subspan(save_layout::slot::kRanking, 120);
    EXPECT_EQ(std::vector<std::uint8_t>(slot.begin(), slot.end()), RankingBytes(rows));

    // Out of the arcade, a save of slot 1 carries the same bytes into the file's image.
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return scene.State() == Scene::kTitle; }, 10));
    PressAction(kActionCancel);
    StepFrames(3);
    ASSERT_TRUE(IsSceneOnStack(kSceneGameMain));
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(1));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::span<std::uint8_t> saved = GetSaveAreas().ImageSlot(1).subspan(save_layout::slot::kRanking, 120);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin(), saved.end()), RankingBytes(rows));
}

}  // namespace

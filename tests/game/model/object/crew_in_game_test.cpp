// Crew and field objects in the running game on the shipped data set: balloon pictures by language, damage numbers on screen, script sounds and props on the route.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/graphics/sprite_registry.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/script/script_actor.h"
#include "game/services/sound/sound_player.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_bg_obj.h"
#include "game/model/ship/ship.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/game_fixture.h"
#include "tests/support/script_assembly.h"

namespace {

constexpr int kUiSpriteGroup = 2;
constexpr std::uint16_t kNewbornGroup = 4;

class CrewInGame : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        world_ = GetGameWorld();
    }

    GAME_CObjectActor& AddCrewMember()
    {
        std::int32_t x = 0;
        std::int32_t y = 0;
        EXPECT_TRUE(world_->ship->GetLowestFloorCell(&x, &y));
        GAME_CObjectActor* member = world_->fieldObjects->AcquireActorObject();
        EXPECT_NE(member, nullptr);
        ActorSetupRecord setup;
        world_->ship->GetCellFloorPoint(x, y, &setup.x, &setup.y, false);
        member->Init(setup);
        member->balloonCountdown = 1 << 30;  // it says only what the test makes it say
        return *member;
    }

    bool DrewSprite(int sprite) const
    {
        const auto& drawn = frames.back().sprites;
        return std::any_of(drawn.begin(), drawn.end(), [&](const support::RecordedSpriteDraw& draw) {
            return draw.group == kUiSpriteGroup && draw.ref == sprite;
        });
    }

    const support::RecordedTextDraw* DrawnText(std::u16string_view text) const
    {
        for (const support::RecordedTextDraw& draw : frames.back().texts) {
            if (draw.text == text) return &draw;
        }
        return nullptr;
    }

    GAME_CGameWorld* world_ = nullptr;
};

TEST_F(CrewInGame, ABalloonShowsItsLinesPictureInJapaneseTheKoreanOneInKoreanAndTheEnglishOneOtherwise)
{
    GAME_CObjectActor& member = AddCrewMember();
    const BalloonGroup* group = GetStaticDatabase()->FindBalloonGroup(kNewbornGroup);
    ASSERT_NE(group, nullptr);
    ASSERT_FALSE(group->lines.empty());
    const int line = static_cast<int>(group->lines[0]);
    const int korean = vesk::resource::FindSpriteIndex(kUiSpriteGroup, "mesballoon_07_kr");
    const int english = vesk::resource::FindSpriteIndex(kUiSpriteGroup, "mesballoon_07_eng");
    ASSERT_EQ(line, vesk::resource::FindSpriteIndex(kUiSpriteGroup, "mesballoon_07"));
    member.balloon->ShowMessage(kNewbornGroup, -1);
    StepFrames(20);

    GAME_CPlayerData& player = *GetPlayerData();
    player.language = 0;
    StepFrames(1);
    EXPECT_TRUE(DrewSprite(line));
    player.language = 2;
    StepFrames(1);
    EXPECT_TRUE(DrewSprite(korean));
    EXPECT_FALSE(DrewSprite(line));
    player.language = 3;
    StepFrames(1);
    EXPECT_TRUE(DrewSprite(english));
    EXPECT_FALSE(DrewSprite(korean));
}

TEST_F(CrewInGame, ADamageNumberRisesInFullWidthDigitsFadesToHalfAtAge45AndIsGoneAt60)
{
    GAME_CObjectActor& member = AddCrewMember();
    world_->fieldObjects->AddActorDamageNumber(&member, 12);
    StepFrames(1);  // one step: age 1, risen 1
    const support::RecordedTextDraw* young = DrawnText(u"１２");
    ASSERT_NE(young, nullptr);
    EXPECT_EQ(young->color >> 24, 255u);
    EXPECT_EQ(young->color & 0x00FFFFFFu, GetUIColor(8) & 0x00FFFFFFu);
    const float startY = young->y + 1.0f;
    StepFrames(44);
    const support::RecordedTextDraw* old = DrawnText(u"１２");
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->color >> 24, 127u);
    EXPECT_EQ(old->y, startY - 37.0f);
    StepFrames(15);
    EXPECT_EQ(DrawnText(u"１２"), nullptr);
}

TEST_F(CrewInGame, AScriptSoundPlaysAtItsVolumeKeptWithinNoneAndFull)
{
    support::ParsedPackage package(R"(
.entry 1
"loud":
    se 0 5000
    halt
"muted":
    se 2 -3
    halt
"full":
    se 4 1000
    halt
)",
                                   {"actor.def"});
    GAME_CScriptActor script(nullptr);
    script.Attach(package.Program());
    const auto play = [&](std::u16string_view label) {
        script.JumpToLabel(label);
        script.TickScript();
        StepFrames(1);
        return frames.back().sounds;
    };
    const auto full = play(u"full");
    const auto loud = play(u"loud");
    const auto muted = play(u"muted");
    ASSERT_EQ(full.size(), 1u);
    ASSERT_EQ(loud.size(), 1u);
    EXPECT_GT(full[0].volume, 0.0f);
    EXPECT_EQ(loud[0].volume, full[0].volume);
    for (const support::RecordedSoundPlay& sound : muted) EXPECT_EQ(sound.volume, 0.0f);
}

TEST_F(CrewInGame, ABackgroundPropOnARouteRunInReverseStandsAtTheMirroredPlaceUnlessFixed)
{
    const std::uint32_t routeId = MakeTag("R999");
    RouteData* route = GetStaticDatabase()->GetOrCreateRouteData(routeId);
    route->length = 1000;
    route->startLocation = MakeTag("AD01");
    route->endLocation = MakeTag("AD02");
    StartRoute(*world_->travel, &routeId, false, {}, {});
    ASSERT_TRUE(world_->travel->routeManager->IsReversed());
    GAME_CObjectBGObj prop;
    ASSERT_EQ(prop.Init({100, 0, 1.0f, 0, 0, 0}), 1);
    EXPECT_EQ(prop.routePosition, 900);
    EXPECT_EQ(prop.drawnMirrored, 1);
    ASSERT_EQ(prop.Init({100, 0, 1.0f, 1, 0, 1}), 1);
    EXPECT_EQ(prop.routePosition, 100);
    EXPECT_EQ(prop.drawnMirrored, 0);
    EXPECT_EQ(prop.Init({100, 100000, 1.0f, 0, 0, 0}), 0);
}

TEST_F(CrewInGame, ADropItemKeepsItsPlaceOnTheRouteThroughSaveAndLoad)
{
    const std::uint32_t food = MakeTag("I020");
    const ItemData* record = GetStaticDatabase()->FindItemData(food);
    ASSERT_NE(record, nullptr);
    const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kUiSpriteGroup, record->iconSprite);
    ASSERT_NE(sprite, nullptr);
    ASSERT_GT(sprite->GetWidth(), 0);
    GAME_CFieldObjectManager& field = *world_->fieldObjects;
    GAME_CObjectDropItem* drop = field.AcquireDropItem();
    drop->Init({food, 2, 5000});
    // Set up beside the route, it lies twice its sprite's width further on.
    EXPECT_EQ(drop->routePosition, 5000 + 2 * sprite->GetWidth());
    std::vector<std::uint8_t> slot(save_layout::kSlotSize, 0);
    InitSlotRecord(slot);
    for (int round = 0; round < 3; ++round) {
        field.SaveToSlot(slot);
        field.LoadFromSlot(slot);
    }
    ASSERT_EQ(field.CountDropItems(), 1);
    const auto found = std::find_if(field.activeDropItems.begin(), field.activeDropItems.end(),
                                    [](const GAME_CObjectDropItem* active) { return active != nullptr; });
    EXPECT_EQ((*found)->routePosition, 5000 + 2 * sprite->GetWidth());
}

}  // namespace

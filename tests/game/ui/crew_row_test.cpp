// The crew row: a member's name, meters clamped to three digits and traits, as the room windows and the crew window show them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/services/data/tag.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/message_text.h"
#include "game/ui/crew_row.h"
#include "game/ui/ui_draw.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

using vesk::math::Vec2;

class CrewRowTest : public support::UITest {
protected:
    void TearDown() override
    {
        DeleteWidgets(widgets);
        support::UITest::TearDown();
    }

    // A member of the crew pool, made up as a new crew member (name, full meters).
    GAME_CObjectActor& Member() const
    {
        GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
        EXPECT_NE(member, nullptr);
        ActorSetupRecord setup;
        member->Init(setup);
        return *member;
    }

    void Build(UICrewRow& row, Vec2 at)
    {
        row.BuildPictures(widgets, nullptr, at);
        row.BuildTexts(widgets);
    }

    std::vector<GAME_CUIObjectBase*> widgets;
};

// The panel of the task windows: stamina and calorie clamped to 0..999 (1 to 999 thousandths count
// as 1), one line per trait kind where two skills take turns every 120 frames while a single buff
// stays, and a row without a member off the canvas with nothing left of the last one.
TEST_F(CrewRowTest, PanelShowsMetersClampedAndTwoTraitsTakingTurns)
{
    for (const char* sprite : {"ui_buildmanger_frame", "ui_buildmanger_separator_right", "ui_icon_skill", "ui_icon_buff", "ui_icon_nerf"}) {
        EXPECT_NE(FindUISprite(sprite), kNoSprite) << sprite;
    }
    UICrewRow row(UICrewRowLayout::Panel());
    Build(row, {353.0f, 100.0f});
    GAME_CObjectActor& member = Member();
    member.status.stamina = 500;
    member.status.calorie = 1'500'000;
    member.status.skills[0].id = MakeTag("S001");
    member.status.skills[1].id = MakeTag("S002");
    member.status.buffs[0].id = kNoId;
    member.status.buffs[1].id = MakeTag("B001");
    member.status.debuffs = {};

    row.Show(&member);
    EXPECT_EQ(row.Node()->GetPosition()->x, 353.0f);
    EXPECT_EQ(row.NameLabel()->Literal(), RomanizeKanaPair(std::u16string_view(member.status.name)));
    EXPECT_EQ(row.DigitsAt(0).Shown(), 1) << "500 thousandths of stamina";
    EXPECT_EQ(row.DigitsAt(1).Shown(), 999) << "1,500 units of calorie";
    EXPECT_EQ(row.TraitLabel(UICrewTrait::kSkill)->Literal(), GetMessageTextExpanded("S001"));
    EXPECT_EQ(row.TraitLabel(UICrewTrait::kBuff)->Literal(), GetMessageTextExpanded("B001")) << "the filled slot of a single buff";
    EXPECT_TRUE(row.TraitLabel(UICrewTrait::kDebuff)->Literal().empty());

    for (int frame = 0; frame < UICrewRow::kTraitTurnFrames; ++frame) {
        row.StepTraitTurn();
        row.Show(&member);
        const char* expected = frame + 1 < UICrewRow::kTraitTurnFrames ? "S001" : "S002";
        ASSERT_EQ(row.TraitLabel(UICrewTrait::kSkill)->Literal(), GetMessageTextExpanded(expected)) << "frame " << frame;
        ASSERT_EQ(row.TraitLabel(UICrewTrait::kBuff)->Literal(), GetMessageTextExpanded("B001"));
    }

    member.status.stamina = -20;
    row.Show(&member);
    EXPECT_EQ(row.DigitsAt(0).Shown(), 0) << "a meter below 0";

    row.Show(nullptr);
    EXPECT_GE(row.Node()->GetPosition()->x, 640.0f);
    EXPECT_TRUE(row.NameLabel()->Literal().empty());
    EXPECT_TRUE(row.TraitLabel(UICrewTrait::kSkill)->Literal().empty());
    EXPECT_EQ(row.DigitsAt(1).Shown(), 0);
}

// The crew window's way: current values and maxima (a maximum of 1,200 reads 999), and for every
// filled slot its name with its description a line below, cut only where it would run past the room
// of fifteen full-width characters.
TEST_F(CrewRowTest, WindowShowsMaximaAndEachTraitWithItsDescription)
{
    UICrewRowLayout layout;
    layout.name = {70.0f, 31.0f};
    layout.digits = {{.meter = UICrewMeter::kHP, .at = {169.0f, 53.0f}, .step = 6.0f},
                     {.meter = UICrewMeter::kHP, .maximum = true, .at = {195.0f, 53.0f}, .step = 6.0f}};
    layout.traits = UICrewRowLayout::Traits::kNamesAndDescriptions;
    layout.traitAt = {Vec2{423.0f, 31.0f}, Vec2{39.0f, 227.0f}, Vec2{423.0f, 227.0f}};
    layout.slotStep = 54.0f;
    UICrewRow row(layout);
    Build(row, {0.0f, 0.0f});
    GAME_CObjectActor& member = Member();
    member.status.computed.maxHp = 1200;
    member.status.hp = 60'000;
    member.status.skills = {};
    member.status.skills[1].id = MakeTag("S001");
    member.status.buffs = {};
    member.status.debuffs = {};
    // Every trait's description fits its line; an item's longer one stands in to be cut.
    member.status.debuffs[0].id = MakeTag("I076");

    row.Show(&member);
    EXPECT_EQ(row.DigitsAt(0).Shown(), 60);
    EXPECT_EQ(row.DigitsAt(1).Shown(), 999);
    EXPECT_TRUE(row.TraitLabel(UICrewTrait::kSkill, 0)->Literal().empty());
    const GAME_CUILabelObject* name = row.TraitLabel(UICrewTrait::kSkill, 1);
    const GAME_CUILabelObject* description = row.TraitLabel(UICrewTrait::kSkill, 1, true);
    EXPECT_EQ(name->Literal(), GetMessageTextExpanded("S001"));
    EXPECT_EQ(name->GetPosition()->y, 85.0f);
    EXPECT_EQ(description->GetPosition()->y, 103.0f);

    // A description that fits shows whole, however many letters it has.
    const std::u16string fitting = GetMessageTextExpanded("S001_DISCRIPT");
    ASSERT_GT(fitting.size(), 15u);
    ASSERT_LE(MeasureUIText(fitting), UICrewRow::kDescriptionWidth);
    EXPECT_EQ(description->Literal(), fitting);
    // A longer one keeps the longest start that fits.
    const std::u16string longer = GetMessageTextExpanded("I076_DISCRIPT");
    const std::u16string shown(row.TraitLabel(UICrewTrait::kDebuff, 0, true)->Literal());
    ASSERT_GT(MeasureUIText(longer), UICrewRow::kDescriptionWidth);
    EXPECT_EQ(longer.substr(0, shown.size()), shown);
    EXPECT_LE(MeasureUIText(shown), UICrewRow::kDescriptionWidth);
    EXPECT_GT(MeasureUIText(longer.substr(0, shown.size() + 1)), UICrewRow::kDescriptionWidth);
}

}  // namespace

// The crew window on a new game: the cold rat shown, the crew walked through, dismissals at the hideout and on the road, a field item taken away.
// With VARNOLIS_CREW_WINDOW_PICTURES=<folder> the tests also write the canvas at their main stops as PPM pictures, to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "game/model/object/field_draw.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/text/language.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/idle_task.h"

namespace {

using Page = GAME_CUIActorStatus::Page;

constexpr std::uint32_t kSeDismiss = 46;
constexpr std::int32_t kLeaveLineKind = 2;

class ActorStatusTest : public support::UITest {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
        world = GetGameWorld();
    }

    GAME_CUIActorStatus& Window() const { return *UI().Get<GAME_CUIActorStatus>(); }
    std::vector<GAME_CObjectActor*>& Crew() const { return world->fieldObjects->crew; }
    GAME_CRouteManager& Route() const { return *world->travel->routeManager; }

    GAME_CObjectActor* FindCrew(const std::function<bool(const GAME_CActorStatus&)>& test) const
    {
        const auto found = std::find_if(Crew().begin(), Crew().end(), [&](const GAME_CObjectActor* actor) { return test(actor->status); });
        return found != Crew().end() ? *found : nullptr;
    }

    // Out of the rooms and a cell away from every other member, so that a click picks it alone.
    bool StandsApart(const GAME_CObjectActor& member) const
    {
        const float cell = world->ship->grid.cellWidth;
        return member.assigned == 0 && std::none_of(Crew().begin(), Crew().end(), [&](const GAME_CObjectActor* other) {
                   return other != &member && std::abs(other->position.x - member.position.x) < cell &&
                          std::abs(other->position.y - member.position.y) < cell;
               });
    }

    // The first member that stands apart and passes the test, stepping until one does; null if none
    // does within 600 frames.
    GAME_CObjectActor* WaitForMemberApart(const std::function<bool(const GAME_CObjectActor&)>& test = {})
    {
        GAME_CObjectActor* member = nullptr;
        StepUntil([&] {
            const auto found = std::find_if(Crew().begin(), Crew().end(), [&](const GAME_CObjectActor* each) {
                return (!test || test(*each)) && StandsApart(*each);
            });
            member = found != Crew().end() ? *found : nullptr;
            return member != nullptr;
        }, 600);
        return member;
    }

    // The player's click on the member once it stands apart; the window is up when it returns.
    void ClickOn(const GAME_CObjectActor& member)
    {
        ASSERT_TRUE(StepUntil([&] { return StandsApart(member); }, 600));
        const vesk::math::Vec2 point = CurrentFieldFrame().ToScreen({member.position.x, member.position.y - 4.0f});
        ClickAt(static_cast<int>(point.x), static_cast<int>(point.y));
        ASSERT_TRUE(StepUntil([&] { return Window().State() == UIScreenState::kMain; }, 10));
        StepFrames(1);
    }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // The name and description rows of a trait, as the message data has them.
    void ExpectTraitRows(UICrewTrait kind, std::uint32_t id) const
    {
        const UICrewRow& row = Window().CrewRow();
        EXPECT_EQ(row.TraitLabel(kind, 0, false)->Literal(), GetMessageTextExpanded(TagText(id)));
        EXPECT_EQ(row.TraitLabel(kind, 0, true)->Literal(), UIFittedText(GetMessageTextExpanded(TagText(id) + "_DISCRIPT"), UICrewRow::kDescriptionWidth));
        EXPECT_EQ(Window().TraitIcon(static_cast<std::size_t>(kind), 0)->Color() >> 24, 0xFFu);
        EXPECT_EQ(Window().GroupLine(static_cast<std::size_t>(kind))->Color() >> 24, 0xFFu);
    }

    bool PlayedSince(std::size_t firstFrame, std::uint32_t id) const
    {
        return std::any_of(frames.begin() + static_cast<std::ptrdiff_t>(firstFrame), frames.end(), [&](const support::FrameRecord& frame) {
            return std::find(frame.soundEffects.begin(), frame.soundEffects.end(), id) != frame.soundEffects.end();
        });
    }

    // Row 1, decide, yes: the farewell is up when it returns.
    void DismissShownMember()
    {
        if (Window().CursorRow() != GAME_CUIActorStatus::kRowSecond) Press(kActionCursorDown);
        ASSERT_EQ(Window().CursorRow(), GAME_CUIActorStatus::kRowSecond);
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == Page::kDismissQuestion && IsDialogShown(); }, 30));
        AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
        ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == Page::kDismissResult; }, 10));
    }

    void CloseFarewell()
    {
        StepFrames(20);
        Press(kActionDecide, 1);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 60));
    }

    bool IsOnTicker(const std::u16string& text) const
    {
        const GAME_CUIInfoBarObject& bar = UI().Resident()->infoBar;
        for (std::uint32_t row = 0; row < bar.RowCount(); ++row) {
            if (bar.GetRow(row).text == text && bar.GetRow(row).kind == kLeaveLineKind) return true;
        }
        return false;
    }

    static bool IsDismissAchievementUnlocked()
    {
        const std::uint32_t bits = platform::ReadU32(GetWorkingSystemRecord(), save_layout::system::kAchievementBits);
        return (bits >> GAME_CUIActorStatus::kDismissAchievement & 1u) != 0;
    }

    void WritePictureIfAsked(const std::string& name) const
    {
        if (const char* folder = std::getenv("VARNOLIS_CREW_WINDOW_PICTURES")) {
            ASSERT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
        }
    }
};

TEST_F(ActorStatusTest, TheColdRatIsShownTheCrewWalkedThroughAndSentAwayOnlyOnTheRoadUnlocksTheAchievement)
{
    // The new game's third rat has a cold and 60 of its 100 HP.
    GAME_CObjectActor* cold = FindCrew([](const GAME_CActorStatus& status) { return status.debuffs[0].id == MakeTag("N001"); });
    ASSERT_NE(cold, nullptr);
    ASSERT_EQ(Crew().size(), 3u);
    EXPECT_EQ(cold->status.hp, 60'000);
    EXPECT_EQ(cold->status.computed.maxHp, 100);

    ASSERT_NO_FATAL_FAILURE(ClickOn(*cold));
    GAME_CUIActorStatus& window = Window();
    EXPECT_EQ(window.targetActor, cold);
    EXPECT_EQ(window.CurrentPage(), Page::kCrew);
    WritePictureIfAsked("cold-rat");
    // The rat three times its size in the middle, over the dimmed field.
    const auto& sprites = frames.back().sprites;
    EXPECT_TRUE(std::any_of(sprites.begin(), sprites.end(), [&](const support::RecordedSpriteDraw& draw) {
        return draw.group == 2 && draw.ref == cold->spriteIndex && draw.x == 320.0f && draw.y == 180.0f;
    }));
    const UICrewRow& row = window.CrewRow();
    EXPECT_EQ(row.DigitsAt(0).Shown(), 60);
    EXPECT_EQ(row.DigitsAt(1).Shown(), 100);
    EXPECT_FLOAT_EQ(window.GaugeScale(0), 0.6f);
    ExpectTraitRows(UICrewTrait::kDebuff, MakeTag("N001"));
    // A kind it has none of shows neither its line nor a word.
    EXPECT_EQ(window.GroupLine(0)->Color() >> 24, 0u);
    EXPECT_EQ(row.TraitLabel(UICrewTrait::kSkill, 0, false)->Literal(), u"");

    // The arrows go round the three: the skilled rat and the motivated one are the other two.
    bool sawSkill = false;
    bool sawBuff = false;
    for (int step = 0; step < 3; ++step) {
        const std::size_t before = frames.size();
        Press(kActionCursorRight, 12);
        EXPECT_TRUE(PlayedSince(before, kSeUICursor));
        const GAME_CActorStatus& shown = window.targetActor->status;
        if (IsSlotIdSet(shown.skills[0].id)) {
            sawSkill = true;
            ExpectTraitRows(UICrewTrait::kSkill, shown.skills[0].id);
        }
        if (IsSlotIdSet(shown.buffs[0].id)) {
            sawBuff = true;
            ExpectTraitRows(UICrewTrait::kBuff, shown.buffs[0].id);
        }
    }
    EXPECT_TRUE(sawSkill);
    EXPECT_TRUE(sawBuff);
    EXPECT_EQ(window.targetActor, cold);

    // A question the player never answers (an event closes the dialog) lets the game run again.
    Press(kActionCursorDown);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return window.CurrentPage() == Page::kDismissQuestion && IsDialogShown(); }, 30));
    EXPECT_NE(world->held, 0u);
    CloseDialog();
    ASSERT_TRUE(StepUntil([&] { return window.CurrentPage() == Page::kCrew; }, 30));
    EXPECT_EQ(world->held, 0u);
    EXPECT_TRUE(cold->IsActive());

    // Sent away at Cheddar Springs while at work: the farewell, its lines, and no achievement; the task
    // lets go of it before its pool hands it out again.
    GAME_CTaskBase* work = new support::IdleTask(15);
    world->tasks->tasks.push_back(work);
    work->AddCrew(cold);
    const std::size_t before = frames.size();
    ASSERT_NO_FATAL_FAILURE(DismissShownMember());
    EXPECT_TRUE(PlayedSince(before, kSeDismiss));
    StepFrames(20);
    WritePictureIfAsked("farewell");
    const GAME_CUIMessageLog& log = *UI().MessageLog();
    const std::u16string leave = FormatUIMessage("OLIF_ACTOR_LEAVE", {RomanizeKanaPair(std::u16string_view(cold->status.name))});
    ASSERT_GT(log.CountLines(), 0);
    EXPECT_EQ(log.GetLine(log.CountLines() - 1).text.c_str(), leave);
    EXPECT_EQ(log.GetLine(log.CountLines() - 1).kind, kLeaveLineKind);
    EXPECT_TRUE(IsOnTicker(leave));
    EXPECT_NE(world->held, 0u);
    ASSERT_NO_FATAL_FAILURE(CloseFarewell());
    StepFrames(2);
    EXPECT_EQ(world->held, 0u);
    EXPECT_EQ(Crew().size(), 2u);
    EXPECT_EQ(std::find(Crew().begin(), Crew().end(), cold), Crew().end());
    EXPECT_EQ(std::find(work->crew.begin(), work->crew.end(), cold), work->crew.end());
    EXPECT_EQ(cold->task, nullptr);
    EXPECT_FALSE(IsDismissAchievementUnlocked());

    // Sent away on the road, the next one unlocks it.
    Route().SetPosition(1000);
    ASSERT_NO_FATAL_FAILURE(ClickOn(*Crew().front()));
    ASSERT_NO_FATAL_FAILURE(DismissShownMember());
    EXPECT_TRUE(IsDismissAchievementUnlocked());
    ASSERT_NO_FATAL_FAILURE(CloseFarewell());
    StepFrames(2);
    ASSERT_EQ(Crew().size(), 1u);

    // The last one cannot be sent away, and any click closes its window.
    ASSERT_NO_FATAL_FAILURE(ClickOn(*Crew().front()));
    EXPECT_TRUE(window.DismissButton()->IsDisabled());
    EXPECT_EQ(window.DismissButton()->Color(), GetUIColor(1));
    Press(kActionCursorRight, 12);
    EXPECT_EQ(window.targetActor, Crew().front());
    ClickAt(600, 40);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICancel));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 10));
}

// Move hands the member to the HUD to be carried, and the window goes so that the player can drop it.
TEST_F(ActorStatusTest, MoveClosesTheWindowAndTheHudCarriesTheMember)
{
    GAME_CObjectActor* member = WaitForMemberApart();
    ASSERT_NE(member, nullptr);
    ASSERT_NO_FATAL_FAILURE(ClickOn(*member));
    GAME_CUIActorStatus& window = Window();
    ASSERT_EQ(window.CursorRow(), GAME_CUIActorStatus::kRowFirst);
    ASSERT_FALSE(window.MoveButton()->IsDisabled());

    Press(kActionDecide, 1);
    EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 60));
    const GAME_CUICommon* hud = UI().Get<GAME_CUICommon>();
    ASSERT_NE(hud, nullptr);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kCrewMove);
    EXPECT_EQ(hud->MovedActor(), member);
}

// The arrows pass over a member whose death is playing. A member whose HP runs out while shown closes
// the window at the next update, before its death has played: a dying member can be neither moved nor
// sent away, and no farewell follows its death.
TEST_F(ActorStatusTest, ADyingMemberIsPassedOverAndOneWhoDiesWhileShownClosesTheWindowAtOnce)
{
    ASSERT_EQ(Crew().size(), 3u);
    GAME_CObjectActor* member = Crew()[0];
    Crew()[1]->status.hp = 0;
    Window().OpenOnCrewMember(member);
    ASSERT_TRUE(StepUntil([&] { return Window().State() == UIScreenState::kMain; }, 30));
    ASSERT_TRUE(Crew()[1]->IsActive() && Crew()[1]->IsDying());
    Press(kActionCursorRight, 12);
    EXPECT_EQ(Window().targetActor, Crew()[2]);
    Press(kActionCursorLeft, 12);
    ASSERT_EQ(Window().targetActor, member);

    member->status.hp = 0;
    StepFrames(2);
    EXPECT_NE(Window().State(), UIScreenState::kMain) << "the window is closing";
    EXPECT_TRUE(member->IsActive()) << "while the death still plays";
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 60));
    EXPECT_FALSE(IsDismissAchievementUnlocked());
    EXPECT_EQ(UI().Get<GAME_CUICommon>()->SubStateNow(), GAME_CUICommon::kIdle) << "nothing is carried";
}

// A member whose death has begun takes no orders: a click on it opens no window, and a member the HUD
// carries is let go where it is as its death begins, so that it is dropped into no room and the hand
// is empty before the death has played and its pooled object can come back as a newborn.
TEST_F(ActorStatusTest, ADyingMemberIsPickedByNoClickAndTheHudLetsGoOfOneWhoseDeathBeginsInItsHand)
{
    GAME_CObjectActor* dying = WaitForMemberApart();
    ASSERT_NE(dying, nullptr);
    // The others hold still meanwhile, so that none walks under the click.
    for (GAME_CObjectActor* other : Crew()) other->aiEnabled = other == dying ? other->aiEnabled : 0;
    dying->status.hp = 0;
    StepFrames(1);
    ASSERT_TRUE(dying->IsActive() && dying->IsDying());
    const vesk::math::Vec2 point = CurrentFieldFrame().ToScreen({dying->position.x, dying->position.y - 4.0f});
    ClickAt(static_cast<int>(point.x), static_cast<int>(point.y));
    StepFrames(1);
    // An item lying under it may be picked through it; the member is not.
    EXPECT_TRUE(!UI().IsOpen(kSlotActorStatus) || Window().targetItem != nullptr) << "the dying member was picked";
    if (UI().IsOpen(kSlotActorStatus)) {
        ASSERT_TRUE(StepUntil([&] { return Window().State() == UIScreenState::kMain; }, 30));
        Window().SetOpen(false);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 60));
    }
    for (GAME_CObjectActor* other : Crew()) other->aiEnabled = 1;

    // The carry begins as the window's Move begins it (see MoveClosesTheWindowAndTheHudCarriesTheMember),
    // without waiting for the crew's wandering to leave a living member standing alone.
    GAME_CObjectActor* carried = nullptr;
    ASSERT_TRUE(StepUntil([&] {
        const auto living = std::find_if(Crew().begin(), Crew().end(), [&](const GAME_CObjectActor* each) {
            return each != dying && each->status.GetHP() > 0 && each->assigned == 0;
        });
        carried = living != Crew().end() ? *living : nullptr;
        return carried != nullptr;
    }, 600));
    GAME_CUICommon* hud = UI().Get<GAME_CUICommon>();
    hud->BeginMoveActor(carried);
    StepFrames(1);
    ASSERT_EQ(hud->MovedActor(), carried);
    carried->status.hp = 0;
    StepFrames(2);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_EQ(hud->MovedActor(), nullptr);
    EXPECT_EQ(carried->held, 0);
    // Let go, its death plays on where it is, unless a window that came up meanwhile (a birth in the
    // crew's quarters, say) holds the world.
    EXPECT_TRUE(StepUntil([&] { return carried->IsDying() || world->held != 0; }, 60)) << "its death plays on";
    EXPECT_TRUE(carried->IsActive());
}

// A click on a lying item shows it, unless the crew shortcut in the same frame asks for a crew member:
// the window, opening on the item, then shows that member.
TEST_F(ActorStatusTest, TakingOneFromAStackOfThreeLeavesTwoAndTheLastOneTakenRemovesTheItem)
{
    const auto lying = std::find_if(world->fieldObjects->items.begin(), world->fieldObjects->items.end(),
                                    [](const GAME_CObjectItem* item) { return item->carrier == nullptr && item->record != nullptr; });
    ASSERT_NE(lying, world->fieldObjects->items.end());
    GAME_CObjectItem* item = *lying;
    GAME_CUIActorStatus& window = Window();
    item->count = 3;
    // The world stands still (as behind another window), so that no crew member carries it off meanwhile.
    world->held = 1;
    window.targetItem = item;
    window.SetOpen(true);
    ASSERT_TRUE(StepUntil([&] { return window.State() == UIScreenState::kMain; }, 10));
    StepFrames(1);
    EXPECT_EQ(window.CurrentPage(), Page::kItem);
    EXPECT_STREQ(window.ItemNameLabel()->Key(), TagText(item->itemId).c_str());
    WritePictureIfAsked("item");

    Press(kActionDecide, 12);
    EXPECT_EQ(item->count, 2);
    EXPECT_TRUE(UI().IsOpen(kSlotActorStatus));
    EXPECT_EQ(window.ItemCountLabel()->Literal().substr(0, 3), u"０２／");

    item->count = 1;
    Press(kActionDecide, 12);
    EXPECT_NE(item->dead, 0u);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 10));
    world->held = 0;
    StepFrames(2);
    EXPECT_FALSE(world->fieldObjects->IsItemActive(item));

    const float cell = world->ship->grid.cellWidth;
    // A second lying item, no crew member near it, so that the click picks the item alone.
    const auto apart = [&](const GAME_CObjectItem* candidate) {
        return std::none_of(Crew().begin(), Crew().end(), [&](const GAME_CObjectActor* member) {
            return std::abs(member->position.x - candidate->position.x) < 2.0f * cell &&
                   std::abs(member->position.y - candidate->position.y) < 2.0f * cell;
        });
    };
    GAME_CObjectItem* other = nullptr;
    ASSERT_TRUE(StepUntil([&] {
        const auto found = std::find_if(world->fieldObjects->items.begin(), world->fieldObjects->items.end(), [&](const GAME_CObjectItem* each) {
            return each->carrier == nullptr && each->record != nullptr && apart(each);
        });
        other = found != world->fieldObjects->items.end() ? *found : nullptr;
        return other != nullptr;
    }, 600));
    // The shortcut is the pad's by default: it gets a key no other action has.
    GAME_CInputMap& input = *GetInputMap();
    const auto taken = [&](std::int32_t key) {
        for (int action = 0; action <= kActionSelectItem; ++action) {
            if (input.GetKeyBinding(action) == key) return true;
        }
        return false;
    };
    std::int32_t key = 1;
    while (key < 256 && (taken(key) || !input.SetKeyBinding(kActionSelectCrew, key))) ++key;
    ASSERT_EQ(input.GetKeyBinding(kActionSelectCrew), key);
    const vesk::math::Vec2 onOther = CurrentFieldFrame().ToScreen({other->position.x, other->position.y - 2.0f});
    ClickAt(static_cast<int>(onOther.x), static_cast<int>(onOther.y));
    PressAction(kActionSelectCrew);
    ASSERT_TRUE(StepUntil([&] { return window.State() == UIScreenState::kMain; }, 10));
    StepFrames(1);
    EXPECT_EQ(window.CurrentPage(), Page::kCrew);
    EXPECT_EQ(window.targetItem, nullptr);
    ASSERT_NE(window.targetActor, nullptr);
    EXPECT_EQ(world->camera->followedObject, window.targetActor);
}

// A lying item's count stands right of its plate, whose width is the language's word for it, and
// ends inside the canvas: the English plate ran over the count's first figures.
TEST_F(ActorStatusTest, ALyingItemsCountStandsClearOfItsPlateInEveryLanguage)
{
    const auto lying = std::find_if(world->fieldObjects->items.begin(), world->fieldObjects->items.end(),
                                    [](const GAME_CObjectItem* item) { return item->carrier == nullptr && item->record != nullptr; });
    ASSERT_NE(lying, world->fieldObjects->items.end());
    GAME_CObjectItem* item = *lying;
    item->count = item->record->stackLimit;
    world->held = 1;
    GAME_CUIActorStatus& window = Window();
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        window.targetItem = item;
        window.SetOpen(true);
        ASSERT_TRUE(StepUntil([&] { return window.State() == UIScreenState::kMain; }, 10));
        StepFrames(1);
        const GAME_CUINullObject& plate = *window.ItemCountPlate();
        const GAME_CUILabelObject& count = *window.ItemCountLabel();
        ASSERT_FALSE(count.Literal().empty());
        const float plateEnd = plate.GetPosition()->x + UISpriteSize(plate.Sprite()).x;
        EXPECT_GT(count.GetPosition()->x, plateEnd) << "language " << language;
        EXPECT_LE(count.GetPosition()->x + MeasureUIText(count.Literal()), kCanvasWidth) << "language " << language;
        window.SetOpen(false);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotActorStatus); }, 30));
    }
}

// In every language the question that sends a member away and the farewell, with the widest crew
// name, keep to the shared dialog.
TEST_F(ActorStatusTest, TheDismissQuestionAndFarewellFitTheDialogWithTheWidestNameInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string file(GetMessageFileForLanguage(language));
        const std::u16string name = WidestCrewName();
        ASSERT_FALSE(name.empty());
        ExpectFitsDialog(GetMessageTextExpanded("ADD_TEXT_UI_ACTOR_STATUS_01"), file + ": ADD_TEXT_UI_ACTOR_STATUS_01");
        ExpectFitsDialog(FormatUIMessage("ADD_TEXT_UI_ACTOR_STATUS_02", {name}), file + ": ADD_TEXT_UI_ACTOR_STATUS_02");
    }
}

}  // namespace

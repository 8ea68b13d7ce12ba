// The crew screens: a room's crew member bound, let go and sent out from the engine room's crew panel, and the list of the whole crew with one member's details.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <ranges>
#include <string>
#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "game/model/world/camera2d.h"
#include "game/services/data/static_database.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/crew_row.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_all_actor_info.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_engine_room.h"
#include "game/ui/screens/ui_room_actor_info.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

using Step = GAME_CUIRoomActorInfo::Step;

class CrewScreensTest : public support::RoomScreenTest {
protected:
    GAME_CObjectActor& NewMember()
    {
        GAME_CObjectActor* member = AddCrewMember();
        EXPECT_NE(member, nullptr);
        return *member;
    }

    static std::u16string Name(const GAME_CObjectActor& member) { return RomanizeKanaPair(std::u16string_view(member.status.name)); }
    static std::u16string Description(const char* id) { return GetMessageTextExpanded(std::string(id) + "_DISCRIPT"); }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }
};

// The engine's worker, out of stamina and with five traits, chosen in the engine room's crew panel:
// the crew screen stands at once and the room screen beneath is no longer drawn. Unbinding it plays
// the unbind sound, binding it again makes it the engine's crew, and sending it out takes its task,
// its room and a moment's pause from it and closes the screen. A storeroom offers no binding.
TEST_F(CrewScreensTest, TheEngineWorkerIsLetGoBoundAgainAndSentOutAStoreroomOffersNoBinding)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    GAME_CTaskBase* upkeep = GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(IndexOf(engine), 0));
    ASSERT_NE(upkeep, nullptr);
    GAME_CObjectActor& worker = NewMember();
    GiveTraits(worker, {MakeTag("S001"), MakeTag("S002")}, {MakeTag("B001"), MakeTag("B002")}, {MakeTag("N001")});
    worker.status.stamina = 0;
    engine.AssignCrew(&worker);
    upkeep->AddCrew(&worker);
    ASSERT_EQ(worker.task, upkeep);
    ASSERT_TRUE(engine.IsPresent(&worker));

    engine.rememberedTab = static_cast<std::int32_t>(GAME_CUIEngineRoom::Page::kTasks);
    OpenScreenOf(engine);
    ASSERT_TRUE(DrewKey("ADDTASK_TEXT_ADDNEWTASK"));
    // The first click gives the panel the focus, the second opens the crew screen.
    ClickAt(125, 226);
    StepFrames(2);
    ClickAt(125, 226);
    StepFrames(2);
    auto& screen = *UI().Get<GAME_CUIRoomActorInfo>();
    ASSERT_TRUE(screen.IsOpen());
    EXPECT_EQ(screen.targetActor, &worker);
    EXPECT_EQ(screen.target, &engine);
    EXPECT_FALSE(DrewKey("ADDTASK_TEXT_ADDNEWTASK")) << "the room screen beneath is not drawn";
    ASSERT_TRUE(StepUntil([&] { return screen.State() == UIScreenState::kMain; }, 10));
    StepFrames(1);
    Keep("room-crew");

    EXPECT_EQ(screen.Title()->Literal(), GetMessageTextExpanded("ID23"));
    EXPECT_EQ(screen.MemberName()->Literal(), Name(worker));
    const UIMeterRow& stamina = screen.Meters().Row(UICrewMeter::kStamina);
    EXPECT_EQ(stamina.ValueLabel()->Literal(), u"０/" + UIFullWidthNumber(worker.status.computed.maxStamina));
    EXPECT_EQ(stamina.BarColor(), UICrewMeters::kStaminaWarningColor) << "no stamina left";
    EXPECT_FLOAT_EQ(stamina.Share(), 0.0f);
    const UIMeterRow& hp = screen.Meters().Row(UICrewMeter::kHP);
    EXPECT_EQ(hp.ValueLabel()->Literal(),
              UIFullWidthNumber(worker.status.GetHP()) + u"/" + UIFullWidthNumber(worker.status.computed.maxHp));
    EXPECT_EQ(hp.BarColor(), UICrewMeters::kStaminaColor);

    // Five traits, two shown at a time, three lines each: the bar scrolls by three.
    EXPECT_EQ(screen.EffectBar()->Maximum(), 3);
    EXPECT_EQ(screen.EffectLine(0)->Literal(), GetMessageTextExpanded("S001"));
    EXPECT_EQ(screen.EffectLine(1)->Literal(), Description("S001"));
    EXPECT_EQ(screen.EffectLine(3)->Literal(), GetMessageTextExpanded("S002"));
    Press(kActionCursorLeft);
    EXPECT_EQ(screen.CurrentFocus(), GAME_CUIRoomActorInfo::kFocusEffects);
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    EXPECT_EQ(screen.EffectLine(0)->Literal(), GetMessageTextExpanded("B001"));
    EXPECT_EQ(screen.EffectLine(4)->Literal(), Description("B002"));
    Press(kActionCursorRight);
    EXPECT_EQ(screen.CurrentFocus(), GAME_CUIRoomActorInfo::kFocusButtons);
    EXPECT_EQ(screen.Row(), GAME_CUIRoomActorInfo::kRowBind);

    // A member of the room's crew is let go.
    EXPECT_STREQ(screen.BindLabel()->Key(), "ROOMACTORINFO_BUTTON_UNBIND");
    Press(kActionDecide, 12);
    ASSERT_EQ(screen.CurrentStep(), Step::kAskUnbind);
    const std::u16string room = GetMessageTextExpanded("ID23");
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("ACTOR_STATUS_UNBIND_YESNO", {room, Name(worker)}));
    const std::size_t beforeUnbind = frames.size();
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(screen.CurrentStep(), Step::kUnbound);
    EXPECT_EQ(CountPlayed(GAME_CUIRoomActorInfo::kUnbindSE, beforeUnbind), 1);
    EXPECT_FALSE(engine.IsPresent(&worker));
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("ACTOR_STATUS_UNBIND_FINISHED", {room, Name(worker)}));
    ASSERT_TRUE(CloseMessage());
    StepFrames(2);
    EXPECT_EQ(screen.CurrentStep(), Step::kBrowse);
    EXPECT_STREQ(screen.BindLabel()->Key(), "ROOMACTORINFO_BUTTON_BIND");

    // And bound again: the room takes it as its crew.
    Press(kActionDecide, 12);
    ASSERT_EQ(screen.CurrentStep(), Step::kAskBind);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("ACTOR_STATUS_BIND_YESNO", {room, Name(worker)}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_TRUE(engine.IsPresent(&worker));
    EXPECT_EQ(worker.workLink.room, &engine);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("ACTOR_STATUS_BIND_FINISHED", {room, Name(worker)}));
    ASSERT_TRUE(CloseMessage());
    StepFrames(2);

    // Sent out while it works: no task, no room, a pause before the next task; the screen closes
    // and the room screen shows again.
    Press(kActionCursorDown);
    EXPECT_EQ(screen.Row(), GAME_CUIRoomActorInfo::kRowExit);
    Press(kActionDecide, 12);
    ASSERT_EQ(screen.CurrentStep(), Step::kAskExit);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ADD_TEXT_UI_ROOM_ACTOR_01"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return !screen.IsOpen(); }, 10));
    EXPECT_EQ(worker.task, nullptr);
    EXPECT_TRUE(std::find(upkeep->crew.begin(), upkeep->crew.end(), &worker) == upkeep->crew.end());
    EXPECT_FALSE(engine.IsPresent(&worker));
    EXPECT_FALSE(engine.IsAssigned(&worker));
    EXPECT_EQ(worker.workLink.room, nullptr);
    EXPECT_EQ(worker.assigned, 0);
    EXPECT_EQ(worker.moved, 1);
    EXPECT_EQ(worker.movedCountdown, GAME_CUIRoomActorInfo::kTaskPauseFrames);
    StepFrames(3);
    EXPECT_TRUE(DrewKey("ADDTASK_TEXT_ADDNEWTASK"));
    ASSERT_TRUE(CloseScreen(kSlotEngineRoom));

    // A storeroom takes no crew: no bind button, the cursor stays on sending out.
    GAME_CRoomBase& storeroom = Place("ID20", 9, 3);
    screen.targetActor = &worker;
    screen.OpenForRoom(&storeroom);
    ASSERT_TRUE(StepUntil([&] { return screen.State() == UIScreenState::kMain; }, 10));
    StepFrames(1);
    EXPECT_FALSE(screen.BindingAllowed());
    EXPECT_FALSE(screen.BindButton()->IsVisible());
    EXPECT_EQ(screen.Row(), GAME_CUIRoomActorInfo::kRowExit);
    Press(kActionCursorUp);
    EXPECT_EQ(screen.Row(), GAME_CUIRoomActorInfo::kRowExit);
    EXPECT_EQ(screen.EffectBar()->Maximum(), 3);
    Press(kActionCancel, 1);
    ASSERT_TRUE(StepUntil([&] { return !screen.IsOpen(); }, 30));
}

// Twenty-five crew: the title counts them, up from the first goes to the last (shown in the last
// row, the list scrolled by fifteen), down from there back to the top. The first member with two of
// each trait, a workplace, a home and a room task has fifteen detail lines, seven shown: the panel
// scrolls by eight, and up from its top wraps to its end. Deciding shows the member in the crew status

// The crew screen lets go of a member whose death begins while it is shown: a bind answered then
// would put the dying member back into the room's crew, and once its death had played the screen
// would show and bind the newborn that its pooled object becomes.
TEST_F(CrewScreensTest, TheCrewScreenClosesWhenItsMemberBeginsToDie)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    GAME_CTaskBase* upkeep = GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(IndexOf(engine), 0));
    ASSERT_NE(upkeep, nullptr);
    GAME_CObjectActor& worker = NewMember();
    worker.status.stamina = 0;
    engine.AssignCrew(&worker);
    upkeep->AddCrew(&worker);
    engine.rememberedTab = static_cast<std::int32_t>(GAME_CUIEngineRoom::Page::kTasks);
    OpenScreenOf(engine);
    ClickAt(125, 226);
    StepFrames(2);
    ClickAt(125, 226);
    StepFrames(2);
    auto& screen = *UI().Get<GAME_CUIRoomActorInfo>();
    ASSERT_TRUE(StepUntil([&] { return screen.State() == UIScreenState::kMain; }, 10));
    ASSERT_EQ(screen.targetActor, &worker);

    worker.status.hp = 0;
    StepFrames(2);
    EXPECT_NE(screen.State(), UIScreenState::kMain);
    EXPECT_TRUE(worker.IsActive()) << "while the death still plays";
    EXPECT_FALSE(engine.IsAssigned(&worker));
}
// window only while the HUD lets crew be picked.
TEST_F(CrewScreensTest, TheListOfTwentyFiveWrapsAndShowsTheFirstMembersFifteenLines)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    GAME_CRoomBase& quarters = Place("ID03", 2, 3);
    while (world->fieldObjects->crew.size() < 25) NewMember();
    ASSERT_EQ(world->fieldObjects->crew.size(), 25u);

    UI().SetOpen(kSlotAllActorInfo, true);
    auto& list = *UI().Get<GAME_CUIAllActorInfo>();
    ASSERT_TRUE(StepUntil([&] { return list.State() == UIScreenState::kMain; }, 30));
    EXPECT_EQ(world->held, 1u) << "the game stands while the list is open";
    EXPECT_EQ(list.Title()->Literal(), FormatUIMessage("ALL_ACTOR_INFO_WINDOW_TITLE", {UIFullWidthNumber(25)}));
    EXPECT_EQ(list.ListBar()->Maximum(), 15);
    EXPECT_EQ(list.Row(0).name->Literal(), Name(*world->fieldObjects->crew[0]));

    // The first member works in the kitchen, lives in the quarters and cooks where it stands.
    GAME_CObjectActor& cook = *world->fieldObjects->crew[0];
    GiveTraits(cook, {MakeTag("S001"), MakeTag("S002")}, {MakeTag("B001"), MakeTag("B002")}, {MakeTag("N001"), MakeTag("N002")});
    kitchen.AssignCrew(&cook);
    quarters.AssignCrew(&cook);
    GAME_CTaskBase* cooking = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(IndexOf(kitchen)));
    ASSERT_NE(cooking, nullptr);
    cooking->AddCrew(&cook);
    world->ship->GetCellFloorPoint(kitchen.gridX, kitchen.gridY, &cook.position.x, &cook.position.y, false);
    cook.UpdateGridCell();
    cook.assigned = 1;
    ASSERT_EQ(cook.GetRoomAtOwnCell(), &kitchen);

    Press(kActionCursorUp);
    EXPECT_EQ(list.List().top, 15);
    EXPECT_EQ(list.List().cursor, 9);
    EXPECT_EQ(list.ListBar()->Value(), 15);
    EXPECT_EQ(list.SelectedMember(), world->fieldObjects->crew[24]);
    EXPECT_EQ(list.Row(9).name->Literal(), Name(*world->fieldObjects->crew[24]));
    Press(kActionCursorDown);
    EXPECT_EQ(list.List().top, 0);
    EXPECT_EQ(list.List().cursor, 0);
    EXPECT_EQ(list.SelectedMember(), &cook);
    Keep("crew-list");

    EXPECT_EQ(list.PanelBar()->Maximum(), 8);
    const std::u16string kitchenName = GetMessageTextExpanded("ID04");
    EXPECT_EQ(list.PanelLine(0)->Literal(), FormatUIMessage("ALL_ACTOR_INFO_BIND_TASK_ROOM", {kitchenName}));
    EXPECT_EQ(list.PanelLine(1)->Literal(), FormatUIMessage("ALL_ACTOR_INFO_BIND_HOUSE_ROOM", {GetMessageTextExpanded("ID03")}));
    EXPECT_EQ(list.PanelLine(2)->Literal(), FormatUIMessage("ALL_ACTOR_INFO_COOKING", {kitchenName}));
    EXPECT_EQ(list.PanelLine(3)->Literal(), GetMessageTextExpanded("S001"));
    EXPECT_EQ(list.PanelLine(4)->Literal(), Description("S001"));
    EXPECT_EQ(list.Meters().Row(UICrewMeter::kStamina).BarColor(), UICrewMeters::kStaminaColor);

    // On the panel, up from the top wraps to its last position, where the first buff's description leads.
    Press(kActionCursorLeft);
    EXPECT_EQ(list.CurrentFocus(), GAME_CUIAllActorInfo::Focus::kPanel);
    Press(kActionCursorUp);
    EXPECT_EQ(list.PanelBar()->Value(), 8);
    EXPECT_EQ(list.PanelLine(0)->Literal(), Description("B001"));
    EXPECT_EQ(list.PanelLine(6)->Literal(), Description("N002"));
    Press(kActionCursorRight);
    EXPECT_EQ(list.CurrentFocus(), GAME_CUIAllActorInfo::Focus::kList);

    // A click picks a row; the wheel over the list scrolls it, over the panel the panel.
    ClickAt(400, 163);
    StepFrames(2);
    EXPECT_EQ(list.List().cursor, 3);
    EXPECT_EQ(list.SelectedMember(), world->fieldObjects->crew[3]);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(list.ListBar()->Value(), 1);
    EXPECT_EQ(list.Row(0).name->Literal(), Name(*world->fieldObjects->crew[1]));
    EXPECT_EQ(list.SelectedMember(), world->fieldObjects->crew[4]);
    Wheel(1);
    StepFrames(2);
    EXPECT_EQ(list.ListBar()->Value(), 0);
    ClickAt(400, 109);
    StepFrames(2);
    EXPECT_EQ(list.SelectedMember(), &cook);
    ClickAt(200, 250);
    StepFrames(2);
    EXPECT_EQ(list.CurrentFocus(), GAME_CUIAllActorInfo::Focus::kPanel);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(list.PanelBar()->Value(), 1);
    EXPECT_EQ(list.PanelLine(0)->Literal(), FormatUIMessage("ALL_ACTOR_INFO_BIND_HOUSE_ROOM", {GetMessageTextExpanded("ID03")}));
    Press(kActionCursorRight);

    // The HUD forbids picking crew: decide only sounds.
    auto& hud = *UI().Get<GAME_CUICommon>();
    hud.crewPickFlag = 0;
    const std::size_t beforeRefused = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(CountPlayed(kSeUIDecide, beforeRefused), 1);
    EXPECT_EQ(list.State(), UIScreenState::kMain);
    EXPECT_FALSE(UI().IsOpen(kSlotActorStatus));
    hud.crewPickFlag = 1;
    Press(kActionDecide);
    EXPECT_TRUE(UI().IsOpen(kSlotActorStatus));
    EXPECT_EQ(UI().Get<GAME_CUIActorStatus>()->targetActor, &cook);
    EXPECT_EQ(world->camera->followedObject, &cook);
    ASSERT_TRUE(StepUntil([&] { return !list.IsOpen(); }, 30));
    cooking->RemoveCrew(&cook);
    ASSERT_TRUE(CloseScreen(kSlotActorStatus));

    // With the mouse: a click on the chosen row opens its member's window as decide does, and the
    // window stays up once the button is let go.
    UI().SetOpen(kSlotAllActorInfo, true);
    ASSERT_TRUE(StepUntil([&] { return list.State() == UIScreenState::kMain; }, 30));
    ClickAt(400, 109);
    StepFrames(2);
    ASSERT_EQ(list.SelectedMember(), &cook);
    ClickAt(400, 109);
    StepFrames(20);
    EXPECT_TRUE(UI().IsOpen(kSlotActorStatus));
    EXPECT_EQ(UI().Get<GAME_CUIActorStatus>()->targetActor, &cook);
    ASSERT_TRUE(CloseScreen(kSlotActorStatus));
}

// The list shows the crew as it stands while it is open: a member who joins gets a row and the title
// counts it; a member who leaves takes its row away, the rows below it move up, and the cursor that
// stood past the end goes back to the first member, whose details show.
TEST_F(CrewScreensTest, TheCrewListFollowsTheCrewWhileItShows)
{
    while (world->fieldObjects->crew.size() < 3) NewMember();
    const std::vector<GAME_CObjectActor*>& crew = world->fieldObjects->crew;
    const int before = static_cast<int>(crew.size());
    UI().SetOpen(kSlotAllActorInfo, true);
    auto& list = *UI().Get<GAME_CUIAllActorInfo>();
    ASSERT_TRUE(StepUntil([&] { return list.State() == UIScreenState::kMain; }, 30));
    const auto title = [](int count) { return FormatUIMessage("ALL_ACTOR_INFO_WINDOW_TITLE", {UIFullWidthNumber(count)}); };
    ASSERT_EQ(list.Title()->Literal(), title(before));

    GAME_CObjectActor& newcomer = NewMember();
    StepFrames(2);
    EXPECT_EQ(list.Title()->Literal(), title(before + 1));
    EXPECT_EQ(list.Row(before).name->Literal(), Name(newcomer));
    EXPECT_EQ(list.Row(before - 1).separator->Color() >> 24, 0xFFu) << "a rule under the row above the new one";
    Press(kActionCursorUp);
    ASSERT_EQ(list.SelectedMember(), &newcomer);

    GAME_CObjectActor* leaving = crew[0];
    leaving->dead = 1;
    world->fieldObjects->RemoveDeadActors();
    StepFrames(2);
    EXPECT_EQ(list.Title()->Literal(), title(before));
    for (int row = 0; row < before; ++row) EXPECT_EQ(list.Row(row).name->Literal(), Name(*crew[static_cast<std::size_t>(row)])) << row;
    EXPECT_EQ(list.Row(before).name->Literal(), u"");
    EXPECT_EQ(list.SelectedMember(), crew[0]);
    EXPECT_EQ(list.Meters().Row(UICrewMeter::kHP).ValueLabel()->Literal(),
              UIFullWidthNumber(crew[0]->status.GetHP()) + u"/" + UIFullWidthNumber(crew[0]->status.computed.maxHp));
}

// A full crew of 128 fills the list's bar with 119 places: scrolled to the last member, the bar's
// gauge stands at the bar's foot, and nothing of it is drawn past the bar over the window's edge
// or the HUD below.
TEST_F(CrewScreensTest, TheListOfAFullCrewKeepsItsScrollGaugeInsideTheBar)
{
    while (AddCrewMember() != nullptr) {}
    ASSERT_EQ(world->fieldObjects->crew.size(), GAME_CFieldObjectManager::kCrewPoolSize);
    UI().SetOpen(kSlotAllActorInfo, true);
    auto& list = *UI().Get<GAME_CUIAllActorInfo>();
    ASSERT_TRUE(StepUntil([&] { return list.State() == UIScreenState::kMain; }, 30));
    StepFrames(1);
    ASSERT_EQ(list.ListBar()->Maximum(), 118);
    const auto gauge = [&] {
        const support::RecordedSpriteDraw* drawn = FindSpriteDraw(2, "ui_scrollbar_gauge");
        return drawn != nullptr ? std::optional<support::RecordedSpriteDraw>(*drawn) : std::nullopt;
    };
    const std::optional<support::RecordedSpriteDraw> first = gauge();
    ASSERT_TRUE(first.has_value());
    // The gauge's first place lies 2 units into the bar, which is 180 units long.
    const int barFoot = static_cast<int>(first->y) - 2 + 180;
    const int column = static_cast<int>(first->x) + 3;
    std::vector<std::uint32_t> belowTheBar;
    for (int y = barFoot; y < 360; ++y) belowTheBar.push_back(CanvasPixel(column, y));

    Press(kActionCursorUp);
    ASSERT_EQ(list.ListBar()->Value(), 118);
    const std::optional<support::RecordedSpriteDraw> last = gauge();
    ASSERT_TRUE(last.has_value());
    EXPECT_GT(last->y, static_cast<float>(barFoot - 12)) << "the last member's place is at the bar's foot";
    EXPECT_LT(last->y, static_cast<float>(barFoot - 2));
    for (int y = barFoot; y < 360; ++y) {
        EXPECT_EQ(CanvasPixel(column, y), belowTheBar[static_cast<std::size_t>(y - barFoot)]) << "at " << y;
    }
}

// In every language the binding questions and notices, with the widest room and crew names, keep to
// the shared dialog.
TEST_F(CrewScreensTest, TheBindingQuestionsAndNoticesFitTheDialogWithTheWidestNamesInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string file(GetMessageFileForLanguage(language));
        const std::u16string room = WidestTagName(std::views::keys(GetStaticDatabase()->Rooms()));
        const std::u16string member = WidestCrewName();
        for (const char* key : {"ACTOR_STATUS_BIND_YESNO", "ACTOR_STATUS_BIND_FINISHED", "ACTOR_STATUS_UNBIND_YESNO", "ACTOR_STATUS_UNBIND_FINISHED"}) {
            ExpectFitsDialog(FormatUIMessage(key, {room, member}), file + ": " + key);
        }
        ExpectFitsDialog(GetMessageTextExpanded("ADD_TEXT_UI_ROOM_ACTOR_01"), file + ": ADD_TEXT_UI_ROOM_ACTOR_01");
    }
}

// In every language each skill's, buff's and debuff's name and description fit their one line each
// in a room's crew window, beside the trait's icon: no wider than the rules under them less the indent.
// The description also fits the member window's line, which keeps no more than its room: a longer
// one is shown cut mid-word.
TEST_F(CrewScreensTest, EveryTraitFitsTheCrewWindowsLinesInEveryLanguage)
{
    // The rules start four units left of the lines, whose texts stand 26 units in beside the icons.
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_left")).x - 30.0f;
    const float descriptionRoom = std::min(textRoom, UICrewRow::kDescriptionWidth);
    const GAME_CStaticDatabase& database = *GetStaticDatabase();
    std::vector<std::uint32_t> ids;
    for (const auto& [id, skill] : database.Skills()) ids.push_back(id);
    for (const auto& [id, buff] : database.Buffs()) ids.push_back(id);
    for (const auto& [id, debuff] : database.Debuffs()) ids.push_back(id);
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (const std::uint32_t id : ids) {
            EXPECT_LE(MeasureUIText(UITagName(id)), textRoom) << file << ": " << TagText(id);
            EXPECT_LE(MeasureUIText(Description(TagText(id).c_str())), descriptionRoom) << file << ": " << TagText(id) << "_DISCRIPT";
        }
    }
}

}  // namespace

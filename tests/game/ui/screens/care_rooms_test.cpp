// The infirmary and the mind-control room: what each lists, the question, the order and its notice, the refusals, an empty list and the task page.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ranges>
#include <string>
#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/task_care.h"
#include "game/model/ship/task_manager.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/player_data.h"
#include "game/services/text/language.h"
#include "game/services/text/actor_names.h"
#include "game/ui/screens/ui_hospital.h"
#include "game/ui/screens/ui_mind_control.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

using Step = GAME_CUICrewCareScreen::Step;
constexpr std::uint32_t kCold = MakeTag("N001");
constexpr std::uint32_t kSandFever = MakeTag("N004");
constexpr std::uint32_t kQuickHands = MakeTag("S001");
constexpr std::uint32_t kMedicine = MakeTag("I014");

class CareRoomsTest : public support::RoomScreenTest {
protected:
    void SetUp() override
    {
        support::RoomScreenTest::SetUp();
        // The crew the game starts with: whole, without traits, so that only the test's member counts.
        for (GAME_CObjectActor* member : world->fieldObjects->crew) {
            if (member != nullptr) Heal(*member, {}, {});
        }
    }

    // Full HP, the given skills and debuffs and no others.
    static void Heal(GAME_CObjectActor& member, std::initializer_list<std::uint32_t> skills, std::initializer_list<std::uint32_t> debuffs)
    {
        GiveTraits(member, skills, {}, debuffs);
        member.status.hp = member.status.computed.maxHp * 1000;
    }

    GAME_CObjectActor& NewMember()
    {
        GAME_CObjectActor* member = AddCrewMember();
        EXPECT_NE(member, nullptr);
        return *member;
    }

    static std::u16string Name(const GAME_CObjectActor& member) { return RomanizeKanaPair(std::u16string_view(member.status.name)); }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // The room's tasks of the kind, finished ones left out.
    std::vector<GAME_CTaskBase*> BoundTasks(const GAME_CRoomBase& room, std::int32_t kind) const
    {
        std::vector<GAME_CTaskBase*> found;
        for (GAME_CTaskBase* task : room.boundTasks) {
            if (task != nullptr && !task->IsFinished() && task->GetKind() == kind) found.push_back(task);
        }
        return found;
    }

    // First-aid tasks bound to the room until it holds five.
    void FillRoomTasks(const GAME_CRoomBase& room)
    {
        for (int tries = 0; tries < 5 && room.boundTasks.size() < kMaxRoomTasks; ++tries) {
            ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakePatientRequest(IndexOf(room), 0, 0, 0)), nullptr);
        }
        ASSERT_EQ(room.boundTasks.size(), kMaxRoomTasks);
    }

    void ClearRoomTasks(GAME_CRoomBase& room)
    {
        world->tasks->RemoveRoomTasks(&room);
        world->tasks->PurgeFinishedTasks();
    }

    // A click on a visible row of the list.
    void ClickRow(int row)
    {
        ClickAt(400, 110 + 18 * row);
        StepFrames(3);
    }

    // A yes to the question with the task list taken away: nothing can be made.
    void AnswerYesWithoutTaskList()
    {
        std::unique_ptr<GAME_CTaskManager> tasks = std::move(world->tasks);
        AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
        StepFrames(2);
        world->tasks = std::move(tasks);
    }

    // The line of the dialog's message that reads the text, -1 when none does.
    static int DialogLineOf(const std::u16string& text)
    {
        const std::u16string& message = Dialog().Message();
        int line = 0;
        for (std::size_t start = 0;; ++line) {
            const std::size_t end = message.find(u'\n', start);
            if (message.substr(start, end - start) == text) return line;
            if (end == std::u16string::npos) return -1;
            start = end + 1;
        }
    }
};

// A member with a cold and missing HP gives two rows, first aid and the cold. The cure asks, its
// cursor on no, listing the medicine the ship lacks in the shortage colour with its icon; a yes
// orders one patient task for that member and cold, and the same order again is ignored. A room
// with five tasks takes no order; an order the task list cannot make is told as an error. A cure
// that needs an upgrade the room lacks is not taken until it is installed. Without patients the
// focus stands on the patient tab and the panel says so.
TEST_F(CareRoomsTest, TheInfirmaryListsCuresOrdersThemOnceAndRefusesWhatItCannotMake)
{
    GAME_CRoomBase& infirmary = Place("ID05", 4, 3);
    auto& screen = *UI().Get<GAME_CUIHospital>();

    OpenScreenOf(infirmary);
    ASSERT_EQ(screen.State(), UIScreenState::kMain);
    EXPECT_EQ(screen.EntryCount(), 0);
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.firstTab);
    EXPECT_STREQ(screen.NoMemberLabel()->Key(), "HOSPITAL_NO_PATIENT");
    EXPECT_EQ(screen.Meters().Row(UICrewMeter::kHP).ValueLabel()->Literal(), u"");
    ASSERT_TRUE(CloseScreen(kSlotHospital));

    GAME_CObjectActor& patient = NewMember();
    Heal(patient, {}, {kCold});
    patient.status.hp = 60'000;
    ASSERT_LT(patient.status.GetHP(), patient.status.computed.maxHp);
    OpenScreenOf(infirmary);
    ASSERT_EQ(screen.EntryCount(), 2);
    EXPECT_EQ(screen.EntryAt(0).slot, GAME_CUIHospital::kHealSlot);
    EXPECT_EQ(screen.EntryAt(1).slot, 1u);
    EXPECT_EQ(screen.Row(0).name->Literal(), FormatUIMessage("HOSPITAL_TASK_HEAL_HP", {Name(patient)}));
    EXPECT_EQ(screen.Row(1).name->Literal(), FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {Name(patient), UITagName(kCold)}));
    EXPECT_EQ(screen.Row(2).name->Literal(), u"");
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.list);
    EXPECT_EQ(screen.Meters().Row(UICrewMeter::kHP).ValueLabel()->Literal(),
              UIFullWidthNumber(60) + u"/" + UIFullWidthNumber(patient.status.computed.maxHp));
    EXPECT_EQ(screen.TraitLine(0)->Literal(), UITagName(kCold));
    Keep("infirmary");

    // Up from the first row leads to the task tab; up from the tab enters the list at its last row.
    Press(kActionCursorUp);
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.taskTab);
    Press(kActionCursorUp);
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.list);
    EXPECT_EQ(screen.CursorRow(), 1);
    Press(kActionCursorUp);
    ASSERT_EQ(screen.CursorRow(), 0);

    // The cold's cure: the question, and the medicine the ship lacks.
    Press(kActionCursorDown);
    ASSERT_EQ(screen.CursorRow(), 1);
    std::size_t from = frames.size();
    Press(kActionDecide);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(Dialog().cursorIndex, GAME_CUIInDisplaySelectionObject::kAnswerNo);
    const TaskData* cure = FindTreatmentData(kCold);
    ASSERT_NE(cure, nullptr);
    const std::int64_t held = UIAvailableItemCount(kMedicine, false);
    ASSERT_LT(held, 1) << "the start keeps the medicine short";
    const int line = DialogLineOf(UITagName(kMedicine) + u"：" + UIFullWidthNumber(1) + u"（" + UIFullWidthNumber(held) + u"）");
    ASSERT_GT(line, 0) << std::string(Dialog().Message().begin(), Dialog().Message().end());
    EXPECT_EQ(Dialog().lineColors[static_cast<std::size_t>(line)], GetUIColor(kUIColorShort));
    StepFrames(12);
    EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "icon_item_i014"), nullptr);
    Keep("infirmary-cure-question");

    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    ASSERT_EQ(screen.CurrentStep(), Step::kNotice);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("HOSPITAL_TASK_HEAL_RESERVED", {Name(patient)}));
    std::vector<GAME_CTaskBase*> cures = BoundTasks(infirmary, kTaskPatient);
    ASSERT_EQ(cures.size(), 1u);
    EXPECT_EQ(cures[0]->GetTaskData(), cure);
    EXPECT_EQ(cures[0]->GetTargetIndex().actor, &patient);
    // The notice lists no item, so the question's medicine icon is gone with its line.
    StepFrames(12);
    EXPECT_EQ(FindSpriteDraw(kUISpriteGroup, "icon_item_i014"), nullptr);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return screen.CurrentStep() == Step::kList; }, 5));

    // The same cure again: heard, then ignored.
    from = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    EXPECT_FALSE(Dialog().IsVisible());
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(BoundTasks(infirmary, kTaskPatient).size(), 1u);

    // First aid, answered yes while no task can be made: the error, not the order's notice.
    Press(kActionCursorUp);
    ASSERT_EQ(screen.CursorRow(), 0);
    Press(kActionDecide);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("HOSPITAL_CURE_TARGET_HP", {Name(patient)}));
    AnswerYesWithoutTaskList();
    EXPECT_EQ(screen.CurrentStep(), Step::kNotice);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ADDTASK_TEXT_ERROR_FATALERROR"));
    EXPECT_EQ(BoundTasks(infirmary, kTaskPatient).size(), 1u);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return screen.CurrentStep() == Step::kList; }, 5));

    // Five tasks in the room: the decide is not even heard.
    FillRoomTasks(infirmary);
    from = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    EXPECT_FALSE(Dialog().IsVisible());
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 0);

    // Sand fever's cure needs the infirmary's upgrade: in a plain infirmary the decide is heard and
    // ignored, the pointer silent; once the upgrade stands the cure is asked about.
    ClearRoomTasks(infirmary);
    ASSERT_TRUE(CloseScreen(kSlotHospital));
    Heal(patient, {}, {kSandFever});
    patient.status.hp = 60'000;
    const TaskData* feverCure = FindTreatmentData(kSandFever);
    ASSERT_NE(feverCure, nullptr);
    ASSERT_EQ(feverCure->requiredUpgradeBits, 1u) << "the shipped cure needs the infirmary's first upgrade";
    infirmary.installedUpgrades = 0;
    OpenScreenOf(infirmary);
    ASSERT_EQ(screen.EntryCount(), 2);
    Press(kActionCursorDown);
    ASSERT_EQ(screen.CursorRow(), 1);
    from = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    ClickRow(1);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    EXPECT_FALSE(Dialog().IsVisible());
    infirmary.installedUpgrades = 1u;
    ClickRow(1);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 2);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    EXPECT_EQ(Dialog().Message().substr(0, Dialog().Message().find(u'\n')),
              FormatUIMessage("HOSPITAL_CURE_TARGET_DEBUFF", {Name(patient), UITagName(feverCure->id)}));
}

// A row takes a click anywhere along it, from the cursor's place to the scroll bar: a click on the right
// end of a cure's words, past where the name and the trait end, moves the cursor there, and a second
// one there asks about that cure.
TEST_F(CareRoomsTest, ARowOfTheInfirmaryTakesAClickAlongItsWholeWidth)
{
    GAME_CRoomBase& infirmary = Place("ID05", 4, 3);
    auto& screen = *UI().Get<GAME_CUIHospital>();
    GAME_CObjectActor& patient = NewMember();
    Heal(patient, {}, {kCold});
    patient.status.hp = 60'000;
    OpenScreenOf(infirmary);
    ASSERT_EQ(screen.EntryCount(), 2);
    ASSERT_EQ(screen.CursorRow(), 0);

    constexpr int kRightEnd = 357 + 165;
    ClickAt(kRightEnd, 110 + 18);
    StepFrames(3);
    EXPECT_EQ(screen.CursorRow(), 1) << "the right end of the second row";
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    ClickAt(kRightEnd, 110);
    StepFrames(3);
    EXPECT_EQ(screen.CursorRow(), 0) << "the right end of the first row";
    ClickAt(kRightEnd, 110);
    StepFrames(3);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("HOSPITAL_CURE_TARGET_HP", {Name(patient)}));
}

// The list follows the crew while the infirmary shows: a patient who dies leaves it at once, the cursor
// staying with the entry it stood on; one who arrives hurt joins it; the cursor's own patient gone, it
// falls back onto the last entry, whose cure is asked about; the last patient gone, the focus goes to
// the patient tab and the panel says so. The screen still closes on cancel.
TEST_F(CareRoomsTest, TheInfirmaryListFollowsTheCrewWhileItShows)
{
    GAME_CRoomBase& infirmary = Place("ID05", 4, 3);
    auto& screen = *UI().Get<GAME_CUIHospital>();
    GAME_CObjectActor& first = NewMember();
    GAME_CObjectActor& second = NewMember();
    Heal(first, {}, {kCold});
    Heal(second, {}, {});
    first.status.hp = 60'000;
    second.status.hp = 60'000;
    OpenScreenOf(infirmary);
    ASSERT_EQ(screen.EntryCount(), 3);
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    ASSERT_EQ(screen.CursorRow(), 2);
    ASSERT_EQ(screen.EntryAt(2).member, &second);
    const auto hpShown = [&screen] { return screen.Meters().Row(UICrewMeter::kHP).ValueLabel()->Literal(); };
    const auto hpOf = [](const GAME_CObjectActor& member, int hp) {
        return UIFullWidthNumber(hp) + u"/" + UIFullWidthNumber(member.status.computed.maxHp);
    };

    first.status.hp = 0;
    StepFrames(2);
    ASSERT_EQ(screen.EntryCount(), 1) << "the dying member's rows are gone";
    EXPECT_EQ(screen.EntryAt(0).member, &second);
    EXPECT_EQ(screen.CursorRow(), 0);
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.list);
    EXPECT_EQ(screen.Row(0).name->Literal(), FormatUIMessage("HOSPITAL_TASK_HEAL_HP", {Name(second)}));
    EXPECT_EQ(screen.Row(1).name->Literal(), u"");
    EXPECT_EQ(hpShown(), hpOf(second, 60));

    GAME_CObjectActor& third = NewMember();
    Heal(third, {}, {});
    third.status.hp = 30'000;
    StepFrames(2);
    ASSERT_EQ(screen.EntryCount(), 2) << "the member who arrived hurt is listed";
    EXPECT_EQ(screen.EntryAt(1).member, &third);
    EXPECT_EQ(screen.Row(1).name->Literal(), FormatUIMessage("HOSPITAL_TASK_HEAL_HP", {Name(third)}));
    EXPECT_EQ(screen.CursorRow(), 0);
    Press(kActionCursorDown);
    ASSERT_EQ(screen.CursorRow(), 1);
    EXPECT_EQ(hpShown(), hpOf(third, 30));

    third.status.hp = 0;
    StepFrames(2);
    ASSERT_EQ(screen.EntryCount(), 1);
    EXPECT_EQ(screen.CursorRow(), 0);
    EXPECT_EQ(hpShown(), hpOf(second, 60));
    Press(kActionDecide);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("HOSPITAL_CURE_TARGET_HP", {Name(second)}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return screen.CurrentStep() == Step::kList; }, 30));

    second.status.hp = 0;
    StepFrames(2);
    EXPECT_EQ(screen.EntryCount(), 0);
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.firstTab);
    EXPECT_STREQ(screen.NoMemberLabel()->Key(), "HOSPITAL_NO_PATIENT");
    EXPECT_EQ(hpShown(), u"");
    Press(kActionCancel, 1);
    EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotHospital); }, 60));
}

// A row decided asks its question at the next frame; the task tab's key pressed in that frame must not
// reach the tab, whose switch would come as its press ends and leave the question with nothing to hear
// its answer.
TEST_F(CareRoomsTest, ATabKeyRightAfterARowIsDecidedLeavesTheQuestionAnswerable)
{
    GAME_CRoomBase& infirmary = Place("ID05", 4, 3);
    auto& screen = *UI().Get<GAME_CUIHospital>();
    GAME_CObjectActor& patient = NewMember();
    Heal(patient, {}, {kCold});
    OpenScreenOf(infirmary);
    ASSERT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.list);

    Press(kActionDecide, 1);
    Press(kActionMenuTabRight, 1);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    StepFrames(30);
    EXPECT_EQ(screen.CurrentStep(), Step::kQuestion);
    ASSERT_TRUE(Dialog().IsVisible());
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return !Dialog().IsVisible(); }, 30)) << "the answer is heard";
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    Press(kActionCancel, 1);
    EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotHospital); }, 60));
}

// A finished mind-control room lists the skill it can take; a yes orders one task aimed at that
// member and slot, which sends for its medicine. The member aimed at already is heard and
// ignored; five tasks, and a record needing an upgrade the room lacks, refuse silently by key and
// by pointer alike; an order the list cannot make is told as an error. With no
// skill to take the panel says so and the focus stands on the crew tab. The task page scrolls its
// room lines, the first upgrade taking the durability's line, and the crew tab's key returns.
TEST_F(CareRoomsTest, TheMindControlRoomOrdersASkillTakenOnceAndShowsItsRoomOnTheTaskPage)
{
    GAME_CRoomBase& room = Place("ID14", 4, 3);
    auto& screen = *UI().Get<GAME_CUIMindControl>();
    GAME_CObjectActor& member = NewMember();
    Heal(member, {kQuickHands}, {});

    OpenScreenOf(room);
    ASSERT_EQ(screen.State(), UIScreenState::kMain);
    ASSERT_EQ(screen.EntryCount(), 1);
    EXPECT_EQ(screen.EntryAt(0).member, &member);
    EXPECT_EQ(screen.Row(0).name->Literal(), FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {Name(member), UITagName(kQuickHands)}));
    EXPECT_EQ(screen.TraitLine(0)->Literal(), UITagName(kQuickHands));
    // The bar beside the skills stands, though it has nothing to scroll.
    ASSERT_NE(screen.TraitsBar(), nullptr);
    EXPECT_TRUE(screen.TraitsBar()->IsVisible());
    EXPECT_EQ(screen.TraitsBar()->Maximum(), 0);
    EXPECT_TRUE(screen.TraitsBar()->DrawsWhenEmpty());
    EXPECT_FALSE(screen.TraitsBar()->TakesWheel());
    EXPECT_EQ(UI().Get<GAME_CUIHospital>()->TraitsBar(), nullptr);
    Keep("mind-control");

    std::size_t from = frames.size();
    Press(kActionDecide);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("MINDCONTROL_DELETE_SKILL_YESNO0", {Name(member), UITagName(kQuickHands)}));
    Keep("mind-control-question");
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    ASSERT_EQ(screen.CurrentStep(), Step::kNotice);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("MINDCONTROL_DELETE_SKILL_FINISHED", {Name(member), UITagName(kQuickHands)}));
    const std::vector<GAME_CTaskBase*> orders = BoundTasks(room, kTaskMindControl);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0]->id, MakeTag("TMDC"));
    EXPECT_EQ(orders[0]->GetTargetIndex().actor, &member);
    EXPECT_EQ(static_cast<GAME_CTaskMindControl*>(orders[0])->SkillSlot(), 0u);
    std::vector<GAME_CTaskBase*> carries;
    world->tasks->GetTasksOfKind(kTaskCarrierFromInventory, carries);
    EXPECT_TRUE(std::any_of(carries.begin(), carries.end(), [](const GAME_CTaskBase* carry) { return carry->GetReservedItemId() == kMedicine; }))
        << "the order sends for its medicine";
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return screen.CurrentStep() == Step::kList; }, 5));

    // The member aimed at already: the decide sound, and no question.
    from = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    EXPECT_FALSE(Dialog().IsVisible());

    // The order gone, a yes the task list cannot make: the error.
    world->tasks->RemoveRoomTasks(&room);
    world->tasks->PurgeFinishedTasks();
    Press(kActionDecide);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    AnswerYesWithoutTaskList();
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ADDTASK_TEXT_ERROR_FATALERROR"));
    EXPECT_TRUE(BoundTasks(room, kTaskMindControl).empty());
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return screen.CurrentStep() == Step::kList; }, 5));

    // Five tasks: not a sound.
    FillRoomTasks(room);
    from = frames.size();
    Press(kActionDecide);
    ClickRow(0);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 0);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    ClearRoomTasks(room);

    // The skill's record made to need the room's second upgrade: not a sound until it stands.
    TaskData& record = *GetStaticDatabase()->GetOrCreateTaskData(MakeTag("TMDC"));
    ASSERT_EQ(FindMindControlData(kQuickHands), &record);
    record.requiredUpgradeBits = 1u << 1;
    room.installedUpgrades = 1u << 0;
    from = frames.size();
    Press(kActionDecide);
    ClickRow(0);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 0);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    EXPECT_FALSE(Dialog().IsVisible());
    room.installedUpgrades = 0b11;
    ClickRow(0);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    ASSERT_EQ(screen.CurrentStep(), Step::kQuestion);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return screen.CurrentStep() == Step::kList; }, 5));
    EXPECT_TRUE(BoundTasks(room, kTaskMindControl).empty());
    record.requiredUpgradeBits = 0;
    room.installedUpgrades = 0;

    // The task page over six installed upgrades: four lines below the durability, scrolled by one
    // (the wheel over the information) the first upgrade takes the durability's line.
    const RoomData* kindData = room.roomData;
    RoomData data = *kindData;
    for (int n = 0; n < 6; ++n) {
        data.upgrades[static_cast<std::size_t>(n)].type = n;
        data.upgrades[static_cast<std::size_t>(n)].nameKey = "TU0" + std::to_string(n + 1);
    }
    room.roomData = &data;
    room.installedUpgrades = 0x3F;
    Press(kActionMenuTabRight, 20);
    ASSERT_EQ(screen.CurrentStep(), Step::kTaskPage);
    EXPECT_EQ(room.rememberedTab, 3);
    GAME_CUIRoomTaskTab& tab = screen.TaskTab();
    EXPECT_EQ(tab.ScrollBar()->Maximum(), 2);
    EXPECT_EQ(tab.DisplayLabel(0)->Literal(), GetMessageTextExpanded("SHIP_STATUS_HP"));
    PointerMove(200, 150);
    Wheel(-1);
    StepFrames(2);
    ASSERT_EQ(tab.ScrollBar()->Value(), 1);
    ExpectUpgradesOnTop(tab, "TU01", "TU02");
    Press(kActionMenuTabLeft, 20);
    EXPECT_EQ(screen.CurrentStep(), Step::kList);
    EXPECT_EQ(room.rememberedTab, 0);

    // No skill left to take.
    ASSERT_TRUE(CloseScreen(kSlotMindControl));
    room.roomData = kindData;
    Heal(member, {}, {});
    OpenScreenOf(room);
    EXPECT_EQ(screen.EntryCount(), 0);
    EXPECT_STREQ(screen.NoMemberLabel()->Key(), "MINDCONTROL_NO_TARGET");
    EXPECT_EQ(screen.ListFocus(), GAME_CUICrewCareScreen::kFocus.firstTab);
    EXPECT_FALSE(screen.TraitsBar()->IsVisible());
}

// A row of either list, naming the widest crew name with the widest debuff, skill or first aid, ends
// inside the bar that marks the row: the bar runs 156 units from 17 right of the cursor at x 357, the
// text starts at x 396.
TEST_F(CareRoomsTest, EveryCareRowFitsItsBarInEveryLanguage)
{
    constexpr float kTextRoom = 357.0f + 17.0f + 156.0f - 396.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string file(GetMessageFileForLanguage(language));
        const std::u16string member = WidestCrewName();
        const std::u16string debuff = WidestTagName(std::views::keys(GetStaticDatabase()->Debuffs()));
        const std::u16string skill = WidestTagName(std::views::keys(GetStaticDatabase()->Skills()));
        EXPECT_LE(MeasureUIText(FormatUIMessage("HOSPITAL_TASK_HEAL_HP", {member})), kTextRoom) << file << ": first aid";
        EXPECT_LE(MeasureUIText(FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {member, debuff})), kTextRoom) << file << ": the widest debuff";
        EXPECT_LE(MeasureUIText(FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {member, skill})), kTextRoom) << file << ": the widest skill";
    }
}

}  // namespace

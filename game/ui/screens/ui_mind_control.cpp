// The mind-control screen (slot 20): the crew's skills a mind-control room can take away, the deletion ordered after a question, and the room's task page.
#include "game/ui/screens/ui_mind_control.h"

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_lookups.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_text.h"

namespace {

constexpr std::size_t kTextLimit = 128;

UICrewCareLayout MindControlLayout()
{
    UICrewCareLayout layout{.firstTabKey = "MINDCONTROL_TAB_TEXT_ACTOR",
                            .taskTabKey = "MINDCONTROL_TAB_TEXT_TASK",
                            .noMemberKey = "MINDCONTROL_NO_TARGET",
                            .slot = kSlotMindControl,
                            .firstMeterFrame = {131.0f, 104.0f},
                            .traits = UICrewTrait::kSkill,
                            .traitLines = 4};
    UIRoomTaskTabLayout& page = layout.taskPage;
    page.informationHeader = {97.0f, 87.0f};
    page.executingHeader = {371.0f, 87.0f};
    page.actorHeader = {107.0f, 212.0f};
    page.centreSeparator = {99.0f, 204.0f};
    page.hpFrame = {131.0f, 104.0f};
    page.upgradeLabel = {100.0f, 121.0f};
    page.upgradeLines = 4;
    page.scrollBar = {346.0f, 99.0f};
    page.scrollBarHeight = 86.0f;
    page.controllerOrigin = {378.0f, 100.0f};
    page.crewPanelPoint = {121.0f, 223.0f};
    page.focusPlaces = {{{325.0f, 263.0f}, {105.0f, 263.0f}, {602.0f, 182.0f}, {55.0f, 182.0f}, {83.0f, 100.0f}}};
    page.scrollBarFocus = false;
    page.silentFocus = true;
    return layout;
}

std::u16string Limited(std::u16string text)
{
    if (text.size() > kTextLimit) text.resize(kTextLimit);
    return text;
}

}  // namespace

GAME_CUIMindControl::GAME_CUIMindControl(const UIScreenContext& context) : GAME_CUICrewCareScreen(context, MindControlLayout()) {}

std::uint32_t GAME_CUIMindControl::SkillOf(const UICrewCareEntry& entry)
{
    if (entry.member == nullptr || entry.slot >= entry.member->status.skills.size()) return kNoId;
    const auto& slot = entry.member->status.skills[entry.slot];
    return slot.record != nullptr ? slot.id : kNoId;
}

void GAME_CUIMindControl::CollectEntries()
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    if (objects == nullptr) return;
    for (GAME_CObjectActor* member : objects->crew) {
        if (member == nullptr) continue;
        for (std::uint32_t slot = 0; slot < member->status.skills.size(); ++slot) {
            const std::uint32_t skill = SkillOf({member, slot});
            if (skill != kNoId && FindMindControlData(skill) != nullptr && !AddEntry(member, slot)) return;
        }
    }
}

std::u16string GAME_CUIMindControl::RowText(const UICrewCareEntry& entry) const
{
    const std::uint32_t skill = SkillOf(entry);
    if (skill == kNoId) return u"";
    return FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {MemberName(*entry.member), UITagName(skill)});
}

bool GAME_CUIMindControl::MayChoose(const UICrewCareEntry& entry, bool /*byKey*/)
{
    if (CountRoomTasks() >= kUIRoomTaskSlots) return false;
    const TaskData* record = FindMindControlData(SkillOf(entry));
    if (record == nullptr || !CheckTaskRequest(*record, target, nullptr)) return false;
    PlayUISE(kSeUIDecide);
    // A member already aimed at by a task of this room is heard, then ignored.
    return CanTargetActorInRoom(kTaskMindControl, record->id, target, entry.member);
}

void GAME_CUIMindControl::AskAbout(const UICrewCareEntry& chosen)
{
    const std::u16string question =
        FormatUIMessage("MINDCONTROL_DELETE_SKILL_YESNO0", {MemberName(*chosen.member), UITagName(SkillOf(chosen))});
    AskInDialog(kSlotMindControl, {.text = Limited(question), .centred = true});
}

void GAME_CUIMindControl::Order(const UICrewCareEntry& chosen)
{
    const std::int32_t room = RoomIndex();
    const std::u16string notice =
        FormatUIMessage("MINDCONTROL_DELETE_SKILL_FINISHED", {MemberName(*chosen.member), UITagName(SkillOf(chosen))});
    // Without the room on the ship there is nothing to bind the task to: no request at all.
    const GAME_CTaskBase* task =
        room >= 0 ? GAME_CTaskBase::CreateFromRequest(MakeMindControlRequest(room, chosen.slot, chosen.member, 0)) : nullptr;
    TellOrdered(task != nullptr, Limited(notice));
}

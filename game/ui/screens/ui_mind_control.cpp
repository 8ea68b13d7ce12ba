// The mind-control screen (slot 20): the crew's skills a mind-control room can take away, the deletion ordered after a question, and the room's task page.
#include "game/ui/screens/ui_mind_control.h"

#include "game/model/object/object_actor.h"
#include "game/model/ship/task_manager.h"
#include "game/services/data/static_lookups.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_text.h"

namespace {

UICrewCareLayout MindControlLayout()
{
    UICrewCareLayout layout{.firstTabKey = "MINDCONTROL_TAB_TEXT_ACTOR",
                            .taskTabKey = "MINDCONTROL_TAB_TEXT_TASK",
                            .noMemberKey = "MINDCONTROL_NO_TARGET",
                            .slot = kSlotMindControl,
                            .traits = UICrewTrait::kSkill,
                            .traitLines = 4,
                            .traitsBar = true};
    UIRoomTaskTabLayout& page = layout.taskPage;
    page.hpFrame = {70.0f, 155.0f};
    page.upgradeLabel = {39.0f, 172.0f};
    page.upgradeLines = 4;
    page.scrollBarHeight = 86.0f;
    page.scrollBarFocus = false;
    page.silentFocus = true;
    return layout;
}

// The skill of the entry's slot, none when the slot is empty.
std::uint32_t SkillOf(const UICrewCareEntry& entry)
{
    if (entry.member == nullptr || entry.slot >= entry.member->status.skills.size()) return kNoId;
    const auto& slot = entry.member->status.skills[entry.slot];
    return slot.record != nullptr ? slot.id : kNoId;
}

}  // namespace

GAME_CUIMindControl::GAME_CUIMindControl(const UIScreenContext& context) : GAME_CUICrewCareScreen(context, MindControlLayout()) {}

bool GAME_CUIMindControl::CollectEntriesOf(GAME_CObjectActor* member)
{
    for (std::uint32_t slot = 0; slot < member->status.skills.size(); ++slot) {
        const std::uint32_t skill = SkillOf({member, slot});
        if (skill != kNoId && FindMindControlData(skill) != nullptr && !AddEntry(member, slot)) return false;
    }
    return true;
}

std::u16string GAME_CUIMindControl::RowText(const UICrewCareEntry& entry) const
{
    const std::uint32_t skill = SkillOf(entry);
    if (skill == kNoId) return u"";
    return FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {MemberName(*entry.member), UITagName(skill)});
}

bool GAME_CUIMindControl::MayChoose(const UICrewCareEntry& entry, bool /*byKey*/)
{
    const TaskData* record = FindMindControlData(SkillOf(entry));
    if (record == nullptr || !CheckTaskRequest(*record, target, nullptr)) return false;
    PlayUISE(kSeUIDecide);
    // A member already aimed at by a task of this room is heard, then ignored.
    return CanTargetActorInRoom(kTaskMindControl, record->id, target, entry.member);
}

void GAME_CUIMindControl::AskAbout(const UICrewCareEntry& chosen)
{
    Ask(FormatUIMessage("MINDCONTROL_DELETE_SKILL_YESNO0", {MemberName(*chosen.member), UITagName(SkillOf(chosen))}));
}

GAME_CTaskRequest GAME_CUIMindControl::OrderRequest(const UICrewCareEntry& chosen, std::int32_t room) const
{
    return MakeMindControlRequest(room, chosen.slot, chosen.member, 0);
}

std::u16string GAME_CUIMindControl::OrderedText(const UICrewCareEntry& chosen) const
{
    return FormatUIMessage("MINDCONTROL_DELETE_SKILL_FINISHED", {MemberName(*chosen.member), UITagName(SkillOf(chosen))});
}

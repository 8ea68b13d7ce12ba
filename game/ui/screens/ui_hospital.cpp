// The hospital screen (slot 16): an infirmary's patients with what each needs, their cure ordered after a question, and the room's task page.
#include "game/ui/screens/ui_hospital.h"

#include <vector>

#include "game/model/object/object_actor.h"
#include "game/model/ship/task_manager.h"
#include "game/services/data/record_entries.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_text.h"

namespace {

constexpr std::uint32_t kHealTask = MakeTag("THHP");

UICrewCareLayout HospitalLayout()
{
    UICrewCareLayout layout{.firstTabKey = "HOSPITAL_TAB_TEXT_ACTOR",
                            .taskTabKey = "HOSPITAL_TAB_TEXT_TASK",
                            .noMemberKey = "HOSPITAL_NO_PATIENT",
                            .slot = kSlotHospital,
                            .traits = UICrewTrait::kDebuff,
                            .traitLines = 5,
                            .focusListOnOpening = true};
    layout.taskPage.tabChangeSwitches = true;
    layout.taskPage.scrollBarFocus = false;
    layout.taskPage.taskTabLeadsToSkip = true;
    layout.taskPage.otherTabLeadsToSkip = true;
    return layout;
}

// The treated debuff of a cure entry (none for first aid or an empty slot).
std::uint32_t DebuffOf(const UICrewCareEntry& entry)
{
    if (entry.member == nullptr || entry.slot == GAME_CUIHospital::kHealSlot || entry.slot > 2) return kNoId;
    const auto& slot = entry.member->status.debuffs[entry.slot - 1];
    return slot.record != nullptr ? slot.id : kNoId;
}

}  // namespace

GAME_CUIHospital::GAME_CUIHospital(const UIScreenContext& context) : GAME_CUICrewCareScreen(context, HospitalLayout()) {}

bool GAME_CUIHospital::CollectEntriesOf(GAME_CObjectActor* member)
{
    const GAME_CActorStatus& status = member->status;
    if (std::int64_t{status.hp} < std::int64_t{status.computed.maxHp} * 1000 && !AddEntry(member, kHealSlot)) return false;
    for (std::uint32_t slot = 0; slot < status.debuffs.size(); ++slot) {
        const auto& debuff = status.debuffs[slot];
        if (debuff.id != kNoId && debuff.record != nullptr && !AddEntry(member, slot + 1)) return false;
    }
    return true;
}

std::u16string GAME_CUIHospital::RowText(const UICrewCareEntry& entry) const
{
    if (entry.member == nullptr) return u"";
    if (entry.slot == kHealSlot) return FormatUIMessage("HOSPITAL_TASK_HEAL_HP", {MemberName(*entry.member)});
    const std::uint32_t debuff = DebuffOf(entry);
    if (debuff == kNoId) return u"";
    return FormatUIMessage("HOSPITAL_TASK_HEAL_DEBUFF", {MemberName(*entry.member), UITagName(debuff)});
}

bool GAME_CUIHospital::MayChoose(const UICrewCareEntry& entry, bool byKey)
{
    if (byKey) PlayUISE(kSeUIDecide);
    // The model knows a cure by its record's id; a debuff without a cure has no record.
    std::uint32_t treatment = kHealTask;
    if (entry.slot != kHealSlot) {
        const TaskData* cure = FindTreatmentData(DebuffOf(entry));
        // A cure that needs a better infirmary than this one is not taken here either.
        if (cure == nullptr || !HasRequiredUpgrades(*cure, target)) return false;
        treatment = cure->id;
    }
    if (!CanTargetActorInRoom(kTaskPatient, treatment, target, entry.member)) return false;
    if (!byKey) PlayUISE(kSeUIDecide);
    return true;
}

void GAME_CUIHospital::AskAbout(const UICrewCareEntry& chosen)
{
    const std::u16string name = MemberName(*chosen.member);
    if (chosen.slot == kHealSlot) {
        Ask(FormatUIMessage("HOSPITAL_CURE_TARGET_HP", {name}));
        return;
    }
    const TaskData* cure = FindTreatmentData(DebuffOf(chosen));
    const std::u16string cureName = cure != nullptr ? UITagName(cure->id) : u"";
    // What the cure uses, against what the ship holds of it that no task has claimed.
    std::vector<UIDialogItem> items;
    if (cure != nullptr) {
        const std::size_t used = CountLeadingEntries<ItemCount>(cure->materials, IsUnusedItemCount);
        for (std::size_t k = 0; k < used; ++k) {
            const ItemCount& need = cure->materials[k];
            const std::int64_t available = UIAvailableItemCount(need.itemId, false);
            const ItemData* item = FindItemData(need.itemId);
            items.push_back({.text = UITagName(need.itemId) + u"：" + UIFullWidthNumber(need.count) + u"（" + UIFullWidthNumber(available) + u"）",
                             .icon = item != nullptr ? item->iconSprite : kNoSprite,
                             .color = GetUIColor(available >= need.count ? kUIColorText : kUIColorShort)});
        }
    }
    Ask(FormatUIMessage("HOSPITAL_CURE_TARGET_DEBUFF", {name, cureName}), items);
}

GAME_CTaskRequest GAME_CUIHospital::OrderRequest(const UICrewCareEntry& chosen, std::int32_t room) const
{
    GAME_CTaskRequest request = MakePatientRequest(room, 0, chosen.slot == kHealSlot ? 0 : DebuffOf(chosen), 0);
    request.actor = chosen.member;
    return request;
}

std::u16string GAME_CUIHospital::OrderedText(const UICrewCareEntry& chosen) const
{
    return FormatUIMessage("HOSPITAL_TASK_HEAL_RESERVED", {MemberName(*chosen.member)});
}

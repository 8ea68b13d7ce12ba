// The hospital screen (slot 16): an infirmary's patients with what each needs, their cure ordered after a question, and the room's task page.
#pragma once

#include "game/ui/crew_care_screen.h"

// Each member below its full HP gives a row for first aid, each debuff it carries a row for its cure;
// a yes orders a patient task bound to the room for that member and treatment. An entry's slot: 0 HP,
// 1 and 2 the member's debuff slots.
class GAME_CUIHospital : public GAME_CUICrewCareScreen, public UIScreenSlot<kSlotHospital> {
public:
    static constexpr std::uint32_t kHealSlot = 0;

    explicit GAME_CUIHospital(const UIScreenContext& context);

protected:
    bool CollectEntriesOf(GAME_CObjectActor* member) override;
    std::u16string RowText(const UICrewCareEntry& entry) const override;
    bool MayChoose(const UICrewCareEntry& entry, bool byKey) override;
    void AskAbout(const UICrewCareEntry& chosen) override;
    GAME_CTaskRequest OrderRequest(const UICrewCareEntry& chosen, std::int32_t room) const override;
    std::u16string OrderedText(const UICrewCareEntry& chosen) const override;
};

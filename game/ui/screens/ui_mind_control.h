// The mind-control screen (slot 20): the crew's skills a mind-control room can take away, the deletion ordered after a question, and the room's task page.
#pragma once

#include "game/ui/crew_care_screen.h"

// Each skill of a member that has a mind-control record gives a row; a yes orders a mind-control
// task bound to the room, aimed at that member and skill slot. An entry's slot is the skill slot.
class GAME_CUIMindControl : public GAME_CUICrewCareScreen, public UIScreenSlot<kSlotMindControl> {
public:
    explicit GAME_CUIMindControl(const UIScreenContext& context);

protected:
    bool CollectEntriesOf(GAME_CObjectActor* member) override;
    std::u16string RowText(const UICrewCareEntry& entry) const override;
    bool MayChoose(const UICrewCareEntry& entry, bool byKey) override;
    void AskAbout(const UICrewCareEntry& chosen) override;
    GAME_CTaskRequest OrderRequest(const UICrewCareEntry& chosen, std::int32_t room) const override;
    std::u16string OrderedText(const UICrewCareEntry& chosen) const override;
};

// The instruction screen (slot 41): a pad picture with the name of the action bound to each button, on two pages.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "game/ui/ui_screen.h"

class GAME_CUILabelObject;
class GAME_CUINullObject;

// Page 0 shows the basic and gameplay actions, page 1 the basic and menu actions, each by the pad
// button bound to it now. Decide turns the page; cancel or a fresh pointer press goes back to the
// options screen, which keeps its edits.
class GAME_CUIInstruction : public GAME_CUIScreen, public UIScreenSlot<kSlotInstruction> {
public:
    static constexpr int kEntryCount = 14;

    explicit GAME_CUIInstruction(const UIScreenContext& context);

    int Page() const { return page_; }
    // The label key the pad button of the mask shows on the current page: the first action of the
    // page bound to it, "" when none is.
    std::string FindLabelKey(std::uint32_t padMask) const;
    // The icon of the pad button action 0 (decide) or 1 (cancel) is bound to; -1 outside the twelve.
    std::int32_t GetPadIconSprite(bool decide) const;
    const GAME_CUILabelObject* EntryLabel(int entry) const { return entries_[static_cast<std::size_t>(entry)].function; }
    const GAME_CUINullObject* PromptIcon(int prompt) const { return prompts_[static_cast<std::size_t>(prompt)].icon; }

    // The entries by the button they stand for.
    enum Entry : int { kEntryLB = 0, kEntryLT, kEntryLeftStick, kEntryUp, kEntryDown, kEntryRight, kEntryLeft, kEntryRB,
                       kEntryRT, kEntryA, kEntryB, kEntryX, kEntryY, kEntryRightStick };

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    struct Labelled {
        GAME_CUINullObject* icon = nullptr;
        GAME_CUILabelObject* colon = nullptr;
        GAME_CUILabelObject* function = nullptr;
    };

    void Build();
    Labelled MakeLabelled(const char* iconName, float x, float y, const char* key);
    void LayoutPage();
    std::span<const int> PageActions() const;
    void BackToOptions();

    std::array<Labelled, kEntryCount> entries_{};
    std::array<Labelled, 3> prompts_{};
    GAME_CUILabelObject* pageTitle_ = nullptr;
    int page_ = 0;
    // Only a press that begins while the screen stands in its main state leads back; one held since
    // the click that opened it counts once it has been let go.
    bool pointerSettled_ = false;
};

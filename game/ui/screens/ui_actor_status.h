// The crew status window (slot 13): one crew member's meters and traits with moving and dismissing it, or one field item's count with taking some away.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/crew_row.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CObjectActor;
class GAME_CObjectBase;
class GAME_CObjectItem;

// One page of the window: its root, the cursor bobbing beside its two rows of buttons, the buttons and
// their captions.
struct UIActorStatusPage {
    GAME_CUINullObject* root = nullptr;
    GAME_CUINullObject* cursor = nullptr;
    std::array<GAME_CUIIconObject*, 2> buttons{};
    std::array<GAME_CUILabelObject*, 2> captions{};
};

// Stands at once over the dimmed field, the crew member or item three times its size in the middle
// and followed by the camera. Pages: 0 the crew page, 1 the dismiss question, 2 the farewell notice,
// 3 the item page. The world runs on behind it but for the question and the notice, which hold it.
class GAME_CUIActorStatus : public GAME_CUIScreen, public UIScreenSlot<kSlotActorStatus> {
public:
    enum class Page : std::int32_t { kCrew = 0, kDismissQuestion = 1, kDismissResult = 2, kItem = 3 };
    enum ButtonRow : std::int32_t { kRowFirst = 0, kRowSecond = 1 };
    static constexpr std::int32_t kDismissSE = 46;
    // Achievement row 5: a crew member sent away on the road.
    static constexpr std::uint32_t kDismissAchievement = 5;
    static constexpr std::uint32_t kCoverColor = 0xBF043109u;

    explicit GAME_CUIActorStatus(const UIScreenContext& context);
    ~GAME_CUIActorStatus() override;

    void Draw() override;

    void OnPrevCrew();
    void OnNextCrew();
    void OnMove();
    void OnDismiss();
    void OnItemTakeOne();
    void OnItemTakeAll();

    // What the window shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    std::int32_t CursorRow() const { return cursorRow_; }
    const GAME_CUIIconObject* MoveButton() const { return crew_.buttons[kRowFirst]; }
    const GAME_CUIIconObject* DismissButton() const { return crew_.buttons[kRowSecond]; }
    const GAME_CUINullObject* TraitIcon(std::size_t kind, std::size_t slot) const { return traitIcons_[kind][slot]; }
    const GAME_CUINullObject* GroupLine(std::size_t kind) const { return groupLines_[kind]; }
    float GaugeScale(std::size_t meter) const;
    const UICrewRow& CrewRow() const { return crewRow_; }
    const GAME_CUILabelObject* ItemNameLabel() const { return itemName_; }
    const GAME_CUILabelObject* ItemCountLabel() const { return itemCount_; }
    const GAME_CUINullObject* ItemCountPlate() const { return countHeading_; }

    // Opens the window on a crew member's page, the camera following the member from now on.
    void OpenOnCrewMember(GAME_CObjectActor* member);

    // The HUD and the crew list set one of them before they open the window.
    GAME_CObjectActor* targetActor = nullptr;
    GAME_CObjectItem* targetItem = nullptr;

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void BuildCrewPage();
    void BuildItemPage();
    void BeginOpen();
    void EnterPage(Page page);
    void FollowWithCamera(const GAME_CObjectBase* object) const;
    void StopCamera() const;
    void CloseWithCancelSound();
    bool TargetGone() const;

    // A page's refresh runs before its tree takes the input, which the page's input step then reads.
    void RefreshCrewPage(bool input);
    void UpdateCrewPage(bool input);
    void RefreshButtons();
    void ShowMeters();
    void ShowTraits();
    void StepCrew(bool backwards);
    void OpenDismissQuestion();
    void DismissCrewMember();
    void UpdateDismissResult();
    // False when the item has gone and the window closes.
    bool RefreshItemPage(bool input);
    void UpdateItemPage(bool input);
    void StepCursor(GAME_CUINullObject* cursor);
    // A click anywhere or cancel closes the window, decide presses the page's button under the cursor;
    // false when neither came.
    bool CloseOrPress(const UIActorStatusPage& page);
    void ToggleRowOnRepeat();
    std::int32_t CountCrew() const;

    UIPages<Page> pages_{Page::kCrew};
    std::int32_t cursorRow_ = kRowFirst;
    // Both pages' cursors step left and back by it.
    UICursorBlink blink_;

    UIActorStatusPage crew_;
    // Skill, buff and debuff: the line to the group and its two icons.
    std::array<GAME_CUINullObject*, 3> groupLines_{};
    std::array<std::array<GAME_CUINullObject*, 2>, 3> traitIcons_{};
    std::array<UIGaugeFill, 3> gauges_{};
    GAME_CUINullObject* staminaWord_ = nullptr;
    GAME_CUINullObject* calorieWord_ = nullptr;
    GAME_CUIIconObject* prevArrow_ = nullptr;
    GAME_CUIIconObject* nextArrow_ = nullptr;
    // The name, the meters' digits and the trait rows.
    UICrewRow crewRow_;

    std::vector<GAME_CUIObjectBase*> itemPage_;
    UIActorStatusPage item_;
    GAME_CUILabelObject* itemName_ = nullptr;
    GAME_CUILabelObject* itemCount_ = nullptr;

    std::array<std::int32_t, 4> meterWords_{};
    // The count's plate, in the language's form.
    UILanguagePictures countPlate_;
    GAME_CUINullObject* countHeading_ = nullptr;
    std::int32_t workingRatSprite_ = kNoSprite;
};

// The build menu (slot 4): the room kinds the player may build, with what each takes, and the demolish entry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_list_object.h"

// One row per room kind of the static database, then the demolish entry "IDBR". A kind is listed
// when it can be built, listed disabled when it cannot be built now but is known, and left out
// otherwise. Choosing a row closes the menu and opens the build grid cursor (slot 5) for it.
class GAME_CUIBuild : public GAME_CUIScreen, public UIScreenSlot<kSlotBuild> {
public:
    static constexpr int kInfoLines = 11;
    static constexpr int kShownInfoLines = 7;
    // Row states.
    static constexpr std::int32_t kRowHidden = 0;
    static constexpr std::int32_t kRowDisabled = 1;
    static constexpr std::int32_t kRowEnabled = 2;
    // The colour of a count at its build limit (red, green, blue and alpha bytes from the lowest).
    static constexpr std::uint32_t kAtLimitColor = 0xFF0020FFu;

    explicit GAME_CUIBuild(const UIScreenContext& context);

    void Draw() override;

    // The row state of a room id (the row's argument).
    std::int32_t CanBuildRoom(std::intptr_t roomId) const;
    // The build button's release callback and the list's decide callback.
    void OnChooseRoom();

    // What the screen shows, for those who look at it.
    GAME_CUIListObject* List() const { return list_; }
    GAME_CUIIconObject* BuildButton() const { return button_; }
    const GAME_CUILabelObject* InfoLine(int line) const { return lines_[static_cast<std::size_t>(line)]; }
    const GAME_CUILabelObject* Description() const { return description_; }
    const GAME_CUIScrollBarObject* PanelScrollBar() const { return panelScroll_; }

private:
    void OnOpen();
    void BeginFrame(bool input) override;
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;
    // After the frame's step: a new selection rewrites the panel, a scrolled panel sounds.
    void FollowSelection();
    // The panel for the selected shown row (an empty panel and a disabled button when none shows).
    void RefreshRoomInfo();
    void PlaceInfoLines();
    const UIListObjectRowDesc* SelectedRow() const;

    GAME_CUIListObject* list_ = nullptr;
    GAME_CUIScrollBarObject* listScroll_ = nullptr;
    GAME_CUIScrollBarObject* panelScroll_ = nullptr;
    GAME_CUIIconObject* button_ = nullptr;
    GAME_CUILabelObject* description_ = nullptr;
    GAME_CUILabelObject* buttonLabel_ = nullptr;
    std::array<GAME_CUILabelObject*, kInfoLines> lines_{};
    std::array<GAME_CUINullObject*, kInfoLines> icons_{};
    // The draw list's panel widgets start here (the list window draws itself); texts from split_.
    std::size_t panelStart_ = 0;
    std::size_t split_ = 0;
    UILanguagePictures headers_;
    std::int32_t timerIcon_ = -1;
    std::int32_t buildIcon_ = -1;
    // The selected shown row when the panel was last written (-1: none); a new selection rewrites it.
    std::int64_t shownRow_ = -1;
    std::int32_t lineCount_ = 0;
    // The panel's scroll value as the frame began.
    std::int32_t panelAtStart_ = 0;
};

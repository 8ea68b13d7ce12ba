// The all-crew list (slot 29): every crew member by name, ten rows at a time, with the chosen member's meters, rooms, work and traits beside.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/crew_row.h"
#include "game/ui/info_panel.h"
#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CObjectActor;

// The HUD opens it. It slides down and holds the game while open. Deciding on a member (while the HUD
// permits picking crew) closes it, shows that member in the crew status window and has the camera
// follow it; the back button closes it and opens the HUD.
class GAME_CUIAllActorInfo : public GAME_CUIScreen, public UIScreenSlot<kSlotAllActorInfo> {
public:
    static constexpr int kRows = 10;
    static constexpr int kPanelLines = 7;
    enum class Focus : std::int32_t { kList = 0, kPanel = 1 };

    explicit GAME_CUIAllActorInfo(const UIScreenContext& context);

    void OnBack();

    // What the screen shows, for those who look at it.
    Focus CurrentFocus() const { return focus_; }
    const UIListView& List() const { return list_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    // A row's marker is its anchor and its icon.
    const UIItemRowWidgets& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUILabelObject* PanelLine(int line) const { return panel_.Label(line); }
    const GAME_CUIScrollBarObject* ListBar() const { return listBar_; }
    const GAME_CUIScrollBarObject* PanelBar() const { return panelBar_; }
    const UICrewMeters& Meters() const { return meters_; }
    // The member under the cursor, null when there is none.
    GAME_CObjectActor* SelectedMember() const;

private:
    void Build();
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;
    bool HandlePointer();
    void HandleKeys();
    void Decide();

    std::int32_t CrewCount() const;
    bool ShowsCurrentCrew() const;
    void ShowTitle();
    void RefreshList();
    void ShowDetail(const GAME_CObjectActor* member);
    void ShowSelected();
    void PlaceCursors();
    void GiveWheelToHoveredBar();

    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUIScrollBarObject* listBar_ = nullptr;
    GAME_CUIScrollBarObject* panelBar_ = nullptr;
    UIListCursor listCursor_;
    GAME_CUINullObject* panelCursor_ = nullptr;
    std::array<UIItemRowWidgets, kRows> rows_{};
    UICrewMeters meters_;
    UIInfoPanel panel_;

    UIListView list_{.visible = kRows, .wrap = UIListWrap::kRing};
    // The crew as the rows and the title last showed it.
    std::vector<const GAME_CObjectActor*> shownCrew_;
    Focus focus_ = Focus::kList;
    UILanguagePictures headings_;
};

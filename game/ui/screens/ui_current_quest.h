// The current quests (slot 27): every quest taken on any town's board, the selected one's detail, and giving one up.
#pragma once

#include <cstdint>
#include <vector>

#include "game/ui/focus_map.h"
#include "game/ui/list_view.h"
#include "game/ui/quest_window.h"
#include "game/ui/ui_screen.h"

// One listed quest: where it lies on which board.
struct CurrentQuestEntry {
    std::uint32_t questId = kNoId;
    std::int32_t daysLeft = 0;
    std::uint32_t hideoutId = kNoId;  // the board's town, -1 when the board has none
    std::int32_t board = -1;
    std::int32_t slot = -1;
};

// The list is built as the screen opens (and after a retire): boards in order, each board's taken
// slots in slot order. It holds the game while open; closing opens the HUD when the HUD opened it,
// else the pause menu.
class GAME_CUICurrentQuest : public GAME_CUIScreen, public UIScreenSlot<kSlotCurrentQuest> {
public:
    enum class Page : std::int32_t { kBrowse, kAskRetire, kRetired };
    using enum Page;
    enum Focus : std::int32_t { kFocusList = kQuestFocusList, kFocusDetail = kQuestFocusDetail };

    explicit GAME_CUICurrentQuest(const UIScreenContext& context);

    // Set by the HUD's quest-list button.
    std::uint32_t openedFromHud = 0;

    Page CurrentPage() const { return pages_.Current(); }
    const std::vector<CurrentQuestEntry>& Entries() const { return entries_; }
    const UIListView& List() const { return list_; }
    std::int32_t FocusAt() const { return focus_; }
    const UIQuestWindow& Window() const { return window_; }
    const GAME_CUIIconObject* RetireButton() const { return retire_.button; }

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;
    bool KeepsHoldOnClose() const override { return openedFromHud == 0; }

private:
    void Build();
    void BuildList();
    void Refresh();
    void ShowDetail(std::int32_t scroll);
    void Browse(bool input);
    void EnterPage(Page page);
    void OnClose();
    void OnRetire();

    UIQuestWindow window_;
    UIQuestButton retire_;
    std::vector<CurrentQuestEntry> entries_;
    UIListView list_{.visible = UIQuestWindow::kRows, .wrap = UIListWrap::kRing};
    std::int32_t focus_ = kFocusList;
    std::int32_t detailScroll_ = 0;
    UIPages<Page> pages_{kBrowse};
    // What a retire acts on, taken as it is asked.
    std::uint32_t selectedQuest_ = kNoId;
    std::int32_t selectedEntry_ = -1;
};

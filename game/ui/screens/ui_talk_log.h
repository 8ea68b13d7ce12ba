// The rumour log (slot 35): every rumour bought so far, under each hideout whose pub tells it, and its text read again.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/rumour_text_window.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// The log keeps nothing of its own: each opening lists the bought rumours anew, hideout by hideout
// in the database's order and within a hideout in its pub's order, so a rumour two pubs tell is
// listed twice. The eight rows read their texts again every frame.
class GAME_CUITalkLog : public GAME_CUIScreen, public UIScreenSlot<kSlotTalkLog> {
public:
    static constexpr int kRows = 8;
    enum class Step : std::int32_t { kList, kEnteringText, kText, kLeavingText };
    using enum Step;

    // One row: the rumour's and the hideout's positions in the database's maps.
    struct Entry {
        std::uint32_t rumour = 0;
        std::uint32_t hideout = 0;
    };

    struct Row {
        GAME_CUILabelObject* rumour = nullptr;
        GAME_CUILabelObject* hideout = nullptr;
    };

    explicit GAME_CUITalkLog(const UIScreenContext& context);

    void Draw() override;

    // Writes the eight rows' texts from the scroll position: the log's work of every frame.
    void RefreshRows();

    Step CurrentStep() const { return steps_.Current(); }
    const UIListView& List() const { return list_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    const GAME_CUIScrollBarObject* ListScrollBar() const { return listScroll_; }
    const Row& RowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUINullObject* CursorArrow() const { return cursor_.arrow; }
    const UIRumourTextWindow& TextWindow() const { return text_; }

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void BuildListWindow();
    void RebuildEntries();
    void UpdateList(bool input);
    void OpenEntry();

    std::array<Row, kRows> rows_{};
    GAME_CUIScrollBarObject* listScroll_ = nullptr;
    UIListCursor cursor_;
    UILanguagePictures headers_;

    UIRumourTextWindow text_;

    std::vector<Entry> entries_;
    UIListView list_{.visible = kRows, .wrap = UIListWrap::kRing};
    UIPages<Step> steps_{kList};
};

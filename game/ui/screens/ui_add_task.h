// The add-task screen (slot 22): the tasks a room can run, the needs of the one under the cursor, and the normal and repeating orders.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/info_panel.h"
#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

struct TaskData;

// A room screen's task tab opens it for its room (the base's target), with a ready-made entry
// (the dining hall's cooking of its dish) as the first entry when given. An order is checked
// against the task limits; a refusal shows its message in the shared dialog, an accepted order
// becomes a task and the screen closes.
class GAME_CUIAddTask : public GAME_CUIScreen, public UIScreenSlot<kSlotAddTask> {
public:
    static constexpr int kVisibleRows = 5;
    static constexpr int kInfoLines = 9;
    // The list, or a refused order's message in the shared dialog.
    enum class Page : std::int32_t { kList, kOrderError };
    using enum Page;

    explicit GAME_CUIAddTask(const UIScreenContext& context);

    // Whether a room's own list offers tasks of the kind; cooking comes only as the dining hall's
    // ready-made entry.
    static bool ListsTaskKind(std::int32_t kind);

    void Draw() override;

    // The one place orders are made: the two order buttons and a double click on a row.
    void IssueTaskRequest(const TaskData* record, bool repeat);

    // The entry offered first, written by the opener; cleared once the screen has closed.
    const TaskData* preset = nullptr;

    // What the screen shows, for those who look at it.
    const std::vector<const TaskData*>& Entries() const { return entries_; }
    std::int16_t CursorRow() const { return static_cast<std::int16_t>(list_.cursor); }
    std::int16_t FirstRow() const { return static_cast<std::int16_t>(list_.top); }
    std::uint32_t ResultCode() const { return resultCode_; }
    Page CurrentPage() const { return pages_.Current(); }
    const GAME_CUILabelObject* InfoLabel(int line) const { return info_.Label(line); }
    const GAME_CUILabelObject* RowLabel(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    GAME_CUIIconObject* NormalButton() const { return normal_; }
    GAME_CUIIconObject* RepeatButton() const { return repeat_; }
    const GAME_CUIScrollBarObject* InfoScrollBar() const { return infoScroll_; }

private:
    void Build();
    void RebuildTaskList();
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;
    void UpdateListInput(bool input);
    // The info scroll back to 0 and the panel for the entry under the cursor.
    void ResetInfoPanel();
    void RefreshInfoPanel(const TaskData* entry);
    void ShowOrderError();
    const TaskData* EntryUnderCursor() const;
    std::int32_t RoomIndex() const;

    GAME_CUINullObject* window_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUIScrollBarObject* listScroll_ = nullptr;
    UIInfoPanel info_;
    GAME_CUIScrollBarObject* infoScroll_ = nullptr;
    std::array<GAME_CUILabelObject*, kVisibleRows> rows_{};
    std::array<GAME_CUINullObject*, kVisibleRows> rowSeparators_{};
    UIListCursor cursor_;
    GAME_CUIIconObject* normal_ = nullptr;
    GAME_CUIIconObject* repeat_ = nullptr;
    UILanguagePictures headers_;
    GAME_CUILabelObject* emptyLabel_ = nullptr;

    std::vector<const TaskData*> entries_;
    UIListView list_{.visible = kVisibleRows, .wrap = UIListWrap::kRing};
    std::uint32_t resultCode_ = 0;
    UIPages<Page> pages_{kList};
    std::int32_t actorIcon_ = -1;
    std::int32_t timerIcon_ = -1;
};

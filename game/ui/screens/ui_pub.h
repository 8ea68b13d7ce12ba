// The pub (slot 8): the rumours the town's pub sells, seven rows at a time; a rumour is paid for once and its text read in a second window.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/rumour_text_window.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// Listening to a rumour for the first time pays its price and marks it bought; every listen sets
// its event flag, its map bit and its room kind's unlock bit again. A bought rumour shows a check
// mark and a price of 0. A rumour told only after the ending is listed once the ending was seen.
class GAME_CUIPub : public GAME_CUIScreen, public UIScreenSlot<kSlotPub> {
public:
    static constexpr int kRows = 7;
    enum class Step : std::int32_t { kList, kNotEnoughMoney, kListenQuestion, kListen, kText, kBackToList };
    using enum Step;

    struct Row {
        GAME_CUINullObject* anchor = nullptr;
        GAME_CUILabelObject* name = nullptr;
        GAME_CUILabelObject* price = nullptr;
        GAME_CUINullObject* check = nullptr;
        GAME_CUINullObject* separator = nullptr;
    };

    explicit GAME_CUIPub(const UIScreenContext& context);

    void Draw() override;

    Step CurrentStep() const { return steps_.Current(); }
    const UIListView& List() const { return list_; }
    // The rumour table position of a listed rumour.
    std::uint32_t ListedPosition(int index) const { return listed_[static_cast<std::size_t>(index)]; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const Row& RowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUIIconObject* ListenButton() const { return listenButton_; }
    const UIRumourTextWindow& TextWindow() const { return text_; }

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void BuildListWindow();
    void BeginOpen();
    void ListRumours();
    void RefreshRows();
    void UpdateList(bool input);
    void OnDecideRumor();
    void EnterStep(Step step);
    void UpdateStep();
    void BuyAndShowRumor();
    std::uint32_t SelectedRumourId() const;

    std::array<Row, kRows> rows_{};
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUIScrollBarObject* listScroll_ = nullptr;
    GAME_CUIIconObject* listenButton_ = nullptr;
    UIListCursor cursor_;
    UILanguagePictures headers_;

    UIRumourTextWindow text_;

    std::vector<std::uint32_t> listed_;
    UIListView list_{.visible = kRows, .wrap = UIListWrap::kRing};
    UIPages<Step> steps_{kList};
};

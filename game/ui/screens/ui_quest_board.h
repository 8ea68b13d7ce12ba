// The quest board (slot 9): the offers of the town where the ship stands, their detail, and taking, delivering and giving them up.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/model/world/tween.h"
#include "game/ui/focus_map.h"
#include "game/ui/list_view.h"
#include "game/ui/quest_window.h"
#include "game/ui/ui_screen.h"

// Opened by the hideout menu; each opening reads the board of the current town anew. A town the
// database holds no board for shows an empty board. The game stands still while it is open;
// closing opens the hideout menu. A quest with a notice shows it in a window of its own once taken.
class GAME_CUIQuestBoard : public GAME_CUIScreen, public UIScreenSlot<kSlotQuestBoard> {
public:
    static constexpr int kOfferSlots = 32;
    enum class Page : std::int32_t { kList, kAskAccept, kAccepted, kAskDelivery, kDelivered, kAskRetire, kRetired, kLimitReached, kNoRoomForReward };
    using enum Page;
    enum Focus : std::int32_t { kFocusList = kQuestFocusList, kFocusDetail = kQuestFocusDetail };

    explicit GAME_CUIQuestBoard(const UIScreenContext& context);
    ~GAME_CUIQuestBoard() override;

    void Draw() override;

    Page CurrentPage() const { return pages_.Current(); }
    std::int32_t Board() const { return board_; }
    std::int32_t OfferCount() const { return list_.count; }
    const UIListView& List() const { return list_; }
    std::int32_t FocusAt() const { return focus_; }
    const UIQuestWindow& Window() const { return window_; }
    const GAME_CUIIconObject* DeliveryButton() const { return delivery_.button; }
    // The notice window's place and texts while a taken quest's notice shows.
    vesk::math::Vec2 NoticePosition() const;
    bool IsNoticeShown() const;
    const GAME_CUILabelObject* NoticeTitle() const { return noticeTitle_; }

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void Build();
    void BuildNotice();
    void ReadBoard();
    void Refresh();
    void ShowDetail();
    void ShowButtons(std::uint32_t questId, const QuestData* quest, bool accepted);
    void SettleButtons();
    void AfterRemoval();
    void UpdateList(bool input);
    void UpdateNotice(bool input);
    void EnterPage(Page page);
    void Ask(const char* key);
    void OnAccept();
    void OnDelivery();
    void OnRetire();
    bool IsAccepted(int slot) const;
    std::uint32_t SelectedOffer() const;
    static bool IsEnabled(const GAME_CUIIconObject* button);

    UIQuestWindow window_;
    UIQuestButton accept_;
    UIQuestButton delivery_;
    UIQuestButton retire_;

    std::vector<GAME_CUIObjectBase*> noticeWidgets_;
    GAME_CUINullObject* notice_ = nullptr;
    GAME_CUILabelObject* noticeTitle_ = nullptr;
    GAME_CUILabelObject* noticeBody_ = nullptr;
    Tween noticeSlide_{};

    std::int32_t board_ = -1;
    std::int32_t offerSlots_ = 0;
    std::array<std::uint32_t, kOfferSlots> offers_{};
    UIListView list_{.visible = UIQuestWindow::kRows, .wrap = UIListWrap::kRing};
    std::int32_t focus_ = kFocusList;
    std::int32_t detailScroll_ = 0;
    UIPages<Page> pages_{kList};
    // The quest a question, its answer and its notice act on.
    std::uint32_t selectedQuest_ = kNoId;
};

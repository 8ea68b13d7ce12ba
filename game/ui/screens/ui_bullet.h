// The ammunition screen (slot 15): a weapon room's ammunition, reloading and cancelling, and the room's task page.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/list_view.h"
#include "game/ui/room_screen.h"
#include "game/ui/room_stock.h"
#include "game/ui/separated_lines.h"

class GAME_CAmmo;
class GAME_CTaskBase;

// The bullet page lists the kinds the room fires, with the figures of the one under the cursor; a
// reload of another kind (or a top-up of the loaded one) files a reload task after a question, and
// the cancel row, shown while a reload is pending, empties the store.
class GAME_CUIBullet : public GAME_CUIRoomScreen, public UIScreenSlot<kSlotBullet> {
public:
    // The list, its questions and what follows their yes, and the task page (the room remembers it).
    enum class Tab : std::int32_t { kList, kAskReload, kReloadStarted, kAskCancel, kCancelled, kTasks };
    static constexpr int kVisibleRows = 6;
    static constexpr int kFigureLines = 6;
    static constexpr std::int32_t kTaskPageState = static_cast<std::int32_t>(Tab::kTasks);

    explicit GAME_CUIBullet(const UIScreenContext& context);
    ~GAME_CUIBullet() override;

    void OnAmmoTabButton();
    void OnTaskTabButton();

    // What the screen shows, for those who look at it.
    std::int32_t TabState() const { return static_cast<std::int32_t>(tabs_.Current()); }
    std::int16_t CursorRow() const { return static_cast<std::int16_t>(list_.cursor); }
    std::int16_t ListTop() const { return static_cast<std::int16_t>(list_.top); }
    std::uint32_t SelectedKind() const { return selectedKind_; }
    std::int32_t BulletFocus() const { return bulletFocus_; }
    const GAME_CUILabelObject* RowLabel(int row) const { return rows_[static_cast<std::size_t>(row)].label; }
    const GAME_CUILabelObject* FigureLabel(int line) const { return figures_[static_cast<std::size_t>(line)].label; }
    const GAME_CUILabelObject* StockLabel() const { return stock_.Label(); }
    const GAME_CUINullObject* LoadedMarker() const { return marker_; }

protected:
    bool ShowsTaskPage() const override { return tabs_.Is(Tab::kTasks); }
    bool CanShowRoom() const override;
    void OnEnterOpening() override;
    void OnEveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void BuildBulletPage();
    void BuildTaskPage();
    void EnterTab(Tab tab);
    void EnterAmmoList();
    void EnterReloadConfirm();
    void StartReload();
    void EnterCancelConfirm();
    void FinishReloadCancel();
    void UpdateCancelFinished();
    void UpdateAmmoList(bool input);
    void TryReload();
    void ShowAmmoInfo(std::uint32_t kind);
    void PlaceBulletCursor(std::int32_t focus);
    // A reload that began or ended while the list shows: the cancel row comes or goes, and a cursor
    // on a cancel row gone stands on the last kind.
    void FollowReloadState();

    const std::vector<std::uint32_t>& Kinds() const;
    bool IsReloadPending() const;
    // The entries the keys move over: the kinds (at most six) and the cancel row.
    std::int32_t KeyEntryCount() const;
    // The kind under the cursor, -1 on the cancel row or past the list.
    std::uint32_t KindUnderCursor() const;
    std::int32_t RoomIndex() const;
    GAME_CAmmo* Store() const;

    UIListView list_{.visible = kVisibleRows, .wrap = UIListWrap::kStop};
    std::uint32_t selectedKind_ = 0xFFFFFFFFu;
    std::uint32_t loadAmount_ = 0;
    UIPages<Tab> tabs_{Tab::kList};
    std::int32_t bulletFocus_ = 2;

    std::array<UISeparatedLine, kVisibleRows> rows_{};
    std::array<UISeparatedLine, kFigureLines> figures_{};
    GAME_CUINullObject* marker_ = nullptr;
    GAME_CUILabelObject* currentKind_ = nullptr;
    UIRoomStock stock_;
    std::vector<GAME_CTaskBase*> reloads_;
    // Whether the rows were written with a reload pending (with the cancel row).
    bool cancelRowWritten_ = false;
};

// The window both quest screens stand in: its frame, the rows of quests with their cursor, and the selected quest's detail pane.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/services/data/record_entries.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/focus_map.h"
#include "game/ui/info_panel.h"
#include "game/ui/quest_symbol_sprites.h"
#include "game/ui/widget_builders.h"

class GAME_CUIBase;
struct UIListView;
struct QuestData;
class GAME_CStaticDatabase;

// Which time-limit line a quest's detail opens with.
enum class UIQuestLimitLine {
    kOffer,     // an offer not taken: the quest's own limit
    kAccepted,  // a taken quest, on its board or in the list of all: the days left
};

// What the detail pane shows: the quest, its days left and, for the list of all quests, the town
// where it was taken.
struct UIQuestDetailSubject {
    std::uint32_t questId = kNoId;
    const QuestData* quest = nullptr;
    std::int32_t daysLeft = -1;
    UIQuestLimitLine limitLine = UIQuestLimitLine::kOffer;
    bool showTown = false;
    std::uint32_t townId = kNoId;
};

// The quest of an id; none without a database.
const QuestData* FindUIQuestData(const GAME_CStaticDatabase* database, std::uint32_t questId);

// The quest screens' sound of a quest given up, and how long their questions and notices may run.
inline constexpr std::int32_t kSeUIQuestRetired = 61;
inline constexpr std::size_t kUIQuestQuestionLimit = 240;
inline constexpr std::size_t kUIQuestNoticeLimit = 256;
// A quest screen's message: the key's text with the quest's name, cut to `limit` characters.
std::u16string UIQuestMessage(const char* key, std::uint32_t questId, std::size_t limit);

// The two focus places of a quest screen: left from the list lies the detail pane, right from the
// pane the list.
enum UIQuestFocus : std::int32_t { kQuestFocusList = 0, kQuestFocusDetail = 1 };

// A button of a quest screen and its caption over it.
struct UIQuestButton {
    GAME_CUIIconObject* button = nullptr;
    GAME_CUILabelObject* caption = nullptr;
};

// Built into the owner's draw list in one go, the owner's buttons among its sprites and their
// captions among its texts.
class UIQuestWindow {
public:
    static constexpr int kRows = 6;
    static constexpr int kDetailLines = 6;

    // A button of the window's right part: its caption's key, the action it answers, the top of its
    // sprite and what it does.
    struct ButtonSpec {
        const char* caption = "";
        std::int32_t action = -1;
        float top = 0.0f;
        UIIconCallback release;
    };
    struct Spec {
        GAME_CUIBase* owner = nullptr;
        UIIconCallback close;
        // The line under the rows.
        float rowsLineY = 264.0f;
        std::vector<ButtonSpec> buttons;
    };

    // A row of quests: its label, its mark, and the line above it (rows 1 to 5).
    struct Row {
        GAME_CUINullObject* anchor = nullptr;
        GAME_CUINullObject* mark = nullptr;
        GAME_CUINullObject* separator = nullptr;
        GAME_CUILabelObject* label = nullptr;
    };

    void Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, const Spec& spec);

    // The owner's buttons in the order of the spec.
    const UIQuestButton& Button(std::size_t index) const { return buttons_[index]; }
    GAME_CUINullObject* Window() const { return window_; }
    GAME_CUIScrollBarObject* ListBar() const { return listBar_; }
    GAME_CUIScrollBarObject* DetailBar() const { return detailBar_; }
    GAME_CUILabelObject* Title() const { return title_; }

    // As its screen opens: the headings in the language now chosen, the cursor's blink from its start.
    void Open();
    void ClearRows();
    // A filled row: its name, its mark, and the line above it (rows 1 to 5).
    void ShowRow(int row, std::u16string_view name, bool marked);
    // Every frame: the cursor beside a row of the list, or at the detail pane; hidden with the heading
    // line while the list is empty. The arrow steps back a unit for 8 frames of every 16.
    void PlaceCursor(bool onList, int row, bool empty);
    // The filled row a pointer pressed this frame, -1 for none.
    int ClickedRow(int filledRows);
    // A pointer pressed this frame on the detail pane's left part.
    bool DetailPaneClicked() const;
    // The left and right keys walk the focus between the list and the detail pane; on the pane up or
    // down (repeating) moves the detail's scroll by one within the detail bar and calls `scrolled`.
    // True while the focus stands on the pane.
    bool WalkFocusByKeys(std::int32_t& focus, std::int32_t& scroll, const std::function<void()>& scrolled) const;
    // Every frame: the wheel goes to the bar of the part the pointer stands over, the detail pane's or
    // the list's; elsewhere, or while the ship view zooms, to neither.
    void GiveWheelToHoveredBar() const;
    // A list bar the wheel or a drag moved: the list's top follows it with the cursor sound; true then.
    bool FollowListBar(UIListView& list) const;
    // A detail bar the wheel or a drag moved: the scroll follows it; true then.
    bool FollowDetailBar(std::int32_t& scroll) const;

    // The detail of a quest, its lines from the scroll value on; the detail bar's maximum follows.
    void ShowDetail(const UIQuestDetailSubject& subject, std::int32_t scroll);
    // No detail: the message centred over the pane (none for "").
    void ShowEmpty(const char* key);

    const Row& RowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUILabelObject* DescriptionLine(int line) const { return description_[static_cast<std::size_t>(line)]; }
    const GAME_CUILabelObject* EmptyLabel() const { return empty_; }
    const UIInfoPanel& Detail() const { return detail_; }
    const GAME_CUINullObject* Arrow() const { return cursor_.arrow; }
    const GAME_CUINullObject* Highlight() const { return highlight_; }

private:
    void BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, const Spec& spec);
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list, const Spec& spec);
    void ClearDetail();

    GAME_CUINullObject* window_ = nullptr;
    UILanguagePictures headings_;
    GAME_CUINullObject* headingLine_ = nullptr;
    GAME_CUIScrollBarObject* listBar_ = nullptr;
    GAME_CUIScrollBarObject* detailBar_ = nullptr;
    GAME_CUINullObject* cursorAnchor_ = nullptr;
    UICursorBlink cursor_;
    GAME_CUINullObject* highlight_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUILabelObject* empty_ = nullptr;
    std::array<Row, kRows> rows_{};
    std::vector<UIQuestButton> buttons_;
    std::vector<UIFocusPlace> places_;
    std::array<GAME_CUILabelObject*, 3> description_{};
    UIInfoPanel detail_;
    GAME_CQuestSymbolSprites symbols_;
};

// The room screens that treat one crew member at a time (the infirmary, the mind-control room): the list of what can be ordered for each member, the member's meters and traits beside it, the question, the order with its notice, and the room's task page.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "game/model/ship/task_request.h"
#include "game/ui/crew_row.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/info_panel.h"
#include "game/ui/list_view.h"
#include "game/ui/room_screen.h"

class GAME_CObjectActor;

// One line of the list: a crew member and one of its slots (each screen says what its slots mean).
struct UICrewCareEntry {
    static constexpr std::uint32_t kNoSlot = 3;

    GAME_CObjectActor* member = nullptr;
    std::uint32_t slot = kNoSlot;

    bool operator==(const UICrewCareEntry&) const = default;
};

// What sets one such screen apart: its words, its slot, how many trait lines it shows and of which
// traits, and its task page.
struct UICrewCareLayout {
    const char* firstTabKey = "";
    const char* taskTabKey = "";
    // The meters' place says this when no member stands under the cursor.
    const char* noMemberKey = "";
    std::uint32_t slot = 0;
    UICrewTrait traits = UICrewTrait::kDebuff;
    int traitLines = 5;
    // Each opening puts the focus on the list again (else it stays where it was left).
    bool focusListOnOpening = false;
    // A bar that never scrolls frames the traits beside the meters while the list has entries.
    bool traitsBar = false;
    // In the window's units, as the task tab's own places are; the screen moves it onto the canvas,
    // where its pages stand. The list page's meters stand where the task page's HP frame does.
    UIRoomTaskTabLayout taskPage;
};

// The first page lists, eight rows at a time, every entry the screen collects from the living crew; the
// list follows the crew while it shows (a member who dies leaves it, one who arrives joins it, an order
// placed keeps its row until the need is met). Deciding on an entry asks, a yes orders and tells. Steps:
// the list, the question, the notice after the order, and the task page.
class GAME_CUICrewCareScreen : public GAME_CUIRoomScreen {
public:
    static constexpr std::size_t kTableSize = 384;
    static constexpr int kVisibleRows = 8;
    // The list's focus places: 2 the list, 3 the task tab, 4 the first tab, 5 and 6 the skip arrows.
    static constexpr UIRoomFirstPageFocus kFocus = UIRoomFirstPageFocus::Numbered(2);

    enum class Step : std::int32_t { kList = 0, kQuestion = 1, kNotice = 2, kTaskPage = 3 };

    ~GAME_CUICrewCareScreen() override;

    void OnFirstTabButton();
    void OnTaskTabButton();

    // What the screen shows, for those who look at it.
    Step CurrentStep() const { return steps_.Current(); }
    std::int32_t EntryCount() const { return count_; }
    const UICrewCareEntry& EntryAt(std::size_t index) const { return table_[index]; }
    std::int16_t CursorRow() const { return static_cast<std::int16_t>(list_.cursor); }
    std::int16_t ScrollTop() const { return static_cast<std::int16_t>(list_.top); }
    std::int32_t ListFocus() const { return focus_; }
    const UICrewCareEntry& Chosen() const { return chosen_; }
    const UIItemRowWidgets& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const GAME_CUIScrollBarObject* ListBar() const { return listBar_; }
    // Null where the layout has none.
    const GAME_CUIScrollBarObject* TraitsBar() const { return traitsBar_; }
    const UICrewMeters& Meters() const { return meters_; }
    const GAME_CUILabelObject* NoMemberLabel() const { return noMember_; }
    const GAME_CUILabelObject* TraitLine(int line) const { return traits_.Label(line); }

protected:
    GAME_CUICrewCareScreen(const UIScreenContext& context, const UICrewCareLayout& layout);

    // --- what each screen decides
    // Adds a crew member's entries through AddEntry (the base walks the crew in order); false once the
    // table is full, which ends the walk.
    virtual bool CollectEntriesOf(GAME_CObjectActor* member) = 0;
    virtual std::u16string RowText(const UICrewCareEntry& entry) const = 0;
    // Whether the entry may be ordered now, asked only while the room has a free task slot; the screen
    // plays the decide sound where its rules say. byKey: the decide action rather than a second click.
    virtual bool MayChoose(const UICrewCareEntry& entry, bool byKey) = 0;
    // Asks in the shared dialog about the chosen entry (through Ask).
    virtual void AskAbout(const UICrewCareEntry& chosen) = 0;
    // The yes: the task ordered for the chosen entry, bound to the room of that index, and the notice
    // that tells it was ordered.
    virtual GAME_CTaskRequest OrderRequest(const UICrewCareEntry& chosen, std::int32_t room) const = 0;
    virtual std::u16string OrderedText(const UICrewCareEntry& chosen) const = 0;

    // False when the table is full.
    bool AddEntry(GAME_CObjectActor* member, std::uint32_t slot);
    // The question, centred, with the items' lines under it.
    void Ask(const std::u16string& text, std::span<const UIDialogItem> items = {}) const;
    static std::u16string MemberName(const GAME_CObjectActor& member);

    bool ShowsTaskPage() const override { return steps_.Is(Step::kTaskPage); }
    void OnEnterOpening() override;
    void UpdateMain(bool input) override;

private:
    void BuildListPage();
    void BuildTaskPage();
    void EnterStep(Step step);
    void CollectEntries();
    // The table collected again; when it changed, the cursor stays on the entry it stood on (else on its
    // place, pulled back into the list) and the rows are shown anew.
    void FollowCrew();
    void UpdateList(bool input);
    void Choose(bool byKey);
    // Makes the chosen entry's task, when the room is on the ship, and tells whether it was made.
    void Order();
    // The eight rows from the list's top, and the panel for the entry under the cursor.
    void ShowRows();
    void ShowMember(const GAME_CObjectActor* member);
    void PlaceListCursor();
    const UICrewCareEntry* EntryUnderCursor() const;

    UICrewCareLayout layout_;
    UIPages<Step> steps_{Step::kList};
    std::array<UICrewCareEntry, kTableSize> table_{};
    std::int32_t count_ = 0;
    UIListView list_{.visible = kVisibleRows, .wrap = UIListWrap::kStop};
    UICrewCareEntry chosen_{};
    std::int32_t focus_ = kFocus.list;

    std::array<UIItemRowWidgets, kVisibleRows> rows_{};
    GAME_CUIScrollBarObject* listBar_ = nullptr;
    GAME_CUIScrollBarObject* traitsBar_ = nullptr;
    UICrewMeters meters_;
    GAME_CUILabelObject* noMember_ = nullptr;
    UIInfoPanel traits_;
};

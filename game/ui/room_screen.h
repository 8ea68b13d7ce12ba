// What the room screens share: the open, slide and close of both pages, the room skips, the cover by sub-windows, and each page's frame, headers, cursor and questions.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/math/vector.h"
#include "game/model/world/tween.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/focus_map.h"
#include "game/ui/list_view.h"
#include "game/ui/room_task_tab.h"
#include "game/ui/room_window.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// What a page's tab bar shows: the two tabs' words, which one is lit, and their callbacks.
struct UIRoomTabSpec {
    const char* firstTabKey = "";
    const char* taskTabKey = "";
    bool taskPage = false;
    UIIconCallback firstTabRelease;
    UIIconCallback taskTabRelease;
    // The first page's row highlight, moving with the cursor (nullptr: the page makes its own).
    const char* highlightSprite = "ui_select_highlight";
    // A screen of the task page alone: its bar holds only the task tab.
    bool taskTabOnly = false;
};

// Where a room screen's closing starts and what its plain close lets go of.
struct UIRoomScreenRules {
    // The closing slides from where the window rests when shown, even when it is still sliding in.
    bool closesFromHome = false;
    // A close that skips to no other room leaves the screen without a room.
    bool forgetsRoom = false;
};

// A room screen's first-page focus places: its list, the two tabs and the two skip arrows.
struct UIRoomFirstPageFocus {
    std::int32_t list, taskTab, firstTab, skipRight, skipLeft;
    // Whether right of the task tab and left of the first tab lead on to the skip arrows, and
    // whether steps from the tabs go without the cursor sound.
    bool tabsLeadToSkips = false;
    bool silentTabs = true;

    // The list numbered first, the other places following in the order above.
    static constexpr UIRoomFirstPageFocus Numbered(std::int32_t list) { return {list, list + 1, list + 2, list + 3, list + 4}; }
    // The same places where the tabs lead on to the skip arrows and every step sounds.
    constexpr UIRoomFirstPageFocus WithTabsLeadingToSkips() const
    {
        UIRoomFirstPageFocus places = *this;
        places.tabsLeadToSkips = true;
        places.silentTabs = false;
        return places;
    }
};

// The keys a first page moves by: decide, up and down repeating, left and right pressed.
struct UIRoomKeys {
    bool decide, up, down, left, right;

    static UIRoomKeys Read();
};

// A room screen shows one room (the base's target) on two pages, slides down over the running game,
// steps to the next or previous room, and stops the game while it is open. While the room crew
// screen is open it is not drawn; while the add-task or task-cancel screen is open it is drawn for
// one more frame and then hidden.
class GAME_CUIRoomScreen : public GAME_CUIScreen {
public:
    // Frames of cover after which the screen is hidden.
    static constexpr std::uint32_t kCoverHides = 2;
    // Where a window that is its page's root rests when shown, and where its slide starts.
    static constexpr vesk::math::Vec2 kWindowHome = kUIRoomWindowAt;
    static constexpr vesk::math::Vec2 kWindowSlideFrom{61.0f, -360.0f};

    ~GAME_CUIRoomScreen() override;

    void SkipToNextRoom() override;
    void SkipToPrevRoom() override;
    void Draw() override;

    // Release callbacks of the skip buttons: close, then the neighbouring room's screen once closed.
    void OnSkipLeftButton();
    void OnSkipRightButton();

    std::uint32_t CoverCounter() const { return cover_; }
    GAME_CUIRoomTaskTab& TaskTab() { return taskTab_; }
    const UIRoomPageFrame& FirstFrame() const { return firstFrame_; }
    const UIRoomPageFrame& TaskFrame() const { return taskFrame_; }

protected:
    // home: where both page roots stand while shown; slideFrom: where the opening slide starts.
    GAME_CUIRoomScreen(const UIScreenContext& context, vesk::math::Vec2 home, vesk::math::Vec2 slideFrom,
                       const UIRoomScreenRules& rules = {});

    // Whether the task page shows (else the first page).
    virtual bool ShowsTaskPage() const = 0;
    virtual void OnEnterOpening() = 0;
    // Each frame after the cover counter, in every state but closed.
    virtual void OnEveryFrame() {}
    // A window of the screen's own over it (besides the task page's), which covers it as they do.
    virtual bool IsOwnSubWindowOpen() const { return false; }
    // The opening slide goes on only while this holds; else the screen closes again.
    virtual bool CanShowRoom() const { return target != nullptr; }
    void UpdateMain(bool input) override = 0;

    // --- building a page: the frame's sprites, then the page's own sprites, then the tab bar with the
    // title and tab words (and on the first page the row highlight), then the page's own texts, then
    // the end (dialog and scan overlays).
    // A page root that is itself the room window, standing where the opening slide starts.
    static GAME_CUINullObject* MakeWindowRoot() { return MakeUIPicture("ui_windowbase", kWindowHome.x, kWindowSlideFrom.y); }
    UIRoomPageFrame BeginPage(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, GAME_CUINullObject* window);
    void AddTabBar(std::vector<GAME_CUIObjectBase*>& list, UIRoomPageFrame& frame, const UIRoomTabSpec& spec);
    void EndPage(std::vector<GAME_CUIObjectBase*>& list, const UIRoomPageFrame& frame);
    // The first page's headers, pictures with words on them: each opening shows the language's form.
    void AddHeaders(GAME_CUIObjectBase* parent, std::span<const char* const> names, std::span<const vesk::math::Vec2> places);
    // The whole task page once its root and window exist: the shared task tab in the layout, the tab
    // bar, the end; the task tab gets the page's buttons and cursor.
    void FillTaskPage(GAME_CUINullObject* window, const UIRoomTaskTabLayout& layout, const UIRoomTabSpec& tabs);

    // --- what opening and closing share
    // The slide in from slideFrom, both pages' widgets shown, the titles, the room to the task tab,
    // the room-screen-closing word cleared.
    void BeginOpening();
    // Moves both roots along the slide and updates their trees without input; true once it has ended.
    bool StepSlide();
    // The task page's entry, and its frame with input: the page's tree (no input while one of its
    // buttons plays out its press), the first page's without, then the task tab.
    void EnterTaskPage();
    void UpdateTaskPage(bool input);
    // At the end of a frame: when the information scroll moved from `before`, the cursor sound and
    // the panel refilled.
    void AnswerInfoScroll(std::int32_t before);

    // The focus moves every first page shares once the list's decide, up and down are dealt with:
    // from the list left and right lead to the skip arrows, left and right move between the two
    // tabs, decide presses the focused tab or arrow, and from an arrow the way back leads to the
    // list. False when the focus stands on none of these places.
    bool StepTabAndSkipFocus(std::int32_t& focus, const UIRoomFirstPageFocus& places, const UIRoomKeys& keys);
    // A first page's whole walk once the screen has dealt with decide on its list: in the list up and
    // down step it with the cursor sound, and past an end the list settles at that end and the focus
    // goes to the task tab; from a tab up enters the list at its last row and down at its first; the
    // rest as above, and from a place that is none of these the focus goes back to the list. A tab
    // does not lead into an empty list, and on one the keys do nothing. True when the cursor stepped
    // within the list.
    bool StepFirstPageFocus(std::int32_t& focus, const UIRoomFirstPageFocus& places, const UIRoomKeys& keys, UIListView& list);
    // The first page's cursor: on a list row with the row highlight, or on a tab or skip arrow (the
    // grid cursor there), shown or hidden. The buttons stand where they stand on the task page, so
    // the cursor takes the task page's places for them; a focus before the task tab takes its place.
    void PlaceFirstCursorOnRow(GAME_CUIObjectBase* row);
    void PlaceFirstCursorOnButton(std::int32_t focus, const UIRoomFirstPageFocus& places, bool shown = true);
    // The five places above as a focus table.
    std::array<UIFocusPlace, 5> FirstPageFocusPlaces(const UIRoomFirstPageFocus& places) const;


    std::vector<GAME_CUIObjectBase*> firstPage_;
    std::vector<GAME_CUIObjectBase*> taskPage_;
    GAME_CUINullObject* firstRoot_ = nullptr;
    GAME_CUINullObject* taskRoot_ = nullptr;
    UIRoomPageFrame firstFrame_;
    UIRoomPageFrame taskFrame_;
    GAME_CUIRoomTaskTab taskTab_;
    const std::int32_t arrowSprite_;
    const std::int32_t gridCursorSprite_;

private:
    // The game holds from the opening on; closed, the screen lets it go unless it skips to the next
    // room's screen, which holds it again.
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    // Its own slide, from wherever the window stands.
    bool StepTransition(UIScreenState state) override;

    vesk::math::Vec2 home_;
    vesk::math::Vec2 slideFrom_;
    UIRoomScreenRules rules_;
    Tween slide_{};
    // Both pages' cursor sprites twitch by it.
    UICursorBlink blink_;
    std::uint32_t cover_ = 0;
    std::uint32_t skipNext_ = 0;
    std::uint32_t skipPrevious_ = 0;
    UILanguagePictures headers_;
};

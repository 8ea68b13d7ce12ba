// The task page the room screens share: the room's information panel, its tasks and crew through the list controller, and the page's seven focus places.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/focus_map.h"
#include "game/ui/info_panel.h"
#include "game/ui/list_controller.h"
#include "game/ui/room_window.h"
#include "game/ui/widget_builders.h"

class GAME_CRoomBase;
class GAME_CUIBase;
class GAME_CUIManager;
struct UIScreenContext;

// Positions of the task page, relative to the node the page is built under; each screen gives its own.
struct UIRoomTaskTabLayout {
    vesk::math::Vec2 informationHeader{36.0f, 138.0f};
    vesk::math::Vec2 executingHeader{310.0f, 138.0f};
    vesk::math::Vec2 actorHeader{46.0f, 263.0f};
    vesk::math::Vec2 centreSeparator{38.0f, 255.0f};
    vesk::math::Vec2 hpFrame{68.0f, 152.0f};
    // The durability gauge's fill: the centre of this sprite in this colour (red, green, blue and
    // alpha bytes from the lowest).
    const char* gaugeSprite = "ui_labelbase";
    std::uint32_t gaugeColor = 0xFF77ECE0u;
    // The first of the five further information lines; they follow 18 units apart. With icons the
    // icon stands there and the words after it.
    vesk::math::Vec2 upgradeLabel{39.0f, 169.0f};
    bool upgradeIcons = true;
    // How many lines follow the durability line.
    int upgradeLines = 5;
    vesk::math::Vec2 scrollBar{285.0f, 150.0f};
    float scrollBarHeight = 100.0f;
    vesk::math::Vec2 controllerOrigin{317.0f, 151.0f};
    vesk::math::Vec2 crewPanelPoint{60.0f, 274.0f};
    // Added to the controller's second anchor point.
    vesk::math::Vec2 controllerExtentShift{0.0f, 0.0f};
    // Cursor places of focus 3 to 7: task-tab button, the other tab's button, right skip button,
    // left skip button, information scroll bar.
    std::array<vesk::math::Vec2, 5> focusPlaces{{{264.0f, 314.0f}, {44.0f, 314.0f}, {541.0f, 233.0f}, {-6.0f, 233.0f}, {22.0f, 151.0f}}};
    // Whether the tab-change action presses the other tab's button, and cancel closes the screen.
    bool tabChangeSwitches = false;
    bool cancelCloses = false;
    // A page without the other tab: the ways to it lead on to the skip arrows and the scroll bar.
    bool taskTabOnly = false;
    // The cursor moves between the places without a sound.
    bool silentFocus = false;
    // Whether the information scroll bar is a focus place; whether right of the task tab leads on to
    // the right skip arrow; and whether left of the other tab leads on to the left one.
    bool scrollBarFocus = true;
    bool taskTabLeadsToSkip = false;
    bool otherTabLeadsToSkip = false;
    // Whether right of the left skip arrow is the scroll bar while the information can scroll (else,
    // and without it, the crew panel); and whether leaving the crew panel downwards for the other tab
    // puts the information back at its top.
    bool leftSkipLeadsToScrollBar = true;
    bool crewDownRewindsInformation = false;

    // The same page for a root standing `offset` away from the window it is laid out against: every
    // place moved by the offset.
    UIRoomTaskTabLayout MovedBy(vesk::math::Vec2 offset) const;
};

// Focus places of the task page.
enum UITaskTabFocus : std::int32_t {
    kTaskFocusRows = 1,
    kTaskFocusCrew = 2,
    kTaskFocusTaskTab = 3,
    kTaskFocusOtherTab = 4,
    kTaskFocusSkipRight = 5,
    kTaskFocusSkipLeft = 6,
    kTaskFocusScrollBar = 7,
};

// Built into the owning screen's task page in two parts (sprites, then texts) around the frame the
// screen builds itself; the screen hands over the page's frame (tab and skip buttons, cursor) and calls
// Enter, Update and Place from its own states. The focus survives closing and opening.
class GAME_CUIRoomTaskTab {
public:
    // The durability line and the most lines a page puts below it.
    static constexpr int kDisplayLines = 6;
    static constexpr float kGaugeLength = 110.0f;
    static constexpr float kGaugeHeight = 6.0f;

    // The context of the owning screen, for the windows the page opens.
    explicit GAME_CUIRoomTaskTab(const UIScreenContext& context) : context_(context) {}
    GAME_CUIRoomTaskTab(const GAME_CUIRoomTaskTab&) = delete;
    GAME_CUIRoomTaskTab& operator=(const GAME_CUIRoomTaskTab&) = delete;

    // The sprite widgets under the parent (headers, gauge, upgrade rows, scroll bar, list sprites hook).
    void BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIRoomTaskTabLayout& layout);
    // The text widgets (the information labels and the list texts hook).
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list);
    // The page's frame, whose buttons and cursor the page uses, and the screen it belongs to, which
    // cancel closes.
    void SetFrame(const UIRoomPageFrame& frame, GAME_CUIBase* owner)
    {
        frame_ = frame;
        owner_ = owner;
    }

    // On opening: the room to the controller and its crew panel; the header pictures of the language.
    void Attach(GAME_CRoomBase* room);
    void ApplyLanguage();
    // Entering the page: the five lower lines emptied, the panel from line 0, the scroll at 0, one
    // controller update without input.
    void Enter();
    // The panel for a scroll value (called when the value changed).
    void FillPanel(std::int32_t scroll);
    // Every frame before the page's widgets update: the wheel goes to the information's bar while the
    // pointer stands over the information, to the crew panel's over the crew, elsewhere to neither.
    void GiveWheelToHoveredPart();
    // The page's input: moves between the seven places, then the controller takes what is left.
    void Update(bool input);
    // The cursor for a focus place: the controller's and the panel's flags, or the page's own cursor.
    void Place(std::int32_t focus);
    // A controller update without input (the opening and the other page's frames).
    void UpdateControllerQuietly();

    const UIRoomTaskTabLayout& Layout() const { return layout_; }
    std::int32_t Focus() const { return focus_; }
    void SetFocus(std::int32_t focus) { focus_ = focus; }
    GAME_CUIListController* Controller() const { return controller_.Get(); }
    GAME_CUIScrollBarObject* ScrollBar() const { return scroll_; }
    std::int32_t LineCount() const;
    // Line 0 is the durability line's caption, 1 to 5 the panel's lines.
    const GAME_CUILabelObject* DisplayLabel(int line) const { return line == 0 ? caption_ : info_.Label(line - 1); }
    const GAME_CUINullObject* GaugeFill() const { return fill_.picture; }
    const GAME_CUINullObject* GaugeFrame() const { return gaugeFrame_; }
    const GAME_CUILabelObject* ValueLabel() const { return value_; }

    // Whether a window the page opens over the screen (add-task or task-cancel) is open.
    static bool IsSubWindowOpen(const GAME_CUIManager& ui);

    void DrawListSprites();
    void DrawListTexts();

private:
    // The seven places: the list and the crew panel (their own cursors), the two tabs, the two skip
    // arrows and the information scroll bar. Built for a walk and dropped after it.
    std::array<UIFocusPlace, 7> FocusPlaces() const;
    // The upgrade message keys of the room, in the order of its kind's upgrade entries.
    void CollectUpgradeKeys(std::vector<const char*>& out) const;
    void ShowDurability();
    // How many lines follow the durability line on this page.
    int UpgradeLines() const;

    const UIScreenContext& context_;
    UIRoomTaskTabLayout layout_{};
    GAME_CUIObjectBase* parent_ = nullptr;
    GAME_CRoomBase* room_ = nullptr;
    GAME_CUIListControllerPtr controller_;
    UILanguagePictures headers_;
    GAME_CUINullObject* gaugeFrame_ = nullptr;
    UIGaugeFill fill_;
    GAME_CUILabelObject* caption_ = nullptr;
    GAME_CUILabelObject* value_ = nullptr;
    // The five lines below the durability line.
    UIInfoPanel info_;
    GAME_CUIScrollBarObject* scroll_ = nullptr;
    UIRoomPageFrame frame_{};
    GAME_CUIBase* owner_ = nullptr;
    std::int32_t arrowSprite_ = -1;
    std::int32_t gridCursorSprite_ = -1;
    std::int32_t upgradeIcon_ = -1;
    std::int32_t focus_ = kTaskFocusRows;
    std::vector<const char*> upgradeKeys_;
};

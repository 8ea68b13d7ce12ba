// The crew panel beside a room's task tab: the room's crew in a scrolling grid of two columns.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

class GAME_CObjectActor;
class GAME_CRoomBase;
class GAME_CUIListController;
struct UIScreenContext;

// Four cells show at a time; choosing a crew member opens the room crew screen for it.
class GAME_CUIActorListPanel : public vesk::memory::MainHeapObject {
public:
    static constexpr std::uint32_t kVisibleCells = 4;
    // A row of two cells, and how far below the panel's point the rows shown reach.
    static constexpr float kRowHeight = 19.0f;
    static constexpr float kRowsDepth = kRowHeight * static_cast<float>(kVisibleCells / 2);

    // The context of the room screen the panel belongs to, for the crew screen it opens.
    explicit GAME_CUIActorListPanel(const UIScreenContext& context);
    ~GAME_CUIActorListPanel();
    GAME_CUIActorListPanel(const GAME_CUIActorListPanel&) = delete;
    GAME_CUIActorListPanel& operator=(const GAME_CUIActorListPanel&) = delete;

    // Whether the input is still free.
    bool Update(GAME_CRoomBase* room, bool input);
    void DrawTexts(vesk::math::Vec2 offset);
    void DrawSprites(vesk::math::Vec2 offset);

    // The scroll bar's maximum for a number of crew members: rows of two, two rows shown.
    static std::int32_t ScrollMaximum(std::size_t count);

    void SetController(GAME_CUIListController* controller) { controller_ = controller; }
    const std::vector<GAME_CObjectActor*>& Crew() const { return crew_; }
    GAME_CUIScrollBarObject* ScrollBar() const { return scroll_; }
    std::uint32_t Cursor() const { return cursor_; }
    // Where the cells stand (the task page's root adds its world position when it draws).
    void SetPoint(vesk::math::Vec2 point);

    bool focused = false;

private:
    void OpenCrewScreen(GAME_CRoomBase* room, GAME_CObjectActor* actor);
    // The first cell's top left on the canvas, where the panel was last drawn.
    vesk::math::Vec2 CanvasPoint() const;
    static vesk::math::Vec2 CellTopLeft(vesk::math::Vec2 point, std::uint32_t cell);
    // The scroll bar beside the cells, moved with them.
    void PlaceScrollBar();
    void DrawNumber(vesk::math::Vec2& pen, std::int32_t value);
    // The scroll bar's wheel and drag, focused or not; the cursor kept on a member. Whether the input
    // is still free.
    bool FollowScrollBar(bool input, std::uint32_t count);
    // Each cell that shows a member, from the scroll bar's row on, with the member as the panel shows it.
    template <typename Visit>
    void ForEachShownCell(Visit visit) const;

    const UIScreenContext& context_;
    GAME_CUIScrollBarObject* scroll_ = nullptr;
    std::int32_t actorIcon_ = -1;
    std::int32_t bindLive_ = -1;
    std::int32_t bindWork_ = -1;
    std::int32_t meters_ = -1;
    std::int32_t digits_[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::int32_t slash_ = -1;
    std::int32_t baseLabel_ = -1;
    std::int32_t cursorSprite_ = -1;
    std::int32_t infinity_ = -1;
    std::int32_t separator_ = -1;
    std::vector<GAME_CObjectActor*> crew_;
    std::uint32_t cursor_ = 0;
    UICursorBlink blink_;
    vesk::math::Vec2 point_{21.0f, 145.0f};
    // The offset the panel was last drawn with (its page's place on the canvas).
    vesk::math::Vec2 drawnOffset_{};
    GAME_CRoomBase* room_ = nullptr;
    GAME_CUIListController* controller_ = nullptr;
};

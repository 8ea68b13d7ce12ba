// The task tab of a room screen: the room's tasks, one row each, and the add-task button.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"
#include "game/ui/cursor_blink.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

class GAME_CUIActorListPanel;
struct UIScreenContext;
struct TaskData;

// A plain class its room screen drives: the screen attaches its room when it opens, calls Update from
// its main state and draws the tab from its draw. Choosing a task row opens the task-cancel screen for
// that task; the add-task button opens the add-task screen for the room (grey and inert with five
// tasks). Beside it the crew panel lists the room's crew.
class GAME_CUIListController : public vesk::memory::MainHeapObject {
public:
    static constexpr std::uint32_t kMaxRows = 6;

    // The context of the room screen the tab belongs to, for the windows it opens.
    explicit GAME_CUIListController(const UIScreenContext& context);
    ~GAME_CUIListController();
    GAME_CUIListController(const GAME_CUIListController&) = delete;
    GAME_CUIListController& operator=(const GAME_CUIListController&) = delete;

    // The panel becomes owned and gets this controller as its back pointer.
    void SetActorPanel(GAME_CUIActorListPanel* panel);
    void Attach(GAME_CRoomBase* room) { room_ = room; }
    // Whether the input is still free.
    bool Update(bool input);
    void DrawTexts(vesk::math::Vec2 offset);
    void DrawSprites(vesk::math::Vec2 offset);

    void OnAddTask(GAME_CUIIconObject* button);

    GAME_CRoomBase* Room() const { return room_; }
    GAME_CUIActorListPanel* Panel() const { return panel_; }
    GAME_CUIIconObject* AddTaskButton() const { return button_; }
    std::uint32_t Cursor() const { return cursor_; }
    std::uint32_t Rows() const { return rows_; }

    // Where the rows stand (the task page's root adds its world position when it draws).
    void SetOrigin(vesk::math::Vec2 origin) { origin_ = origin; }
    vesk::math::Vec2 Origin() const { return origin_; }
    // Row `row`'s top left on the canvas, where it was last drawn: its text and gauge stand there and
    // the pointer finds it there.
    vesk::math::Vec2 RowAt(std::uint32_t row) const;
    // The tab's second anchor point, which some room screens move.
    void SetExtent(vesk::math::Vec2 extent) { extent_ = extent; }
    vesk::math::Vec2 Extent() const { return extent_; }
    // The cursor row: 0 to the number of task rows (that row is the add-task button).
    void SetCursor(std::uint32_t cursor) { cursor_ = cursor; }
    // How many task rows the last Update filled.
    std::uint32_t CountSetFlags() const { return taskCount_; }

    bool focused = true;
    // The entry the add-task screen offers first (the dining hall's cooking), or null.
    const TaskData* preset = nullptr;

private:
    const UIScreenContext& context_;
    // The room's bound tasks into the five slots.
    void RefreshTasks();
    void OpenTaskCancel(GAME_CTaskBase* task);
    void PlaceButton();
    static bool IsListedKind(std::int32_t kind);
    // Each task the list shows, with its row.
    template <typename Visit>
    void ForEachListedTask(Visit visit) const;

    std::int32_t cursorSprite_ = -1;
    std::int32_t rowSprite_ = -1;
    std::int32_t buttonSprite_ = -1;
    std::int32_t buttonTouchSprite_ = -1;
    GAME_CUINullObject* root_ = nullptr;
    GAME_CUIIconObject* button_ = nullptr;
    GAME_CUILabelObject* label_ = nullptr;
    // The tasks the list shows, from slot 0 on; the room's bound tasks they were taken from.
    UIRoomTasks tasks_{};
    std::uint32_t taskCount_ = 0;
    std::uint32_t boundCount_ = 0;
    std::uint32_t rows_ = 1;
    std::uint32_t cursor_ = 0;
    UICursorBlink blink_;
    GAME_CRoomBase* room_ = nullptr;
    vesk::math::Vec2 origin_{179.0f, 68.0f};
    vesk::math::Vec2 drawnOffset_{};  // the page root's place at the last draw
    vesk::math::Vec2 extent_{146.0f, 74.0f};
    GAME_CUIActorListPanel* panel_ = nullptr;
    bool panelOwned_ = false;
};

// The owning pointer a room screen holds its controller through.
class GAME_CUIListControllerPtr {
public:
    GAME_CUIListControllerPtr() = default;
    ~GAME_CUIListControllerPtr() { Reset(nullptr); }
    GAME_CUIListControllerPtr(const GAME_CUIListControllerPtr&) = delete;
    GAME_CUIListControllerPtr& operator=(const GAME_CUIListControllerPtr&) = delete;

    // Destroys the held controller when another is given.
    void Reset(GAME_CUIListController* controller);
    GAME_CUIListController* Get() const { return controller_; }
    GAME_CUIListController* operator->() const { return controller_; }

private:
    GAME_CUIListController* controller_ = nullptr;
};

// The build grid cursor (slot 5): places the chosen room kind on the ship's grid, or picks a room to break down.
#include "game/ui/screens/ui_build_select_grid.h"

#include "framework/window/window_proc.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/room_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/model/world/camera2d.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/room_removal_drops.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"
#include "game/ui/sprite_stretch.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

constexpr float kPanelX = 489.0f;
constexpr float kPanelDrop = 64.0f;
constexpr float kPanelBottomGap = 57.0f;
// The sound of a room set down on the grid.
constexpr std::int32_t kSeRoomPlaced = 62;
constexpr std::size_t kMessageLimit = 128;
constexpr int kMenuSlots = 4;
constexpr float kStickDeflection = 0.00001f;

float PanelY() { return kCanvasHeight - kPanelBottomGap; }

}  // namespace

// The bottom panel slides up as the cursor opens and down as it closes.
GAME_CUIBuildSelectGrid::GAME_CUIBuildSelectGrid(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kNeverPasses, .fieldControl = true,
                      .mover = {.shown = {kPanelX, PanelY()}, .hidden = {kPanelX, PanelY() + kPanelDrop}, .frames = kPanelFrames}},
                     &context)
{
    stopSprites_.Find("ui_common_buildstop");
    stopPressedSprites_.ids = {FindUISprite("ui_common_buildstop_touch"), FindUISprite("ui_common_buildstop_touch_eng"),
                               FindUISprite("ui_common_buildstop_touch_kr")};
    labelBase_ = FindUISprite("ui_labelbase");
    breakCursor_ = FindUISprite("ui_cursor_grid_break");
    buildCursor_ = FindUISprite("ui_cursor_grid_build");
    catchCursor_ = FindUISprite("ui_cursor_grid_catch");
    normalCursor_ = FindUISprite("ui_cursor_grid_normal");

    panel_ = MakeUIPicture("ui_common_lower_base2", kPanelX, PanelY() + kPanelDrop);
    AddWidget(panel_);
    AddMovedRoot(panel_);
    const Vec2 panelSize = UISpriteSize(panel_->Sprite());
    UIButtonSpec stop{.sprite = "ui_common_buildstop", .pressedSprite = "ui_common_buildstop_touch",
                      .x = panelSize.x * 0.5f, .y = panelSize.y * 0.5f, .sound = kSeUICancel, .action = kActionCancel,
                      .release = UIBind(this, &GAME_CUIBuildSelectGrid::OnStopButton)};
    stop_ = MakeUIButton(panel_, stop);
    AddWidget(stop_);
}

GAME_CShip* GAME_CUIBuildSelectGrid::Ship() const { return Context().world.ship.get(); }

void GAME_CUIBuildSelectGrid::OnStopButton()
{
    SetOpen(false);
    Context().world.held = 1;
    Context().ui.SetOpen(kSlotBuild, true);
}

void GAME_CUIBuildSelectGrid::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kClosed:
        // Closed under one of its dialogs (the window lost the focus): the camera follows again.
        if (!steps_.Is(kCursor)) SetCameraFollowsInput(true);
        CloseDialog();
        mode = kNoMode;
        selected_ = nullptr;
        break;
    case kOpening:
        // The cursor's view follows the player from the start: the HUD's button cursor may have let
        // go of the camera, and a held camera neither moves the key cursor nor settles the scroll.
        steps_.Reset(kCursor);
        SetCameraFollowsInput(true);
        stop_->SetSprites(stopSprites_.Current(), stopPressedSprites_.Current());
        stop_->SetVisible(true);
        cursorCell_ = CellUnderCursor();
        PutPointerOn(KeyCursorFloorCell());
        break;
    default: break;
    }
}

// The view still scrolling under the key cursor keeps the screen opening; a camera held where it
// stands (the HUD's button cursor let go of it) would never settle the scroll, and the screen would
// wait for it for good.
bool GAME_CUIBuildSelectGrid::StepTransition(UIScreenState state)
{
    const GAME_CCamera2D* camera = Context().world.camera.get();
    return state != kOpening || KeyCursorFloorCell() < 0 || Ship()->scrollChanged == 0 || camera == nullptr ||
           camera->IsHeld();
}

void GAME_CUIBuildSelectGrid::UpdateMain(bool input)
{
    // A step asked for is entered in the frame it is asked for, so that an answer acts at once.
    steps_.Advance([this](Step step) { EnterStep(step); });
    switch (steps_.Current()) {
    case kCursor: UpdateCursor(input); break;
    case kBreakQuestion:
        if (FollowDialogAnswer(steps_, kBroken, kCursor)) {
            CloseDialog();
            steps_.Advance([this](Step step) { EnterStep(step); });
        }
        break;
    default:
        if (!IsDialogShown()) steps_.Go(kCursor);
        break;
    }
}

void GAME_CUIBuildSelectGrid::SetCameraFollowsInput(bool follows) const
{
    if (GAME_CGameWorld& world = Context().world; world.camera) world.camera->followsInput = follows ? 1 : 0;
}

void GAME_CUIBuildSelectGrid::EnterStep(Step step)
{
    GAME_CGameWorld& world = Context().world;
    // The dialog holds the game still until it has gone; the camera stops following the pointer meanwhile.
    const auto roomText = [&](const char* key) {
        return UILimitedText(FormatUIMessage(key, {UITagName(selectedTag_)}), kMessageLimit);
    };
    switch (step) {
    case kCursor: SetCameraFollowsInput(true); break;
    case kBreakQuestion:
        SetCameraFollowsInput(false);
        AskInDialog(kSlotBuildSelectGrid, {.text = roomText("BUILD_ROOM_BREAK_YESNO"), .focusOnYes = true, .areYouSure = true,
                                           .holdsGame = &Context().world});
        break;
    case kBroken: {
        GAME_CShip* ship = Ship();
        if (ship != nullptr && selected_ != nullptr && ship->GetRoomIndex(selected_) >= 0) {
            selected_->removeRequested = true;
            ship->Update();
        }
        if (world.tasks) world.tasks->PurgeFinishedTasks();
        selected_ = nullptr;
        NoticeInDialog(kSlotBuildSelectGrid, {.text = roomText("BUILD_ROOM_BREAK_FINISHED"), .holdsGame = &Context().world});
        break;
    }
    case kMessage:
        SetCameraFollowsInput(false);
        NoticeInDialog(kSlotBuildSelectGrid, {.text = message_, .holdsGame = &Context().world});
        break;
    }
}

std::int32_t GAME_CUIBuildSelectGrid::CellUnderCursor() const
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr) return -1;
    float column = 0.0f;
    float row = 0.0f;
    // In pointer mode only the pointer counts, in key mode only the grid cursor box.
    if (!ship->GetCellUnderCursor(&column, &row, true, true)) return -1;
    const auto x = static_cast<std::int32_t>(column);
    const auto y = static_cast<std::int32_t>(row);
    if (!ship->grid.IsInside(x, y)) return -1;
    return y * ship->grid.width + x;
}

std::int32_t GAME_CUIBuildSelectGrid::KeyCursorFloorCell() const
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr || ship->cursorWord == 0) return -1;
    const std::int32_t cell = CellUnderCursor();
    if (cell < 0) return -1;
    const GAME_CShipGrid::Cell* floor = ship->grid.GetCell(cell % ship->grid.width, cell / ship->grid.width);
    return floor != nullptr && floor->usable != 0 ? cell : -1;
}

void GAME_CUIBuildSelectGrid::PutPointerOn(std::int32_t cell) const
{
    const GAME_CShip* ship = Ship();
    const GAME_CGameWorld& world = Context().world;
    if (cell < 0 || ship == nullptr || !world.camera) return;
    float x = 0.0f;
    float y = 0.0f;
    world.camera->CellScreenPosition(cell % ship->grid.width, cell / ship->grid.width, &x, &y);
    vesk::window::MovePointerTo(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
}

bool GAME_CUIBuildSelectGrid::CountsAsCursorCell(std::int32_t cell) const
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr || cell < 0 || cursorCell_ < 0) return false;
    if (cell == cursorCell_) return true;
    const std::int32_t width = ship->grid.width;
    const std::int32_t x = cell % width;
    const std::int32_t y = cell / width;
    const std::int32_t cx = cursorCell_ % width;
    const std::int32_t cy = cursorCell_ / width;
    if (mode == kBreakMode) {
        const GAME_CRoomBase* room = ship->GetRoomAtCell(cx, cy);
        return room != nullptr && room == ship->GetRoomAtCell(x, y);
    }
    const std::int32_t w = roomData != nullptr ? roomData->width : 1;
    const std::int32_t h = roomData != nullptr ? roomData->height : 1;
    return x >= cx && x < cx + w && y >= cy && y < cy + h;
}

void GAME_CUIBuildSelectGrid::UpdateCursor(bool input)
{
    const bool busy = stop_->IsBusy() || stop_->IsDecided();
    input = panel_->UpdateTree(input && !busy) && input && !busy;
    GAME_CShip* ship = Ship();
    if (ship == nullptr || !input) return;
    const GAME_CInputMap* map = IsInputMapActive() ? GetInputMap() : nullptr;
    bool stickMoved = false;
    if (!IsUIPointerRefused()) {
        if (IsUIDownInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) {
            ship->cursorWord = 0;
        }
        if (map != nullptr) {
            const Vec2 stick = map->GetSteeringStickPosition();
            stickMoved = stick.x * stick.x + stick.y * stick.y >= kStickDeflection;
            for (int slot = 0; slot < kMenuSlots && !stickMoved; ++slot) stickMoved = IsUIMenuSlot(GAME_CInputMap::kModeHeld, slot);
        }
        if (stickMoved) ship->cursorWord = 1;
    }
    if (cursorCell_ >= 0 && IsUIActionTriggered(kActionDecide)) {
        Act();
        return;
    }
    const std::int32_t hovered = CellUnderCursor();
    if (hovered < 0) return;
    const bool clicked = !stickMoved && ship->cursorWord == 0 && IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight});
    if (clicked && CountsAsCursorCell(hovered)) {
        Act();
        return;
    }
    const bool dragging = map != nullptr && (map->GetDragPosition().x != 0.0f || map->GetDragPosition().y != 0.0f);
    if (hovered != cursorCell_ && !dragging) cursorCell_ = hovered;
}

void GAME_CUIBuildSelectGrid::Act()
{
    GAME_CShip* ship = Ship();
    if (ship == nullptr || cursorCell_ < 0) return;
    const std::int32_t x = cursorCell_ % ship->grid.width;
    const std::int32_t y = cursorCell_ / ship->grid.width;
    if (mode == kBreakMode) {
        if (GAME_CRoomBase* room = ship->GetRoomAtCell(x, y)) SelectForBreaking(*room);
        return;
    }
    if (!ship->CanPlaceRoom(x, y, mode)) {
        PlayUISE(kSeUIError);
        return;
    }
    ship->PlaceNewRoom(x, y, mode, GetRoomIdTag(mode), true);
    PlayUISE(kSeRoomPlaced);
    SetOpen(false);
    Context().ui.SetOpen(kSlotCommon, true);
}

void GAME_CUIBuildSelectGrid::SelectForBreaking(GAME_CRoomBase& room)
{
    GAME_CShip* ship = Ship();
    if (ship != nullptr && ship->IsLastEngine(room)) {
        message_ = FormatUIMessage("BUILD_ROOM_LAST_ENGINE_NO_BREAK");
        steps_.Go(kMessage);
        return;
    }
    // What the room holds goes on the deck when it comes down; what would find no place there would be lost.
    if (!RoomRemovalFitsOnDeck(room)) {
        PlayUISE(kSeUIError);
        message_ = FormatUIMessage("MARKET_BUY_DISABLE_GRID");
        steps_.Go(kMessage);
        return;
    }
    PlayUISE(kSeUIDecide);
    selected_ = &room;
    selectedTag_ = room.GetRoomId();
    selectedCell_ = room.gridY * (ship != nullptr ? ship->grid.width : GAME_CShipGrid::kMaxWidth) + room.gridX;
    steps_.Go(kBreakQuestion);
}

void GAME_CUIBuildSelectGrid::Draw()
{
    if (State() == kClosed || Context().ui.IsOpen(kSlotBuild)) return;
    DrawWidgets(widgets_);
    DrawFootprint();
    DrawKeyCursor();
    FlushUISprites();
    // The break question and the notices are this screen's: nothing else draws them while the game waits on them.
    DrawDialogIfShown();
    FlushUISprites();
}

void GAME_CUIBuildSelectGrid::DrawFootprint() const
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr || cursorCell_ < 0 || labelBase_ < 0) return;
    const std::int32_t width = ship->grid.width;
    std::int32_t column = cursorCell_ % width;
    std::int32_t row = cursorCell_ / width;
    std::int32_t w = roomData != nullptr ? roomData->width : 1;
    std::int32_t h = roomData != nullptr ? roomData->height : 1;
    if (mode == kBreakMode) {
        const GAME_CRoomBase* room = ship->GetRoomAtCell(column, row);
        if (room == nullptr) return;
        column = room->gridX;
        row = room->gridY;
        w = room->width;
        h = room->height;
    }
    const Vec2 cell = ship->CellScreenSize();
    float minX = 0.0f;
    float minY = 0.0f;
    ship->GetGridScreenMin(&minX, &minY);
    float x = minX + static_cast<float>(column) * cell.x;
    float y = minY + static_cast<float>(row) * cell.y;
    if (ship->body->scaleX < 0.0f) x = minX + static_cast<float>(ship->grid.width - 1 - column - (w - 1)) * cell.x;
    if (ship->body->scaleY < 0.0f) y = minY + static_cast<float>(ship->grid.height - 1 - row - (h - 1)) * cell.y;
    vesk::graphics::DrawParam param;
    if (!StretchUISpriteMiddle(labelBase_, {static_cast<float>(w) * cell.x, static_cast<float>(h) * cell.y}, param)) return;
    param.color = kFootprintColor;
    DrawUISprite({x, y}, labelBase_, param);
}

void GAME_CUIBuildSelectGrid::DrawKeyCursor() const
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr || ship->cursorWord == 0) return;
    const std::int32_t sprite = mode == kBreakMode ? breakCursor_ : buildCursor_;
    const Vec2 size = UISpriteSize(sprite);
    Vec2 centre{kCanvasWidth * 0.5f, kCanvasHeight * 0.5f};
    const GAME_CCamera2D* camera = Context().world.camera.get();
    if (camera != nullptr && camera->mode == GAME_CCamera2D::kFocusCell) {
        const Vec2 cell = ship->CellScreenSize();
        float minX = 0.0f;
        float minY = 0.0f;
        ship->GetGridScreenMin(&minX, &minY);
        const std::int32_t column = ship->body->scaleX < 0.0f ? ship->grid.width - 1 - camera->focusX : camera->focusX;
        const std::int32_t row = ship->body->scaleY < 0.0f ? ship->grid.height - 1 - camera->focusY : camera->focusY;
        centre = {minX + (static_cast<float>(column) + 0.5f) * cell.x, minY + (static_cast<float>(row) + 0.5f) * cell.y};
    } else if (camera != nullptr) {
        centre.y += camera->positionY - static_cast<float>(ship->scrollY);
    }
    DrawUISprite({centre.x - size.x * 0.5f, centre.y - size.y * 0.5f}, sprite);
}

// The engine page's input: the pointer on the option rows, the tab change, and the five focus places walked by the direction keys.
#include <algorithm>
#include <array>

#include "game/model/ship/room_base.h"
#include "game/services/input/input_actions.h"
#include "game/ui/focus_map.h"
#include "game/ui/screens/ui_engine_room.h"
#include "game/ui/ui_draw.h"

using vesk::math::Vec2;

namespace {

// An option row's pointer rectangle: from its node this far right, and from a unit above it this far down.
constexpr float kRowHitWidth = 256.0f;
constexpr float kRowHitHeight = 37.0f;

}  // namespace

void GAME_CUIEngineRoom::MoveRowCursor(std::int32_t row)
{
    rowCursor_ = row;
    highlight_->SetParent(rows_[static_cast<std::size_t>(row)].node);
    highlight_->UpdateTree(false);
}

void GAME_CUIEngineRoom::ChooseOption(std::int32_t row)
{
    const GAME_CRoomBase* room = Room();
    if (room == nullptr) return;
    const std::int32_t mode = rows_[static_cast<std::size_t>(row)].mode;
    // The option of the room's own mode asks nothing.
    if (mode == kNoMode || mode == room->engineMode) return;
    pages_.Go(mode == kEngineOverLimit ? Page::kAskOverLimit : mode == kEngineConnected ? Page::kAskConnect : Page::kAskStop);
}

void GAME_CUIEngineRoom::PlaceEngineFocus()
{
    if (focus_ == kFocusOptions) {
        MoveRowCursor(std::min(rowCursor_, kOptionRows - 1));
        highlight_->SetColor(kUIWhite);
        firstFrame_.cursorSprite->SetColor(kUIHidden);
        return;
    }
    // The pointer stands beside the tabs and the skip arrows.
    static constexpr std::array<Vec2, 4> kPlaces{{{264.0f, 316.0f}, {44.0f, 316.0f}, {541.0f, 233.0f}, {-6.0f, 233.0f}}};
    const auto at = static_cast<std::size_t>(std::clamp<std::int32_t>(focus_, kFocusTaskTab, kFocusSkipLeft) - kFocusTaskTab);
    highlight_->SetColor(kUIHidden);
    firstFrame_.cursorNode->SetPosition(&kPlaces[at]);
    firstFrame_.cursorSprite->SetSprite(focus_ <= kFocusEngineTab ? arrowSprite_ : gridCursorSprite_);
    firstFrame_.cursorSprite->SetColor(kUIWhite);
    firstFrame_.cursorNode->UpdateTree(false);
}

void GAME_CUIEngineRoom::UpdateEngineInput(bool input)
{
    const std::int32_t rows = CountOptions();
    if (!input || rows == 0) return;

    // A press on a row moves the cursor there; a press on the cursor's row chooses it.
    for (std::int32_t k = 0; k < rows && !IsUIPointerRefused(); ++k) {
        const Vec2 node = rows_[static_cast<std::size_t>(k)].node->WorldPosition();
        const Vec2 topLeft{rows_[0].node->WorldPosition().x, node.y - 1.0f};
        if (!IsUIClickInRect(topLeft, {topLeft.x + kRowHitWidth, topLeft.y + kRowHitHeight})) continue;
        if (k != rowCursor_) {
            PlayUISE(kSeUICursor);
            MoveRowCursor(k);
        } else {
            PlayUISE(kSeUIDecide);
            ChooseOption(k);
        }
        return;
    }
    if (IsUIActionTriggered(kActionMenuTabChange)) {
        firstFrame_.taskTab->Press();
        return;
    }

    constexpr std::int32_t none = kUINoFocus;
    const std::array<UIFocusPlace, 5> table{{
        {.id = kFocusOptions, .next = {none, kFocusEngineTab, kFocusSkipLeft, kFocusSkipRight}, .silentSideways = true,
         .inside = [this, rows](int d) {
             if (d == kUIFocusUp) {
                 MoveRowCursor((rowCursor_ + rows - 1) % rows);
                 return true;
             }
             if (d != kUIFocusDown || rowCursor_ + 1 >= rows) return false;
             MoveRowCursor(rowCursor_ + 1);
             return true;
         },
         .repeats = true, .soundsUpDown = true},
        {.id = kFocusTaskTab, .next = {kFocusOptions, none, kFocusEngineTab, kFocusSkipRight}, .button = firstFrame_.taskTab},
        {.id = kFocusEngineTab, .next = {kFocusOptions, none, kFocusSkipLeft, kFocusTaskTab}, .button = firstFrame_.firstTab},
        {.id = kFocusSkipRight, .next = {none, none, kFocusOptions, none}, .silent = true, .button = firstFrame_.skipRight},
        {.id = kFocusSkipLeft, .next = {none, none, none, kFocusOptions}, .silent = true, .button = firstFrame_.skipLeft},
    }};
    const UIFocusMap map(table);
    const std::int32_t start = focus_;
    const bool repeats = map.Find(focus_) != nullptr && map.Find(focus_)->repeats;
    // Sideways first (on the options they only set the place), then decide, then up and down.
    const bool sideways = (IsUIMenuPressed(kUIMenuRight) && map.Step(focus_, kUIFocusRight)) || (IsUIMenuPressed(kUIMenuLeft) && map.Step(focus_, kUIFocusLeft));
    if (!sideways) {
        if (IsUIActionTriggered(kActionDecide)) {
            if (focus_ == kFocusOptions) {
                PlayUISE(kSeUIDecide);
                ChooseOption(rowCursor_);
            } else {
                map.Press(focus_);
            }
        } else if (IsUIMenuPressed(kUIMenuUp, repeats)) {
            map.Walk(focus_, kUIFocusUp);
        } else if (IsUIMenuPressed(kUIMenuDown, repeats)) {
            map.Walk(focus_, kUIFocusDown);
        }
    }
    if (map.Find(focus_) == nullptr) focus_ = kFocusOptions;
    if (focus_ != start) PlaceEngineFocus();
}

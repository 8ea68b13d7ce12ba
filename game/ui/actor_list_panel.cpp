// The crew panel beside a room's task tab: the room's crew in a scrolling grid of two columns.
#include "game/ui/actor_list_panel.h"

#include <algorithm>
#include <string>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/ui/screen_context.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_room_actor_info.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widget_builders.h"

using vesk::math::Vec2;

namespace {

// A cell holds one member's icons, name and meters; a click anywhere on it counts for that member.
// Its icon stands a little left of the cell's point.
constexpr float kCellWidth = 96.0f;
constexpr float kCellHeight = GAME_CUIActorListPanel::kRowHeight;
constexpr float kIconLead = 4.0f;
// The scroll bar stands right of the two columns, from a little above the first row.
constexpr Vec2 kScrollBarFromPoint{195.0f, -13.0f};
constexpr std::int32_t kUnlimitedCapacity = 128;
constexpr std::uint32_t kKorean = 2;
constexpr std::uint32_t kStaminaColor = 0xFF6BD37Fu;
constexpr std::uint32_t kCalorieColor = 0xFF4CC9F2u;

}  // namespace

GAME_CUIActorListPanel::GAME_CUIActorListPanel(const UIScreenContext& context) : context_(context)
{
    // Drawn by the panel itself, not under a root; the wheel goes round from the last row to the first.
    scroll_ = MakeUIScrollBar(nullptr, 0.0f, 0.0f, 10.0f, 48.0f, false, UIScrollEnds::kWrap);
    PlaceScrollBar();
    actorIcon_ = FindUISprite("ui_icon_actor");
    bindLive_ = FindUISprite("ui_icon_bind_live");
    bindWork_ = FindUISprite("ui_icon_bind_work");
    meters_ = FindUISprite("ui_icon_stamina_calorie2");
    for (int digit = 0; digit < 10; ++digit) digits_[digit] = FindUISprite("ui_text_num_" + std::to_string(digit));
    slash_ = FindUISprite("ui_text_num_slash");
    baseLabel_ = FindUISprite("ui_cursor_baselabel");
    cursorSprite_ = FindUISprite("ui_cursor_common_r90");
    infinity_ = FindUISprite("ui_text_infinity");
    separator_ = FindUISprite("ui_separator_left_rat");
    crew_.reserve(16);
}

GAME_CUIActorListPanel::~GAME_CUIActorListPanel() { delete scroll_; }

void GAME_CUIActorListPanel::SetPoint(Vec2 point)
{
    point_ = point;
    PlaceScrollBar();
}

Vec2 GAME_CUIActorListPanel::CanvasPoint() const { return {point_.x + drawnOffset_.x, point_.y + drawnOffset_.y}; }

Vec2 GAME_CUIActorListPanel::CellTopLeft(Vec2 point, std::uint32_t cell)
{
    return {point.x + kCellWidth * static_cast<float>(cell % 2), point.y + kCellHeight * static_cast<float>(cell / 2)};
}

void GAME_CUIActorListPanel::PlaceScrollBar()
{
    const Vec2 point = CanvasPoint();
    const Vec2 at{point.x + kScrollBarFromPoint.x, point.y + kScrollBarFromPoint.y};
    scroll_->SetPosition(&at);
}

std::int32_t GAME_CUIActorListPanel::ScrollMaximum(std::size_t count)
{
    const std::int64_t rows = (static_cast<std::int64_t>(count) + 1) / 2;
    return static_cast<std::int32_t>(std::max<std::int64_t>(0, rows - 2));
}

void GAME_CUIActorListPanel::OpenCrewScreen(GAME_CRoomBase* room, GAME_CObjectActor* actor)
{
    auto* screen = context_.ui.Get<GAME_CUIRoomActorInfo>();
    if (screen == nullptr) return;
    PlayUISE(kSeUIDecide);
    screen->targetActor = actor;
    screen->OpenForRoom(room);
}

bool GAME_CUIActorListPanel::Update(GAME_CRoomBase* room, bool input)
{
    room_ = room;
    CollectUIRoomCrew(room, crew_);
    const std::uint32_t count = static_cast<std::uint32_t>(crew_.size());
    scroll_->SetMaximum(ScrollMaximum(count));
    scroll_->SetVisible(scroll_->Maximum() > 0);
    cursor_ = count == 0 ? 0 : std::min(cursor_, std::min(count - 1, kVisibleCells - 1));
    const std::int32_t top = scroll_->Value() * 2;

    if (input) {
        // The cells are taken where the panel was last drawn, where the player sees them.
        const Vec2 point = CanvasPoint();
        for (std::uint32_t cell = 0; cell < kVisibleCells; ++cell) {
            const std::uint32_t member = static_cast<std::uint32_t>(top) + cell;
            if (member >= count) break;
            const Vec2 at = CellTopLeft(point, cell);
            if (!IsUIClickInRect({at.x - kIconLead, at.y}, {at.x - kIconLead + kCellWidth, at.y + kCellHeight})) continue;
            input = false;
            if (!focused) {
                focused = true;
                if (controller_ != nullptr) controller_->focused = false;
                cursor_ = cell;
                PlayUISE(kSeUICursor);
            } else if (cell != cursor_) {
                cursor_ = cell;
                PlayUISE(kSeUICursor);
            } else {
                OpenCrewScreen(room, crew_[member]);
            }
            return false;
        }
    }
    // The task page hands the bar the wheel only while the pointer stands over the panel.
    if (!focused) return FollowScrollBar(input, count);
    blink_.Tick();
    if (count == 0) {
        cursor_ = 0;
        return input;
    }
    if (static_cast<std::uint32_t>(top) + cursor_ >= count) {
        cursor_ = 0;
        scroll_->SetValue(0);
    }
    if (!input) return false;
    const std::int32_t scroll = scroll_->Value();
    if (IsUIActionTriggered(kActionDecide)) {
        OpenCrewScreen(room, crew_[static_cast<std::size_t>(scroll * 2) + cursor_]);
        return false;
    }
    if (count >= 2 && IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
        const std::uint32_t member = static_cast<std::uint32_t>(scroll * 2) + cursor_;
        if (member + 1 >= count) {
            cursor_ = 0;
            scroll_->SetValue(0);
        } else if (++cursor_ >= kVisibleCells) {
            cursor_ -= 2;
            scroll_->SetValue(scroll + 1);
        }
        PlayUISE(kSeUICursor);
        return false;
    }
    if (count >= 2 && IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) {
        const std::uint32_t member = static_cast<std::uint32_t>(scroll * 2) + cursor_;
        if (member == 0) {
            // To the last member, with the scroll that shows it.
            const std::int32_t lastScroll = ScrollMaximum(count);
            scroll_->SetValue(lastScroll);
            cursor_ = count - 1 - static_cast<std::uint32_t>(lastScroll * 2);
        } else if (cursor_ == 0) {
            // Passing the first cell scrolls up one row.
            scroll_->SetValue(scroll - 1);
            cursor_ = 1;
        } else {
            --cursor_;
        }
        PlayUISE(kSeUICursor);
        return false;
    }
    return FollowScrollBar(input, count);
}

bool GAME_CUIActorListPanel::FollowScrollBar(bool input, std::uint32_t count)
{
    input = scroll_->UpdateTree(input);
    if (scroll_->IsDecided()) {
        PlayUISE(kSeUICursor);
        while (cursor_ > 0 && static_cast<std::uint32_t>(scroll_->Value() * 2) + cursor_ >= count) --cursor_;
    }
    return input;
}

template <typename Visit>
void GAME_CUIActorListPanel::ForEachShownCell(Visit visit) const
{
    const std::size_t top = static_cast<std::size_t>(scroll_->Value()) * 2;
    for (std::uint32_t cell = 0; cell < kVisibleCells && top + cell < crew_.size(); ++cell) visit(cell, GetUICrewView(crew_[top + cell], room_));
}

void GAME_CUIActorListPanel::DrawNumber(Vec2& pen, std::int32_t value)
{
    const std::string digits = std::to_string(std::max(value, 0));
    for (char digit : digits) {
        DrawUISprite(pen, digits_[digit - '0']);
        pen.x += 6.0f;
    }
}

void GAME_CUIActorListPanel::DrawSprites(Vec2 offset)
{
    // The bar and the clicks follow the panel wherever its page draws it (a sliding window moves it).
    drawnOffset_ = offset;
    PlaceScrollBar();
    const Vec2 point = CanvasPoint();
    Vec2 pen{point.x + 20.0f, point.y - 10.0f};
    DrawNumber(pen, static_cast<std::int32_t>(crew_.size()));
    DrawUISprite(pen, slash_);
    pen.x += 7.0f;
    const std::int32_t capacity = GetUIRoomCapacity(room_);
    if (capacity >= kUnlimitedCapacity) {
        DrawUISprite(pen, infinity_);
    } else {
        DrawNumber(pen, capacity);
    }
    ForEachShownCell([&](std::uint32_t cell, const UICrewView& view) {
        const Vec2 at = CellTopLeft(point, cell);
        DrawUISprite({at.x, at.y + 17.0f}, separator_);
        DrawUISprite({at.x - kIconLead, at.y + 1.0f}, actorIcon_);
        DrawUISprite({at.x + 4.0f, at.y + 8.0f}, view.livesHere ? bindLive_ : bindWork_);
        const Vec2 meterAt{at.x + 56.0f, at.y + 5.0f};
        DrawUIRect({meterAt.x + 1.0f, meterAt.y + 1.0f}, {30.0f * std::clamp(view.stamina, 0.0f, 1.0f), 2.0f}, kStaminaColor);
        DrawUIRect({meterAt.x + 1.0f, meterAt.y + 5.0f}, {30.0f * std::clamp(view.calorie, 0.0f, 1.0f), 2.0f}, kCalorieColor);
        DrawUISprite(meterAt, meters_);
    });
    if (focused && !crew_.empty()) {
        const Vec2 at = CellTopLeft(point, cursor_);
        DrawUISprite({at.x - 14.0f - blink_.Bob(), at.y + 4.0f}, cursorSprite_);
    }
    if (scroll_->IsVisible()) scroll_->Draw();
}

void GAME_CUIActorListPanel::DrawTexts(Vec2 offset)
{
    const Vec2 point{point_.x + offset.x, point_.y + offset.y};
    const GAME_CPlayerData* player = GetPlayerData();
    // Korean names are drawn with the first font.
    const int font = player != nullptr && player->language == kKorean ? 0 : -1;
    ForEachShownCell([&](std::uint32_t cell, const UICrewView& view) {
        const Vec2 at = CellTopLeft(point, cell);
        DrawUIText({at.x + 15.0f, at.y + 2.0f}, view.name, GetUIColor(kUIColorText), 1.0f, font);
    });
}

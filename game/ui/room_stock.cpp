// The stock line of a room screen's first page: the count／capacity label and its gauge, written only when the figures change.
#include "game/ui/room_stock.h"

#include <algorithm>

#include "game/ui/ui_text.h"

namespace {

// The fill's colour: yellow (red, green, blue and alpha bytes from the lowest).
constexpr std::uint32_t kStockColor = 0xFF00FFFFu;
constexpr float kGaugeLength = 110.0f;
constexpr float kGaugeHeight = 6.0f;

}  // namespace

void UIRoomStock::BuildGauge(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at,
                             const char* fillSprite)
{
    GAME_CUINullObject* gauge = MakeUIGroupUnder(parent, at.x, at.y);
    list.push_back(gauge);
    list.push_back(MakeUIPictureUnder(gauge, "ui_room_hpbar_frame", -2.0f, -3.0f));
    fill_ = MakeUIGaugeFill(gauge, fillSprite, kStockColor, kGaugeLength, kGaugeHeight);
    list.push_back(fill_.picture);
}

void UIRoomStock::BuildLabel(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at)
{
    label_ = MakeUILabel(parent, "", at.x, at.y);
    list.push_back(label_);
}

void UIRoomStock::Show(bool present, std::int64_t count, std::int64_t capacity)
{
    if (!present) count = capacity = -1;
    if (count == shownCount_ && capacity == shownCapacity_) return;
    shownCount_ = count;
    shownCapacity_ = capacity;
    float ratio = 0.0f;
    if (!present) {
        label_->SetTextA("");
    } else {
        label_->SetTextW((UIFullWidthNumber(count) + u"／" + UIFullWidthNumber(capacity)).c_str());
        if (capacity > 0) ratio = std::clamp(static_cast<float>(count) / static_cast<float>(capacity), 0.0f, 1.0f);
    }
    fill_.Show(ratio);
}

void UIRoomStock::Clear()
{
    label_->SetTextA("");
    fill_.Show(0.0f);
    Forget();
}

void UIRoomStock::Forget()
{
    shownCount_ = -1;
    shownCapacity_ = -1;
}

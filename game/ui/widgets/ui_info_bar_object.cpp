// The ticker of the resident bar: rows of wide text that scroll leftwards across the bar and vanish.
#include "game/ui/widgets/ui_info_bar_object.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/memory/heaps.h"
#include "game/services/player/player_data.h"
#include "game/ui/ui_draw.h"

namespace {

std::u16string_view RowText(const GAME_CUIInfoBarObject::Row& row)
{
    std::size_t length = 0;
    while (length < GAME_CUIInfoBarObject::kRowChars && row.text[length] != 0) ++length;
    return {row.text, length};
}

}  // namespace

UIInfoBarObjectDesc* InitUIInfoBarObjectDesc(UIInfoBarObjectDesc* desc)
{
    *desc = UIInfoBarObjectDesc{1, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    return desc;
}

GAME_CUIInfoBarObject::GAME_CUIInfoBarObject(const UIInfoBarObjectDesc* desc) : GAME_CUIPlacedObject(0)
{
    UIInfoBarObjectDesc defaults;
    if (desc == nullptr) desc = InitUIInfoBarObjectDesc(&defaults);
    rowCount_ = desc->rowCount;
    position_ = {desc->positionX, desc->positionY};
    size_ = {desc->width, desc->height};
    scrollSpeed_ = desc->scrollSpeed;
    if (rowCount_ > 0) {
        rows_ = static_cast<Row*>(vesk::memory::MainHeapAlloc(sizeof(Row) * rowCount_));
        if (rows_ == nullptr) {
            rowCount_ = 0;
        } else {
            std::memset(static_cast<void*>(rows_), 0, sizeof(Row) * rowCount_);
        }
    }
}

GAME_CUIInfoBarObject::~GAME_CUIInfoBarObject() { vesk::memory::MainHeapFree(rows_); }

bool GAME_CUIInfoBarObject::AddMessage(const char16_t* text, std::uint32_t kind)
{
    if (text == nullptr) return false;
    Row* target = nullptr;
    float right = 0.0f;
    for (std::uint32_t i = 0; i < rowCount_; ++i) {
        Row& row = rows_[i];
        if (row.text[0] == 0) {
            if (target == nullptr) target = &row;
            continue;
        }
        right = std::max(right, row.offset + RowWidth(row));
    }
    if (target == nullptr) return false;
    std::memset(target->text, 0, sizeof target->text);
    for (std::size_t i = 0; i < kRowChars - 1 && text[i] != 0; ++i) target->text[i] = text[i];
    target->kind = kind;
    target->language = UITextLanguage();
    target->offset = right > 0.00001f ? right + 4.0f : 0.0f;
    return true;
}

float GAME_CUIInfoBarObject::RowWidth(const Row& row)
{
    return MeasureUIText(RowText(row), UIFontSlotForTextIn(row.language));
}

std::uint32_t GAME_CUIInfoBarObject::CountMessages() const
{
    std::uint32_t count = 0;
    for (std::uint32_t i = 0; i < rowCount_; ++i) {
        if (rows_[i].text[0] != 0) ++count;
    }
    return count;
}

bool GAME_CUIInfoBarObject::ClearMessages()
{
    if (rows_ != nullptr) std::memset(static_cast<void*>(rows_), 0, sizeof(Row) * rowCount_);
    return true;
}

void GAME_CUIInfoBarObject::Update(bool)
{
    for (std::uint32_t i = 0; i < rowCount_; ++i) {
        Row& row = rows_[i];
        if (row.text[0] == 0) continue;
        row.offset -= scrollSpeed_;
        if (row.offset + RowWidth(row) + size_.x <= 0.0f) std::memset(static_cast<void*>(&row), 0, sizeof row);
    }
}

void GAME_CUIInfoBarObject::Draw()
{
    // Rows enter at the bar's right end and leave at its left one: nothing of them shows outside it.
    ClipUIDraws(position_, size_);
    for (std::uint32_t i = 0; i < rowCount_; ++i) {
        const Row& row = rows_[i];
        if (row.text[0] == 0) continue;
        DrawUIText({position_.x + size_.x + row.offset, position_.y}, RowText(row), UILineKindColor(row.kind), 1.0f,
                   UIFontSlotForTextIn(row.language));
    }
    ClearUIClip();
}

// One line of text: a message key looked up at every draw, or a literal wide text.
#include "game/ui/widgets/ui_label_object.h"

#include <cstring>
#include <string>

#include "framework/text/font_manager.h"
#include "framework/text/message_file.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/ui_draw.h"

UILabelObjectDesc* InitUILabelObjectDesc(UILabelObjectDesc* desc)
{
    std::memset(desc, 0, sizeof *desc);
    desc->color = GetUIColor(kUIColorText);
    desc->scale = 1.0f;
    return desc;
}

GAME_CUILabelObject::GAME_CUILabelObject(const UILabelObjectDesc* desc)
    : GAME_CUIPlacedObject(kTakesPosition | kTakesPivot | kTakesVisible)
{
    UILabelObjectDesc defaults;
    if (desc == nullptr) desc = InitUILabelObjectDesc(&defaults);
    const std::size_t length = strnlen(desc->key, kKeyLimit);
    std::memcpy(buffer_.data(), desc->key, length);
    color_ = desc->color;
    position_ = {desc->positionX, desc->positionY};
    pivot_ = {desc->pivotX, desc->pivotY};
    size_ = {1.0f, 1.0f};
    textScale_ = desc->scale;
    nudge_ = desc->nudge;
    visible_ = 1;
}

void GAME_CUILabelObject::SetTextA(const char* key)
{
    cacheValid_ = false;
    buffer_.fill(0);
    literal_ = 0;
    if (key == nullptr) return;
    std::memcpy(buffer_.data(), key, strnlen(key, kKeyLimit));
}

void GAME_CUILabelObject::SetTextW(const char16_t* text)
{
    buffer_.fill(0);
    literal_ = 1;
    if (text == nullptr) return;
    std::size_t length = 0;
    while (length < kTextLimit && text[length] != 0) ++length;
    std::memcpy(buffer_.data(), text, length * sizeof(char16_t));
}

std::u16string_view GAME_CUILabelObject::Literal() const
{
    if (literal_ == 0) return {};
    const auto* text = reinterpret_cast<const char16_t*>(buffer_.data());
    std::size_t length = 0;
    while (length < kTextLimit && text[length] != 0) ++length;
    return {text, length};
}

std::u16string_view GAME_CUILabelObject::KeyText()
{
    const std::uint32_t generation = vesk::text::MessageFileGeneration();
    if (!cacheValid_ || cacheNamesKeys_ || cacheGeneration_ != generation) {
        if (!cacheValid_ || cacheGeneration_ != generation) {
            cacheNamesKeys_ = GetMessageTextOrKey(Key()).find(u"%keyname") != std::u16string::npos;
        }
        cache_ = GetMessageTextExpanded(Key());
        cacheGeneration_ = generation;
        cacheValid_ = true;
    }
    return cache_;
}

void GAME_CUILabelObject::Draw()
{
    if (!IsVisible()) return;
    if (literal_ != 0 ? Literal().empty() : buffer_[0] == 0) return;
    vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return;
    const std::u16string_view text = literal_ != 0 ? Literal() : KeyText();
    const float width = MeasureUIText(text, fontSlot_);
    if (static_cast<int>(width) == 0) return;
    const vesk::math::Vec2 world = WorldPosition();
    float x = static_cast<float>(static_cast<int>(world.x));
    float y = static_cast<float>(static_cast<int>(world.y));
    if (nudge_ != 0) x -= pivot_.x;
    float styleScale = textScale_;
    if (Parent() != nullptr) styleScale *= WorldScale().x;
    if (pivot_.x > 0.00001f) x -= width * pivot_.x * textScale_;
    if (pivot_.y > 0.00001f) {
        const vesk::text::FontRecord* font = fonts->Font(fontSlot_ >= 0 ? fontSlot_ : UIFontSlot());
        const float lineHeight = font != nullptr ? font->CellHeight() : 0.0f;
        const float fontScale = font != nullptr && font->size > 0.0f ? font->size : 1.0f;
        y -= lineHeight * fontScale * pivot_.y * textScale_;
    }
    x = static_cast<float>(static_cast<int>(x + 0.55555f));
    y = static_cast<float>(static_cast<int>(y + 0.55555f));
    DrawUIText({x, y}, text, color_, styleScale, fontSlot_);
}

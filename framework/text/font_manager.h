// The font manager: sixteen font slots, the text style, and the draw and measure of UTF-16 texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/glyph_table.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/graphics/texture.h"
#include "framework/text/format_text.h"

namespace vesk::text {

inline constexpr int kFontSlotCount = 16;
// Room of the draw buffer; a formatted draw keeps one unit for the terminator
// the original buffer had, so it draws at most 255.
inline constexpr std::size_t kTextBufferUnits = 256;
inline constexpr std::size_t kMaxFormattedDrawUnits = kTextBufferUnits - 1;

// Code units that break a line when drawn or measured.
inline constexpr char16_t kLineFeed = 10;
inline constexpr char16_t kEscape = 27;

// One font slot: the font image (the first and only texture of the list) and
// the glyph table, with the numbers registration stores. A new or released
// record is empty with every number 0.
struct FontRecord {
    std::vector<std::unique_ptr<resource::SYSWIN_CTexture>> textures;
    std::optional<resource::GlyphTable> glyphs;
    float size = 0.0f;           // multiplies the style's scale
    float letterSpacing = 0.0f;  // pixels after every glyph
    float spaceWidth = 0.0f;     // pixels, times the scale, after a space
    float lineGap = 0.0f;        // pixels added to each line feed of the line draw

    resource::SYSWIN_CTexture* Image() const { return textures.empty() ? nullptr : textures.front().get(); }
    float CellHeight() const { return glyphs ? glyphs->CellHeight() : 0.0f; }
    const resource::Glyph* FindGlyph(char16_t code) const { return glyphs ? glyphs->Find(code) : nullptr; }
};

// The one text style, shared by every text draw until a caller changes it.
struct TextStyle {
    float scale = 1.0f;
    float angle = 0.0f;              // degrees: turns the pen direction and every glyph
    std::uint32_t color = 0xFFFFFFFFu;  // RGBA bytes, red in the low byte
    float anchorX = 0.0f;            // fraction of the widest line's width the text moves back
    float anchorY = 0.0f;            // fraction of one line's height the text moves back
    float extraSpacing = 0.0f;       // pixels after every glyph, on top of the font's spacing
    float lastWidth = 0.0f;          // widest line of the last drawn text
    float lastLineHeight = 0.0f;     // line height of the last drawn text
};

// Where glyph sprites go. The font manager sends them to the device's textured
// renderer unless another sink is set (tests record them).
class GlyphSpriteSink {
public:
    virtual ~GlyphSpriteSink() = default;
    virtual void AddGlyph(const graphics::DrawParam& param, graphics::Vec2f position,
                          resource::SYS_CTexture* image) = 0;
};

class SYS_CFontManager;

// Sees every text a font manager draws (up to its first zero code unit, when
// not empty), before its glyphs go out; the font manager tells the font and
// the style (test recorders).
class TextDrawObserver {
public:
    virtual ~TextDrawObserver() = default;
    virtual void OnTextDraw(const SYS_CFontManager& fonts, graphics::Vec2f position, std::u16string_view text) = 0;
};
// Null (the default) for none; not owned.
void SetTextDrawObserver(TextDrawObserver* observer);

// Sixteen font slots, the current font and the text style; draws and
// measures UTF-16 texts glyph by glyph. A code unit the font has no glyph for
// is neither drawn nor measured. Main thread only.
class SYS_CFontManager {
public:
    SYS_CFontManager();
    ~SYS_CFontManager();
    SYS_CFontManager(const SYS_CFontManager&) = delete;
    SYS_CFontManager& operator=(const SYS_CFontManager&) = delete;

    // Releases the slot, then reads the glyph table and the font image from
    // the data folder (file reads from the loader's file heap, the image's
    // pixels copied into its copy heap), stores the three numbers and turns
    // wrapping off. A part that cannot be read or is broken is left out (the
    // slot then cannot draw); true when both parts loaded. A slot outside
    // 0..15 is refused.
    bool RegisterFont(const resource::TextureLoader& loader, int slot, std::string_view glyphTablePath,
                      std::string_view imagePath, float size, float letterSpacing, float spaceWidth);
    // The same from files already in memory.
    bool RegisterFontFromMemory(const resource::TextureLoader& loader, int slot,
                                std::span<const std::uint8_t> glyphTable, std::span<const std::uint8_t> image,
                                float size, float letterSpacing, float spaceWidth, std::string_view name = "font");
    void ReleaseFont(int slot);

    // Draws the text (up to its first zero code unit, if any) with the
    // current font at a canvas position: word-wrapped when wrapping is on,
    // else broken only at line feeds and escapes.
    void DrawString(graphics::Vec2f position, std::u16string_view text);
    // Formats through FormatText, keeps the first 255 code units, draws them.
    void DrawFormatted(graphics::Vec2f position, std::u16string_view format,
                       std::initializer_list<FormatArg> args = {});

    // The width of the text in a font slot. Multi-line: the widest line, with
    // the line breaks counted in *lineCount; else the sum over the whole text.
    // A slot outside 0..15 or without a glyph table measures 0.
    float MeasureString(int slot, std::u16string_view text, float extraSpacing, int* lineCount,
                        bool multiLine) const;

    void ResetTextStyle();
    TextStyle& Style() { return style_; }
    const TextStyle& Style() const { return style_; }

    std::uint32_t CurrentFont() const { return currentFont_; }
    void SetCurrentFont(std::uint32_t slot) { currentFont_ = slot; }

    bool WrapEnabled() const { return wrap_; }
    std::uint32_t WrapWidth() const { return wrapWidth_; }
    void SetWrap(bool enabled, std::uint32_t width)
    {
        wrap_ = enabled;
        wrapWidth_ = width;
    }

    // Null for a slot outside 0..15.
    FontRecord* Font(int slot);
    const FontRecord* Font(int slot) const;

    // Null: the device's textured renderer.
    void SetGlyphSink(GlyphSpriteSink* sink) { sink_ = sink; }

private:
    void LineDraw(const FontRecord& font, graphics::Vec2f position, std::u16string_view text);
    void WrappedDraw(const FontRecord& font, graphics::Vec2f position, std::u16string_view text);
    void AddGlyph(const graphics::DrawParam& param, graphics::Vec2f position, resource::SYS_CTexture* image);

    FontRecord fonts_[kFontSlotCount];
    std::uint32_t currentFont_ = 0;
    TextStyle style_;
    bool wrap_ = false;
    std::uint32_t wrapWidth_ = 0;
    GlyphSpriteSink* sink_ = nullptr;
    // Kept between draws so that drawing does not allocate.
    std::u16string drawBuffer_;
    std::u16string line_;
    std::u16string word_;
};

// The framework manager's font manager; null while there is no manager.
SYS_CFontManager* GetFontManager();
// The manager hands its font manager over when it is made and takes it back
// (null) before it goes.
void SetFontManager(SYS_CFontManager* fonts);

}  // namespace vesk::text

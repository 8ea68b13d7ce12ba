// The font manager: font slots, text style, and the glyph-by-glyph draw, wrap and measure of UTF-16 texts.
#include "framework/text/font_manager.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/image_file.h"
#include "framework/log/log.h"
#include "framework/math/scalar.h"
#include "framework/memory/heaps.h"

namespace vesk::text {

namespace {

SYS_CFontManager* g_fonts = nullptr;
TextDrawObserver* g_textObserver = nullptr;

constexpr char16_t kSpace = 32;
constexpr char16_t kIdeographicSpace = 0x3000;
constexpr char16_t kFullStop = 46;

bool IsLineBreak(char16_t unit)
{
    return unit == kLineFeed || unit == kEscape;
}

// Where the wrapped draw may break a line: after these code units.
bool EndsWord(char16_t unit)
{
    return unit == kSpace || unit == kIdeographicSpace || unit == kFullStop || unit == 0 || unit == kEscape;
}

// Texts are zero-terminated where they come from: nothing after a zero counts.
std::u16string_view UpToTerminator(std::u16string_view text)
{
    const std::size_t end = text.find(u'\0');
    return end == std::u16string_view::npos ? text : text.substr(0, end);
}

// A file of the data folder, freed when this goes out of scope.
class ResourceBlock {
public:
    ResourceBlock(memory::HeapRecord* heap, std::string_view path)
        : data_(file::ReadResourceFile(heap, path, &size_))
    {
    }
    ~ResourceBlock() { memory::MainHeapFree(data_); }
    ResourceBlock(const ResourceBlock&) = delete;
    ResourceBlock& operator=(const ResourceBlock&) = delete;

    std::span<const std::uint8_t> Bytes() const
    {
        return data_ ? std::span(static_cast<const std::uint8_t*>(data_), size_) : std::span<const std::uint8_t>();
    }

private:
    std::size_t size_ = 0;
    void* data_ = nullptr;
};

// Pending sprites may still point at a texture that is about to go.
void FlushPendingSprites()
{
    graphics::DeviceRecord* record = graphics::GetDeviceRecord();
    if (record && record->textureRenderer.PendingQuads() > 0) record->textureRenderer.Flush();
}

std::unique_ptr<resource::SYSWIN_CTexture> MakeFontImage(const resource::TextureLoader& loader,
                                                         std::span<const std::uint8_t> bytes, std::string_view name)
{
    // The file block is freed after loading: the pixels must be copied.
    if (!loader.copyHeap) {
        log::Error("font image \"" + std::string(name) + "\": loading it needs a heap for its pixels");
        return nullptr;
    }
    const std::optional<resource::ImageFile> image = resource::ParseImageFile(bytes, name);
    if (!image) return nullptr;
    auto texture = std::unique_ptr<resource::SYSWIN_CTexture>(new (std::nothrow) resource::SYSWIN_CTexture());
    if (!texture) return nullptr;
    if (texture->CreateFromImage(std::string(image->name), image->payload.data(), image->payload.size(),
                                 image->format, image->width, image->height, loader.copyHeap) != 0) {
        log::Error("font image \"" + std::string(name) + "\": no texture could be made of it");
        return nullptr;
    }
    return texture;
}

}  // namespace

SYS_CFontManager::SYS_CFontManager()
{
    drawBuffer_.reserve(kTextBufferUnits);
    line_.reserve(kTextBufferUnits);
    word_.reserve(kTextBufferUnits);
}

SYS_CFontManager::~SYS_CFontManager()
{
    for (int slot = 0; slot < kFontSlotCount; ++slot) ReleaseFont(slot);
}

FontRecord* SYS_CFontManager::Font(int slot)
{
    return slot >= 0 && slot < kFontSlotCount ? &fonts_[slot] : nullptr;
}

const FontRecord* SYS_CFontManager::Font(int slot) const
{
    return slot >= 0 && slot < kFontSlotCount ? &fonts_[slot] : nullptr;
}

bool SYS_CFontManager::RegisterFont(const resource::TextureLoader& loader, int slot, std::string_view glyphTablePath,
                                    std::string_view imagePath, float size, float letterSpacing, float spaceWidth)
{
    if (!Font(slot)) {
        log::Error("font slot " + std::to_string(slot) + " does not exist");
        return false;
    }
    // Both files are read before the slot changes; a missing one was logged
    // by the reader and leaves its part out.
    const ResourceBlock glyphTable(loader.fileHeap, glyphTablePath);
    const ResourceBlock image(loader.fileHeap, imagePath);
    return RegisterFontFromMemory(loader, slot, glyphTable.Bytes(), image.Bytes(), size, letterSpacing, spaceWidth,
                                  imagePath);
}

bool SYS_CFontManager::RegisterFontFromMemory(const resource::TextureLoader& loader, int slot,
                                              std::span<const std::uint8_t> glyphTable,
                                              std::span<const std::uint8_t> image, float size, float letterSpacing,
                                              float spaceWidth, std::string_view name)
{
    FontRecord* font = Font(slot);
    if (!font) {
        log::Error("font slot " + std::to_string(slot) + " does not exist");
        return false;
    }
    ReleaseFont(slot);
    if (!glyphTable.empty()) font->glyphs = resource::GlyphTable::Parse(glyphTable, name);
    if (!image.empty()) {
        if (auto texture = MakeFontImage(loader, image, name)) font->textures.push_back(std::move(texture));
    }
    font->size = size;
    font->letterSpacing = letterSpacing;
    font->spaceWidth = spaceWidth;
    wrap_ = false;
    drawBuffer_.reserve(kTextBufferUnits);
    return font->glyphs.has_value() && font->Image() != nullptr;
}

void SYS_CFontManager::ReleaseFont(int slot)
{
    FontRecord* font = Font(slot);
    if (!font) return;
    if (!font->textures.empty()) FlushPendingSprites();
    font->textures.clear();
    font->glyphs.reset();
}

void SYS_CFontManager::ResetTextStyle()
{
    const TextStyle defaults;
    style_.scale = defaults.scale;
    style_.angle = defaults.angle;
    style_.color = defaults.color;
    style_.anchorX = defaults.anchorX;
    style_.anchorY = defaults.anchorY;
    style_.extraSpacing = defaults.extraSpacing;
}

float SYS_CFontManager::MeasureString(int slot, std::u16string_view text, float extraSpacing, int* lineCount,
                                      bool multiLine) const
{
    if (lineCount) *lineCount = 0;
    const FontRecord* font = Font(slot);
    if (!font) return 0.0f;
    const float scale = font->size * style_.scale;
    float widest = 0.0f;
    float current = 0.0f;
    for (char16_t unit : UpToTerminator(text)) {
        if (multiLine && IsLineBreak(unit)) {
            if (lineCount) ++*lineCount;
            current = 0.0f;
            continue;
        }
        const resource::Glyph* glyph = font->FindGlyph(unit);
        if (!glyph) continue;
        current += glyph->advance * scale + font->letterSpacing + extraSpacing;
        if (unit == kSpace) current += font->spaceWidth * scale;
        widest = std::max(widest, current);
    }
    return multiLine ? widest : current;
}

void SYS_CFontManager::DrawString(graphics::Vec2f position, std::u16string_view text)
{
    drawBuffer_.assign(UpToTerminator(text));
    style_.lastWidth = 0.0f;
    style_.lastLineHeight = 0.0f;
    if (drawBuffer_.empty()) return;
    if (g_textObserver) g_textObserver->OnTextDraw(*this, position, drawBuffer_);
    const FontRecord* font = currentFont_ < kFontSlotCount ? &fonts_[currentFont_] : nullptr;
    if (!font) return;
    if (wrap_) {
        WrappedDraw(*font, position, drawBuffer_);
    } else {
        LineDraw(*font, position, drawBuffer_);
    }
}

void SYS_CFontManager::DrawFormatted(graphics::Vec2f position, std::u16string_view format,
                                     std::initializer_list<FormatArg> args)
{
    std::u16string text = FormatText(format, args);
    if (text.size() > kMaxFormattedDrawUnits) text.resize(kMaxFormattedDrawUnits);
    DrawString(position, text);
}

void SYS_CFontManager::LineDraw(const FontRecord& font, graphics::Vec2f position, std::u16string_view text)
{
    resource::SYSWIN_CTexture* image = font.Image();
    if (!image) return;
    const float c = math::MathCosDeg(style_.angle);
    const float s = math::MathSinDeg(style_.angle);
    const float scale = font.size * style_.scale;
    const float width = MeasureString(static_cast<int>(currentFont_), text, style_.extraSpacing, nullptr, true);
    const float height = font.CellHeight() * scale;

    graphics::Vec2f line = {
        position.x - (style_.anchorX * width * c - style_.anchorY * height * s),
        position.y - (style_.anchorX * width * s + style_.anchorY * height * c),
    };
    float dx = 0.0f;
    float dy = 0.0f;
    graphics::DrawParam param;
    param.scaleX = scale;
    param.scaleY = scale;
    param.color = style_.color;
    param.angle = style_.angle;
    for (char16_t unit : text) {
        if (IsLineBreak(unit)) {
            dx = 0.0f;
            dy = 0.0f;
            style_.lastLineHeight = std::max(style_.lastLineHeight, height);
            line.x -= s * height;
            line.y += c * height + font.lineGap;
            continue;
        }
        const resource::Glyph* glyph = font.FindGlyph(unit);
        if (!glyph) continue;
        param.u0 = glyph->left;
        param.v0 = glyph->top;
        param.u1 = glyph->right;
        param.v1 = glyph->bottom;
        AddGlyph(param, {line.x + dx, line.y + dy}, image);
        const float advance = glyph->advance * scale + style_.extraSpacing + font.letterSpacing;
        const float spaceExtra = unit == kSpace ? font.spaceWidth * scale : 0.0f;
        dy += advance * s;
        dx += (advance + spaceExtra) * c;
    }
    style_.lastWidth = std::max(style_.lastWidth, width);
    style_.lastLineHeight = std::max(style_.lastLineHeight, height);
}

void SYS_CFontManager::WrappedDraw(const FontRecord& font, graphics::Vec2f position, std::u16string_view text)
{
    const float lineHeight = font.CellHeight() * font.size * style_.scale;
    const int slot = static_cast<int>(currentFont_);
    graphics::Vec2f pen = position;
    float lineWidth = 0.0f;
    line_.clear();
    word_.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        word_ += unit;
        const bool last = i + 1 == text.size();
        if (!EndsWord(unit) && !last) continue;

        const float wordWidth = MeasureString(slot, word_, style_.extraSpacing, nullptr, true);
        // The last word is held to the wrap width like every other, so a
        // text's final word does not run past it.
        lineWidth += wordWidth;
        if (std::trunc(static_cast<double>(lineWidth)) >= static_cast<double>(wrapWidth_)) {
            LineDraw(font, pen, line_);
            line_ = word_;
            lineWidth = wordWidth;
            pen.y += lineHeight;
        } else {
            line_ += word_;
        }
        word_.clear();

        if (last || unit == kEscape) {
            LineDraw(font, pen, line_);
            line_.clear();
            lineWidth = 0.0f;
            pen.y += lineHeight;
        }
    }
}

void SYS_CFontManager::AddGlyph(const graphics::DrawParam& param, graphics::Vec2f position,
                                resource::SYS_CTexture* image)
{
    if (sink_) {
        sink_->AddGlyph(param, position, image);
        return;
    }
    if (graphics::DeviceRecord* record = graphics::GetDeviceRecord()) {
        record->textureRenderer.AddSprite(param, position, image);
    }
}

void SetTextDrawObserver(TextDrawObserver* observer)
{
    g_textObserver = observer;
}

SYS_CFontManager* GetFontManager()
{
    return g_fonts;
}

void SetFontManager(SYS_CFontManager* fonts)
{
    g_fonts = fonts;
}

}  // namespace vesk::text

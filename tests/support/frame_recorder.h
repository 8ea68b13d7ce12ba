// The sound plays, sprite draws and text draws of a run, recorded through the framework's observers.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/scissor.h"
#include "framework/sound/sound_manager.h"
#include "framework/text/font_manager.h"
#include "framework/text/utf.h"

namespace vesk::graphics {

inline std::ostream& operator<<(std::ostream& out, const CanvasRect& rect)
{
    return out << rect.position.x << "," << rect.position.y << " " << rect.size.x << "x" << rect.size.y;
}

}  // namespace vesk::graphics

namespace support {

struct RecordedSoundPlay {
    int group = 0;
    std::int32_t soundId = 0;
    bool loop = false;
    float volume = 0.0f;  // the voice's volume
    bool operator==(const RecordedSoundPlay&) const = default;
};

struct RecordedSpriteDraw {
    int group = 0;  // -1: ref is a texture id
    std::int32_t ref = 0;
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t color = 0xFFFFFFFFu;  // the draw parameters' colour, RGBA bytes
    std::optional<vesk::graphics::CanvasRect> clip;  // the scissor it was drawn under
    bool operator==(const RecordedSpriteDraw&) const = default;
};

struct RecordedTextDraw {
    std::u16string text;
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t font = 0;     // the font slot it was drawn with
    std::uint32_t color = 0;    // the style's colour, RGBA bytes
    std::optional<vesk::graphics::CanvasRect> clip;  // the scissor it was drawn under
    bool operator==(const RecordedTextDraw&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedSoundPlay& play)
{
    return out << "sound " << play.soundId << " on group " << play.group << " at volume " << play.volume
               << (play.loop ? ", looped" : "");
}
inline std::ostream& operator<<(std::ostream& out, const std::optional<vesk::graphics::CanvasRect>& clip)
{
    if (!clip) return out;
    return out << " clipped to " << *clip;
}
inline std::ostream& operator<<(std::ostream& out, const RecordedSpriteDraw& draw)
{
    return out << "sprite " << draw.group << ":" << draw.ref << " at " << draw.x << "," << draw.y << draw.clip;
}
inline std::ostream& operator<<(std::ostream& out, const RecordedTextDraw& draw)
{
    return out << "text \"" << vesk::text::Utf16ToUtf8(draw.text) << "\" in font " << draw.font << " at " << draw.x
               << "," << draw.y << draw.clip;
}

// Installs itself as the observer of sound plays, sprite draws and text draws
// while it lives, and keeps what it saw in order. One at a time.
class FrameRecorder final : public vesk::sound::SoundPlayObserver,
                            public vesk::graphics::SpriteDrawObserver,
                            public vesk::text::TextDrawObserver {
public:
    FrameRecorder()
    {
        vesk::sound::SetSoundPlayObserver(this);
        vesk::graphics::SetSpriteDrawObserver(this);
        vesk::text::SetTextDrawObserver(this);
    }
    ~FrameRecorder() override
    {
        vesk::sound::SetSoundPlayObserver(nullptr);
        vesk::graphics::SetSpriteDrawObserver(nullptr);
        vesk::text::SetTextDrawObserver(nullptr);
    }
    FrameRecorder(const FrameRecorder&) = delete;
    FrameRecorder& operator=(const FrameRecorder&) = delete;

    void Clear()
    {
        sounds.clear();
        sprites.clear();
        texts.clear();
    }

    void OnSoundPlay(int group, int, std::int32_t soundId, float volume, float, bool loop) override
    {
        sounds.push_back({group, soundId, loop, volume});
    }
    void OnSpriteDraw(int group, std::int32_t ref, vesk::graphics::Vec2f position) override
    {
        const vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
        const std::uint32_t color = record != nullptr ? record->textureRenderer.drawParam.color : 0xFFFFFFFFu;
        sprites.push_back({group, ref, position.x, position.y, color, vesk::graphics::CurrentCanvasScissor()});
    }
    void OnTextDraw(const vesk::text::SYS_CFontManager& fonts, vesk::graphics::Vec2f position,
                    std::u16string_view text) override
    {
        texts.push_back({std::u16string(text), position.x, position.y, fonts.CurrentFont(), fonts.Style().color,
                         vesk::graphics::CurrentCanvasScissor()});
    }

    std::vector<RecordedSoundPlay> sounds;
    std::vector<RecordedSpriteDraw> sprites;
    std::vector<RecordedTextDraw> texts;
};

}  // namespace support

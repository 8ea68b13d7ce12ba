// The full-screen colour fade (slot 48): two channels that blend from one colour to another.
#include "game/ui/fade_in_out.h"

#include <cstdlib>

#include "game/ui/ui_draw.h"

namespace {

// The view being drawn: the game draws one view, the canvas.
constexpr std::uint32_t kCurrentView = 0;

// One frame of a channel's blend; one of no length takes its end colour at once.
void StepChannel(GAME_CUIFadeInOut::Channel& channel)
{
    if (channel.duration < 1) {
        channel.current = channel.to;
        channel.duration = 1;
        channel.counter = 1;
        return;
    }
    ++channel.counter;
    if (channel.counter >= channel.duration) {
        channel.current = channel.to;
        channel.counter = 0;
        channel.duration = 0;
        return;
    }
    const float t = static_cast<float>(channel.counter) / static_cast<float>(channel.duration);
    std::uint32_t blended = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float from = static_cast<float>((channel.from >> shift) & 0xFFu);
        const float to = static_cast<float>((channel.to >> shift) & 0xFFu);
        blended |= (static_cast<std::uint32_t>(from * (1.0f - t) + to * t) & 0xFFu) << shift;
    }
    channel.current = blended;
}

}  // namespace

void GAME_CUIFadeInOut::Start(std::uint32_t channel, std::uint32_t from, std::uint32_t to, std::int32_t frames)
{
    if (channel > 1) return;
    Channel& target = channels_[channel];
    target.from = from;
    target.to = to;
    target.current = from;
    target.counter = 0;
    target.duration = frames == INT32_MIN ? INT32_MAX : std::abs(frames);
    open_ = 1;
}

void GAME_CUIFadeInOut::Update(bool)
{
    for (Channel& channel : channels_) StepChannel(channel);
    bool ended = true;
    for (const Channel& channel : channels_) {
        if (channel.counter < channel.duration || (channel.to >> 24) != 0) ended = false;
    }
    if (ended) open_ = 0;
}

void GAME_CUIFadeInOut::DrawFade()
{
    const std::uint32_t color = channels_[kCurrentView].current;
    if ((color >> 24) == 0) return;
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, color);
}

void GAME_CUIFadeInOut::PreDraw()
{
    DrawFade();
    drawnThisPass_ = true;
}

void GAME_CUIFadeInOut::Draw()
{
    if (!drawnThisPass_) DrawFade();
    drawnThisPass_ = false;
}

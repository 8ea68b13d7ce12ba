// The recorder of a frame's sound plays, sprite draws and text draws, through the framework's observers.
#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "framework/app/framework_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/polygon_render.h"
#include "framework/sound/sound_manager.h"
#include "framework/text/font_manager.h"
#include "tests/support/frame_recorder.h"
#include "tests/support/framework_fixture.h"

namespace {

using namespace std::string_view_literals;
using FrameRecorderTest = support::FrameworkFixture;

TEST_F(FrameRecorderTest, SeesTheSoundsSpritesAndTextsAFrameAsksForUntilItGoes)
{
    vesk::text::SYS_CFontManager& fonts = *vesk::text::GetFontManager();
    auto recorder = std::make_unique<support::FrameRecorder>();
    vesk::app::BeginFrameDraw();

    // Recorded as asked, even with no sound device to play it.
    vesk::sound::PlaySound(vesk::sound::kSeGroup, vesk::sound::kAnyVoice, 1.0f,
                           vesk::sound::MakeSoundId(vesk::sound::kPackageList, 3), 1.0f, false);
    vesk::graphics::BeginSpriteDraw(2, 4);
    vesk::graphics::DrawSprite({10.0f, 20.0f}, 1);
    vesk::graphics::EndSpriteDraw();
    vesk::graphics::DrawSprite({0.0f, 0.0f}, 77);  // no group current: a texture id
    fonts.SetCurrentFont(2);
    fonts.Style().color = 0xFF0000FFu;
    fonts.DrawString({5.0f, 6.0f}, u"Hi\0unseen"sv);
    fonts.DrawFormatted({7.0f, 8.0f}, u"%d", {42});
    fonts.DrawString({9.0f, 9.0f}, u"");  // nothing to draw

    EXPECT_EQ(recorder->sounds, (std::vector<support::RecordedSoundPlay>{{vesk::sound::kSeGroup, 0x10003, false, 1.0f}}));
    EXPECT_EQ(recorder->sprites,
              (std::vector<support::RecordedSpriteDraw>{{2, 1, 10.0f, 20.0f}, {-1, 77, 0.0f, 0.0f}}));
    EXPECT_EQ(recorder->texts, (std::vector<support::RecordedTextDraw>{{u"Hi", 5.0f, 6.0f, 2, 0xFF0000FFu},
                                                                       {u"42", 7.0f, 8.0f, 2, 0xFF0000FFu}}));

    // Gone, it is no longer called: the sanitizer would see a freed recorder.
    recorder.reset();
    vesk::sound::PlaySound(vesk::sound::kSeGroup, vesk::sound::kAnyVoice, 1.0f, 0x10003, 1.0f, false);
    vesk::graphics::DrawSprite({10.0f, 20.0f}, 1);
    fonts.DrawString({5.0f, 6.0f}, u"Hi");
    vesk::app::EndFrameDraw();
}

}  // namespace

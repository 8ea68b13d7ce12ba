// The title screen's pictures: the framing band, the rights notice, and the logo and menu entries in three scripts.
#include "tools/artgen/artgen_title.h"

#include <array>
#include <memory>
#include <string_view>

#include "tools/artgen/canvas.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/text_ink.h"
#include "tools/common/wording.h"

namespace artgen {
namespace {

constexpr uint32_t kBandWidth = 640;
constexpr uint32_t kBandHeight = 60;
constexpr uint32_t kLogoWidth = 448;
constexpr uint32_t kLogoHeight = 128;
constexpr uint32_t kNoticeWidth = 320;
constexpr uint32_t kNoticeHeight = 16;
constexpr uint32_t kEntryHeight = 24;

const Colour kInk = Hex(0x2B1A10);
const Colour kCream = Hex(0xFFF4DC);
const Colour kSand = Hex(0xF2C46B);
const Colour kAmber = Hex(0xF2A93B);
const Colour kEmber = Hex(0xE0622A);

// A menu entry: its file name, its lettering and the width of each picture.
struct EntrySpec {
    const char* name;
    tools::Wording text;
    std::array<uint32_t, tools::kScripts> widths;
};

constexpr EntrySpec kEntries[] = {
    {"continue", {u"つづきから", u"CONTINUE", u"이어하기"}, {91, 134, 94}},
    {"load", {u"データをロード", u"LOAD GAME", u"불러오기"}, {136, 150, 125}},
    {"newgame", {u"はじめから", u"NEW GAME", u"새 게임"}, {102, 134, 69}},
    {"achievement", {u"実績", u"ACHIEVEMENTS", u"업적"}, {69, 182, 47}},
    {"option", {u"オプション", u"OPTIONS", u"설정"}, {86, 102, 52}},
    {"exit", {u"ゲームを終わる", u"EXIT", u"종료"}, {136, 72, 52}},
};
constexpr tools::Wording kLogo = {u"ヴァルノリス", u"VARNOLIS", u"바르놀리스"};
// Lettering with a shadow, a dark outline and a gradient fill, centred on (x, y).
bool Letter(Canvas& canvas, const Ink& ink, float x, float y, float outline, const Colour& top, const Colour& bottom)
{
    if (ink.width == 0) return false;
    const Point corner{x - static_cast<float>(ink.width) * 0.5f, y - static_cast<float>(ink.height) * 0.5f};
    const auto rim = std::make_shared<const Ink>(Grow(ink, outline));
    canvas.Fill(InkShape(rim, {corner.x + 1.0f, corner.y + 1.5f}), Solid(Hex(0x000000, 0.55f)));
    canvas.Fill(InkShape(rim, corner), Solid(kInk));
    const auto face = std::make_shared<const Ink>(ink);
    canvas.Fill(InkShape(face, corner),
                LinearGradient(0.0f, corner.y + static_cast<float>(ink.height) * 0.3f, top, 0.0f,
                               corner.y + static_cast<float>(ink.height) * 0.75f, bottom));
    return true;
}

// The band drawn across the top and the bottom of the title: two gold rules studded with rivets
// over a light smoke, so that the world and the news ticker show through it.
tools::RgbaImage DrawBand()
{
    Canvas canvas(kBandWidth, kBandHeight);
    const float width = static_cast<float>(kBandWidth);
    const float height = static_cast<float>(kBandHeight);
    canvas.Fill(Rect(0.0f, 0.0f, width, height),
                LinearGradient(0.0f, 0.0f, Hex(0x1B1410, 0.45f), 0.0f, height, Hex(0x2A1B12, 0.3f)));
    for (const float y : {2.5f, height - 2.5f}) {
        canvas.Fill(Stroke({0.0f, y}, {width, y}, 4.0f), Solid(Hex(0x1B1410, 0.9f)));
        canvas.Fill(Stroke({0.0f, y}, {width, y}, 1.2f), Solid(Hex(0xC9893F)));
        for (float x = 16.0f; x < width; x += 32.0f) canvas.Fill(Circle({x, y}, 1.8f), Solid(kSand));
    }
    return canvas.ToImage();
}

tools::RgbaImage DrawNotice(const std::vector<std::string>& fonts, bool* ok)
{
    Canvas canvas(kNoticeWidth, kNoticeHeight);
    const Ink ink = SetText(fonts, u"© 2026 KORVEXA  ALL RIGHTS RESERVED", 10, 13, 1);
    if (ink.width == 0) *ok = false;
    const Point corner{(kNoticeWidth - static_cast<float>(ink.width)) * 0.5f, (kNoticeHeight - static_cast<float>(ink.height)) * 0.5f};
    canvas.Fill(InkShape(std::make_shared<const Ink>(Grow(ink, 1.0f)), corner), Solid(Hex(0x000000, 0.6f)));
    canvas.Fill(InkShape(std::make_shared<const Ink>(ink), corner), Solid(Hex(0xE8DCC4)));
    return canvas.ToImage();
}

// The name over a setting sun and two dunes.
tools::RgbaImage DrawLogo(const std::vector<std::string>& fonts, std::u16string_view name, bool* ok)
{
    Canvas canvas(kLogoWidth, kLogoHeight);
    const Point sun{kLogoWidth * 0.5f, 70.0f};
    canvas.Fill(Circle(sun, 52.0f), LinearGradient(0.0f, 18.0f, Hex(0xF2A93B, 0.9f), 0.0f, 122.0f, Hex(0xE0622A, 0.85f)));
    canvas.Fill(Intersect(Circle({140.0f, 260.0f}, 160.0f), Rect(0.0f, 0.0f, 448.0f, 128.0f)),
                LinearGradient(0.0f, 100.0f, Hex(0xC9893F), 0.0f, 128.0f, Hex(0x8E5A2B)));
    canvas.Fill(Intersect(Circle({330.0f, 280.0f}, 175.0f), Rect(0.0f, 0.0f, 448.0f, 128.0f)),
                LinearGradient(0.0f, 105.0f, Hex(0xE9C27A), 0.0f, 128.0f, Hex(0xB07A3A)));
    const Ink ink = SetTextToFit(fonts, name, 64, 400, 84, 6);
    if (!Letter(canvas, ink, kLogoWidth * 0.5f, 58.0f, 4.0f, kCream, kAmber)) *ok = false;
    canvas.Fill(Stroke({96.0f, 110.0f}, {352.0f, 110.0f}, 2.0f), LinearGradient(96.0f, 0.0f, kEmber, 352.0f, 0.0f, kSand));
    return canvas.ToImage();
}

tools::RgbaImage DrawEntry(const std::vector<std::string>& fonts, std::u16string_view text, uint32_t width, bool* ok)
{
    Canvas canvas(width, kEntryHeight);
    const Ink ink = SetTextToFit(fonts, text, 17, static_cast<int>(width), 20, 2);
    if (!Letter(canvas, ink, static_cast<float>(width) * 0.5f, kEntryHeight * 0.5f, 1.5f, kCream, kSand)) *ok = false;
    return canvas.ToImage();
}

}  // namespace

std::vector<tools::NamedImage> DrawTitleImages(const std::vector<std::string>& fonts)
{
    bool ok = !fonts.empty();
    std::vector<tools::NamedImage> images;
    images.push_back({"ui_title_bg", DrawBand()});
    images.push_back({"ui_title_copyright", DrawNotice(fonts, &ok)});
    for (int script = 0; script < tools::kScripts; ++script) {
        images.push_back({std::string("ui_title_logo") + tools::kScriptSuffixes[script],
                          DrawLogo(fonts, tools::InScript(kLogo, script), &ok)});
    }
    for (const EntrySpec& entry : kEntries) {
        for (int script = 0; script < tools::kScripts; ++script) {
            images.push_back({std::string("ui_title_") + entry.name + tools::kScriptSuffixes[script],
                              DrawEntry(fonts, tools::InScript(entry.text, script),
                                        entry.widths[static_cast<std::size_t>(script)], &ok)});
        }
    }
    if (!ok) return {};
    return images;
}

}  // namespace artgen

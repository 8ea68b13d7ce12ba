// The two start-up logos drawn from shapes: the maker's sun-and-dunes badge and the engine's mark.
#include "tools/artgen/artgen_logos.h"

#include <cmath>

#include "tools/artgen/canvas.h"
#include "tools/artgen/shapes.h"
#include "tools/artgen/stroke_font.h"

namespace artgen {
namespace {

constexpr uint32_t kLogoWidth = 512;
constexpr uint32_t kLogoHeight = 256;

}  // namespace

// A badge of a setting sun over two dunes inside an amber ring, over the
// maker's name in spaced capitals.
tools::RgbaImage DrawCompanyLogo()
{
    Canvas canvas(kLogoWidth, kLogoHeight);
    const Point centre{256.0f, 84.0f};
    const float radius = 66.0f;
    const Colour night = Hex(0x1B2140);
    const Colour dusk = Hex(0x3A2E5C);
    const Colour amber = Hex(0xF2A93B);
    const Colour ember = Hex(0xE0622A);
    const Colour sandLight = Hex(0xE9C27A);
    const Colour sandDark = Hex(0xC9893F);
    const Colour paper = Hex(0xF5EBDA);

    const Shape badge = Circle(centre, radius);
    canvas.Fill(badge, LinearGradient(0.0f, centre.y - radius, night, 0.0f, centre.y + radius, dusk));
    canvas.Fill(Intersect(Circle({centre.x, centre.y + 6.0f}, 30.0f), badge),
                LinearGradient(0.0f, centre.y - 24.0f, amber, 0.0f, centre.y + 36.0f, ember));
    canvas.Fill(Intersect(Circle({centre.x - 70.0f, centre.y + 150.0f}, 128.0f), badge),
                LinearGradient(0.0f, centre.y + 20.0f, sandLight, 0.0f, centre.y + radius, sandDark));
    canvas.Fill(Intersect(Circle({centre.x + 90.0f, centre.y + 170.0f}, 136.0f), badge),
                LinearGradient(0.0f, centre.y + 30.0f, sandDark, 0.0f, centre.y + radius, Hex(0x9C5F2B)));
    canvas.Fill(Outline(badge, 7.0f), LinearGradient(0.0f, centre.y - radius, amber, 0.0f, centre.y + radius, ember));

    const TextStyle name{44.0f, 8.0f, 0.3f};
    canvas.Fill(CentredText("KORVEXA", 256.0f, 176.0f, name), Solid(paper));
    const float ruleHalf = TextWidth("KORVEXA", name) * 0.5f;
    canvas.Fill(Stroke({256.0f - ruleHalf, 238.0f}, {256.0f + ruleHalf, 238.0f}, 3.0f),
                LinearGradient(256.0f - ruleHalf, 0.0f, ember, 256.0f + ruleHalf, 0.0f, amber));
    return canvas.ToImage();
}

// A cog wheel with a hub beside the engine's name and the word "ENGINE".
tools::RgbaImage DrawEngineLogo()
{
    Canvas canvas(kLogoWidth, kLogoHeight);
    const Colour teal = Hex(0x2EC4B6);
    const Colour steel = Hex(0x3A6EA5);
    const Colour ice = Hex(0xE8F1F2);
    const Colour deep = Hex(0x16324F);

    const TextStyle title{72.0f, 12.0f, 0.26f};
    const TextStyle subtitle{22.0f, 4.0f, 0.62f};
    const float gearRadius = 58.0f;
    const float gap = 34.0f;
    const float blockWidth = gearRadius * 2.0f + gap + TextWidth("VESK", title);
    const float left = (kLogoWidth - blockWidth) * 0.5f;
    const Point hub{left + gearRadius, 128.0f};

    const Shape wheel = Gear(hub, gearRadius - 8.0f, 10, 9.0f, 18.0f, 26.0f);
    canvas.Fill(wheel, LinearGradient(hub.x - gearRadius, hub.y - gearRadius, teal, hub.x + gearRadius,
                                      hub.y + gearRadius, steel));
    canvas.Fill(Outline(Circle(hub, gearRadius - 22.0f), 3.0f), Solid(deep));
    canvas.Fill(Circle(hub, 14.0f), Solid(ice));

    const float textLeft = left + gearRadius * 2.0f + gap;
    canvas.Fill(Text("VESK", {textLeft, 82.0f}, title), Solid(ice));
    canvas.Fill(Text("ENGINE", {textLeft + 2.0f, 170.0f}, subtitle), Solid(teal));
    return canvas.ToImage();
}

}  // namespace artgen

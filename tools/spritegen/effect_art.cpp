// The effect sprites drawn with soft, anti-aliased shapes: bursts, smoke puffs and sparkles.
#include "tools/spritegen/effect_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace spritegen {
namespace {

constexpr float kPi = 3.14159265f;
constexpr int kSamples = 4;  // per axis, for smooth edges

struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;  // coverage
};

Colour Mix(const Colour& x, const Colour& y, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// A picture from a shader: (x, y) relative to the centre in pixels, averaged
// over kSamples x kSamples points per pixel; colour straight, not premultiplied.
tools::RgbaImage Render(int size, const std::function<Colour(float x, float y)>& shade)
{
    tools::RgbaImage image(static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size));
    const float centre = static_cast<float>(size) * 0.5f;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float x = static_cast<float>(px) + (static_cast<float>(sx) + 0.5f) / kSamples - centre;
                    const float y = static_cast<float>(py) + (static_cast<float>(sy) + 0.5f) / kSamples - centre;
                    const Colour c = shade(x, y);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            std::uint8_t* out = &image.rgba[(static_cast<std::size_t>(py) * size + px) * 4];
            if (a > 0.0f) {
                out[0] = static_cast<std::uint8_t>(std::lround(std::clamp(r / a, 0.0f, 1.0f) * 255.0f));
                out[1] = static_cast<std::uint8_t>(std::lround(std::clamp(g / a, 0.0f, 1.0f) * 255.0f));
                out[2] = static_cast<std::uint8_t>(std::lround(std::clamp(b / a, 0.0f, 1.0f) * 255.0f));
            }
            out[3] = static_cast<std::uint8_t>(std::lround(std::clamp(a / (kSamples * kSamples), 0.0f, 1.0f) * 255.0f));
        }
    }
    return image;
}

// A star burst: eight long and eight short rays around a hot core. open
// (0..1) sets how far the rays reach, fade how much of the core is left.
tools::RgbaImage StarBurst(float open, float fade)
{
    const Colour white{1.0f, 1.0f, 0.95f, 1.0f};
    const Colour yellow{1.0f, 0.86f, 0.3f, 1.0f};
    const Colour orange{0.98f, 0.45f, 0.12f, 1.0f};
    const float outer = 6.0f + 9.5f * open;
    return Render(32, [&](float x, float y) {
        const float radius = std::hypot(x, y);
        const float angle = std::atan2(y, x);
        // Long rays at every 45 degrees, short ones between them.
        const float longRay = std::pow(std::abs(std::cos(angle * 4.0f)), 10.0f);
        const float shortRay = std::pow(std::abs(std::cos(angle * 4.0f + kPi / 2.0f)), 14.0f) * 0.55f;
        const float reach = outer * 0.32f + outer * 0.68f * std::max(longRay, shortRay);
        const float shape = 1.0f - SmoothStep(reach - 1.5f, reach + 0.5f, radius);
        const float core = 1.0f - SmoothStep(0.0f, outer * 0.45f, radius);
        Colour colour = Mix(orange, yellow, 1.0f - radius / outer);
        colour = Mix(colour, white, core * (1.0f - fade));
        colour.a = shape * (1.0f - 0.6f * fade * SmoothStep(0.0f, outer, radius));
        return colour;
    });
}

// A soft grey puff of overlapping round lobes, lit from the top left. grow
// (0..1) swells it, thin fades it out.
tools::RgbaImage SmokePuff(float grow, float thin)
{
    struct Lobe {
        float x, y, r;
    };
    const float s = 0.55f + 0.45f * grow;
    const Lobe lobes[] = {{0.0f, 1.5f, 7.5f}, {-6.0f, 3.5f, 5.5f}, {6.0f, 3.0f, 6.0f},
                          {-3.0f, -4.0f, 6.0f}, {4.0f, -3.5f, 5.0f}, {0.5f, -8.0f, 4.0f}};
    const Colour light{0.9f, 0.89f, 0.86f, 1.0f};
    const Colour shadow{0.45f, 0.44f, 0.43f, 1.0f};
    return Render(32, [&](float x, float y) {
        float density = 0.0f;
        float lit = 0.0f;
        for (const Lobe& lobe : lobes) {
            const float dx = x - lobe.x * s;
            const float dy = y - lobe.y * s;
            const float r = lobe.r * s;
            const float inside = 1.0f - SmoothStep(r * 0.55f, r, std::hypot(dx, dy));
            density = std::max(density, inside);
            // Brighter where the lobe faces the light.
            lit = std::max(lit, inside * std::clamp(0.55f - (dx + dy) / (2.4f * r), 0.0f, 1.0f));
        }
        Colour colour = Mix(shadow, light, lit * 1.4f);
        colour.a = density * (0.85f - 0.7f * thin);
        return colour;
    });
}

// A four-pointed twinkle with a round glow. size (0..1) sets the arm
// length; turn rotates the arms (degrees).
tools::RgbaImage Sparkle(float size, float turn)
{
    const Colour white{1.0f, 1.0f, 1.0f, 1.0f};
    const Colour cyan{0.55f, 0.9f, 1.0f, 1.0f};
    const float arm = 3.0f + 4.5f * size;
    const float cosine = std::cos(turn * kPi / 180.0f);
    const float sine = std::sin(turn * kPi / 180.0f);
    return Render(16, [&](float x, float y) {
        const float u = std::abs(x * cosine + y * sine);
        const float v = std::abs(-x * sine + y * cosine);
        // Arms thin out towards their tips.
        const float along = std::max(u, v);
        const float across = std::min(u, v);
        const float width = 1.3f * (1.0f - along / arm);
        const float arms = along < arm ? 1.0f - SmoothStep(width * 0.4f, width + 0.3f, across) : 0.0f;
        const float glow = std::exp(-(x * x + y * y) / (2.0f * 1.6f * 1.6f));
        Colour colour = Mix(cyan, white, std::max(glow, 1.0f - along / arm));
        colour.a = std::clamp(std::max(arms, glow), 0.0f, 1.0f);
        return colour;
    });
}

tools::NamedImage Named(const std::string& name, tools::RgbaImage image) { return {name + ".png", std::move(image)}; }

}  // namespace

std::vector<tools::NamedImage> DrawEffectSprites()
{
    std::vector<tools::NamedImage> sprites;
    const float burstOpen[] = {0.25f, 0.6f, 0.85f, 1.0f};
    const float burstFade[] = {0.0f, 0.15f, 0.45f, 0.8f};
    for (int i = 0; i < 4; ++i) {
        sprites.push_back(Named("burst_0" + std::to_string(i + 1), StarBurst(burstOpen[i], burstFade[i])));
    }
    for (int i = 0; i < 4; ++i) {
        const float t = static_cast<float>(i) / 3.0f;
        sprites.push_back(Named("smoke_0" + std::to_string(i + 1), SmokePuff(t, t * 0.8f)));
    }
    const float sparkleSize[] = {0.35f, 1.0f, 0.6f};
    const float sparkleTurn[] = {0.0f, 0.0f, 20.0f};
    for (int i = 0; i < 3; ++i) {
        sprites.push_back(Named("sparkle_0" + std::to_string(i + 1), Sparkle(sparkleSize[i], sparkleTurn[i])));
    }
    return sprites;
}

}  // namespace spritegen

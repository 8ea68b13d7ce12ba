// Colours, paints and the canvas that fills shapes with smooth edges.
#include "tools/artgen/canvas.h"

#include <algorithm>
#include <cmath>

namespace artgen {

Colour Hex(uint32_t rgb, float alpha)
{
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

Colour Lerp(const Colour& from, const Colour& to, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Paint Solid(Colour colour)
{
    return [colour](float, float) { return colour; };
}

Paint LinearGradient(float x0, float y0, Colour from, float x1, float y1, Colour to)
{
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
    return [=](float x, float y) { return Lerp(from, to, ((x - x0) * dx + (y - y0) * dy) / lengthSquared); };
}

Canvas::Canvas(uint32_t width, uint32_t height)
    : width_(width), height_(height), premultiplied_(static_cast<size_t>(width) * height * 4, 0.0f)
{
}

void Canvas::Fill(const Shape& shape, const Paint& paint)
{
    for (uint32_t y = 0; y < height_; ++y) {
        for (uint32_t x = 0; x < width_; ++x) {
            const float cx = static_cast<float>(x) + 0.5f;
            const float cy = static_cast<float>(y) + 0.5f;
            const float coverage = std::clamp(0.5f - shape(cx, cy), 0.0f, 1.0f);
            if (coverage <= 0.0f) {
                continue;
            }
            const Colour colour = paint(cx, cy);
            const float alpha = colour.a * coverage;
            float* pixel = &premultiplied_[(static_cast<size_t>(y) * width_ + x) * 4];
            pixel[0] = colour.r * alpha + pixel[0] * (1.0f - alpha);
            pixel[1] = colour.g * alpha + pixel[1] * (1.0f - alpha);
            pixel[2] = colour.b * alpha + pixel[2] * (1.0f - alpha);
            pixel[3] = alpha + pixel[3] * (1.0f - alpha);
        }
    }
}

tools::RgbaImage Canvas::ToImage() const
{
    tools::RgbaImage image(width_, height_);
    std::vector<bool> painted(static_cast<size_t>(width_) * height_, false);
    const auto toByte = [](float value) {
        return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    };
    for (size_t i = 0; i < painted.size(); ++i) {
        const float* pixel = &premultiplied_[i * 4];
        const uint8_t alpha = toByte(pixel[3]);
        if (alpha == 0) {
            continue;
        }
        painted[i] = true;
        for (int channel = 0; channel < 3; ++channel) {
            image.rgba[i * 4 + channel] = toByte(pixel[channel] / pixel[3]);
        }
        image.rgba[i * 4 + 3] = alpha;
    }
    // Grow the colours a few pixels outwards into the transparent area.
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<bool> next = painted;
        for (uint32_t y = 0; y < height_; ++y) {
            for (uint32_t x = 0; x < width_; ++x) {
                const size_t i = static_cast<size_t>(y) * width_ + x;
                if (painted[i]) {
                    continue;
                }
                int sum[3] = {0, 0, 0};
                int count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = static_cast<int>(x) + dx;
                        const int ny = static_cast<int>(y) + dy;
                        if (nx < 0 || ny < 0 || nx >= static_cast<int>(width_) || ny >= static_cast<int>(height_)) {
                            continue;
                        }
                        const size_t n = static_cast<size_t>(ny) * width_ + static_cast<size_t>(nx);
                        if (painted[n]) {
                            for (int channel = 0; channel < 3; ++channel) {
                                sum[channel] += image.rgba[n * 4 + channel];
                            }
                            ++count;
                        }
                    }
                }
                if (count > 0) {
                    for (int channel = 0; channel < 3; ++channel) {
                        image.rgba[i * 4 + channel] = static_cast<uint8_t>(sum[channel] / count);
                    }
                    next[i] = true;
                }
            }
        }
        painted.swap(next);
    }
    return image;
}

}  // namespace artgen

// The background view: the distant view, the near-view layers and the route's objects.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "framework/memory/heaps.h"

// Until the route scenery exists the view shows the first distant view over the whole canvas.
class GAME_CBackgroundView : public vesk::memory::MainHeapObject {
public:
    static constexpr int kDistantViewCount = 3;
    static constexpr int kEndingImageCount = 2;

    void Update() {}
    void DrawRearLayers() const;
    void DrawFrontLayer() const {}
    void WriteSaveRecord(std::span<std::uint8_t>) const {}
    void ReadSaveRecord(std::span<const std::uint8_t>) {}

    void SetDistantView(int index, std::int32_t textureId);
    void SetEndingImage(int index, std::int32_t textureId);
    std::int32_t GetDistantView(int index) const;

private:
    std::array<std::int32_t, kDistantViewCount> distantViews_{-1, -1, -1};
    std::array<std::int32_t, kEndingImageCount> endingImages_{-1, -1};
};

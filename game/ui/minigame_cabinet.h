// The arcade cabinet drawn around the mini-game: the field's backdrop and near view, the bezel, the scan line and the controller panel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/memory/heaps.h"

struct MiniGameControls;
struct TuningBlock;

class GAME_CMiniGameCabinet : public vesk::memory::MainHeapObject {
public:
    static constexpr std::int32_t kScanMoving = 1;
    static constexpr std::int32_t kScanWaiting = 2;
    static constexpr float kScanStart = -40.0f;

    explicit GAME_CMiniGameCabinet(const TuningBlock& tuning);

    // Down the field, a pause below it, and from the top again.
    void UpdateScanLine();
    void DrawBackground() const;
    void DrawNearView() const;
    // The bezel, the scan line and the panel, whose stick and buttons follow the controls.
    void DrawOverlay(const MiniGameControls& controls) const;

    std::int32_t scanState = kScanMoving;
    float scanY = kScanStart;
    float scanSpeed = 0.0f;
    std::int32_t scanPause = 0;
    std::int32_t scanWait = 0;

    // The cabinet's pictures in the arcade sprite group.
    static constexpr std::size_t kPieceCount = 16;

private:
    std::array<std::int32_t, kPieceCount> pieces_{};
    std::int32_t nearView_ = -1;
    float nearViewWidth_ = 0.0f;
};

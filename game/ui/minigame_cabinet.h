// The arcade cabinet drawn around the mini-game: the field's backdrop and near view, the bezel, the scan line and the controller panel.
#pragma once

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

private:
    std::int32_t background_ = -1;
    std::int32_t nearView_ = -1;
    float nearViewWidth_ = 0.0f;
    std::int32_t frame_ = -1;
    std::int32_t panel_ = -1;
    std::int32_t keyhole_ = -1;
    std::int32_t coinSlot_ = -1;
    std::int32_t pushBar_ = -1;
    std::int32_t stickCover_ = -1;
    std::int32_t stick_ = -1;
    std::int32_t buttonFrameLeft_ = -1;
    std::int32_t buttonFrameRight_ = -1;
    std::int32_t buttonLeft_[2] = {-1, -1};
    std::int32_t buttonRight_[2] = {-1, -1};
    std::int32_t adjustment_ = -1;
    std::int32_t scan_ = -1;
};

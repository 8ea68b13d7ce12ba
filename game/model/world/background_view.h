// The background view: the distant view by time of day, two near-view layers, the route's background objects.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/model/object/object_bg_obj.h"

class GAME_CRouteManager;
struct NearViewData;

namespace vesk::resource {
class SYS_CTexture;
}

// The backdrop behind and in front of the ship. While the ship travels the layers scroll with the
// route position at fixed parallax factors: 0.4 the near layer, 0.7 the front layer, 0.25 the
// distant view. Offsets h0..h5 are in hundredths of a unit and go into the save: h2 and h0 are the
// near layer's start and seam, h4 and h1 the front layer's.
// The saved background-object list of a slot: 128 entries of 12 bytes.
using BackgroundSaveList = std::span<const std::uint8_t>;

class GAME_CBackgroundView : public vesk::memory::MainHeapObject {
public:
    static constexpr int kObjectCount = 128;
    static constexpr int kDistantViewCount = 3;
    static constexpr int kEndingImageCount = 2;
    static constexpr int kNearViewSpriteGroup = 6;
    static constexpr int kObjectSpriteGroup = 5;
    static constexpr int kDistantViewTextureGroup = 4;
    static constexpr std::int32_t kPhaseSwitchDelay = 30;
    // One period of the scenery at zoom 2, in canvas units.
    static constexpr float kPeriodUnits = 798.0f;
    // Saved records: h0..h5 and the two near-view ids; the object list of 128 entries.
    static constexpr std::size_t kSaveRecordSize = 32;
    static constexpr std::size_t kObjectEntrySize = 12;
    static constexpr std::size_t kObjectListSize = kObjectCount * kObjectEntrySize;

    GAME_CBackgroundView();
    ~GAME_CBackgroundView();
    GAME_CBackgroundView(const GAME_CBackgroundView&) = delete;
    GAME_CBackgroundView& operator=(const GAME_CBackgroundView&) = delete;

    // The three distant views "bg000" to "bg002" (those not loaded yet); true when all three are.
    // The near views shift: the first becomes the second, the list's first becomes the first.
    bool LoadTextures();
    // One simulation step: the time-of-day phase, the camera's scale and the scroll of the layers.
    void Update();
    // Binds the view to the route: its near views and, for another route, the layers' offsets.
    void SetRoute(const GAME_CRouteManager& route);
    // An object at a position of the route record's own axis (converted on a route travelled
    // backward unless keepPosition is set); the same sprite at the same place and depth is placed
    // once. With all 128 objects out, the oldest is taken.
    void PlaceObject(std::int32_t position, std::int32_t spriteId, std::int32_t depthPerMille, bool keepPosition,
                     std::int32_t lastWord = 0);
    // Every object whose route position lies in [min(a, b), max(a, b)] and whose sprite is spriteId
    // (any sprite for -1) goes back to the free list.
    void RemoveObjectsInRange(std::int32_t a, std::int32_t b, std::int32_t spriteId);
    void ReleaseObjects();
    // Each object's route position becomes length - position (turning back on the route).
    void MirrorObjects(std::int32_t length);

    // The saved background record and the saved object list (entries {sprite, position, depth x
    // 1000}, unused ones {-1, -1, 0}).
    void WriteSaveRecord(std::span<std::uint8_t> record, std::span<std::uint8_t> objectList) const;
    // From a slot: the bound route id from the route block, the offsets and near views from the
    // record, the objects up to the first terminating entry.
    void ReadSaveRecord(std::span<const std::uint8_t> record, std::span<const std::uint8_t> routeBlock,
                        BackgroundSaveList objectList);

    // The draw passes, in the order of the world draw.
    void DrawDistantView() const;
    void DrawNearViews() const;
    void DrawObjects() const;
    void DrawFrontLayer() const;

    // The start-up loader's textures: a distant view per time of day, the two ending pictures.
    void SetDistantView(int index, std::int32_t textureId);
    void SetEndingImage(int index, std::int32_t textureId);
    std::int32_t GetDistantView(int index) const;
    std::int32_t GetEndingImage(int index) const;
    void SetLastSeenPosition(std::int32_t position) { lastSeenPosition_ = position; }

    // --- what tests and the draw read
    const std::array<std::int32_t, 6>& Offsets() const { return h_; }
    const std::array<float, 4>& LayerOffsets() const { return o_; }
    std::int32_t ShownPhase() const { return shownPhase_; }
    std::int32_t TargetPhase() const { return targetPhase_; }
    float Scale() const { return scale_; }
    std::int32_t NearViewId(int layer) const { return nearViewIds_[layer & 1]; }
    std::int32_t BoundRouteId() const { return boundRouteId_; }
    const std::vector<GAME_CObjectBGObj*>& ActiveObjects() const { return active_; }
    std::size_t FreeObjectCount() const { return free_.size(); }

private:
    // Each sprite of a near view: value 1 the near tile, 2 its start piece, 3 its end piece; 4 to 6
    // the same for the front layer.
    std::int32_t NearSprite(int record, int value) const;
    void BindNearViews(std::int32_t first, std::int32_t second);
    void DrawLayer(bool front) const;

    std::array<float, 4> factors_{0.4f, 0.7f, 1.3f, 0.25f};
    std::array<float, 4> o_{};
    std::array<std::int32_t, 6> h_{};
    std::unique_ptr<std::array<GAME_CObjectBGObj, kObjectCount>> objects_;
    std::vector<GAME_CObjectBGObj*> free_;
    std::vector<GAME_CObjectBGObj*> active_;
    std::int32_t boundRouteId_ = -1;
    std::int32_t phaseSwitchDelay_ = kPhaseSwitchDelay;
    std::array<std::int32_t, kDistantViewCount> distantViews_{-1, -1, -1};
    std::array<vesk::resource::SYS_CTexture*, kDistantViewCount> distantTextures_{};
    std::int32_t shownPhase_ = 0;
    std::int32_t targetPhase_ = 0;
    std::int32_t switchCounter_ = 0;
    float scale_ = 2.0f;
    std::int32_t lastSeenPosition_ = 0;
    std::array<std::int32_t, 2> nearViewIds_{0, 0};
    std::array<const NearViewData*, 2> nearViews_{};
    std::array<std::int32_t, kEndingImageCount> endingImages_{-1, -1};
};

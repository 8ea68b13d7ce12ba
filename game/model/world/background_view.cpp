// The background view's model: distant-view phases, the layers' scroll, the route objects and the saved records.
#include "game/model/world/background_view.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "game/services/data/static_database.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/route_save_block.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"

namespace {

constexpr float kDepthScale = 0.001f;
constexpr float kDepthTolerance = 0.00001f;
constexpr const char* kDistantViewFiles[GAME_CBackgroundView::kDistantViewCount] = {
    "bg/distantview/bg000.cvt", "bg/distantview/bg001.cvt", "bg/distantview/bg002.cvt"};

// A 64-bit sum kept as the 32-bit word the save holds.
std::int32_t Wrap32(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

const NearViewData* NearViewAt(std::int32_t id)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? database->GetNearViewDataAt(id) : nullptr;
}

std::int32_t SpriteWidth(std::int32_t index)
{
    const vesk::resource::SYS_CTexture* sprite =
        index < 0 ? nullptr : vesk::resource::GetSpriteAt(GAME_CBackgroundView::kNearViewSpriteGroup, index);
    return sprite != nullptr ? sprite->GetWidth() : 0;
}

const GAME_CRouteManager* CurrentRoute()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr && world->travel ? world->travel->routeManager.get() : nullptr;
}

}  // namespace

GAME_CBackgroundView::GAME_CBackgroundView() : objects_(std::make_unique<std::array<GAME_CObjectBGObj, kObjectCount>>())
{
    free_.reserve(kObjectCount);
    active_.reserve(kObjectCount);
    for (GAME_CObjectBGObj& object : *objects_) free_.push_back(&object);
}

GAME_CBackgroundView::~GAME_CBackgroundView()
{
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
        for (std::int32_t& id : distantViews_) {
            if (id >= 0) registry->ReleaseTexture(id);
            id = -1;
        }
    }
}

bool GAME_CBackgroundView::LoadTextures()
{
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    if (registry == nullptr) return false;
    bool all = true;
    for (int i = 0; i < kDistantViewCount; ++i) {
        if (distantViews_[i] == -1 || distantViews_[i] == -2) {
            distantViews_[i] = registry->LoadTexture({vesk::memory::MainHeap(), vesk::memory::MainHeap()},
                                                     kDistantViewTextureGroup, kDistantViewFiles[i]);
        }
        distantTextures_[i] = distantViews_[i] >= 0 ? registry->GetTextureById(distantViews_[i]) : nullptr;
        all = all && distantTextures_[i] != nullptr;
    }
    nearViewIds_[1] = nearViewIds_[0];
    nearViews_[1] = nearViews_[0];
    nearViewIds_[0] = 0;
    nearViews_[0] = NearViewAt(0);
    return all;
}

void GAME_CBackgroundView::SetDistantView(int index, std::int32_t textureId)
{
    if (index < 0 || index >= kDistantViewCount) return;
    distantViews_[index] = textureId;
    const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    distantTextures_[index] = registry != nullptr && textureId >= 0 ? registry->GetTextureById(textureId) : nullptr;
}

void GAME_CBackgroundView::SetEndingImage(int index, std::int32_t textureId)
{
    if (index >= 0 && index < kEndingImageCount) endingImages_[index] = textureId;
}

std::int32_t GAME_CBackgroundView::GetDistantView(int index) const
{
    return index >= 0 && index < kDistantViewCount ? distantViews_[index] : -1;
}

std::int32_t GAME_CBackgroundView::GetEndingImage(int index) const
{
    return index >= 0 && index < kEndingImageCount ? endingImages_[index] : -1;
}

void GAME_CBackgroundView::Update()
{
    if (const GAME_CGameClock* clock = PeekGameClock()) {
        const std::int64_t step = clock->step;
        const std::int64_t first = clock->phaseLengths[0];
        const std::int64_t second = clock->phaseLengths[1];
        const std::int32_t phase = step < first ? 0 : (step - first < second ? 1 : 2);
        if (switchCounter_ == 0) {
            targetPhase_ = phase;
            if (targetPhase_ != shownPhase_) switchCounter_ = 1;
        } else if (++switchCounter_ >= phaseSwitchDelay_) {
            switchCounter_ = 0;
            shownPhase_ = targetPhase_;
        }
    }
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->camera) scale_ = world->camera->zoom;

    const GAME_CRouteManager* route = CurrentRoute();
    if (route == nullptr || !route->IsUnderWay()) return;
    float direction = route->IsForward() ? -1.0f : 1.0f;
    const std::int64_t steps = std::abs(std::int64_t{route->GetPosition()} - lastSeenPosition_);
    lastSeenPosition_ = route->GetPosition();
    const float pushBack = world != nullptr && world->travel ? world->travel->pushBackSpeed : 0.0f;
    if (pushBack > 0.0f) direction = direction < 0.0f ? -1.0f - pushBack : 1.0f + pushBack;
    if (steps == 0) return;

    // Each unit moved moves every layer once; a jump of many units moves them as far at once.
    const float units = static_cast<float>(steps);
    o_[3] += factors_[3] * direction * units;
    o_[2] += factors_[2] * direction * units;
    o_[0] += factors_[0] * direction * units;
    o_[1] += factors_[1] * direction * units;
    std::int64_t nearStep = static_cast<std::int64_t>(std::trunc(factors_[0] * 100.0f));
    if (direction < 0.0f) nearStep = -nearStep;
    const auto frontStep = static_cast<std::int64_t>(std::trunc(factors_[1] * 100.0f * direction));
    const auto seamStep = static_cast<std::int64_t>(std::trunc(direction * factors_[1] * 100.0f));
    for (int i : {2, 3, 0}) h_[i] = Wrap32(h_[i] + nearStep * steps);
    for (int i : {4, 5}) h_[i] = Wrap32(h_[i] + frontStep * steps);
    h_[1] = Wrap32(h_[1] + seamStep * steps);
}

void GAME_CBackgroundView::BindNearViews(std::int32_t first, std::int32_t second)
{
    nearViewIds_ = {first, second};
    nearViews_ = {NearViewAt(first), NearViewAt(second)};
}

std::int32_t GAME_CBackgroundView::NearSprite(int record, int value) const
{
    const NearViewData* view = nearViews_[record & 1];
    return view != nullptr && value >= 1 && value <= 6 ? view->values[static_cast<std::size_t>(value - 1)] : -1;
}

void GAME_CBackgroundView::SetRoute(const GAME_CRouteManager& route)
{
    const RouteData* record = route.GetRouteRecord();
    BindNearViews(record != nullptr ? record->nearViewA : 0, record != nullptr ? record->nearViewB : 0);
    if (static_cast<std::int32_t>(route.GetRouteId()) == boundRouteId_) {
        lastSeenPosition_ = route.GetPosition();
        return;
    }
    const bool forward = route.IsForward();
    const double half = scale_ / 2.0;
    const double period = kPeriodUnits * half;
    for (int layer = 0; layer < 2; ++layer) {
        const double factor = factors_[static_cast<std::size_t>(layer)];
        double blend = (record != nullptr ? record->blend : 0) * 0.001;
        if (forward) blend = 1.0 - blend;
        const std::int64_t tile = SpriteWidth(NearSprite(0, layer == 0 ? 1 : 4));
        // A one-pixel tile (or none) would divide by zero: the offset then takes whole units.
        const std::int64_t step = std::max<std::int64_t>(tile - 1, 1);
        const auto along = static_cast<std::int64_t>(std::trunc((1.0 - blend) * route.GetLength()));
        const auto scaled = static_cast<std::int64_t>(std::trunc(static_cast<double>(along) * 100.0 * factor));
        double offset = static_cast<double>(step * (scaled / step));
        if (!forward) offset = -offset;
        double shift = 0.0;
        if (nearViewIds_[0] != nearViewIds_[1]) {
            shift = (2.0 * SpriteWidth(NearSprite(1, layer == 0 ? 1 : 4)) - 2.0) * half;
            if (!forward) shift = -shift;
        }
        const double wrapped = period > 0.0 ? std::fmod(offset, period) : 0.0;
        const double divisor = half > 0.0 ? half : 1.0;
        const auto seam = static_cast<std::int64_t>(std::trunc((shift + wrapped + 10.0) / divisor * 100.0));
        const auto start = static_cast<std::int64_t>(std::trunc((shift + wrapped) / divisor * 100.0));
        h_[layer == 0 ? 0 : 1] = Wrap32(seam);
        h_[layer == 0 ? 2 : 4] = Wrap32(start);
    }
    boundRouteId_ = static_cast<std::int32_t>(route.GetRouteId());
    lastSeenPosition_ = route.GetPosition();
}

void GAME_CBackgroundView::PlaceObject(std::int32_t position, std::int32_t spriteId, std::int32_t depthPerMille,
                                       bool keepPosition, std::int32_t lastWord)
{
    std::erase(active_, nullptr);
    const float depth = static_cast<float>(depthPerMille) * kDepthScale;
    for (const GAME_CObjectBGObj* object : active_) {
        if (object->givenRoutePosition == position && object->spriteIndex == spriteId &&
            std::abs(object->scale - depth) <= kDepthTolerance) {
            return;
        }
    }
    GAME_CObjectBGObj* object = nullptr;
    if (!free_.empty()) {
        object = free_.back();
        free_.pop_back();
    } else if (!active_.empty()) {
        object = active_.front();
        active_.erase(active_.begin());
    }
    if (object == nullptr) return;
    active_.push_back(object);
    BGObjSetup setup;
    setup.routePosition = position;
    setup.spriteId = spriteId;
    setup.scale = depth;
    setup.fixed = keepPosition ? 1 : 0;
    setup.flip = 1;
    setup.followsDirection = lastWord;
    if (object->Init(setup) == 0 || object->active == 0) {
        active_.pop_back();
        free_.push_back(object);
    }
}

void GAME_CBackgroundView::RemoveObjectsInRange(std::int32_t a, std::int32_t b, std::int32_t spriteId)
{
    const std::int32_t low = std::min(a, b);
    const std::int32_t high = std::max(a, b);
    std::erase_if(active_, [&](GAME_CObjectBGObj* object) {
        if (object == nullptr) return true;
        const bool inRange = object->routePosition >= low && object->routePosition <= high;
        if (!inRange || (spriteId != -1 && object->spriteIndex != spriteId)) return false;
        free_.push_back(object);
        return true;
    });
}

void GAME_CBackgroundView::ReleaseObjects()
{
    for (GAME_CObjectBGObj* object : active_) {
        if (object != nullptr) free_.push_back(object);
    }
    active_.clear();
}

void GAME_CBackgroundView::MirrorObjects(std::int32_t length)
{
    std::erase(active_, nullptr);
    for (GAME_CObjectBGObj* object : active_) object->routePosition = Wrap32(std::int64_t{length} - object->routePosition);
}

void GAME_CBackgroundView::WriteSaveRecord(std::span<std::uint8_t> record, std::span<std::uint8_t> objectList) const
{
    if (record.size() >= kSaveRecordSize) {
        for (std::size_t i = 0; i < h_.size(); ++i) platform::WriteI32(record, i * 4, h_[i]);
        platform::WriteI32(record, 24, nearViewIds_[0]);
        platform::WriteI32(record, 28, nearViewIds_[1]);
    }
    if (objectList.size() < kObjectListSize) return;
    for (std::size_t i = 0; i < kObjectCount; ++i) {
        platform::WriteI32(objectList, i * kObjectEntrySize, -1);
        platform::WriteI32(objectList, i * kObjectEntrySize + 4, -1);
        platform::WriteI32(objectList, i * kObjectEntrySize + 8, 0);
    }
    std::size_t written = 0;
    for (const GAME_CObjectBGObj* object : active_) {
        if (object == nullptr || written >= kObjectCount) continue;
        const std::size_t at = written++ * kObjectEntrySize;
        platform::WriteI32(objectList, at, object->spriteIndex);
        platform::WriteI32(objectList, at + 4, object->routePosition);
        platform::WriteI32(objectList, at + 8, static_cast<std::int32_t>(std::trunc(object->scale * 1000.0f)));
    }
}

void GAME_CBackgroundView::ReadSaveRecord(std::span<const std::uint8_t> record, std::span<const std::uint8_t> routeBlock,
                                          BackgroundSaveList objectList)
{
    if (routeBlock.size() >= route_block::kSize) {
        boundRouteId_ = platform::ReadI32(routeBlock, route_block::kRouteId);
    }
    if (record.size() >= kSaveRecordSize) {
        for (std::size_t i = 0; i < h_.size(); ++i) h_[i] = platform::ReadI32(record, i * 4);
        BindNearViews(platform::ReadI32(record, 24), platform::ReadI32(record, 28));
    }
    if (objectList.size() < kObjectListSize) return;
    for (std::size_t i = 0; i < kObjectCount; ++i) {
        const std::int32_t id = platform::ReadI32(objectList, i * kObjectEntrySize);
        const std::int32_t position = platform::ReadI32(objectList, i * kObjectEntrySize + 4);
        const std::int32_t depth = platform::ReadI32(objectList, i * kObjectEntrySize + 8);
        if (id == -1 || (id == 0 && position <= 0) || depth == 0) break;
        PlaceObject(position, id, depth, true);
    }
}

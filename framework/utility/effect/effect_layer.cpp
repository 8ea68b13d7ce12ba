// The effect layer's spawning, frame update and drawing.
#include "framework/utility/effect/effect_layer.h"

#include <algorithm>
#include <memory>

#include "framework/draw/sprite_draw.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/log/log.h"
#include "framework/utility/draw_unit/transform2.h"
#include "framework/utility/script_package/script_package.h"

namespace vesk::utility::particle {

using script_graphic::UTL_CObjectBase;
using script_graphic::UTL_CObjectScript;
using script_graphic::UTL_CObjectSprite;
using script_graphic::UTL_CScriptEngine;

namespace {

// What every layer shares: the engine, its package and the root. The
// generation counts engines, so that a layer can tell that the engine its
// records point into was released (by any layer) and replaced.
struct SharedEffectScripts {
    std::unique_ptr<UTL_CScriptEngine> engine;
    std::unique_ptr<script_package::UTL_CManager> package;
    UTL_CObjectScript* root = nullptr;
    std::uint32_t rootHandle = UTL_SEffectRecord::kNoHandle;
    std::uint32_t generation = 0;
};

SharedEffectScripts g_shared;

const UTL_CEffectHost& DefaultHost()
{
    static const UTL_CEffectHost host;
    return host;
}

// Names are fixed fields of 32 units, one of them the terminator.
std::u16string_view FieldName(std::u16string_view name)
{
    const std::size_t end = std::min(name.find(u'\0'), UTL_SEffectRequest::kNameUnits - 1);
    return name.substr(0, end);
}

const script_package::ProgramRecord* LoadPackage(script_package::UTL_CManager& package)
{
    std::size_t size = 0;
    void* image = file::ReadResourceFile(nullptr, kParticlePackagePath, &size);
    if (image == nullptr || package.ParseScriptPackage(image, size, file::ResourcePath(kParticlePackagePath), script_package::kEffectKind) == 0 || package.GetEntryCount() == 0) {
        log::Warning("effects: " + std::string(kParticlePackagePath) + " gives no program; no effect will play");
        return nullptr;
    }
    return &package.GetEntry(0).program;
}

// An object is the one a record (or the root) took while it keeps its
// handle: a removed object loses it, and a reused one gets a new one.
UTL_CObjectScript* Validate(UTL_CObjectScript* object, std::uint32_t handle)
{
    if (object == nullptr || object->handle != handle || object->IsDead()) {
        return nullptr;
    }
    return object;
}

UTL_SEffectGraphic ReadGraphic(const UTL_CObjectSprite& sprite)
{
    UTL_SEffectGraphic graphic;
    graphic.group = sprite.GetGroup();
    graphic.index = sprite.GetIndex();
    graphic.spriteWidth = static_cast<float>(sprite.GetSprite()->GetWidth());
    graphic.spriteHeight = static_cast<float>(sprite.GetSprite()->GetHeight());
    graphic.worldPosition = sprite.world.position;
    graphic.worldRotation = sprite.world.rotation;
    graphic.worldColor = sprite.world.color;
    graphic.worldBlendMode = sprite.world.blendMode;
    graphic.worldFlipX = sprite.world.flipX;
    graphic.worldFlipY = sprite.world.flipY;
    graphic.origin = sprite.origin;
    return graphic;
}

// The effect's graphic when it is a sprite that shows something; scripts
// may select any object as the graphic, and only sprites can be drawn.
const UTL_CObjectSprite* DrawableGraphic(const UTL_CObjectScript& object)
{
    const UTL_CObjectBase* graphic = object.GetGraphic();
    if (graphic == nullptr || graphic->GetObjectKind() != script_graphic::kObjectSprite) {
        return nullptr;
    }
    const auto* sprite = static_cast<const UTL_CObjectSprite*>(graphic);
    if (sprite->GetSprite() == nullptr || sprite->IsDead() || sprite->world.visible == 0) {
        return nullptr;
    }
    return sprite;
}

void Submit(const UTL_SEffectSpriteDraw& draw)
{
    graphics::DeviceRecord* record = graphics::GetDeviceRecord();
    if (record == nullptr) {
        return;
    }
    graphics::BeginSpriteDraw(draw.group, static_cast<int>(draw.blendMode));
    record->textureRenderer.drawParam = draw.param;
    graphics::DrawSprite(draw.position, draw.index);
    graphics::EndSpriteDraw();
}

}  // namespace

UTL_CScriptEngine* GetEffectEngine()
{
    return g_shared.engine.get();
}

UTL_CEffectLayer::UTL_CEffectLayer(const UTL_CEffectHost* host) : host_(host != nullptr ? host : &DefaultHost()) {}

void UTL_CEffectLayer::SetHost(const UTL_CEffectHost* host)
{
    host_ = host != nullptr ? host : &DefaultHost();
}

void UTL_CEffectLayer::LoadParticleScripts()
{
    if (g_shared.engine == nullptr) {
        g_shared.engine.reset(new UTL_CScriptEngine);
        g_shared.package = std::make_unique<script_package::UTL_CManager>();
        if (g_shared.engine == nullptr) {
            log::Error("effects: no memory for the effect engine");
            g_shared.package.reset();
            return;
        }
        ++g_shared.generation;
        g_shared.engine->Init(LoadPackage(*g_shared.package));
        UTL_SEffectPlacement root;
        root.objectName = std::u16string(kRootName);
        root.labelName = std::u16string(kRootLabel);
        PlaceEffectObject(root);
    }
    generation_ = g_shared.generation;
    records_.assign(kEffectRecordCount, UTL_SEffectRecord{});
    free_.clear();
    active_.clear();
    free_.reserve(kEffectRecordCount);
    active_.reserve(kEffectRecordCount);
    draws_.reserve(kEffectRecordCount);
    for (UTL_SEffectRecord& record : records_) {
        free_.push_back(&record);
    }
}

void UTL_CEffectLayer::ReleaseParticleEffects()
{
    if (g_shared.engine != nullptr) {
        g_shared.engine->KillAll();
        g_shared.engine.reset();
        g_shared.package.reset();
        g_shared.root = nullptr;
        g_shared.rootHandle = UTL_SEffectRecord::kNoHandle;
    }
    FreeRecords();
}

void UTL_CEffectLayer::FreeRecords()
{
    free_.clear();
    active_.clear();
    draws_.clear();
    records_.clear();
    records_.shrink_to_fit();
}

UTL_CObjectScript* UTL_CEffectLayer::Root() const
{
    if (g_shared.engine == nullptr) {
        return nullptr;
    }
    return Validate(g_shared.root, g_shared.rootHandle);
}

UTL_CObjectScript* UTL_CEffectLayer::LiveObject(const UTL_SEffectRecord& record) const
{
    if (g_shared.engine == nullptr || generation_ != g_shared.generation) {
        return nullptr;
    }
    return Validate(record.object, record.objectHandle);
}

UTL_CObjectScript* UTL_CEffectLayer::PlaceEffectObject(const UTL_SEffectPlacement& placement)
{
    UTL_CScriptEngine* engine = g_shared.engine.get();
    if (engine == nullptr) {
        return nullptr;
    }
    UTL_CObjectScript* root = Root();
    UTL_CObjectBase* parent = root;
    if (!placement.parentName.empty()) {
        UTL_CObjectBase* named = engine->FindObjectByName(FieldName(placement.parentName));
        if (named != nullptr && named->GetObjectKind() == script_graphic::kObjectScript) {
            parent = named;
        }
    }
    const auto label = engine->FindLabel(placement.labelName);
    if (!label) {
        return nullptr;
    }
    UTL_CObjectScript* object = engine->CreateScriptObject(FieldName(placement.objectName), label->commandIndex, parent);
    if (object == nullptr) {
        return nullptr;
    }
    if (root == nullptr) {
        g_shared.root = object;
        g_shared.rootHandle = object->handle;
        object->local.position = placement.position;
    } else {
        math::Vec2 position{placement.position.x - root->local.position.x,
                            placement.position.y - root->local.position.y};
        if (placement.relative) {
            // A root scaled to nothing on an axis leaves that axis as it is.
            if (root->local.scale.x != 0.0f) position.x /= root->local.scale.x;
            if (root->local.scale.y != 0.0f) position.y /= root->local.scale.y;
        }
        object->local.position = position;
    }
    object->local.scale = placement.scale;
    object->local.rotation = placement.rotation;
    object->SetFlags(draw_unit::kInheritTransform, false);
    object->local.flipX = placement.flipX;
    object->world.visible = 1;
    object->local.visible = 1;
    return object;
}

UTL_CObjectScript* UTL_CEffectLayer::SpawnParticleEffect(const UTL_SEffectRequest& request)
{
    UTL_CScriptEngine* engine = g_shared.engine.get();
    if (engine == nullptr) {
        return nullptr;
    }
    const auto label = engine->FindLabel(request.labelName);
    if (!label) {
        return nullptr;
    }
    // Without a live root the effect stands alone: an ordinary effect must
    // not become the parent whose end would take every later effect along.
    UTL_CObjectScript* object =
        engine->CreateScriptObject(FieldName(request.objectName), label->commandIndex, Root());
    if (object == nullptr) {
        return nullptr;
    }
    // Effects start hidden and in their own space; their scripts show them
    // and ask for the root's transform where they want it.
    object->SetFlags(draw_unit::kInheritTransform, false);
    object->world.visible = 0;
    object->local.visible = 0;

    if (free_.empty() || generation_ != g_shared.generation) {
        return object;  // runs and ends, but this layer does not draw it
    }
    UTL_SEffectRecord* record = free_.back();
    free_.pop_back();
    record->Reset();
    record->kind = request.kind;
    record->object = object;
    record->objectHandle = object->handle;
    record->params = request.params;
    // The anchor is looked at once now: an object that leaves before the effect is first drawn (an
    // enemy whose death spawns its smoke and ends in the same step) still places the effect where it stood.
    if (FollowsAnchor(record->kind)) FollowAnchor(*record, *host_);
    active_.push_back(record);
    return object;
}

void UTL_CEffectLayer::UpdateParticleEffects()
{
    UTL_CScriptEngine* engine = g_shared.engine.get();
    if (engine != nullptr) {
        if (UTL_CObjectScript* root = Root()) {
            const float half = host_->CameraZoom() * 0.5f;
            root->local.scale = {half, half};
        }
        engine->SetHitList(nullptr);
        engine->RunFramePasses();
    }
    // Finished effects give their records back in the same frame.
    for (std::size_t i = 0; i < active_.size();) {
        UTL_SEffectRecord* record = active_[i];
        if (LiveObject(*record) != nullptr) {
            ++i;
            continue;
        }
        record->Reset();
        free_.push_back(record);
        active_.erase(active_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

const std::vector<UTL_SEffectSpriteDraw>& UTL_CEffectLayer::CollectDraws()
{
    draws_.clear();
    const UTL_SEffectView view = TakeEffectView(*host_);
    for (UTL_SEffectRecord* record : active_) {
        const UTL_CObjectScript* object = LiveObject(*record);
        if (object == nullptr) {
            continue;
        }
        const UTL_CObjectSprite* sprite = DrawableGraphic(*object);
        if (sprite == nullptr) {
            continue;
        }
        std::optional<UTL_SAnchorView> anchor;
        if (FollowsAnchor(record->kind)) {
            anchor = FollowAnchor(*record, *host_);
        }
        if (auto draw = ComputeEffectDraw(record->kind, record->params, ReadGraphic(*sprite), anchor, view)) {
            draws_.push_back(*draw);
        }
    }
    return draws_;
}

void UTL_CEffectLayer::DrawParticleEffects()
{
    for (const UTL_SEffectSpriteDraw& draw : CollectDraws()) {
        Submit(draw);
    }
}

}  // namespace vesk::utility::particle

// The effect layer: effects spawned by name from the particle scripts, run and drawn once a frame.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/math/vector.h"
#include "framework/utility/effect/effect_draw.h"
#include "framework/utility/effect/effect_host.h"
#include "framework/utility/effect/effect_record.h"
#include "framework/utility/script_graphic/script_engine.h"

namespace vesk::utility::particle {

inline constexpr std::string_view kParticlePackagePath = "script/particle.pac";
// The root object every effect hangs under.
inline constexpr std::u16string_view kRootLabel = u"全オブジェクトの親";
inline constexpr std::u16string_view kRootName = u"__AllParent__";
inline constexpr std::uint32_t kEffectRecordCount = 100;

// Where and how PlaceEffectObject puts a named effect object.
struct UTL_SEffectPlacement {
    math::Vec2 position{};
    math::Vec2 scale{1.0f, 1.0f};
    float rotation = 0.0f;  // degrees
    std::u16string objectName;
    std::u16string labelName;
    std::u16string parentName;  // empty: under the root
    bool relative = false;      // position in units of the root's scale
    std::uint32_t flipX = 0;
};

// The screen effects of the game world. Every effect is a script object of
// one script-graphic engine running "script/particle.pac", shared by all
// layers; the layer keeps 100 records that tie an effect object to how it
// is drawn. Effects beyond 100 run but are not drawn.
//
// Each frame: UpdateParticleEffects from the world's update, then
// DrawParticleEffects from its draw. Main thread only.
class UTL_CEffectLayer {
public:
    // host: the game world's answers (null: the defaults of UTL_CEffectHost).
    explicit UTL_CEffectLayer(const UTL_CEffectHost* host = nullptr);
    ~UTL_CEffectLayer() = default;
    UTL_CEffectLayer(const UTL_CEffectLayer&) = delete;
    UTL_CEffectLayer& operator=(const UTL_CEffectLayer&) = delete;

    void SetHost(const UTL_CEffectHost* host);

    // Makes the records; the first layer also reads the package, starts the
    // shared engine and places the root. Without a readable package the
    // engine runs nothing.
    void LoadParticleScripts();
    // Kills every effect object, deletes the shared engine and its package,
    // and frees this layer's records.
    void ReleaseParticleEffects();

    // Places one named effect object (the root is placed so). Null when the
    // label does not exist or there is no engine.
    script_graphic::UTL_CObjectScript* PlaceEffectObject(const UTL_SEffectPlacement& placement);
    // Starts the effect at the request's label under the root. The object
    // (null: unknown label, nothing spawned); it is drawn when a record was free.
    script_graphic::UTL_CObjectScript* SpawnParticleEffect(const UTL_SEffectRequest& request);

    void UpdateParticleEffects();
    void DrawParticleEffects();

    // The sprite draws DrawParticleEffects makes, in order, without drawing.
    const std::vector<UTL_SEffectSpriteDraw>& CollectDraws();

    // Inspection.
    const std::vector<UTL_SEffectRecord*>& ActiveRecords() const { return active_; }
    std::size_t FreeRecordCount() const { return free_.size(); }
    std::size_t Capacity() const { return records_.size(); }
    // The root while it lives; null otherwise.
    script_graphic::UTL_CObjectScript* Root() const;

private:
    // The record's object while it is still that effect's and alive.
    script_graphic::UTL_CObjectScript* LiveObject(const UTL_SEffectRecord& record) const;
    void FreeRecords();

    const UTL_CEffectHost* host_;
    std::vector<UTL_SEffectRecord> records_;
    std::vector<UTL_SEffectRecord*> free_;
    std::vector<UTL_SEffectRecord*> active_;
    std::vector<UTL_SEffectSpriteDraw> draws_;
    std::uint32_t generation_ = 0;  // of the shared engine the records point into
};

// The engine every layer shares; null before the first LoadParticleScripts
// and after ReleaseParticleEffects.
script_graphic::UTL_CScriptEngine* GetEffectEngine();

}  // namespace vesk::utility::particle

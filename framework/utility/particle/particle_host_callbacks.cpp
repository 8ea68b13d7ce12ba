// The host callbacks the particle manager hands to the runtime.
// Thin wrappers over the framework's maths, random numbers, textures and files.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "framework/file/resource_file.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/utility/particle/particle_callbacks.h"
#include "framework/utility/particle/particle_manager.h"

namespace vesk::utility::particle {
namespace {

constexpr std::size_t kMaxResourceKey = 255;
constexpr std::uint32_t kAllTextureGroups = 0xFFFFFFFFu;

float SquareRoot(float x) { return std::sqrt(x); }
float Sine(float radians) { return std::sin(radians); }
float Cosine(float radians) { return std::cos(radians); }
// Rounding can push a cosine just past 1; that must not turn into NaN.
float ArcCosine(float x) { return std::acos(std::clamp(x, -1.0f, 1.0f)); }
std::int32_t RandomInteger() { return math::Rand(); }
// Seeds from the clock on first use, as Rand does, and never returns 1.0
// (a draw just below 1 would round up to it as a float).
float RandomUnit() { return math::RandFloat(1.0f); }

std::uint16_t ClampToU16(std::uint32_t value) { return static_cast<std::uint16_t>(std::min<std::uint32_t>(value, 0xFFFF)); }

std::int32_t LookUpTexture(const char* name, std::uint16_t* width, std::uint16_t* height)
{
    const resource::SpriteRegistry* registry = resource::GetSpriteRegistry();
    UTL_CParticleManager* manager = GetParticleManager();
    if (name == nullptr || registry == nullptr) {
        return -1;
    }
    std::int32_t id = -1;
    resource::SYS_CTexture* texture = nullptr;
    if (manager == nullptr || manager->effectSpriteGroup == -1) {
        id = registry->FindTextureId(kAllTextureGroups, name);
        texture = registry->GetTextureById(id);
    } else {
        id = registry->FindSprite(manager->effectSpriteGroup, name);
        texture = registry->GetSprite(manager->effectSpriteGroup, id);
    }
    if (texture == nullptr) {
        return -1;
    }
    if (width != nullptr) *width = ClampToU16(texture->GetWidth());
    if (height != nullptr) *height = ClampToU16(texture->GetHeight());
    return id;
}

const void* LoadResource(const char* fileName)
{
    UTL_CParticleManager* manager = GetParticleManager();
    if (fileName == nullptr || manager == nullptr) {
        return nullptr;
    }
    const std::string_view name(fileName);
    const std::string key(name.substr(0, std::min(name.find('.'), kMaxResourceKey)));
    if (const auto found = manager->resources.find(key); found != manager->resources.end()) {
        return found->second;
    }
    void* block = file::ReadResourceFile(nullptr, name, nullptr);
    if (block == nullptr) {
        return nullptr;
    }
    manager->resources.emplace(key, block);
    return block;
}

void IgnoreError(std::int32_t) {}
void DoNothing() {}
void* Fill(void* block, int value, std::size_t size) { return std::memset(block, value, size); }
bool Always() { return true; }

const UTL_SParticleCallbacks kHostCallbacks = [] {
    UTL_SParticleCallbacks table;
    table.squareRoot = SquareRoot;
    table.sine = Sine;
    table.cosine = Cosine;
    table.arcCosine = ArcCosine;
    table.randomInteger = RandomInteger;
    table.randomUnit = RandomUnit;
    table.textureLookup = LookUpTexture;
    table.loadResource = LoadResource;
    table.reportError = IgnoreError;
    table.unused = DoNothing;
    table.fill = Fill;
    table.predicate = Always;
    return table;
}();

}  // namespace

const UTL_SParticleCallbacks& GetHostCallbacks()
{
    return kHostCallbacks;
}

}  // namespace vesk::utility::particle

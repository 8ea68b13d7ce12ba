// The table of callbacks the particle runtime asks of its host.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vesk::utility::particle {

// What the particle runtime asks of its host: it does no platform work of
// its own. Start refuses a table without the first seven entries or fill.
struct UTL_SParticleCallbacks {
    using TextureLookup = std::int32_t (*)(const char* name, std::uint16_t* width, std::uint16_t* height);

    float (*squareRoot)(float x) = nullptr;
    float (*sine)(float radians) = nullptr;
    float (*cosine)(float radians) = nullptr;
    float (*arcCosine)(float x) = nullptr;
    std::int32_t (*randomInteger)() = nullptr;  // 0..32767
    float (*randomUnit)() = nullptr;            // [0, 1)
    // Writes the texture's size and returns its id (or sprite index); -1
    // when not found.
    TextureLookup textureLookup = nullptr;
    // The named resource's bytes, loaded once; null on failure.
    const void* (*loadResource)(const char* fileName) = nullptr;
    void (*reportError)(std::int32_t code) = nullptr;
    void (*unused)() = nullptr;
    void* (*fill)(void* block, int value, std::size_t size) = nullptr;
    bool (*predicate)() = nullptr;
};

// The table the particle manager hands over (see particle_host_callbacks.cpp).
const UTL_SParticleCallbacks& GetHostCallbacks();

}  // namespace vesk::utility::particle

// The fixed shader set's records and the default vertex and pixel keys.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "framework/graphics/shader.h"
#include "platform/graphics/gfx_types.h"

namespace vesk::resource {

// One entry of the fixed shader set.
struct ShaderTableRecord {
    std::string_view name;
    ShaderKey key;
    std::span<const platform::gfx::InputElement> layout;  // vertex shaders only
    std::uint32_t stride = 0;
};

std::span<const ShaderTableRecord> VertexShaderTable();
std::span<const ShaderTableRecord> PixelShaderTable();

inline constexpr ShaderKey kDefaultVertexKey{{0x1012, 0, 0, 0}};
inline constexpr ShaderKey kDefaultPixelKey{{0x3, 0, 0, 0}};

}  // namespace vesk::resource

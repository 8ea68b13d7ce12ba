// ".cfx" shader files: they name one of the device's built-in programs.
// Layout (little-endian): "VCFX", u16 version (1), u8 stage (0 vertex,
// 1 pixel), u8 reserved (0), u16 name length, u16 reserved (0), then the
// name's bytes (printable ASCII); nothing follows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::gfx {

enum class ShaderStage : std::uint8_t { Vertex = 0, Pixel = 1 };

inline constexpr std::uint16_t kCfxVersion = 1;
inline constexpr std::size_t kCfxHeaderSize = 12;
inline constexpr std::size_t kCfxMaxNameLength = 64;

struct CfxProgram {
    ShaderStage stage = ShaderStage::Vertex;
    std::string name;
};

// Checks magic, version, stage, name length and bounds. On failure returns
// false and says why in `error`.
bool ParseCfx(const void* data, std::size_t size, CfxProgram& out, std::string& error);

}  // namespace platform::gfx

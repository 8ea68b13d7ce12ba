// Writing ".cfx" shader files that name one program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/cfx_format.h"

namespace tools {

// The bytes of a ".cfx" file naming one program.
std::vector<std::uint8_t> BuildCfx(platform::gfx::ShaderStage stage, const std::string& name);

// Writes the file; false with a reason when the name is unusable or the file
// cannot be written.
bool WriteCfxFile(const std::string& path, platform::gfx::ShaderStage stage, const std::string& name,
                  std::string& error);

}  // namespace tools

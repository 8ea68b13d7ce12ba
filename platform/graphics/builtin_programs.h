// The built-in shader programs that the data set's ".cfx" files name.
#pragma once

#include <span>

#include "platform/graphics/program.h"

namespace platform::gfx {

// The programs every ".cfx" file of the data set names: 13 vertex and 10 pixel
// programs. Varyings are laid out alike in all of them: colour at 0-3,
// texture coordinate at 4-5, normal at 6-8.
std::span<const VertexProgram> BuiltinVertexPrograms();
std::span<const PixelProgram> BuiltinPixelPrograms();

}  // namespace platform::gfx

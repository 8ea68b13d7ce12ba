// The stencil test of one pixel and the update of its stored stencil value.
#pragma once

#include <cstdint>

#include "platform/graphics/gfx_types.h"
#include "platform/graphics/pixel_row.h"

namespace platform::gfx {

inline std::uint8_t StencilOpResult(StencilOp op, std::uint8_t stored, std::uint8_t reference)
{
    switch (op) {
    case StencilOp::Keep: return stored;
    case StencilOp::Zero: return 0;
    case StencilOp::Replace: return reference;
    case StencilOp::IncrementSaturate: return stored == 0xFF ? stored : static_cast<std::uint8_t>(stored + 1);
    case StencilOp::DecrementSaturate: return stored == 0 ? stored : static_cast<std::uint8_t>(stored - 1);
    case StencilOp::Invert: return static_cast<std::uint8_t>(~stored);
    case StencilOp::Increment: return static_cast<std::uint8_t>(stored + 1);
    case StencilOp::Decrement: return static_cast<std::uint8_t>(stored - 1);
    }
    return stored;
}

// Runs the stencil test of a pixel whose depth test gave `depthPasses`, and
// updates its stored value by the outcome within the write mask. True when
// the pixel is drawn: both tests passed.
inline bool StencilTest(const DepthStencilDesc& desc, const StencilFaceDesc& face, std::uint8_t reference,
                        bool depthPasses, std::uint8_t& stored)
{
    const int readMask = desc.stencilReadMask;
    const bool stencilPasses = ComparisonPasses(face.func, reference & readMask, stored & readMask);
    const StencilOp op = !stencilPasses ? face.failOp : !depthPasses ? face.depthFailOp : face.passOp;
    const std::uint8_t result = StencilOpResult(op, stored, reference);
    stored = static_cast<std::uint8_t>((stored & ~desc.stencilWriteMask) | (result & desc.stencilWriteMask));
    return stencilPasses && depthPasses;
}

}  // namespace platform::gfx

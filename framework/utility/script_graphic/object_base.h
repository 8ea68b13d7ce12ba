// The kinds of script-graphic objects, and the draw unit the engine lists under a handle.
#pragma once

#include <cstdint>

#include "framework/utility/draw_unit/object2_base.h"

namespace vesk::utility::script_graphic {

// What kind of object a script-graphic object is; also the pool it returns to.
enum UTL_EObjectKind : std::uint32_t {
    kObjectScript = 0,
    kObjectSprite = 1,
};

// A draw unit that the script-graphic engine lists under a handle.
class UTL_CObjectBase : public draw_unit::UTL_CObject2Base {
public:
    static constexpr std::uint32_t kNoHandle = 0xFFFFFFFF;

    virtual UTL_EObjectKind GetObjectKind() const = 0;

    // Handles grow with every creation and are never reused; kNoHandle while
    // the object waits in a pool.
    std::uint32_t handle = kNoHandle;
};

}  // namespace vesk::utility::script_graphic

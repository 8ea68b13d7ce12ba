// An object that runs a script of the script-graphic engine's program in its own threads.
#pragma once

#include "framework/utility/script/script_thread.h"
#include "framework/utility/script_graphic/object_base.h"

namespace vesk::utility::script_graphic {

// An object that runs a script of the engine's program in its own block of
// script threads. The graphic commands of its script change its graphic: the
// object itself, or another object the script selected or created.
class UTL_CObjectScript final : public UTL_CObjectBase {
public:
    UTL_CObjectScript() { Reset(); }

    void Reset() override;
    void Draw(bool) override {}
    void ClearFrameFlags() override;
    UTL_EObjectKind GetObjectKind() const override { return kObjectScript; }

    // The graphic, or null when the selected object has since left the
    // engine (it must not be changed through a stale pointer).
    UTL_CObjectBase* GetGraphic() const;
    void SetGraphic(UTL_CObjectBase* graphic);

    script::ScriptThreadBlock threads;
    bool ranThisFrame = false;

private:
    UTL_CObjectBase* graphic_ = this;
    // The graphic's handle when it was selected: a removed object loses its
    // handle and a reused one gets a new one, so a mismatch means it is gone.
    std::uint32_t graphicHandle_ = kNoHandle;
};

}  // namespace vesk::utility::script_graphic

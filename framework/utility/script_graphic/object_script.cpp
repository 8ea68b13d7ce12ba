// A script object's reset and the graphic its script changes.
#include "framework/utility/script_graphic/object_script.h"

namespace vesk::utility::script_graphic {

void UTL_CObjectScript::Reset()
{
    UTL_CObjectBase::Reset();
    threads.Clear();
    graphic_ = this;
    graphicHandle_ = kNoHandle;
    ranThisFrame = false;
}

void UTL_CObjectScript::ClearFrameFlags()
{
    UTL_CObjectBase::ClearFrameFlags();
    ranThisFrame = false;
}

UTL_CObjectBase* UTL_CObjectScript::GetGraphic() const
{
    if (graphic_ == this) {
        return const_cast<UTL_CObjectScript*>(this);
    }
    return graphic_->handle == graphicHandle_ && graphicHandle_ != kNoHandle ? graphic_ : nullptr;
}

void UTL_CObjectScript::SetGraphic(UTL_CObjectBase* graphic)
{
    graphic_ = graphic != nullptr ? graphic : this;
    graphicHandle_ = graphic_->handle;
}

}  // namespace vesk::utility::script_graphic

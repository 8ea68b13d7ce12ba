// A sprite's entry in its package's atlas, and the bind that binds the atlas.
#include "framework/graphics/merge_texture.h"

namespace vesk::resource {

void SYS_CMergeTexture::SetSpriteEntry(SYS_CTexture* atlas, const SpriteEntry& entry)
{
    atlas_ = atlas;
    entry_ = entry;
}

void SYS_CMergeTexture::Bind(int stage)
{
    if (atlas_) atlas_->Bind(stage);
}

}  // namespace vesk::resource

// Loads arbitrary bytes as a model image, then as an animation for it, and plays a few frames.
// The animation is read only when the image loads. A bad image or animation
// must be refused without reading outside the bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/graphics/device_model.h"
#include "framework/graphics/model_image.h"
#include "fuzz/quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();

    const std::span<const uint8_t> bytes(data, size);
    vesk::resource::ModelImage image;
    vesk::resource::ParseModelImage(bytes, "fuzz.mdl", image);

    vesk::resource::SYSWIN_CModel model;
    if (!model.Load({}, data, size)) return 0;
    vesk::resource::ModelAnimation animation;
    const size_t headerSize = size < vesk::resource::kAnimationHeaderSize ? size : vesk::resource::kAnimationHeaderSize;
    if (animation.Parse(bytes.first(headerSize), bytes, model.NodeCount(), "fuzz.anm")) {
        model.PlayAnimation(&animation, 0, (size & 1) != 0, 3, 1.0f);
        model.SetWholeModelAnimation(&animation);
        model.SetWholeModelAnimationEnabled(true);
        for (size_t mesh = 0; mesh < model.Meshes().size(); ++mesh) model.SetMeshAnimation(mesh, 0, &animation);
        for (int frame = 0; frame < 5; ++frame) model.Update();
        model.SetFrame(static_cast<int32_t>(size));
        model.Update();
    }
    return 0;
}

// Reads arbitrary bytes as a save file.
// Anything but a whole, checked image must be refused, and an image that
// passes must be applied to the game without trusting a value in it.
#include <cstddef>
#include <cstdint>

#include "fuzz/save_image_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::PrepareGameModel();
    fuzz_support::ReadAndApply(std::span(data, size));
    return 0;
}

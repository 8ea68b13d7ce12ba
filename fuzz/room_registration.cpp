// Random room scripts through the room package's registration: nothing may crash, read outside the package or hang.
#include "fuzz/registration_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    registration_fuzz::LoadAsKind(kScriptPackageRoom, data, size, 40);
    return 0;
}

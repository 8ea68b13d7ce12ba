// Random route scripts through the route package's registration: nothing may crash, read outside the package or hang.
#include "fuzz/registration_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    registration_fuzz::LoadAsKind(kScriptPackageRoute, data, size, 61);
    return 0;
}

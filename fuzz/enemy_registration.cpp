// Random enemy scripts through the enemy package's registration: nothing may crash, read outside the package or hang.
#include "fuzz/registration_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    registration_fuzz::LoadAsKind(kScriptPackageEnemy, data, size, 81);
    return 0;
}

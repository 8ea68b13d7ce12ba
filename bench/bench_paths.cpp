// The build's paths, known to this one file (see bench/CMakeLists.txt), so that no other benchmark's
// compilation depends on where the tree or the build lies.
#include "bench/bench_paths.h"

namespace bench_support {

const char* BuiltResourceFolder() { return VARNOLIS_BUILT_RESOURCE_DIR; }
const char* ScriptDefinitionsFolder() { return VARNOLIS_BENCH_DEFINITIONS; }

}  // namespace bench_support

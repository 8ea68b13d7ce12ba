// Where this build's data set and the script definitions lie, whatever folder the benchmarks run in.
#pragma once

namespace bench_support {

// The data set this build made.
const char* BuiltResourceFolder();
// The script assembler's definitions in the source tree (data/script/defs).
const char* ScriptDefinitionsFolder();

}  // namespace bench_support

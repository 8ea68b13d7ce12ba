// The resource folder where every data file lives, and whole-file reads from it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/memory/arena.h"

namespace vesk::file {

// Every data file lives below this folder: "ResourceWin" in the current
// directory unless a test points it elsewhere.
inline constexpr std::string_view kResourceFolder = "ResourceWin";
void SetResourceFolder(std::string_view folder);
std::string ResourcePath(std::string_view name);

// Reads the resource file `name` (relative to the resource folder) whole into
// a block from heap (null: the main heap, or the general allocator while that
// does not exist). Stores the size in *outSize when given and returns the
// block, which the caller frees (MainHeapFree). A missing file, one that
// cannot be read to its end, or one too large for the heap gives null with a
// log line and leaves *outSize untouched. An empty file gives null with
// *outSize = 0, and a log line too.
void* ReadResourceFile(memory::HeapRecord* heap, std::string_view name, std::size_t* outSize);

// True when the resource file `name` is there and opens for reading; no log line either way.
bool ResourceFileOpens(std::string_view name);

}  // namespace vesk::file

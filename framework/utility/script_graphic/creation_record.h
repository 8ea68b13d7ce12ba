// The argument data of the graphic commands that create objects: a name, then a child script or a sprite.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/utility/script/script_args.h"

namespace vesk::utility::script_graphic {

// Names in command arguments are fixed fields of 32 UTF-16 units; the text
// ends at its first zero unit or at the end of the field.
inline constexpr std::size_t kNameUnits = 32;
inline constexpr std::size_t kNameBytes = kNameUnits * 2;

// The argument data of the commands that create objects: the new object's
// name, then a start command (child script) or a sprite group and index.
struct CreationRecord {
    std::u16string name;
    std::uint32_t word16 = 0;  // start command, or sprite group
    std::uint32_t word17 = 0;  // sprite index
};

// The name field at byteOffset; empty (and the arguments marked faulty) when
// the field does not fit in the data.
std::u16string ReadName(const script::ScriptArgs& args, std::size_t byteOffset);

// words: 17 for a child script, 18 for a sprite. Null when the data is too short.
std::optional<CreationRecord> ReadCreationRecord(const script::ScriptArgs& args, std::size_t words);

}  // namespace vesk::utility::script_graphic

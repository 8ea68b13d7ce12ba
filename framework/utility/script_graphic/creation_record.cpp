// Reading the name fields and creation records of the object-creating graphic commands.
#include "framework/utility/script_graphic/creation_record.h"

#include "platform/little_endian.h"

namespace vesk::utility::script_graphic {

std::u16string ReadName(const script::ScriptArgs& args, std::size_t byteOffset)
{
    std::u16string name;
    if (!args.NeedBytes(byteOffset + kNameBytes)) {
        return name;
    }
    for (std::size_t unit = 0; unit < kNameUnits; ++unit) {
        const char16_t c = platform::ReadU16(args.Data() + byteOffset + unit * 2);
        if (c == 0) {
            break;
        }
        name.push_back(c);
    }
    return name;
}

std::optional<CreationRecord> ReadCreationRecord(const script::ScriptArgs& args, std::size_t words)
{
    if (!args.Need(words)) {
        return std::nullopt;
    }
    CreationRecord record;
    record.name = ReadName(args, 0);
    record.word16 = args.U32(16);
    if (words > 17) {
        record.word17 = args.U32(17);
    }
    return record;
}

}  // namespace vesk::utility::script_graphic

// Feeds arbitrary bytes to the ".cvt" image reader and decoder and to the ".abcd" glyph table reader.

#include <cstddef>
#include <cstdint>
#include <span>

#include "framework/graphics/glyph_table.h"
#include "framework/graphics/image_file.h"
#include "fuzz/quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();

    const std::span<const uint8_t> bytes(data, size);
    if (const auto image = vesk::resource::ParseImageFile(bytes, "fuzz.cvt")) {
        if (const auto decoded = vesk::resource::DecodeImageFile(*image, "fuzz.cvt")) {
            if (decoded->bgra.size() != static_cast<size_t>(decoded->width) * decoded->height * 4) {
                __builtin_trap();
            }
        }
    }
    if (const auto table = vesk::resource::GlyphTable::Parse(bytes, "fuzz.abcd")) {
        for (uint32_t code = 0; code <= 0xFFFF; code += 1 + code / 64) {
            if (const vesk::resource::Glyph* glyph = table->Find(static_cast<char16_t>(code))) {
                (void)glyph->advance;
            }
        }
    }
    return 0;
}

// Installs arbitrary bytes as a message file and looks a few keys up.
// A bad file must be refused without reading outside it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/text/format_text.h"
#include "framework/text/message_file.h"
#include "fuzz/quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();

    vesk::text::ReleaseMessageFile();
    if (vesk::text::RegisterMessageFile(std::vector<uint8_t>(data, data + size), "fuzz.mes")) {
        const char* keys[] = {"A", "AB", "COMMAND_YES", "COMMAND_NO", "ABCDEFGHIJ", "\xC8X", "@abc"};
        for (const char* key : keys) {
            if (const auto entry = vesk::text::GetMessageEntry(key); entry && entry->hasText) {
                // Texts from files are formats: they must format safely too.
                vesk::text::FormatText(entry->text, {1, "two", u"three", 4.5});
            }
        }
    }
    vesk::text::ReleaseMessageFile();
    return 0;
}

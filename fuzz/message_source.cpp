// Reads arbitrary text as a message source.
// A source without errors must make a message file that the game installs,
// and every key must find its text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/text/message_file.h"
#include "tools/common/message_file_writer.h"
#include "tools/common/message_source.h"
#include "fuzz/quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tools::MessageSource source = tools::ParseMessageSource(text, "fuzz.txt");
    if (!source.errors.empty()) return 0;
    const auto table = vesk::text::MessageTable::Create(tools::WriteMessageFile(source.entries, 1), "fuzz.mes");
    if (!table) std::abort();
    for (const tools::MessageFileEntry& entry : source.entries) {
        const auto found = table->Find(entry.key);
        if (!found || !found->hasText || found->text != entry.text) std::abort();
    }
    return 0;
}

// Prints arbitrary bytes as a script package's source, as the disassembler does for any file it is given.
// The first byte chooses the second command table (graphic, actor, enemy, room, route or static
// database); the rest is the package. Whatever prints without a note must assemble to the same bytes.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "fuzz/quiet_log.h"
#include "framework/utility/script_package/script_package.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"
#include "tools/common/script_disassembler.h"

namespace {

using vesk::tools::script::CommandSet;

constexpr std::array<const char*, 6> kSecondTables = {"graphic.def", "actor.def",           "enemy.def",
                                                     "room.def",    "route.def",           "static_database.def"};

const CommandSet& CommandsWith(std::size_t table)
{
    static const std::array<CommandSet, kSecondTables.size()> sets = [] {
        std::array<CommandSet, kSecondTables.size()> made;
        for (std::size_t i = 0; i < kSecondTables.size(); ++i) {
            vesk::tools::script::Diagnostics errors;
            for (const char* name : {"common.def", kSecondTables[i]}) {
                if (!made[i].LoadFile(std::string(VARNOLIS_SOURCE_DIR "/data/script/defs/") + name, errors)) std::abort();
            }
        }
        return made;
    }();
    return sets[table % sets.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace vesk::tools::script;
    if (size == 0) return 0;
    fuzz_support::QuietLog();
    const CommandSet& commands = CommandsWith(data[0]);
    const std::span<const std::uint8_t> package(data + 1, size - 1);
    const DisassemblyResult printed = DisassembleScript(package, commands, "fuzz.pac");
    if (!printed.ok || !printed.notes.empty()) return 0;
    AssemblyResult again = AssembleScript(printed.source, "again.vss", commands);
    if (!again.Ok()) std::abort();
    // The kind word comes from the assembler's command line, not from the source.
    constexpr std::size_t kKindEnd = vesk::utility::script_package::kPackageKindOffset + 4;
    if (again.package.size() >= kKindEnd && package.size() >= kKindEnd) {
        std::copy_n(package.begin() + vesk::utility::script_package::kPackageKindOffset, 4,
                    again.package.begin() + vesk::utility::script_package::kPackageKindOffset);
    }
    if (!std::equal(again.package.begin(), again.package.end(), package.begin(), package.end())) std::abort();
    return 0;
}

// Fuzz input read as script packages: entries whose registration label opens their first command and the run of one kind's registration, and one entry of commands for a script run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/model/script/script_package.h"
#include "tools/common/script_package_writer.h"

namespace registration_fuzz {

// Reads the input front to back; past its end every read gives 0.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(U16() | (static_cast<std::uint32_t>(U16()) << 16)); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A command's argument data from the input: a count of words below `limit`, then that many words, stored
// little-endian.
inline void ReadArgumentWords(InputReader& in, vesk::tools::script::BlockCommand& command, std::uint32_t limit)
{
    const std::uint32_t words = in.U8() % limit;
    command.hasData = words != 0;
    for (std::uint32_t w = 0; w < words; ++w) {
        const std::uint32_t word = in.U32();
        for (int b = 0; b < 4; ++b) command.data.push_back(static_cast<std::uint8_t>(word >> (8 * b)));
    }
}

// One entry of up to 48 commands for a script run: table 0 or 1, any mode, a slot drawn below
// `tableZeroSlots` or `tableOneSlots` (a table's size and a little past it), any operand and up to
// 24 argument words. The run starts at "test"; `secondLabel` stands half-way, where the game's
// scripts jump back to.
inline std::vector<std::uint8_t> RunPackageFromInput(InputReader& in, std::uint16_t tableZeroSlots,
                                                     std::uint16_t tableOneSlots, std::u16string_view secondLabel)
{
    namespace writer = vesk::tools::script;
    writer::PackageEntry entry;
    entry.id = 1;
    const std::uint32_t count = 1 + in.U8() % 48;
    for (std::uint32_t i = 0; i < count; ++i) {
        writer::BlockCommand command;
        command.table = in.U8() & 1;
        command.mode = in.U8();
        command.slot = static_cast<std::uint16_t>(in.U16() % (command.table == 0 ? tableZeroSlots : tableOneSlots));
        command.operand = static_cast<std::uint16_t>(in.U8());  // waits of up to 255 frames
        ReadArgumentWords(in, command, 25);
        entry.commands.push_back(std::move(command));
    }
    entry.labels.push_back({u"test", 0});
    entry.labels.push_back({std::u16string(secondLabel), count / 2});
    return writer::WriteScriptPackage({entry});
}

// The package parsed from a heap copy of its bytes, as a loaded file is; null when it is refused.
inline std::unique_ptr<vesk::utility::script_package::UTL_CManager> ParsePackage(const std::vector<std::uint8_t>& bytes)
{
    void* image = vesk::memory::MainHeapAlloc(bytes.size());
    if (image == nullptr) return nullptr;
    std::memcpy(image, bytes.data(), bytes.size());
    auto package = std::make_unique<vesk::utility::script_package::UTL_CManager>();
    if (package->ParseScriptPackage(image, bytes.size(), "fuzz.pac") != 1) return nullptr;
    return package;
}

// Up to three entries of up to 32 commands each: table 0 or 1, any mode, a
// slot of the table or just past it, any operand and up to 11 argument words.
// Most entries open with the registration label; some also carry a label the
// game starts other scripts at.
inline std::vector<std::uint8_t> PackageFromInput(const std::uint8_t* data, std::size_t size,
                                                  std::uint16_t tableOneSlots)
{
    namespace writer = vesk::tools::script;
    InputReader in(data, size);
    std::vector<writer::PackageEntry> entries(1 + in.U8() % 3);
    for (writer::PackageEntry& entry : entries) {
        entry.id = in.U32();
        const std::uint8_t flags = in.U8();
        const std::uint32_t count = in.U8() % 33;
        for (std::uint32_t i = 0; i < count; ++i) {
            writer::BlockCommand command;
            command.table = in.U8() & 1;
            command.mode = in.U8();
            const std::uint16_t slots = command.table == 0 ? 100 : tableOneSlots;
            command.slot = static_cast<std::uint16_t>(in.U16() % (slots + 2));
            command.operand = in.U16();
            ReadArgumentWords(in, command, 12);
            entry.commands.push_back(std::move(command));
        }
        if ((flags & 1) == 0 || count == 0) {
            entry.labels.push_back({std::u16string(kRegistrationLabel), 0});
        }
        if ((flags & 2) != 0 && count != 0) {
            entry.labels.push_back({u"更新[NoTask]", count / 2});
        }
    }
    return writer::WriteScriptPackage(entries);
}

// One database for the whole run, emptied before each input; an ammunition
// item so that the statements naming one are reached.
inline GAME_CStaticDatabase& FreshDatabase()
{
    static const bool once = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        CreateStaticDatabase();
        return true;
    }();
    (void)once;
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    database.Clear();
    ItemData* shell = database.GetOrCreateItemData(MakeTag("I096"), true);
    shell->power = 1;
    shell->period = 1;
    shell->reach = 1;
    return database;
}

// Loads the package of the input as the given kind, running its registration.
inline void LoadAsKind(int kind, const std::uint8_t* data, std::size_t size, std::uint16_t tableOneSlots)
{
    FreshDatabase();
    const std::vector<std::uint8_t> bytes = PackageFromInput(data, size, tableOneSlots);
    void* image = vesk::memory::MainHeapAlloc(bytes.size());
    if (image == nullptr) {
        return;
    }
    std::memcpy(image, bytes.data(), bytes.size());
    LoadScriptPackageImage(kind, image, bytes.size());
}

}  // namespace registration_fuzz

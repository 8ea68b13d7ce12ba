// The definition files of the script tools: each mnemonic's command and arguments, gathered in a command set.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/common/script_arguments.h"
#include "tools/common/script_diagnostic.h"

namespace vesk::tools::script {

// One mnemonic of a command table: the command it writes and its arguments.
struct CommandDef {
    std::string mnemonic;
    std::uint8_t table = 0;
    std::uint16_t slot = 0;
    std::uint8_t mode = 0;  // unused when an argument gives the mode
    bool modeFromArgument = false;
    std::vector<ArgSpec> args;
    std::string file;
    int line = 0;

    bool HasDataArguments() const;
};

// The mnemonics of the tables a package uses, read from definition files:
//
//     # comment
//     table 0
//     # mnemonic   slot  mode  arguments...
//     goto         11    0     label
//     wait         30    0     operand:u16
//     sound.play   60    *     mode:u8 hex i32
//
// Each file defines one table; a set holds at most one file per table.
class CommandSet {
public:
    bool LoadFile(const std::string& path, Diagnostics& errors);
    bool Parse(std::string_view text, std::string_view fileName, Diagnostics& errors);

    const CommandDef* Find(std::string_view mnemonic) const;

    // Names that a source may write for an integer argument, such as the sprite indices of a
    // sprite package. A symbol file holds one "name value" pair a line.
    bool LoadSymbolFile(const std::string& path, Diagnostics& errors);
    void DefineSymbol(const std::string& name, std::int64_t value) { symbols_[name] = value; }
    std::optional<std::int64_t> FindSymbol(std::string_view name) const;
    // Definitions of (table, slot), in definition order.
    const std::vector<const CommandDef*>& FindByCode(std::uint8_t table, std::uint16_t slot) const;

private:
    std::deque<CommandDef> defs_;  // stable addresses
    std::map<std::string, const CommandDef*, std::less<>> byName_;
    std::map<std::uint32_t, std::vector<const CommandDef*>> byCode_;
    std::map<std::uint8_t, std::string> tableFiles_;
    std::map<std::string, std::int64_t, std::less<>> symbols_;
};

}  // namespace vesk::tools::script

// Writing script packages from entries of commands and labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vesk::tools::script {

struct BlockCommand {
    std::uint8_t table = 0;
    std::uint8_t mode = 0;
    std::uint16_t slot = 0;
    std::uint16_t operand = 0;
    bool hasData = false;
    std::vector<std::uint8_t> data;  // whole words
};

struct BlockLabel {
    std::u16string name;
    std::uint32_t commandIndex = 0;
};

struct PackageEntry {
    std::uint32_t id = 0;
    std::vector<BlockCommand> commands;
    std::vector<BlockLabel> labels;  // label-table order
};

// A script package: header (mark, version, kind), entry table (each entry
// with its block's check word), then one "DTPS" block per entry. A block holds its header, the command table, the
// label table, the argument data in command order and the label names. Fields
// the runtime does not read are zero, so the same entries always give the
// same bytes. kind is the four-character tag of the command table (0: none).
std::vector<std::uint8_t> WriteScriptPackage(const std::vector<PackageEntry>& entries, std::uint32_t kind = 0);

// Writes every block's check word from its bytes; entries or blocks outside the package are
// passed over. For packages changed after writing, on purpose.
void SealScriptPackage(std::vector<std::uint8_t>& package);

}  // namespace vesk::tools::script

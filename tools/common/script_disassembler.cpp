// The script disassembler: a package printed back as source, names for labels and .raw where nothing matches.
#include "tools/common/script_disassembler.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "platform/little_endian.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_lexer.h"
#include "tools/common/script_text.h"

namespace vesk::tools::script {
namespace {

using utility::script_package::CommandRecord;
using utility::script_package::LabelRecord;
using utility::script_package::ProgramRecord;

// One command, printed: either a mnemonic with its arguments or .raw, with
// the label indices its arguments name (printed once names are known).
struct PrintedCommand {
    bool marker = false;
    std::string mnemonic;
    std::vector<std::string> args;
    std::vector<std::optional<std::uint32_t>> labelArgs;  // per argument
};

std::string Hex(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", value);
    return buffer;
}

bool IsOperator(std::string_view text)
{
    return !text.empty() && (text[0] == '=' || text[0] == '!' || text[0] == '<' || text[0] == '>');
}

std::u16string ReadName(const ProgramRecord& program, std::uint32_t offset)
{
    std::u16string name;
    for (std::uint64_t at = offset; at + 2 <= program.blockSize; at += 2) {
        const char16_t unit = platform::ReadU16(program.blockStart + at);
        if (unit == 0) {
            break;
        }
        name += unit;
    }
    return name;
}

class EntryPrinter {
public:
    EntryPrinter(const ProgramRecord& program, const CommandSet& commands, std::vector<std::string>& notes)
        : program_(program), commands_(commands), notes_(notes)
    {
    }

    std::string Print()
    {
        CollectBoundaries();
        std::vector<PrintedCommand> printed;
        for (std::uint32_t i = 0; i < program_.commandCount; ++i) {
            printed.push_back(PrintCommand(utility::script_package::ReadCommand(program_, i)));
            isMarker_.push_back(printed.back().marker);
        }
        ReadLabels();

        std::string out;
        for (std::uint32_t i = 0; i < printed.size(); ++i) {
            const PrintedCommand& command = printed[i];
            if (command.marker) {
                if (const auto exported = exportedAt_.find(i); exported != exportedAt_.end()) {
                    out += QuoteUtf16(exported->second) + ":\n";
                    continue;
                }
                if (referenced_.contains(i)) {
                    out += "L" + std::to_string(i) + ":\n";
                    continue;
                }
            }
            out += "    " + command.mnemonic;
            for (std::size_t a = 0; a < command.args.size(); ++a) {
                // Commas between values, but none after a comparison: "x >= 3".
                const bool afterOperator = a > 0 && IsOperator(command.args[a - 1]);
                out += a == 0 || afterOperator ? " " : ", ";
                out += command.labelArgs[a] ? Reference(*command.labelArgs[a]) : command.args[a];
            }
            out += "\n";
        }
        for (const auto& [name, index] : exports_) {
            out += ".export " + QuoteUtf16(name) + " " + Reference(index) + "\n";
        }
        return out;
    }

private:
    // Argument data runs from its offset to the next thing in the block.
    void CollectBoundaries()
    {
        boundaries_.insert(program_.blockSize);
        for (std::uint32_t i = 0; i < program_.commandCount; ++i) {
            const std::uint32_t offset = utility::script_package::ReadCommand(program_, i).argumentOffset;
            if (offset != 0 && offset < program_.blockSize) {
                boundaries_.insert(offset);
            }
        }
        for (std::uint32_t i = 0; i < program_.labelCount; ++i) {
            boundaries_.insert(utility::script_package::ReadLabel(program_, i).nameOffset);
        }
    }

    std::span<const std::uint8_t> DataOf(std::uint32_t offset) const
    {
        if (offset == 0 || offset >= program_.blockSize) {
            return {};
        }
        const std::uint32_t end = *boundaries_.upper_bound(offset);
        return std::span<const std::uint8_t>(program_.blockStart + offset, end - offset);
    }

    // A definition reproduces a command when its arguments, printed and
    // assembled again, give the same mode, operand and data bytes.
    std::optional<PrintedCommand> TryDefinition(const CommandDef& def, const CommandRecord& record)
    {
        if (!def.modeFromArgument && def.mode != record.mode) {
            return std::nullopt;
        }
        if (def.HasDataArguments() != (record.argumentOffset != 0)) {
            return std::nullopt;
        }
        const std::span<const std::uint8_t> data = DataOf(record.argumentOffset);
        PrintedCommand printed;
        printed.mnemonic = def.mnemonic;
        std::size_t offset = 0;
        std::vector<std::uint8_t> again;
        std::uint32_t mode = def.mode;
        std::uint32_t operand = 0;
        for (const ArgSpec& spec : def.args) {
            std::string text;
            std::optional<std::uint32_t> label;
            if (spec.place == ArgPlace::Mode) {
                text = FormatScalarArgument(spec, record.mode);
            } else if (spec.place == ArgPlace::Operand) {
                text = FormatScalarArgument(spec, record.operand);
            } else {
                const std::optional<DecodedArgument> decoded = DecodeDataArgument(spec, data, offset);
                if (!decoded) {
                    return std::nullopt;
                }
                text = decoded->text;
                if (decoded->isLabel) {
                    label = decoded->labelIndex;
                }
            }
            std::string error;
            const std::optional<std::vector<Token>> tokens = TokenizeLine(text, error);
            if (!label && (!tokens || tokens->size() != 1)) {
                return std::nullopt;
            }
            const Token token = label ? Token{} : tokens->front();
            if (spec.place == ArgPlace::Data) {
                if (!EncodeDataArgument(spec, token, label.value_or(0), again, error)) {
                    return std::nullopt;
                }
            } else {
                const std::optional<std::uint32_t> value = EncodeScalarArgument(spec, token, error);
                if (!value) {
                    return std::nullopt;
                }
                (spec.place == ArgPlace::Mode ? mode : operand) = *value;
            }
            printed.args.push_back(std::move(text));
            printed.labelArgs.push_back(label);
        }
        FinishArgumentData(again);
        if (mode != record.mode || operand != record.operand || again.size() != data.size() ||
            !std::equal(again.begin(), again.end(), data.begin())) {
            return std::nullopt;
        }
        for (const auto& label : printed.labelArgs) {
            if (label) {
                referenced_.insert(*label);
            }
        }
        return printed;
    }

    PrintedCommand PrintCommand(const CommandRecord& record)
    {
        if (record.table == kMarkerTable && record.slot == kMarkerSlot && record.mode == 0 && record.operand == 0 &&
            record.argumentOffset == 0) {
            PrintedCommand marker;
            marker.marker = true;
            marker.mnemonic = ".raw";
            marker.args = {"0", "0", "0", "0"};
            marker.labelArgs.resize(4);
            for (const CommandDef* def : commands_.FindByCode(record.table, record.slot)) {
                if (!def->modeFromArgument && def->mode == 0 && def->args.empty()) {
                    marker.mnemonic = def->mnemonic;  // printed when no label names it
                    marker.args.clear();
                    marker.labelArgs.clear();
                    break;
                }
            }
            return marker;
        }
        for (const CommandDef* def : commands_.FindByCode(record.table, record.slot)) {
            if (std::optional<PrintedCommand> printed = TryDefinition(*def, record)) {
                return *printed;
            }
        }
        PrintedCommand raw;
        raw.mnemonic = ".raw";
        raw.args = {std::to_string(record.table), std::to_string(record.slot), std::to_string(record.mode),
                    std::to_string(record.operand)};
        const std::span<const std::uint8_t> data = DataOf(record.argumentOffset);
        if (record.argumentOffset != 0 && data.empty()) {
            notes_.push_back("a command's argument offset " + Hex(record.argumentOffset) +
                             " lies outside its block; printed without data");
        } else if (data.size() % 4 != 0) {
            notes_.push_back("argument data at " + Hex(record.argumentOffset) + " is not whole words");
        }
        for (std::size_t at = 0; at < data.size(); at += 4) {
            std::uint32_t word = 0;
            for (std::size_t b = 0; b < 4 && at + b < data.size(); ++b) {
                word |= static_cast<std::uint32_t>(data[at + b]) << (8 * b);
            }
            raw.args.push_back(Hex(word));
        }
        raw.labelArgs.resize(raw.args.size());
        return raw;
    }

    // Label-table names print as "name": at their markers when the table is
    // as the assembler writes it; otherwise as .export lines after the code.
    void ReadLabels()
    {
        std::vector<std::pair<std::u16string, std::uint32_t>> labels;
        std::set<std::u16string> names;
        bool canonical = true;
        for (std::uint32_t i = 0; i < program_.labelCount; ++i) {
            const LabelRecord label = utility::script_package::ReadLabel(program_, i);
            labels.emplace_back(ReadName(program_, label.nameOffset), label.commandIndex);
            const bool ordered = i == 0 || label.commandIndex > labels[i - 1].second;
            const bool atMarker = label.commandIndex < isMarker_.size() && isMarker_[label.commandIndex];
            canonical = canonical && ordered && atMarker && names.insert(labels.back().first).second;
        }
        if (canonical) {
            for (const auto& [name, index] : labels) {
                exportedAt_[index] = name;
            }
            return;
        }
        exports_ = labels;
        for (const auto& label : labels) {
            referenced_.insert(label.second);
        }
    }

    std::string Reference(std::uint32_t index) const
    {
        if (const auto exported = exportedAt_.find(index); exported != exportedAt_.end()) {
            return QuoteUtf16(exported->second);
        }
        std::string reference(1, index < isMarker_.size() && isMarker_[index] ? 'L' : '#');
        reference += std::to_string(index);
        return reference;
    }

    const ProgramRecord& program_;
    const CommandSet& commands_;
    std::vector<std::string>& notes_;
    std::set<std::uint32_t> boundaries_;
    std::vector<bool> isMarker_;
    std::set<std::uint32_t> referenced_;
    std::map<std::uint32_t, std::u16string> exportedAt_;
    std::vector<std::pair<std::u16string, std::uint32_t>> exports_;
};

}  // namespace

DisassemblyResult DisassembleScript(std::span<const std::uint8_t> package, const CommandSet& commands,
                                    std::string_view name)
{
    DisassemblyResult result;
    void* image = memory::MainHeapAlloc(package.size());
    if (image == nullptr && !package.empty()) {
        result.error = "no memory for the package";
        return result;
    }
    if (!package.empty()) {
        std::memcpy(image, package.data(), package.size());
    }
    utility::script_package::UTL_CManager manager;
    if (manager.ParseScriptPackage(image, package.size(), name) == 0) {
        result.error = "not a readable script package (the log says why)";
        return result;
    }

    std::string& out = result.source;
    for (std::uint32_t i = 0; i < manager.GetEntryCount(); ++i) {
        const utility::script_package::DecodedEntry& entry = manager.GetEntry(i);
        if (i != 0) {
            out += '\n';
        }
        out += ".entry ";
        out += FormatTagWord(entry.id);
        out += '\n';
        if (entry.program.IsEmpty()) {
            result.notes.push_back("entry " + std::to_string(i) + " has no script block; it prints as an empty one");
            continue;
        }
        out += EntryPrinter(entry.program, commands, result.notes).Print();
    }

    AssemblyResult again = AssembleScript(out, "<disassembly>", commands);
    // The kind is given to the assembler on its command line, not in the source.
    constexpr std::size_t kKindEnd = utility::script_package::kPackageKindOffset + 4;
    if (again.Ok() && again.package.size() >= kKindEnd && package.size() >= kKindEnd) {
        std::copy_n(package.begin() + utility::script_package::kPackageKindOffset, 4,
                    again.package.begin() + utility::script_package::kPackageKindOffset);
    }
    if (!again.Ok()) {
        result.notes.push_back("the printed source does not assemble: " + again.errors.front().ToString());
    } else if (again.package.size() != package.size() ||
               !std::equal(again.package.begin(), again.package.end(), package.begin())) {
        result.notes.push_back("the printed source assembles to a differently laid-out package");
    }
    result.ok = true;
    return result;
}

}  // namespace vesk::tools::script

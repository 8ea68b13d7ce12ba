// Reading definition files into a command set, and its lookups by mnemonic and by table and slot.
#include "tools/common/script_commands.h"

#include <optional>

#include "tools/common/whole_file.h"

namespace vesk::tools::script {
namespace {

std::vector<std::string> SplitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        if (i >= line.size() || line[i] == '#') {
            break;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
            ++i;
        }
        words.emplace_back(line.substr(start, i - start));
    }
    return words;
}

bool IsMnemonic(std::string_view word)
{
    if (word.empty() || !((word[0] >= 'a' && word[0] <= 'z') || (word[0] >= 'A' && word[0] <= 'Z') || word[0] == '_')) {
        return false;
    }
    for (const char c : word) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '.';
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::uint32_t CodeKey(std::uint8_t table, std::uint16_t slot)
{
    return (static_cast<std::uint32_t>(table) << 16) | slot;
}

}  // namespace

bool CommandDef::HasDataArguments() const
{
    for (const ArgSpec& spec : args) {
        if (spec.place == ArgPlace::Data) {
            return true;
        }
    }
    return false;
}

bool CommandSet::LoadFile(const std::string& path, Diagnostics& errors)
{
    const std::optional<std::string> text = ::tools::ReadTextFile(path);
    if (!text) {
        errors.push_back({path, 0, "cannot read the definition file"});
        return false;
    }
    return Parse(*text, path, errors);
}

bool CommandSet::LoadSymbolFile(const std::string& path, Diagnostics& errors)
{
    const std::optional<std::string> text = ::tools::ReadTextFile(path);
    if (!text) {
        errors.push_back({path, 0, "cannot read the symbol file"});
        return false;
    }
    const std::size_t errorsBefore = errors.size();
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        ++lineNumber;
        const std::string_view line(text->data() + start, end - start);
        start = end + 1;
        const std::size_t space = line.find(' ');
        const std::optional<std::int64_t> value =
            space == std::string_view::npos ? std::nullopt : ParseInteger(line.substr(space + 1));
        if (line.empty()) continue;
        if (space == 0 || !value) {
            errors.push_back({path, lineNumber, "expected a name and a number"});
            continue;
        }
        DefineSymbol(std::string(line.substr(0, space)), *value);
    }
    return errors.size() == errorsBefore;
}

std::optional<std::int64_t> CommandSet::FindSymbol(std::string_view name) const
{
    const auto found = symbols_.find(name);
    return found == symbols_.end() ? std::nullopt : std::optional<std::int64_t>(found->second);
}

bool CommandSet::Parse(std::string_view text, std::string_view fileName, Diagnostics& errors)
{
    const std::size_t errorsBefore = errors.size();
    const std::string file(fileName);
    int table = -1;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const std::vector<std::string> words = SplitWords(line);
        if (words.empty()) {
            continue;
        }
        const auto fail = [&](const std::string& message) { errors.push_back({file, lineNumber, message}); };

        if (words[0] == "table") {
            const std::optional<std::int64_t> number = words.size() == 2 ? ParseInteger(words[1]) : std::nullopt;
            if (table >= 0) {
                fail("a definition file holds one table");
            } else if (!number || *number < 0 || *number > 7) {
                fail("'table' takes a table number from 0 to 7");
            } else if (const auto known = tableFiles_.find(static_cast<std::uint8_t>(*number));
                       known != tableFiles_.end()) {
                fail("table " + std::to_string(*number) + " is already defined by " + known->second);
            } else {
                table = static_cast<int>(*number);
                tableFiles_[static_cast<std::uint8_t>(table)] = file;
            }
            continue;
        }
        if (table < 0) {
            fail("the file must name its table first ('table N')");
            continue;
        }
        if (words.size() < 3) {
            fail("a definition is: mnemonic slot mode arguments...");
            continue;
        }
        CommandDef def;
        def.mnemonic = words[0];
        def.table = static_cast<std::uint8_t>(table);
        def.file = file;
        def.line = lineNumber;
        if (!IsMnemonic(def.mnemonic)) {
            fail(Quoted(def.mnemonic) + " is not a mnemonic (letters, digits, '_' and '.', not first a digit)");
            continue;
        }
        if (const auto known = byName_.find(def.mnemonic); known != byName_.end()) {
            fail("mnemonic '" + def.mnemonic + "' is already defined at " + known->second->file + ":" +
                 std::to_string(known->second->line));
            continue;
        }
        const std::optional<std::int64_t> slot = ParseInteger(words[1]);
        if (!slot || *slot < 0 || *slot > 0xFFFF) {
            fail("slot '" + words[1] + "' is not a number from 0 to 65535");
            continue;
        }
        def.slot = static_cast<std::uint16_t>(*slot);
        if (words[2] == "*") {
            def.modeFromArgument = true;
        } else {
            const std::optional<std::int64_t> mode = ParseInteger(words[2]);
            if (!mode || *mode < 0 || *mode > 0xFF) {
                fail("mode '" + words[2] + "' is not '*' or a number from 0 to 255");
                continue;
            }
            def.mode = static_cast<std::uint8_t>(*mode);
        }
        bool argumentsOk = true;
        int modeArguments = 0;
        int operandArguments = 0;
        for (std::size_t i = 3; i < words.size(); ++i) {
            std::string error;
            const std::optional<ArgSpec> spec = ParseArgSpec(words[i], error);
            if (!spec) {
                fail(error);
                argumentsOk = false;
                break;
            }
            modeArguments += spec->place == ArgPlace::Mode;
            operandArguments += spec->place == ArgPlace::Operand;
            def.args.push_back(*spec);
        }
        if (!argumentsOk) {
            continue;
        }
        if (modeArguments != (def.modeFromArgument ? 1 : 0)) {
            fail(def.modeFromArgument ? "mode '*' needs exactly one 'mode:' argument"
                                      : "a 'mode:' argument needs mode '*'");
            continue;
        }
        if (operandArguments > 1) {
            fail("at most one argument goes to the operand");
            continue;
        }
        defs_.push_back(std::move(def));
        const CommandDef* stored = &defs_.back();
        byName_[stored->mnemonic] = stored;
        byCode_[CodeKey(stored->table, stored->slot)].push_back(stored);
    }
    if (table < 0 && errors.size() == errorsBefore) {
        errors.push_back({file, lineNumber, "the file names no table ('table N')"});
    }
    return errors.size() == errorsBefore;
}

const CommandDef* CommandSet::Find(std::string_view mnemonic) const
{
    const auto found = byName_.find(mnemonic);
    return found != byName_.end() ? found->second : nullptr;
}

const std::vector<const CommandDef*>& CommandSet::FindByCode(std::uint8_t table, std::uint16_t slot) const
{
    static const std::vector<const CommandDef*> kNone;
    const auto found = byCode_.find(CodeKey(table, slot));
    return found != byCode_.end() ? found->second : kNone;
}

}  // namespace vesk::tools::script

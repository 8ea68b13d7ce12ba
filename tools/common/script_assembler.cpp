// The script assembler: statements, labels and exports of a source turned into a script package.
#include "tools/common/script_assembler.h"

#include <map>
#include <optional>
#include <string>

#include "platform/little_endian.h"
#include "tools/common/script_diagnostic.h"
#include "tools/common/script_lexer.h"
#include "tools/common/script_package_writer.h"
#include "tools/common/script_text.h"

namespace vesk::tools::script {
namespace {

struct SourceCommand {
    int line = 0;
    const CommandDef* def = nullptr;  // null for markers and raw commands
    std::vector<Token> args;          // the definition's arguments, or raw data words
    BlockCommand fixed;               // markers and raw commands
};

struct SourceLabelName {
    std::u16string name;
    std::optional<std::uint32_t> index;  // exported label definition
    Token reference;                     // .export
    int line = 0;
};

struct LocalLabel {
    std::uint32_t index = 0;
    int line = 0;
};

struct SourceEntry {
    std::uint32_t id = 0;
    std::vector<SourceCommand> commands;
    std::map<std::string, LocalLabel, std::less<>> locals;
    std::vector<SourceLabelName> names;  // label-table order
};

bool IsIdentifier(std::string_view word)
{
    if (word.empty() || !((word[0] >= 'a' && word[0] <= 'z') || (word[0] >= 'A' && word[0] <= 'Z') || word[0] == '_')) {
        return false;
    }
    for (const char c : word) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.')) {
            return false;
        }
    }
    return true;
}

class Assembler {
public:
    Assembler(std::string_view fileName, const CommandSet& commands) : file_(fileName), commands_(commands) {}

    AssemblyResult Run(std::string_view source)
    {
        if (source.starts_with("\xEF\xBB\xBF")) {
            source.remove_prefix(3);  // a UTF-8 byte-order mark
        }
        int lineNumber = 0;
        std::size_t start = 0;
        while (start <= source.size()) {
            std::size_t end = source.find('\n', start);
            if (end == std::string_view::npos) {
                end = source.size();
            }
            ++lineNumber;
            ReadLine(source.substr(start, end - start), lineNumber);
            start = end + 1;
        }
        // The game refuses a package without entries, so the assembler does not write one.
        if (entries_.empty() && errors_.empty()) {
            Fail(lineNumber, "the source defines no '.entry'; a package needs at least one");
        }
        std::vector<PackageEntry> entries;
        for (const SourceEntry& entry : entries_) {
            entries.push_back(Encode(entry));
        }
        AssemblyResult result;
        result.errors = std::move(errors_);
        if (result.errors.empty()) {
            result.package = WriteScriptPackage(entries);
        }
        return result;
    }

private:
    void Fail(int line, const std::string& message) { errors_.push_back({file_, line, message}); }

    SourceEntry* CurrentEntry(int line)
    {
        if (entries_.empty()) {
            Fail(line, "commands and labels need an '.entry' first");
            return nullptr;
        }
        return &entries_.back();
    }

    void ReadLine(std::string_view line, int lineNumber)
    {
        std::string error;
        const std::optional<std::vector<Token>> tokens = TokenizeLine(line, error);
        if (!tokens) {
            Fail(lineNumber, error);
            return;
        }
        std::size_t i = 0;
        while (i + 1 < tokens->size() && (*tokens)[i + 1].kind == Token::Kind::Colon) {
            DefineLabel((*tokens)[i], lineNumber);
            i += 2;
        }
        if (i >= tokens->size()) {
            return;
        }
        const Token& head = (*tokens)[i];
        const std::vector<Token> rest(tokens->begin() + static_cast<std::ptrdiff_t>(i) + 1, tokens->end());
        if (!head.IsWord()) {
            Fail(lineNumber, "expected a mnemonic, got " + TokenText(head));
        } else if (head.text == ".entry") {
            StartEntry(rest, lineNumber);
        } else if (head.text == ".export") {
            Export(rest, lineNumber);
        } else if (head.text == ".raw") {
            Raw(rest, lineNumber);
        } else if (head.text.starts_with(".")) {
            Fail(lineNumber, "unknown directive '" + head.text + "'");
        } else {
            Instruction(head.text, rest, lineNumber);
        }
    }

    void StartEntry(const std::vector<Token>& args, int line)
    {
        std::string error;
        const ArgSpec idSpec{ArgType::Tag};
        std::vector<std::uint8_t> bytes;
        if (args.size() != 1) {
            Fail(line, "'.entry' takes one id: a number or a tag such as 'ID01'");
        } else if (!EncodeDataArgument(idSpec, args[0], 0, bytes, error)) {
            Fail(line, "'.entry': " + error);
        }
        SourceEntry entry;
        if (bytes.size() == 4) {
            entry.id = platform::ReadU32(bytes.data());
        }
        entries_.push_back(std::move(entry));  // even when broken, so later lines land somewhere
    }

    std::uint32_t AddMarker(SourceEntry& entry, int line)
    {
        SourceCommand marker;
        marker.line = line;
        marker.fixed.table = kMarkerTable;
        marker.fixed.slot = kMarkerSlot;
        entry.commands.push_back(std::move(marker));
        return static_cast<std::uint32_t>(entry.commands.size() - 1);
    }

    void DefineLabel(const Token& name, int line)
    {
        SourceEntry* entry = CurrentEntry(line);
        if (entry == nullptr) {
            return;
        }
        if (name.kind == Token::Kind::String) {
            std::string error;
            std::optional<std::u16string> text = DecodeUtf16Literal(name.text, error);
            if (!text) {
                Fail(line, "label " + TokenText(name) + ": " + error);
                return;
            }
            if (!CheckNewName(*entry, *text, line)) {
                return;
            }
            entry->names.push_back({std::move(*text), AddMarker(*entry, line), Token{}, line});
            return;
        }
        if (!name.IsWord() || !IsIdentifier(name.text)) {
            Fail(line, Quoted(TokenText(name)) + " is not a label name (a word of letters, digits, '_' and '.', "
                                               "or a quoted text for an exported label)");
            return;
        }
        if (const auto known = entry->locals.find(name.text); known != entry->locals.end()) {
            Fail(line, "duplicate label '" + name.text + "' (first defined on line " +
                           std::to_string(known->second.line) + ")");
            return;
        }
        entry->locals[name.text] = LocalLabel{AddMarker(*entry, line), line};
    }

    bool CheckNewName(const SourceEntry& entry, const std::u16string& name, int line)
    {
        // The package ends each name with a zero unit, so a name holding one
        // could never be read back whole.
        if (name.find(u'\0') != std::u16string::npos) {
            Fail(line, "label " + QuoteUtf16(name) + ": a label name cannot hold a zero character");
            return false;
        }
        for (const SourceLabelName& known : entry.names) {
            if (known.name == name) {
                Fail(line, "duplicate label " + QuoteUtf16(name) + " (first defined on line " +
                               std::to_string(known.line) + ")");
                return false;
            }
        }
        return true;
    }

    void Export(const std::vector<Token>& args, int line)
    {
        SourceEntry* entry = CurrentEntry(line);
        if (entry == nullptr) {
            return;
        }
        if (args.size() != 2 || args[0].kind != Token::Kind::String || !args[1].IsWord()) {
            Fail(line, "'.export' takes a quoted name and a local label or #index");
            return;
        }
        std::string error;
        std::optional<std::u16string> text = DecodeUtf16Literal(args[0].text, error);
        if (!text) {
            Fail(line, "'.export': " + error);
            return;
        }
        if (CheckNewName(*entry, *text, line)) {
            entry->names.push_back({std::move(*text), std::nullopt, args[1], line});
        }
    }

    void Raw(const std::vector<Token>& args, int line)
    {
        SourceEntry* entry = CurrentEntry(line);
        if (entry == nullptr) {
            return;
        }
        if (args.size() < 4) {
            Fail(line, "'.raw' takes table, slot, mode and operand, then data words");
            return;
        }
        SourceCommand command;
        command.line = line;
        const std::int64_t limits[] = {7, 0xFFFF, 0xFF, 0xFFFF};
        std::int64_t fields[4] = {};
        for (int i = 0; i < 4; ++i) {
            const std::optional<std::int64_t> value = args[i].IsWord() ? ParseInteger(args[i].text) : std::nullopt;
            if (!value || *value < 0 || *value > limits[i]) {
                Fail(line, "'.raw': field " + std::to_string(i + 1) + " must be a number from 0 to " +
                               std::to_string(limits[i]) + ", got " + TokenText(args[i]));
                return;
            }
            fields[i] = *value;
        }
        command.fixed.table = static_cast<std::uint8_t>(fields[0]);
        command.fixed.slot = static_cast<std::uint16_t>(fields[1]);
        command.fixed.mode = static_cast<std::uint8_t>(fields[2]);
        command.fixed.operand = static_cast<std::uint16_t>(fields[3]);
        command.args.assign(args.begin() + 4, args.end());
        command.fixed.hasData = !command.args.empty();
        entry->commands.push_back(std::move(command));
    }

    void Instruction(const std::string& mnemonic, const std::vector<Token>& args, int line)
    {
        SourceEntry* entry = CurrentEntry(line);
        if (entry == nullptr) {
            return;
        }
        const CommandDef* def = commands_.Find(mnemonic);
        if (def == nullptr) {
            Fail(line, "unknown mnemonic '" + mnemonic + "'");
            return;
        }
        if (args.size() != def->args.size()) {
            std::string expected;
            for (const ArgSpec& spec : def->args) {
                if (!expected.empty()) {
                    expected += ' ';
                }
                expected += ArgSpecName(spec);
            }
            Fail(line, Quoted(mnemonic) + " takes " + std::to_string(def->args.size()) + " argument" +
                           (def->args.size() == 1 ? "" : "s") + (expected.empty() ? "" : " (" + expected + ")") +
                           ", got " + std::to_string(args.size()));
            return;
        }
        SourceCommand command;
        command.line = line;
        command.def = def;
        command.args = args;
        entry->commands.push_back(std::move(command));
    }

    std::optional<std::uint32_t> ResolveLabel(const SourceEntry& entry, const Token& reference, int line,
                                              const std::string& where)
    {
        if (reference.kind == Token::Kind::String) {
            std::string error;
            const std::optional<std::u16string> name = DecodeUtf16Literal(reference.text, error);
            if (name) {
                for (const SourceLabelName& known : entry.names) {
                    if (known.name == *name) {
                        return known.index ? known.index : ResolveLabel(entry, known.reference, line, where);
                    }
                }
            }
            Fail(line, where + "undefined label " + TokenText(reference));
            return std::nullopt;
        }
        if (reference.IsWord() && reference.text.starts_with("#")) {
            const std::optional<std::int64_t> index = ParseInteger(reference.text.substr(1));
            if (!index || *index < 0 || *index > UINT32_MAX) {
                Fail(line, where + Quoted(reference.text) + " is not a command index");
                return std::nullopt;
            }
            return static_cast<std::uint32_t>(*index);
        }
        if (reference.IsWord()) {
            if (const auto found = entry.locals.find(reference.text); found != entry.locals.end()) {
                return found->second.index;
            }
        }
        Fail(line, where + "undefined label '" + TokenText(reference) + "'");
        return std::nullopt;
    }

    BlockCommand EncodeCommand(const SourceEntry& entry, const SourceCommand& source)
    {
        if (source.def == nullptr) {
            BlockCommand command = source.fixed;
            for (const Token& word : source.args) {
                std::string error;
                if (!EncodeDataArgument(ArgSpec{ArgType::I32}, word, 0, command.data, error)) {
                    Fail(source.line, "'.raw': " + error);
                }
            }
            return command;
        }
        const CommandDef& def = *source.def;
        BlockCommand command;
        command.table = def.table;
        command.slot = def.slot;
        command.mode = def.mode;
        command.hasData = def.HasDataArguments();
        for (std::size_t i = 0; i < def.args.size(); ++i) {
            const ArgSpec& spec = def.args[i];
            const Token token = ResolveSymbol(source.args[i]);
            const std::string where = "argument " + std::to_string(i + 1) + " of '" + def.mnemonic + "': ";
            std::string error;
            if (spec.place != ArgPlace::Data) {
                const std::optional<std::uint32_t> value = EncodeScalarArgument(spec, token, error);
                if (!value) {
                    Fail(source.line, where + error);
                } else if (spec.place == ArgPlace::Mode) {
                    command.mode = static_cast<std::uint8_t>(*value);
                } else {
                    command.operand = static_cast<std::uint16_t>(*value);
                }
                continue;
            }
            std::uint32_t labelIndex = 0;
            if (spec.type == ArgType::Label) {
                const std::optional<std::uint32_t> index = ResolveLabel(entry, token, source.line, where);
                if (!index) {
                    continue;
                }
                labelIndex = *index;
            }
            if (!EncodeDataArgument(spec, token, labelIndex, command.data, error)) {
                Fail(source.line, where + error);
            }
        }
        FinishArgumentData(command.data);
        return command;
    }

    PackageEntry Encode(const SourceEntry& source)
    {
        PackageEntry entry;
        entry.id = source.id;
        for (const SourceCommand& command : source.commands) {
            entry.commands.push_back(EncodeCommand(source, command));
        }
        for (const SourceLabelName& name : source.names) {
            std::optional<std::uint32_t> index = name.index;
            if (!index) {
                index = ResolveLabel(source, name.reference, name.line, "'.export': ");
            }
            entry.labels.push_back({name.name, index.value_or(0)});
        }
        return entry;
    }

    std::string file_;
    // A word naming a symbol stands for its number.
    Token ResolveSymbol(const Token& token) const
    {
        if (!token.IsWord() || ParseInteger(token.text)) return token;
        const std::optional<std::int64_t> value = commands_.FindSymbol(token.text);
        if (!value) return token;
        Token resolved = token;
        resolved.text = std::to_string(*value);
        return resolved;
    }

    const CommandSet& commands_;
    std::vector<SourceEntry> entries_;
    Diagnostics errors_;
};

}  // namespace

AssemblyResult AssembleScript(std::string_view source, std::string_view fileName, const CommandSet& commands)
{
    return Assembler(fileName, commands).Run(source);
}

}  // namespace vesk::tools::script

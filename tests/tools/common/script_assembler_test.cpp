// The script assembler and disassembler: block layout, texts, round trips, raw commands and errors.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/little_endian.h"
#include "tests/support/log_capture.h"
#include "tests/support/probe_script.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_disassembler.h"

namespace vesk::tools::script {
namespace {

using support::ProbeCommands;
namespace format = utility::script_package;

std::vector<std::uint8_t> Assemble(std::string_view source)
{
    const AssemblyResult result = AssembleScript(source, "test.vss", ProbeCommands());
    for (const Diagnostic& error : result.errors) {
        ADD_FAILURE() << error.ToString();
    }
    return result.package;
}

std::vector<std::string> Errors(std::string_view source)
{
    std::vector<std::string> lines;
    for (const Diagnostic& error : AssembleScript(source, "bad.vss", ProbeCommands()).errors) {
        lines.push_back(error.ToString());
    }
    return lines;
}

TEST(ScriptAssembler, WritesTheBlockLayoutAndTheSameBytesEveryTime)
{
    const char* source = R"(
.entry 'ID01'
"登録":
    wait 3
    goto "登録"
    effect.position 1.5, -2, 0x10
)";
    const std::vector<std::uint8_t> bytes = Assemble(source);
    EXPECT_EQ(Assemble(source), bytes);

    format::UTL_CManager manager;
    ASSERT_TRUE(support::ParseCopy(manager, bytes));
    const format::ProgramRecord& program = *manager.FindProgram(0x31304449);
    ASSERT_EQ(program.commandCount, 4u);
    const format::CommandRecord marker = format::ReadCommand(program, 0);
    EXPECT_EQ(marker.table | marker.slot | marker.mode | marker.operand | marker.argumentOffset, 0u);

    const format::CommandRecord wait = format::ReadCommand(program, 1);
    EXPECT_EQ(wait.slot, 30u);
    EXPECT_EQ(wait.operand, 3u);  // frames go in the operand, not in argument data
    EXPECT_EQ(wait.argumentOffset, 0u);

    const format::CommandRecord jump = format::ReadCommand(program, 2);
    EXPECT_EQ(jump.slot, 11u);
    EXPECT_EQ(platform::ReadU32(program.blockStart + jump.argumentOffset), 0u);  // the marker's index

    const format::CommandRecord position = format::ReadCommand(program, 3);
    EXPECT_FLOAT_EQ(platform::ReadF32(program.blockStart + position.argumentOffset), 1.5f);
    EXPECT_FLOAT_EQ(platform::ReadF32(program.blockStart + position.argumentOffset + 4), -2.0f);
    EXPECT_FLOAT_EQ(platform::ReadF32(program.blockStart + position.argumentOffset + 8), 16.0f);

    ASSERT_EQ(program.labelCount, 1u);
    const format::LabelRecord label = format::ReadLabel(program, 0);
    EXPECT_EQ(label.commandIndex, 0u);
    EXPECT_EQ(platform::ReadU16(program.blockStart + label.nameOffset), u'登');
    EXPECT_EQ(platform::ReadU16(program.blockStart + label.nameOffset + 4), 0u);
}

TEST(ScriptAssembler, TextArgumentsAreZeroTerminatedAndPadded)
{
    const std::vector<std::uint8_t> bytes =
        Assemble(".entry 1\n    effect.spawn \"ab\\x01\"\n    effect.spawn \"\"\n");
    format::UTL_CManager manager;
    ASSERT_TRUE(support::ParseCopy(manager, bytes));
    const format::ProgramRecord& program = *manager.FindProgram(1);
    const std::uint8_t* first = program.blockStart + format::ReadCommand(program, 0).argumentOffset;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first), 4), std::string("ab\x01\0", 4));
    EXPECT_EQ(format::ReadCommand(program, 1).argumentOffset, format::ReadCommand(program, 0).argumentOffset + 4);
}

const char* const kEveryCommonCommand = R"(
; every command of the common table, and the forms of labels and values
.entry 'ID01'
"データベース登録":
    nop
    exit.arm on_exit
    exit.disarm
    thread.start sub
    thread.start_keep sub
    thread.stop sub
    thread.stop_all
    jump "データベース登録"
    goto top
    call #3
    jump3 top
    jump_if all, top
    goto_if any, top
    call_if not_all, top
    jump3_if not_any, top
    jump_if 7, top
top:
    wait 65535
    halt
    wait.decide
    wait.random_range -5, 5
    wait.random
    test.held 0xFFFFFFFF
    test.pressed 0x300
    test.released 0
    test.repeat 1
    test.stick 1
    test.loop_counter >= 3
    test.loop_counter != 4294967295
    test.loop_counter 11, 0
    anim.play 0, 7, 1
    anim.wait_end
    anim.wait_frame 12
    anim.play_blend 1, 2, 3, -1, 5, 0.3
    anim.play_smooth 1, 2, 0
    anim.play_smooth_from 1, 2, 3, 1
    anim.set 0, 0xABCDEF
    target.call10 -7
    target.call9 9
    sound.play -1, 0
    effect.spawn "smoke\t\"quoted\"\\\x80"
    effect.send_param 3
    effect.position 1e-7, -0, 3.4028235e38
    effect.rotation inf, -inf, 0.1
    effect.scale 1, 2, 3
    effect.param -1
    random.seed 12345
sub:
on_exit:
    .raw 0 1 0 0
    .raw 7 65535 255 65535 0x1 -2
    return
.entry 0x7FFFFFFF
    halt
.entry -1
"\u{D800}lone \x7F":
    halt
.export "second name" #1
.export "third" back
back:
    return
)";

TEST(ScriptAssembler, DisassemblyAssemblesToTheSameBytes)
{
    const std::vector<std::uint8_t> bytes = Assemble(kEveryCommonCommand);
    ASSERT_FALSE(bytes.empty());
    const DisassemblyResult printed = DisassembleScript(bytes, ProbeCommands());
    ASSERT_TRUE(printed.ok) << printed.error;
    EXPECT_TRUE(printed.notes.empty()) << printed.notes.front();
    EXPECT_EQ(Assemble(printed.source), bytes) << printed.source;
    // Readable: mnemonics, exported names and local labels, not raw words.
    EXPECT_NE(printed.source.find("\"データベース登録\":\n    nop\n    exit.arm L"), std::string::npos) << printed.source;
    EXPECT_NE(printed.source.find("test.loop_counter >= 3"), std::string::npos);
    EXPECT_NE(printed.source.find(R"(effect.spawn "smoke\t\"quoted\"\\\x80")"), std::string::npos);
    EXPECT_NE(printed.source.find(".export \"second name\" #1"), std::string::npos);
}

TEST(ScriptAssembler, ForeignCommandsPrintAsRawAndStillRoundTrip)
{
    // Without the probe table its commands have no mnemonics.
    CommandSet commonOnly;
    Diagnostics errors;
    ASSERT_TRUE(commonOnly.LoadFile(support::DefinitionPath("common.def"), errors));
    const std::vector<std::uint8_t> bytes = Assemble(".entry 1\n    probe.mark 5\n    probe.routine #0\n    halt\n");
    const DisassemblyResult printed = DisassembleScript(bytes, commonOnly);
    ASSERT_TRUE(printed.ok);
    EXPECT_NE(printed.source.find(".raw 1, 0, 0, 0, 0x5"), std::string::npos) << printed.source;
    const AssemblyResult again = AssembleScript(printed.source, "again.vss", commonOnly);
    ASSERT_TRUE(again.Ok());
    EXPECT_EQ(again.package, bytes);
}

TEST(ScriptAssembler, UnreadablePackagesAreReportedNotPrinted)
{
    support::LogCapture capture;
    const std::vector<std::uint8_t> garbage = {1, 2, 3};
    const DisassemblyResult printed = DisassembleScript(garbage, ProbeCommands());
    EXPECT_FALSE(printed.ok);
    EXPECT_FALSE(printed.error.empty());
}

TEST(ScriptAssembler, ErrorsNameTheFileAndLine)
{
    struct Case {
        const char* source;
        const char* error;
    };
    const Case cases[] = {
        {"    halt\n", "bad.vss:1: error: commands and labels need an '.entry' first"},
        {"; nothing but a comment\n", "bad.vss:2: error: the source defines no '.entry'"},
        {".entry 1\n    jump_to x\n", "bad.vss:2: error: unknown mnemonic 'jump_to'"},
        {".entry 1\n    goto a b\n", "bad.vss:2: error: 'goto' takes 1 argument (label), got 2"},
        {".entry 1\n    halt 3\n", "bad.vss:2: error: 'halt' takes 0 arguments, got 1"},
        {".entry 1\n\n    goto nowhere\n", "bad.vss:3: error: argument 1 of 'goto': undefined label 'nowhere'"},
        {".entry 1\n    goto \"nowhere\"\n", "bad.vss:2: error: argument 1 of 'goto': undefined label \"nowhere\""},
        {".entry 1\na:\n    halt\na:\n", "bad.vss:4: error: duplicate label 'a' (first defined on line 2)"},
        {".entry 1\n\"a\":\n\"a\":\n", "bad.vss:3: error: duplicate label \"a\" (first defined on line 2)"},
        {".entry 1\n    wait 65536\n", "bad.vss:2: error: argument 1 of 'wait': expected an integer from 0 to 65535, got 65536"},
        {".entry 1\n    wait x\n", "bad.vss:2: error: argument 1 of 'wait': expected an integer"},
        {".entry 1\n    effect.position 1, 2, three\n",
         "bad.vss:2: error: argument 3 of 'effect.position': expected a number, got three"},
        {".entry 1\n    jump_if maybe, x\nx:\n",
         "bad.vss:2: error: argument 1 of 'jump_if': expected a condition (all, any, not_all, not_any), got maybe"},
        {".entry 1\n    effect.spawn \"煙\"\n", "bad.vss:2: error: argument 1 of 'effect.spawn': this text takes ASCII"},
        {".entry 1\n    effect.spawn \"open\n", "bad.vss:2: error: unterminated text starting at column 18"},
        {".entry 'ID1'\n", "bad.vss:1: error: '.entry': a tag is four ASCII characters, got 'ID1'"},
        {".entry 1\n.export \"x\" missing\n", "bad.vss:2: error: '.export': undefined label 'missing'"},
        {".entry 1\n    .raw 8 0 0 0\n", "bad.vss:2: error: '.raw': field 1 must be a number from 0 to 7, got 8"},
        {".entry 1\n.include x\n", "bad.vss:2: error: unknown directive '.include'"},
        {".entry 1\n1abc:\n", "bad.vss:2: error: '1abc' is not a label name"},
        {".entry 1\n\"a\\0b\":\n", "bad.vss:2: error: label \"a\\0b\": a label name cannot hold a zero character"},
        {".entry 1\nx:\n.export \"\\u{0}\" x\n",
         "bad.vss:3: error: label \"\\0\": a label name cannot hold a zero character"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> errors = Errors(c.source);
        ASSERT_FALSE(errors.empty()) << c.source;
        EXPECT_EQ(errors.front().rfind(c.error, 0), 0u) << errors.front();
    }
    // Every error of a source is reported, not only the first.
    EXPECT_EQ(Errors(".entry 1\n    nope\n    goto x\n    wait -1\n").size(), 3u);
    EXPECT_TRUE(AssembleScript(".entry 1\n    nope\n", "bad.vss", ProbeCommands()).package.empty());
}

TEST(ScriptAssembler, DefinitionFileErrorsNameTheFileAndLine)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"goto 1 0 label\n", "x.def:1: error: the file must name its table first"},
        {"table 9\n", "x.def:1: error: 'table' takes a table number from 0 to 7"},
        {"table 2\nx 1 0 word\n", "x.def:2: error: unknown argument type 'word'"},
        {"table 2\nx 1 0 ascii[0]\n", "x.def:2: error: bad text length in 'ascii[0]'"},
        {"table 2\nx 1 0 operand:f32\n", "x.def:2: error: 'operand:f32': only integer types"},
        {"table 2\nx 1 * i32\n", "x.def:2: error: mode '*' needs exactly one 'mode:' argument"},
        {"table 2\nx 1 0 mode:u8\n", "x.def:2: error: a 'mode:' argument needs mode '*'"},
        {"table 2\nx 70000 0\n", "x.def:2: error: slot '70000' is not a number from 0 to 65535"},
        {"table 2\n9x 1 0\n", "x.def:2: error: '9x' is not a mnemonic"},
        {"table 2\nx 1 0\nx 2 0\n", "x.def:3: error: mnemonic 'x' is already defined at x.def:2"},
        {"table 0\n", "x.def:1: error: table 0 is already defined by"},
        {"# nothing\n", "x.def:2: error: the file names no table"},
    };
    // A file that cannot be read has no line to name.
    CommandSet missing;
    Diagnostics missingErrors;
    EXPECT_FALSE(missing.LoadFile("missing.def", missingErrors));
    ASSERT_EQ(missingErrors.size(), 1u);
    EXPECT_EQ(missingErrors[0].ToString(), "missing.def: error: cannot read the definition file");

    for (const Case& c : cases) {
        CommandSet set;
        Diagnostics errors;
        ASSERT_TRUE(set.LoadFile(support::DefinitionPath("common.def"), errors));
        EXPECT_FALSE(set.Parse(c.text, "x.def", errors)) << c.text;
        ASSERT_FALSE(errors.empty()) << c.text;
        EXPECT_EQ(errors.front().ToString().rfind(c.error, 0), 0u) << errors.front().ToString();
    }
}

TEST(ScriptAssembler, SymbolsStandForTheirNumbersInIntegerArguments)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "varnolis_symbols_test.sym";
    std::ofstream(file) << "sprite_a 7\nframes 12\n\n";
    CommandSet commands = ProbeCommands();
    Diagnostics errors;
    ASSERT_TRUE(commands.LoadSymbolFile(file.string(), errors));
    const AssemblyResult named = AssembleScript(".entry 1\n    wait frames\n    effect.position sprite_a, 0, 0\n", "x.vss", commands);
    const AssemblyResult plain = AssembleScript(".entry 1\n    wait 12\n    effect.position 7, 0, 0\n", "x.vss", commands);
    EXPECT_TRUE(named.Ok());
    EXPECT_EQ(named.package, plain.package);
    EXPECT_FALSE(AssembleScript(".entry 1\n    wait sprite_b\n", "x.vss", commands).Ok());

    std::ofstream(file) << "broken\n";
    EXPECT_FALSE(commands.LoadSymbolFile(file.string(), errors));
    EXPECT_EQ(errors.back().ToString().rfind(file.string() + ":1: error: expected a name and a number", 0), 0u);
    std::filesystem::remove(file);
}

TEST(ScriptAssembler, ModeAndOperandArgumentsAndPackedSmallValues)
{
    CommandSet set;
    Diagnostics errors;
    ASSERT_TRUE(set.Parse("table 3\nmove 22 * mode:u8 i16 i16 i16 i16 operand:u16\nname 1 0 utf16[4] i32\n", "t.def",
                          errors));
    const AssemblyResult result =
        AssembleScript(".entry 1\n    move 4, -1, 2, -3, 4, 600\n    name \"ab\" 7\n", "t.vss", set);
    ASSERT_TRUE(result.Ok()) << result.errors.front().ToString();
    format::UTL_CManager manager;
    ASSERT_TRUE(support::ParseCopy(manager, result.package));
    const format::ProgramRecord& program = *manager.FindProgram(1);
    const format::CommandRecord move = format::ReadCommand(program, 0);
    EXPECT_EQ(move.table, 3u);
    EXPECT_EQ(move.mode, 4u);
    EXPECT_EQ(move.operand, 600u);
    // Two 16-bit values to a word, first in the low half.
    EXPECT_EQ(platform::ReadU32(program.blockStart + move.argumentOffset), 0x0002FFFFu);
    EXPECT_EQ(platform::ReadU32(program.blockStart + move.argumentOffset + 4), 0x0004FFFDu);
    const format::CommandRecord name = format::ReadCommand(program, 1);
    EXPECT_EQ(platform::ReadU32(program.blockStart + name.argumentOffset + 8), 7u);  // after 4 UTF-16 units
    EXPECT_EQ(Errors(".entry 1\n    name \"abcd\" 1\n").size(), 1u);

    const DisassemblyResult printed = DisassembleScript(result.package, set);
    EXPECT_EQ(AssembleScript(printed.source, "again.vss", set).package, result.package) << printed.source;
}

}  // namespace
}  // namespace vesk::tools::script

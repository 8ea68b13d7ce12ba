// scriptasm: assembles one script source into a script package.
//   scriptasm -d common.def [-d table.def ...] [-s symbols ...] [-k KIND] -o out.pac source.vss
// A symbol file names numbers that the source may write by name ("name value" a line).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "framework/utility/script_package/script_package.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_tool_options.h"
#include "tools/common/whole_file.h"

int main(int argc, char** argv)
{
    using namespace vesk::tools::script;
    ScriptToolOptions options;
    if (!ParseScriptToolOptions(argc, argv, options) || options.output.empty()) {
        std::fprintf(stderr, "usage: scriptasm -d DEFS [-d DEFS ...] [-s SYMBOLS ...] [-k KIND] -o OUTPUT.pac SOURCE\n");
        return 2;
    }
    CommandSet commands;
    if (!LoadCommandSet(options, commands)) {
        return 1;
    }
    const auto source = ::tools::ReadTextFile(options.input);
    if (!source) {
        std::fprintf(stderr, "%s\n", Diagnostic{options.input, 0, "cannot read the source"}.ToString().c_str());
        return 1;
    }
    const AssemblyResult result = AssembleScript(*source, options.input, commands);
    for (const Diagnostic& error : result.errors) {
        std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
    if (!result.Ok()) {
        return 1;
    }
    std::vector<std::uint8_t> package = result.package;
    if (!options.kind.empty()) {
        for (std::size_t i = 0; i < 4; ++i) {
            package[vesk::utility::script_package::kPackageKindOffset + i] = static_cast<std::uint8_t>(options.kind[i]);
        }
    }
    return ::tools::WriteWholeFile(options.output, package, ::tools::MissingFolders::Refuse) ? 0 : 1;
}

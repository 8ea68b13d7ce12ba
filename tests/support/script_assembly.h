// Script packages assembled from source with the data set's definition files, for tests of script-driven code.
#pragma once

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "tests/support/build_paths.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"

namespace support {

// A definition file of data/script/defs.
inline std::string DefinitionPath(std::string_view name)
{
    return (SourceRoot() / "data/script/defs" / name).string();
}

// common.def plus the given table files.
inline vesk::tools::script::CommandSet LoadDefinitions(std::initializer_list<std::string_view> tables)
{
    vesk::tools::script::CommandSet commands;
    vesk::tools::script::Diagnostics errors;
    commands.LoadFile(DefinitionPath("common.def"), errors);
    for (std::string_view table : tables) {
        commands.LoadFile(DefinitionPath(table), errors);
    }
    for (const auto& error : errors) {
        ADD_FAILURE() << error.ToString();
    }
    return commands;
}

// The package of a source; a failure names each assembler error.
inline std::vector<std::uint8_t> AssemblePackage(std::string_view source, std::initializer_list<std::string_view> tables)
{
    const auto result = vesk::tools::script::AssembleScript(source, "test.vss", LoadDefinitions(tables));
    for (const auto& error : result.errors) {
        ADD_FAILURE() << error.ToString();
    }
    return result.package;
}

// A parsed package of a source with one entry, id 1, for an engine to run.
class ParsedPackage {
public:
    ParsedPackage(std::string_view source, std::initializer_list<std::string_view> tables)
    {
        const std::vector<std::uint8_t> bytes = AssemblePackage(source, tables);
        void* image = vesk::memory::MainHeapAlloc(bytes.size());
        std::memcpy(image, bytes.data(), bytes.size());
        EXPECT_EQ(manager_.ParseScriptPackage(image, bytes.size(), "test.pac"), 1);
    }
    const vesk::utility::script_package::ProgramRecord* Program() const { return manager_.FindProgram(1); }

private:
    vesk::utility::script_package::UTL_CManager manager_;
};

}  // namespace support

// A script-graphic engine running a script assembled from source, for tests of the graphic commands and passes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/utility/script_graphic/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "tests/support/probe_script.h"
#include "tests/support/script_assembly.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"

namespace support {

// The common and graphic tables' definitions of the data set, loaded once.
inline const vesk::tools::script::CommandSet& GraphicCommands()
{
    static const vesk::tools::script::CommandSet commands = LoadDefinitions({"graphic.def"});
    return commands;
}

// An engine running entry 1 of a script assembled from source.
class GraphicScript {
public:
    explicit GraphicScript(std::string_view source)
    {
        const vesk::tools::script::AssemblyResult result =
            vesk::tools::script::AssembleScript(source, "graphic_test.vss", GraphicCommands());
        for (const auto& error : result.errors) {
            ADD_FAILURE() << error.ToString();
        }
        EXPECT_TRUE(support::ParseCopy(manager, result.package));
        program = manager.FindProgram(1);
        EXPECT_NE(program, nullptr);
        engine.Init(program);
    }

    // A script object started at the label.
    vesk::utility::script_graphic::UTL_CObjectScript* Spawn(std::u16string_view label, std::u16string_view name = u"",
                             vesk::utility::script_graphic::UTL_CObjectBase* parent = nullptr)
    {
        const auto found = engine.FindLabel(label);
        EXPECT_TRUE(found.has_value());
        return found ? engine.CreateScriptObject(name, found->commandIndex, parent) : nullptr;
    }

    // One frame of the engine's passes, without drawing.
    void Frame()
    {
        engine.RunFramePasses();
    }

    vesk::utility::script_graphic::UTL_CObjectBase* Named(std::u16string_view name) { return engine.FindObjectByName(name); }

    vesk::utility::script_package::UTL_CManager manager;
    const vesk::utility::script_package::ProgramRecord* program = nullptr;
    vesk::utility::script_graphic::UTL_CScriptEngine engine;
};

}  // namespace support

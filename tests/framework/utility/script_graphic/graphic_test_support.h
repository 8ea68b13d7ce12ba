#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/utility/script_graphic/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "tests/framework/utility/script/script_test_support.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"

namespace vesk::utility::script_graphic::test {

// The common and graphic tables' definitions of the data set, loaded once.
inline const tools::script::CommandSet& GraphicCommands()
{
    static const tools::script::CommandSet commands = [] {
        tools::script::CommandSet set;
        tools::script::Diagnostics errors;
        set.LoadFile(script::test::DefinitionPath("common.def"), errors);
        set.LoadFile(script::test::DefinitionPath("graphic.def"), errors);
        for (const auto& error : errors) {
            ADD_FAILURE() << error.ToString();
        }
        return set;
    }();
    return commands;
}

// An engine running entry 1 of a script assembled from source.
class GraphicScript {
public:
    explicit GraphicScript(std::string_view source)
    {
        const tools::script::AssemblyResult result =
            tools::script::AssembleScript(source, "graphic_test.vss", GraphicCommands());
        for (const auto& error : result.errors) {
            ADD_FAILURE() << error.ToString();
        }
        EXPECT_TRUE(script::test::ParseCopy(manager, result.package));
        program = manager.FindProgram(1);
        EXPECT_NE(program, nullptr);
        engine.Init(program);
    }

    // A script object started at the label.
    UTL_CObjectScript* Spawn(std::u16string_view label, std::u16string_view name = u"",
                             UTL_CObjectBase* parent = nullptr)
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

    UTL_CObjectBase* Named(std::u16string_view name) { return engine.FindObjectByName(name); }

    script_package::UTL_CManager manager;
    const script_package::ProgramRecord* program = nullptr;
    UTL_CScriptEngine engine;
};

}  // namespace vesk::utility::script_graphic::test

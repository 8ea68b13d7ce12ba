// The data check the data build runs on the built data set: a script naming what the data set lacks fails it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/built_resources.h"
#include "tests/support/message_data.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/script_assembly.h"
#include "tools/datacheck/data_check.h"

namespace {

// A road whose event drops an item no record holds and writes a text no language has, beside
// what the data set does hold.
constexpr const char* kRoadOfMissingThings = R"(
.entry 1
"データベース登録":
    reg.route 'AD01' 'AD02' 2400
    reg.event dust 100 110
    halt
dust:
    text.window 1
    text.add "ROUTE_CACHE_01" 0
    text.add "ROUTE_NO_SUCH_TEXT" 1
    items.drop 'I020' 2
    items.drop 'I099' 2
    enemy.spawn 'E001' 300 0 0
    text.window 0
    return
)";

// The built data set with its road scripts in place of the shipped ones fails the check, each
// finding naming the package and what it names that the data set lacks; nothing else is found.
TEST(BuiltDataCheck, ARoadThatDropsAnItemAndWritesATextTheDataSetLacksFailsTheCheck)
{
    support::ScratchFolder scratch;
    const std::filesystem::path resources = scratch.path() / "ResourceWin";
    std::filesystem::copy(support::BuiltResourcePath(), resources, std::filesystem::copy_options::recursive);
    const std::vector<std::uint8_t> road = support::AssemblePackage(kRoadOfMissingThings, {"route.def"});
    support::WriteBytes(resources / "script/route_script.pac", std::string(road.begin(), road.end()));

    std::string unreadable;
    std::optional<std::set<std::string>> keys = data_check::ReadMessageKeys(support::MessageSourcePath(), &unreadable);
    ASSERT_TRUE(keys.has_value()) << unreadable;
    const std::vector<std::string> findings =
        data_check::CheckBuiltDataSet(resources, support::DefinitionPath(""), std::move(*keys));
    const std::vector<std::string> expected = {
        "script/route_script.pac: names 'I099', which is no item",
        "script/route_script.pac: message \"ROUTE_NO_SUCH_TEXT\" is missing",
    };
    EXPECT_EQ(findings, expected);
}

}  // namespace

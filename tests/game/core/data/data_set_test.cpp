// The shipped data set: the static database it builds, checked whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/data/tag.h"
#include "tests/framework/file/built_resources.h"
#include "tests/framework/log/log_capture.h"
#include "tests/game/core/data/setting_test_support.h"
#include "tests/support/game_data_check.h"
#include "tests/support/message_data.h"
#include "tools/common/script_disassembler.h"

namespace {

using vesk::file::test::ReadBuiltResource;

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(DataSet, TheStaticDatabaseLoadsWithoutRefusalsAndPassesTheDataCheck)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/static_database.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    GAME_CStaticDatabase database;
    vesk::log::test::LogCapture log;
    ASSERT_TRUE(game_test::RunSetting(database, package));
    EXPECT_TRUE(log.Lines().empty()) << Lines(log.Lines());

    support::GameDataCheck check(database, support::MessageKeys());
    const std::vector<std::string> findings = check.Run(support::RulesOfTheDataSet());
    EXPECT_TRUE(findings.empty()) << Lines(findings);
    EXPECT_EQ(database.Items().size(), 31u);
    EXPECT_EQ(database.FindItemProductionData(MakeTag("I010"))->producers.size(), 2u);
}

TEST(DataSet, TheStaticDatabasePackageDisassemblesToSourceThatReassemblesToTheSameBytes)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/static_database.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    const auto source = vesk::tools::script::DisassembleScript(package, game_test::SettingCommands());
    ASSERT_TRUE(source.ok) << source.error;
    EXPECT_TRUE(source.notes.empty()) << Lines(source.notes);
    const auto again = vesk::tools::script::AssembleScript(source.source, "again.vss", game_test::SettingCommands());
    ASSERT_TRUE(again.Ok()) << again.errors.front().ToString();
    EXPECT_EQ(again.package, package);
}

// The check fails on content the save cannot hold and on ids that do not resolve, naming the id.
TEST(DataCheck, RefusesADanglingIdAndADishOfSixMaterialKinds)
{
    GAME_CStaticDatabase database;
    vesk::log::test::LogCapture log;
    ASSERT_TRUE(game_test::RunSettingSource(database, R"(
        item 'I001' 0 1 1 10 0 0
        dish 'D001' -1 30 2000 20 10
        dish.ingredient 'D001' 'I001' 1
        dish.ingredient 'D001' 'I002' 1
        dish.ingredient 'D001' 'I003' 1
        dish.ingredient 'D001' 'I004' 1
        dish.ingredient 'D001' 'I005' 1
        dish.ingredient 'D001' 'I006' 1
        task 'TX01' 2 0
        task.product 'TX01' 'I001' 300
        task.material 'TX01' 'I999' 1
        hideout 'AD01' 0 0 0
        hideout.market_item 'AD01' 'I998'
    )"));
    support::GameDataCheck check(database, support::MessageKeys());
    const std::string findings = Lines(check.Run(support::StaticDatabaseRules()));
    EXPECT_NE(findings.find("dish 'D001': has 6 ingredient kinds (at most 5)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("task 'TX01': material 'I999' is no item"), std::string::npos) << findings;
    EXPECT_NE(findings.find("task 'TX01': product count 300 (1 to 255)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("hideout 'AD01': market item 'I998' is no item"), std::string::npos) << findings;
    EXPECT_NE(findings.find("message \"TX01_DISCRIPT\" is missing"), std::string::npos) << findings;
}

}  // namespace

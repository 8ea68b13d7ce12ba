// The shipped data set: the static database and the registrations it builds, checked whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/graphics/sprite_package.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/model/script/script_actor.h"
#include "game/model/script/script_enemy.h"
#include "game/model/script/script_package.h"
#include "game/model/ship/room_base.h"
#include "tests/game/services/data/setting_test_support.h"
#include "tests/support/built_resources.h"
#include "tests/support/game_data_check.h"
#include "tests/support/log_capture.h"
#include "tests/support/message_data.h"
#include "tests/support/script_assembly.h"
#include "tools/common/script_disassembler.h"

namespace {

using support::ReadBuiltResource;

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// The sprite table of a built sprite package.
std::vector<vesk::resource::SpriteEntry> PackageSprites(const std::string& path)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource(path);
    const auto chunks = vesk::resource::ReadSpritePackageChunks(package, path);
    if (!chunks) {
        return {};
    }
    return vesk::resource::ParseSpriteTable(chunks->table, path).value_or(std::vector<vesk::resource::SpriteEntry>{});
}

// The rooms' sprites: the sprite table of the built room package.
std::vector<vesk::resource::SpriteEntry> RoomSprites()
{
    return PackageSprites("ship/room/dotroom.pac");
}

// The static database, then the room, enemy and crew packages with their registration, as the
// start-up loads them: no statement refused, and the whole passes the data check.
TEST(DataSet, LoadsWithoutRefusalsAndPassesTheDataCheck)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/static_database.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    vesk::file::SetResourceFolder(support::BuiltResourcePath().string());
    support::LogCapture log;
    ASSERT_TRUE(game_test::RunSetting(database, package));
    for (int kind : {kScriptPackageRoom, kScriptPackageActor, kScriptPackageEnemy}) {
        EXPECT_TRUE(LoadScriptPackage(kind)) << ScriptPackageFile(kind);
    }
    EXPECT_TRUE(log.Lines().empty()) << Lines(log.Lines());

    support::GameDataCheck check(database, support::MessageKeys());
    std::vector<support::GameDataCheck::Rule> rules = support::RulesOfTheDataSet();
    rules.push_back(support::RoomSpriteRule(RoomSprites()));
    rules.push_back(support::BalloonSpriteRule(RoomSprites()));
    const std::vector<std::string> findings = check.Run(rules);
    EXPECT_TRUE(findings.empty()) << Lines(findings);
    EXPECT_EQ(database.Items().size(), 31u);
    EXPECT_EQ(database.FindItemProductionData(MakeTag("I010"))->producers.size(), 2u);

    // Every room kind's script holds its registration and the eight labels of the room's states.
    const GAME_CScriptPackage* rooms = GetScriptPackages()->Get(kScriptPackageRoom);
    ASSERT_NE(rooms, nullptr);
    GAME_CRoomBase room;
    for (std::int32_t kind = 1; kind < kRoomIdCount - 1; ++kind) {
        const std::uint32_t id = GetRoomIdTag(kind);
        room.Script().Attach(rooms->FindProgram(id));
        for (std::u16string_view label : {kRegistrationLabel, std::u16string_view(u"更新[NoTask]"),
                                          std::u16string_view(u"更新[Task]"), std::u16string_view(u"更新[Task][2人]"),
                                          std::u16string_view(u"更新[Build][Stay]"),
                                          std::u16string_view(u"更新[Build][Running]"),
                                          std::u16string_view(u"アップグレード[Stay]"),
                                          std::u16string_view(u"アップグレード[Running]"), std::u16string_view(u"破壊")}) {
            EXPECT_TRUE(room.Script().FindLabel(label).has_value()) << TagText(id);
        }
    }

    // The crew's script: its first entry holds the six labels a crew member plays.
    const GAME_CScriptPackage* actors = GetScriptPackages()->Get(kScriptPackageActor);
    ASSERT_NE(actors, nullptr);
    ASSERT_GE(actors->GetEntryCount(), 1u);
    GAME_CScriptActor crewScript(nullptr);
    crewScript.Attach(&actors->GetEntry(0).program);
    for (std::u16string_view label : {u"コンストラクタ", u"更新[NoAction]", u"更新[Action]", u"更新[ItemGet]",
                                      u"更新[Repair]", u"死亡"}) {
        EXPECT_TRUE(crewScript.FindLabel(label).has_value());
    }

    // Every enemy kind's script holds the six labels an enemy plays, and its sprite is one of the
    // enemy package (sprite group 3).
    const GAME_CScriptPackage* enemies = GetScriptPackages()->Get(kScriptPackageEnemy);
    ASSERT_NE(enemies, nullptr);
    const std::vector<vesk::resource::SpriteEntry> enemySprites = PackageSprites("enemy/enemy.pac");
    ASSERT_FALSE(database.Enemies().empty());
    GAME_CScriptEnemy enemyScript;
    for (const auto& [id, enemy] : database.Enemies()) {
        enemyScript.Attach(enemies->FindProgram(id), nullptr);
        for (std::u16string_view label : {kRegistrationLabel, std::u16string_view(u"出現"), std::u16string_view(u"待機"),
                                          std::u16string_view(u"攻撃"), std::u16string_view(u"ダメージ"),
                                          std::u16string_view(u"死亡")}) {
            EXPECT_TRUE(enemyScript.FindLabel(label).has_value()) << TagText(id);
        }
        EXPECT_LT(static_cast<std::size_t>(enemy.stats[kEnemySpriteIndex]), enemySprites.size()) << TagText(id);
    }
    DestroyScriptPackageHolder();
    DestroyStaticDatabase();
    vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
}

// Every frame the crew's script shows is a rat of the room package (sprite group 2).
TEST(DataSet, TheCrewScriptShowsOnlyRatFrames)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/actor_script.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    const auto source = vesk::tools::script::DisassembleScript(package, support::LoadDefinitions({"actor.def"}));
    ASSERT_TRUE(source.ok) << source.error;
    const std::vector<vesk::resource::SpriteEntry> sprites = RoomSprites();
    const std::regex sprite(R"(\bsprite (\d+),)");
    int frames = 0;
    for (auto match = std::sregex_iterator(source.source.begin(), source.source.end(), sprite);
         match != std::sregex_iterator(); ++match) {
        const std::size_t index = std::stoul((*match)[1].str());
        ASSERT_LT(index, sprites.size());
        EXPECT_TRUE(sprites[index].name.starts_with("rat_")) << sprites[index].name;
        ++frames;
    }
    EXPECT_GT(frames, 0);
}

// Every script package of the data set, printed as source by the disassembler, assembles again
// to the same bytes: the tools read and write every statement the data uses.
TEST(DataSet, EveryScriptPackageDisassemblesToSourceThatReassemblesToTheSameBytes)
{
    const std::map<std::string, std::string> tables = {{"static_database", "static_database.def"},
                                                       {"room_script", "room.def"},
                                                       {"enemy_script", "enemy.def"},
                                                       {"actor_script", "actor.def"},
                                                       {"route_script", "route.def"},
                                                       {"particle", "graphic.def"}};
    const std::filesystem::path folder = support::BuiltResourcePath("script");
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << "the data set is not built";
    std::size_t packages = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        if (file.path().extension() != ".pac") {
            continue;
        }
        const std::string name = file.path().stem().string();
        const auto table = tables.find(name);
        ASSERT_NE(table, tables.end()) << name << ".pac: which table does it use?";
        const std::vector<std::uint8_t> package = ReadBuiltResource("script/" + name + ".pac");
        const auto commands = support::LoadDefinitions({table->second});
        const auto source = vesk::tools::script::DisassembleScript(package, commands);
        ASSERT_TRUE(source.ok) << name << ": " << source.error;
        EXPECT_TRUE(source.notes.empty()) << name << ":\n" << Lines(source.notes);
        const auto again = vesk::tools::script::AssembleScript(source.source, name + ".vss", commands);
        ASSERT_TRUE(again.Ok()) << again.errors.front().ToString();
        // The kind comes from the assembler's command line, not from the source.
        std::vector<std::uint8_t> reassembled = again.package;
        ASSERT_GE(reassembled.size(), 12u);
        std::copy_n(package.begin() + 8, 4, reassembled.begin() + 8);
        EXPECT_EQ(reassembled, package) << name;
        ++packages;
    }
    EXPECT_EQ(packages, tables.size());
}

// The check fails on content the save cannot hold and on ids that do not resolve, naming the id.
TEST(DataCheck, RefusesADanglingIdADishOfSixMaterialKindsASeventhDishAndATurretOfSixAmmunitionKinds)
{
    GAME_CStaticDatabase database;
    support::LogCapture log;
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
        dish 'D002' -1 30 2000 20 10
        dish 'D003' -1 30 2000 20 10
        dish 'D004' -1 30 2000 20 10
        dish 'D005' -1 30 2000 20 10
        dish 'D006' -1 30 2000 20 10
        dish 'D007' -1 30 2000 20 10
    )"));
    // A catapult of six ammunition kinds: the list's last row would hide the cancel row.
    RoomData* catapult = database.GetOrCreateRoomData(MakeTag("ID15"), true);
    ASSERT_NE(catapult, nullptr);
    catapult->flags |= kRoomTurret;
    for (int n = 0; n < 6; ++n) catapult->acceptedItems.push_back(MakeTag("I001"));
    support::GameDataCheck check(database, support::MessageKeys());
    const std::string findings = Lines(check.Run(support::RulesOfTheDataSet()));
    EXPECT_NE(findings.find("dish 'D001': has 6 ingredient kinds (at most 5)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("dish 'D007': is dish 7 (the food menu shows 6)"), std::string::npos) << findings;
    EXPECT_EQ(findings.find("dish 'D006': is dish"), std::string::npos) << findings;
    EXPECT_NE(findings.find("room kind 'ID15': takes 6 ammunition kinds (at most 5)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("task 'TX01': material 'I999' is no item"), std::string::npos) << findings;
    EXPECT_NE(findings.find("task 'TX01': product count 300 (1 to 255)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("hideout 'AD01': market item 'I998' is no item"), std::string::npos) << findings;
    EXPECT_NE(findings.find("message \"TX01_DISCRIPT\" is missing"), std::string::npos) << findings;
}

}  // namespace

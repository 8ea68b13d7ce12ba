// The shipped data set: the static database and the registrations it builds, checked whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/graphics/sprite_package.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/data/task_records.h"
#include "game/services/data/room_records.h"
#include "game/services/save/working_slot.h"
#include "game/model/script/script_actor.h"
#include "game/model/script/script_enemy.h"
#include "game/model/script/script_package.h"
#include "game/model/ship/room_base.h"
#include "tests/game/services/data/setting_test_support.h"
#include "tests/support/built_resources.h"
#include "tools/datacheck/data_check.h"
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
    for (int kind : {kScriptPackageRoom, kScriptPackageActor, kScriptPackageEnemy, kScriptPackageRoute}) {
        EXPECT_TRUE(LoadScriptPackage(kind)) << ScriptPackageFile(kind);
    }
    EXPECT_TRUE(log.Lines().empty()) << Lines(log.Lines());

    std::string unreadable;
    const auto keys = data_check::ReadMessageKeys(support::MessageSourcePath(), &unreadable);
    ASSERT_TRUE(keys.has_value()) << unreadable;
    std::vector<std::string> findings;
    const auto rules = data_check::BuiltDataSetRules(support::BuiltResourcePath(), support::DefinitionPath(""), &findings);
    data_check::GameDataCheck check(database, *keys);
    for (const std::string& finding : check.Run(rules)) findings.push_back(finding);
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

// A built script package printed as source; empty when it cannot be read.
std::string ScriptSource(const std::string& name, std::string_view table)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/" + name + ".pac");
    const auto source = vesk::tools::script::DisassembleScript(package, support::LoadDefinitions({table}));
    EXPECT_TRUE(source.ok) << name << ": " << source.error;
    return source.source;
}

// Every match of a pattern's first group (and second, when it has one) in a source.
std::vector<std::pair<std::string, std::string>> Matches(const std::string& source, const std::string& pattern)
{
    std::vector<std::pair<std::string, std::string>> found;
    const std::regex expression(pattern);
    for (auto match = std::sregex_iterator(source.begin(), source.end(), expression); match != std::sregex_iterator();
         ++match) {
        found.emplace_back((*match)[1].str(), match->size() > 2 ? (*match)[2].str() : std::string());
    }
    return found;
}

// The tag word of four characters read from a script's source.
std::uint32_t TagOf(const std::string& text)
{
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4 && i < text.size(); ++i) word |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
    return word;
}

// Every achievement can be earned in the shipped game: something raises each one (a route- or
// enemy-script command naming its tag, or the game's own rule for it), and where the data bounds
// how far it can go (the bits the scripts set, the hideouts, the rumours and quests on offer, the
// items a player can come by) its goal lies within that bound.
TEST(DataSet, EveryAchievementCanBeEarnedWithinWhatTheDataOffers)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/static_database.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    ASSERT_TRUE(game_test::RunSetting(database, package));
    // The rooms and enemies register from their own scripts.
    vesk::file::SetResourceFolder(support::BuiltResourcePath().string());
    ASSERT_TRUE(LoadScriptPackage(kScriptPackageRoom));
    ASSERT_TRUE(LoadScriptPackage(kScriptPackageEnemy));
    const std::string routes = ScriptSource("route_script", "route.def");
    const std::string enemies = ScriptSource("enemy_script", "enemy.def");
    ASSERT_FALSE(routes.empty());
    ASSERT_FALSE(enemies.empty());
    const auto goal = [](int row) { return GetAchievementManager()->thresholds[static_cast<std::size_t>(row)]; };
    const auto tag = [](int row) { return TagText(GetAchievementIdTag(row)); };

    // What the scripts raise: counts (summed per achievement) and the distinct bits they set.
    std::map<std::string, std::uint32_t> counted;
    for (const auto& [id, amount] : Matches(routes, R"(achievement\.count '(A\d{3})', (\d+))")) {
        counted[id] += static_cast<std::uint32_t>(std::stoul(amount));
    }
    std::map<std::string, std::set<std::uint32_t>> flagged;
    for (const std::string& source : {routes, enemies}) {
        for (const auto& [id, bit] : Matches(source, R"(\bachievement(?:\.flag)? '(A\d{3})', (\d+), 1\b)")) {
            flagged[id].insert(static_cast<std::uint32_t>(std::stoul(bit)));
        }
    }

    // The items a player can come by: the markets, what the workshops make, the road's drops and the
    // loot of the enemies met on the roads.
    std::set<std::uint32_t> obtainable;
    for (const auto& [id, hideout] : database.Hideouts()) obtainable.insert(hideout.marketItems.begin(), hideout.marketItems.end());
    for (const auto& [id, task] : database.Tasks()) {
        if (task.kind == kTaskItemCraft) obtainable.insert(task.productItem);
    }
    for (const auto& [item, unused] : Matches(routes, R"(\b(?:items\.drop\w*|drop\.candidate|drop\.place) '(I\d{3})')")) {
        obtainable.insert(TagOf(item));
    }
    for (const auto& [enemy, unused] : Matches(routes, R"(\benemy\.(?:spawn\w*|candidate) '(E\d{3})')")) {
        const auto found = database.Enemies().find(TagOf(enemy));
        ASSERT_NE(found, database.Enemies().end()) << enemy;
        for (int n = 0; n < CountEnemyDropEntries(found->second); ++n) obtainable.insert(found->second.drops[n].itemId);
    }
    std::uint32_t discoverable = 0;
    for (std::uint32_t item : obtainable) {
        std::int32_t position = -1;
        if (database.FindItemDataIndexed(item, &position) != nullptr && position >= 0 &&
            static_cast<std::size_t>(position) < working_slot::kDiscoveredItemBits) {
            ++discoverable;
        }
    }
    std::uint32_t rumoursOffered = 0;
    for (const auto& [id, hideout] : database.Hideouts()) {
        for (std::uint32_t rumor : hideout.rumors) rumoursOffered += database.FindRumorData(rumor) != nullptr ? 1 : 0;
    }
    const auto turretTakes = [&](std::uint32_t item) {
        return std::ranges::any_of(database.Rooms(), [&](const auto& room) {
            return (room.second->flags & kRoomTurret) != 0 && std::ranges::count(room.second->acceptedItems, item) > 0;
        });
    };

    // The rows the game raises by its own rules, each with how far the data lets it go.
    const std::map<int, std::uint32_t> ruled = {
        {1, database.FindItemProductionData(MakeTag("I076")) != nullptr ? 1u : 0u},  // golden cheese made
        {4, 1},                                                                       // every cell a finished room
        {5, 1},                                                                       // a rat let go on the road
        {7, rumoursOffered},                                                          // rumours bought
        {8, database.FindRoomData(MakeTag("ID23")) != nullptr ? 2u : 0u},             // engine rooms built
        {9, turretTakes(MakeTag("I096")) ? 1u : 0u},                                  // a cheese bomb fired
        {10, static_cast<std::uint32_t>(database.Quests().size())},                   // quests delivered
        {14, routes.find("'E016'") != std::string::npos ? 1u : 0u},                   // the iron scorpion met
        {17, discoverable},                                                           // items discovered
    };
    // The rows that count bits: only bits within their set count; the hideouts' only where a
    // hideout is.
    const std::map<int, std::uint32_t> bitSets = {{0, 16}, {12, static_cast<std::uint32_t>(database.Hideouts().size())}, {18, 5}};

    for (int row = 0; row < kAchievementCount; ++row) {
        std::uint32_t reach = 0;
        if (const auto rule = ruled.find(row); rule != ruled.end()) {
            reach = rule->second;
        } else if (const auto set = bitSets.find(row); set != bitSets.end()) {
            for (std::uint32_t bit : flagged[tag(row)]) reach += bit < set->second ? 1 : 0;
        } else {
            reach = counted[tag(row)];
        }
        EXPECT_GT(reach, 0u) << tag(row) << ": nothing in the game raises it";
        EXPECT_LE(goal(row), reach) << tag(row) << ": its goal is out of reach";
    }
    DestroyAchievementManager();
    DestroyScriptPackageHolder();
    DestroyStaticDatabase();
    vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
}

// Every skill, buff and debuff the data defines can come to a crew member in play: from a task's
// bonus draw or the field a finished task leaves on its room, from a dish its cook may learn from, or
// from a road's or an enemy's script. So every treatment has an illness to cure and every mind
// control a skill to take away; and the fields that tasks leave are seen at work, for a buff and for
// a debuff.
TEST(DataSet, EverySkillBuffAndDebuffCanComeToACrewMember)
{
    const std::vector<std::uint8_t> package = ReadBuiltResource("script/static_database.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    ASSERT_TRUE(game_test::RunSetting(database, package));
    const std::string routes = ScriptSource("route_script", "route.def");
    const std::string enemies = ScriptSource("enemy_script", "enemy.def");
    ASSERT_FALSE(routes.empty());
    ASSERT_FALSE(enemies.empty());

    std::set<std::uint32_t> skills;
    std::set<std::uint32_t> buffs;
    std::set<std::uint32_t> debuffs;
    std::set<std::uint32_t>* byBonusType[] = {&skills, &buffs, &debuffs};
    bool buffField = false;
    bool debuffField = false;
    for (const auto& [id, task] : database.Tasks()) {
        // The completion draw reads the bonus table only with a no-bonus weight, up to its first
        // unused entry; a mind control's table names the skill it takes away.
        for (const TaskBonus& bonus : task.bonuses) {
            if (task.kind == kTaskMindControl || task.noBonusWeight == 0 || bonus.type >= kBonusUnused ||
                bonus.id == kNoId || bonus.weight == 0) {
                break;
            }
            byBonusType[bonus.type]->insert(bonus.id);
        }
        const auto raises = [](const TaskEffect& effect, std::int32_t visual) {
            return effect.id != kNoId && effect.value > 0 && effect.count > 0 && visual >= 1 && visual <= 3;
        };
        if (raises(task.effectA, task.effectAWord)) {
            buffs.insert(task.effectA.id);
            buffField = true;
        }
        if (raises(task.effectB, task.effectBWord)) {
            debuffs.insert(task.effectB.id);
            debuffField = true;
        }
    }
    for (const auto& [id, dish] : database.CookingRecipes()) {
        for (const SkillWeight& skill : dish.skills) {
            if (skill.skillId == kNoId || skill.weight < 1) break;
            skills.insert(skill.skillId);
        }
    }
    const std::pair<std::string, std::set<std::uint32_t>*> commands[] = {
        {R"(\b(?:crew\.add_skill|crew\.template_skill) '(S\d{3})')", &skills},
        {R"(\b(?:crew\.add_buff|crew\.all_buff|crew\.template_buff) '(B\d{3})')", &buffs},
        {R"(\b(?:crew\.add_debuff|crew\.all_debuff|crew\.template_debuff) '(N\d{3})')", &debuffs},
        {R"(\btarget\.skill '(S\d{3})')", &skills},
        {R"(\btarget\.buff '(B\d{3})')", &buffs},
        {R"(\btarget\.debuff '(N\d{3})')", &debuffs},
    };
    for (const auto& [pattern, found] : commands) {
        for (const std::string& source : {routes, enemies}) {
            for (const auto& [id, unused] : Matches(source, pattern)) found->insert(TagOf(id));
        }
    }

    for (const auto& [id, skill] : database.Skills()) EXPECT_TRUE(skills.contains(id)) << TagText(id) << ": no rat can learn it";
    for (const auto& [id, buff] : database.Buffs()) EXPECT_TRUE(buffs.contains(id)) << TagText(id) << ": nothing gives it";
    for (const auto& [id, debuff] : database.Debuffs()) EXPECT_TRUE(debuffs.contains(id)) << TagText(id) << ": nothing gives it";
    EXPECT_TRUE(buffField) << "no task leaves a field that gives a buff";
    EXPECT_TRUE(debuffField) << "no task leaves a field that gives a debuff";
    DestroyStaticDatabase();
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
    data_check::GameDataCheck check(database, support::MessageKeys());
    const std::string findings = Lines(check.Run(data_check::RulesOfTheDataSet()));
    EXPECT_NE(findings.find("dish 'D001': has 6 ingredient kinds (at most 5)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("dish 'D007': is dish 7 (the food menu shows 6)"), std::string::npos) << findings;
    EXPECT_EQ(findings.find("dish 'D006': is dish"), std::string::npos) << findings;
    EXPECT_NE(findings.find("room kind 'ID15': takes 6 ammunition kinds (at most 5)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("task 'TX01': material 'I999' is no item"), std::string::npos) << findings;
    EXPECT_NE(findings.find("task 'TX01': product count 300 (1 to 255)"), std::string::npos) << findings;
    EXPECT_NE(findings.find("hideout 'AD01': market item 'I998' is no item"), std::string::npos) << findings;
    EXPECT_NE(findings.find("message \"TX01_DISCRIPT\" is missing"), std::string::npos) << findings;
}

// A room whose screen orders only through the add-task list must give the crew it lets in a task
// they can be ordered to from the start; a craft that makes nothing passes only when its work
// leaves a bonus or a field.
TEST(DataCheck, RefusesARoomThatTakesCrewWithNothingToOrderAndACraftThatLeavesNothing)
{
    GAME_CStaticDatabase database;
    support::LogCapture log;
    ASSERT_TRUE(game_test::RunSettingSource(database, R"(
        buff 'B001' 1000 1000 1000 1000 1000 1000 1300 -1 120
        task 'TX01' 2 0
        task.crew 'TX01' 1 30
        task.room 'TX01' 'ID26'
        task.effect_a 'TX01' 'B001' 2 900
        task.effect_a_word 'TX01' 2
        task 'TX02' 2 0
        task.crew 'TX02' 1 30
        task.room 'TX02' 'ID28'
        task.mind_control 'TX03' 'S001'
        task.room 'TX03' 'ID25'
        task 'TX04' 2 0
        task.room_upgraded 'TX04' 'ID30' 0
        task.room 'TX03' 'ID24'
    )"));
    for (const char* id : {"ID24", "ID25", "ID26", "ID28", "ID30"}) {
        RoomData* room = database.GetOrCreateRoomData(TagOf(id), true);
        ASSERT_NE(room, nullptr);
        room->capacity = 2;
        if (std::string_view(id) != "ID24") room->flags |= kRoomTakesCrew;
    }
    const std::string findings = Lines(data_check::GameDataCheck(database, support::MessageKeys()).Run(data_check::RulesOfTheDataSet()));
    for (const char* refused : {"room kind 'ID25': takes crew but offers no task its screen can order",
                                "room kind 'ID30': takes crew but offers no task its screen can order",
                                "task 'TX02': product -1 is no item"}) {
        EXPECT_NE(findings.find(refused), std::string::npos) << refused << "\n" << findings;
    }
    for (const char* passed : {"room kind 'ID24': takes crew", "room kind 'ID26': takes crew", "task 'TX01': product"}) {
        EXPECT_EQ(findings.find(passed), std::string::npos) << findings;
    }
}

// A room's module slots hold what the upgrades of bits 5 to 10 add: a room with slots must offer a
// task that installs one of those, or its slots stay empty for good.
TEST(DataCheck, RefusesModuleSlotsThatNoUpgradeTheRoomOffersCanFill)
{
    GAME_CStaticDatabase database;
    support::LogCapture log;
    ASSERT_TRUE(game_test::RunSettingSource(database, R"(
        task.upgrade 'TX01' 0
        task.crew 'TX01' 1 30
        task.room 'TX01' 'ID25'
        task.upgrade 'TX02' 8
        task.crew 'TX02' 1 30
        task.room 'TX02' 'ID26'
    )"));
    for (const char* id : {"ID25", "ID26", "ID28"}) {
        RoomData* room = database.GetOrCreateRoomData(TagOf(id), true);
        ASSERT_NE(room, nullptr);
        room->flags |= kRoomModuleSlots;
    }
    const std::string findings = Lines(data_check::GameDataCheck(database, support::MessageKeys()).Run(data_check::RulesOfTheDataSet()));
    for (const char* refused : {"room kind 'ID25': has module slots", "room kind 'ID28': has module slots"}) {
        EXPECT_NE(findings.find(refused), std::string::npos) << refused << "\n" << findings;
    }
    EXPECT_EQ(findings.find("room kind 'ID26': has module slots"), std::string::npos) << findings;
}

}  // namespace

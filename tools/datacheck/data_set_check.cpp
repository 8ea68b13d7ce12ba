// The data check of a built data set: loading it as the start-up does, and the rules on its scripts' tags and message keys.
#include <algorithm>
#include <cctype>
#include <regex>
#include <sstream>
#include <utility>

#include "framework/file/resource_file.h"
#include "framework/graphics/sprite_package.h"
#include "game/model/script/script_package.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/tag.h"
#include "game/services/text/language.h"
#include "tools/common/message_source.h"
#include "tools/common/script_commands.h"
#include "tools/common/script_disassembler.h"
#include "tools/common/whole_file.h"
#include "tools/datacheck/data_check.h"

namespace data_check {
namespace {

// Each script package with the table it is assembled with.
constexpr std::pair<int, const char*> kScriptTables[] = {{kScriptPackageRoom, "room.def"},
                                                          {kScriptPackageActor, "actor.def"},
                                                          {kScriptPackageEnemy, "enemy.def"},
                                                          {kScriptPackageRoute, "route.def"}};

std::vector<vesk::resource::SpriteEntry> PackageSprites(const std::filesystem::path& path)
{
    const auto package = tools::ReadWholeFile(path);
    if (!package) return {};
    const auto chunks = vesk::resource::ReadSpritePackageChunks(*package, path.string());
    if (!chunks) return {};
    return vesk::resource::ParseSpriteTable(chunks->table, path.string()).value_or(std::vector<vesk::resource::SpriteEntry>{});
}

// The word of a tag's four characters, as a script stores it.
std::uint32_t TagWord(const std::string& text)
{
    char spelled[5] = {text[0], text[1], text[2], text[3], '\0'};
    return MakeTag(spelled);
}

// A tag's kind by its spelling ('SHP2' a ship, 'AD01' a hideout, 'ID01' a room kind, a letter and
// three digits the others) and whether the database holds it; nothing for a spelling of no kind.
std::optional<std::pair<std::string, bool>> ResolveTag(const GAME_CStaticDatabase& database, const std::string& text)
{
    const std::uint32_t id = TagWord(text);
    if (text.starts_with("SHP")) return std::pair{std::string("ship"), database.FindShipData(id) != nullptr};
    if (text.starts_with("AD")) return std::pair{std::string("hideout"), database.FindHideoutData(id) != nullptr};
    if (text.starts_with("ID")) return std::pair{std::string("room kind"), database.FindRoomData(id) != nullptr};
    if (!std::all_of(text.begin() + 1, text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return std::nullopt;
    }
    switch (text[0]) {
    case 'I': return std::pair{std::string("item"), database.FindItemData(id) != nullptr};
    case 'E': return std::pair{std::string("enemy"), database.FindEnemyData(id) != nullptr};
    case 'S': return std::pair{std::string("skill"), database.FindSkillData(id) != nullptr};
    case 'B': return std::pair{std::string("buff"), database.FindBuffData(id) != nullptr};
    case 'N': return std::pair{std::string("debuff"), database.FindDebuffData(id) != nullptr};
    case 'Q': return std::pair{std::string("quest"), database.FindQuestData(id) != nullptr};
    case 'R': return std::pair{std::string("rumour"), database.FindRumorData(id) != nullptr};
    case 'A': return std::pair{std::string("achievement"), FindAchievementIndex(id) >= 0};
    default: return std::nullopt;
    }
}

}  // namespace

GameDataCheck::Rule ScriptReferenceRule(std::string name, std::string source)
{
    // An entry's own id keys its script (the arcade's waves have no record): only the statements name records.
    std::string statements;
    std::istringstream lines(source);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(".entry")) statements += line + "\n";
    }
    return [name = std::move(name), source = std::move(statements)](GameDataCheck& check) {
        std::set<std::string> tags;
        const std::regex tag(R"('([A-Z][A-Z0-9]{3})')");
        for (auto match = std::sregex_iterator(source.begin(), source.end(), tag); match != std::sregex_iterator(); ++match) {
            tags.insert((*match)[1].str());
        }
        for (const std::string& text : tags) {
            const auto resolved = ResolveTag(check.Database(), text);
            if (resolved && !resolved->second) check.Report(kNoId, name, "names '" + text + "', which is no " + resolved->first);
        }
        // Message keys are the upper-case texts; "NULL" ends a choice's texts.
        std::set<std::string> keys;
        const std::regex key(R"re("([A-Z][A-Z0-9_]*)")re");
        for (auto match = std::sregex_iterator(source.begin(), source.end(), key); match != std::sregex_iterator(); ++match) {
            if ((*match)[1].str() != "NULL") keys.insert((*match)[1].str());
        }
        for (const std::string& text : keys) check.RequireMessage(kNoId, name, text);
    };
}

std::optional<std::set<std::string>> ReadMessageKeys(const std::filesystem::path& folder, std::string* error)
{
    std::optional<std::set<std::string>> common;
    // Each language the game reads has its source beside the others, named as its built file.
    for (std::uint32_t language = 0; language < static_cast<std::uint32_t>(kLanguageCount); ++language) {
        const std::filesystem::path built(GetMessageFileForLanguage(language));
        const std::filesystem::path path = folder / built.stem().concat(".txt");
        const std::optional<std::string> text = tools::ReadTextFile(path);
        if (!text) {
            *error = path.string() + " cannot be read";
            return std::nullopt;
        }
        const tools::MessageSource source = tools::ParseMessageSource(*text, path.string());
        if (!source.errors.empty()) {
            *error = source.errors.front();
            return std::nullopt;
        }
        std::set<std::string> keys;
        for (const auto& entry : source.entries) keys.insert(entry.key);
        if (!common) {
            common = std::move(keys);
            continue;
        }
        // A key one language lacks shows as the key itself there.
        std::erase_if(*common, [&](const std::string& k) { return !keys.contains(k); });
    }
    return common;
}

std::vector<GameDataCheck::Rule> BuiltDataSetRules(const std::filesystem::path& resources, const std::filesystem::path& definitions,
                                                   std::vector<std::string>* problems)
{
    std::vector<GameDataCheck::Rule> rules = RulesOfTheDataSet();
    const std::vector<vesk::resource::SpriteEntry> roomSprites = PackageSprites(resources / "ship/room/dotroom.pac");
    rules.push_back(RoomSpriteRule(roomSprites));
    rules.push_back(BalloonSpriteRule(roomSprites));
    for (const auto& [kind, table] : kScriptTables) {
        const std::string file(ScriptPackageFile(kind));
        vesk::tools::script::CommandSet commands;
        vesk::tools::script::Diagnostics errors;
        commands.LoadFile((definitions / "common.def").string(), errors);
        commands.LoadFile((definitions / table).string(), errors);
        const auto package = tools::ReadWholeFile(resources / file);
        if (!errors.empty() || !package) {
            problems->push_back(file + ": cannot be read with its table " + table);
            continue;
        }
        const auto source = vesk::tools::script::DisassembleScript(*package, commands, file);
        if (!source.ok) {
            problems->push_back(file + ": " + source.error);
            continue;
        }
        rules.push_back(ScriptReferenceRule(file, source.source));
    }
    return rules;
}

std::vector<std::string> CheckBuiltDataSet(const std::filesystem::path& resources, const std::filesystem::path& definitions,
                                           std::set<std::string> messageKeys)
{
    std::vector<std::string> findings;
    const std::optional<std::vector<std::uint8_t>> setting = tools::ReadWholeFile(resources / "script/static_database.pac");
    if (!setting) return {"script/static_database.pac cannot be read"};
    vesk::file::SetResourceFolder(resources.string());
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    {
        GAME_CScriptSetting engine(&database);
        if (!engine.LoadStaticDatabaseScriptFromMemory(*setting) || !engine.RunRegistration()) {
            findings.push_back("script/static_database.pac: its registration does not run");
        }
    }
    for (const auto& [kind, table] : kScriptTables) {
        if (!LoadScriptPackage(kind)) findings.push_back(std::string(ScriptPackageFile(kind)) + ": does not load");
    }
    const std::vector<GameDataCheck::Rule> rules = BuiltDataSetRules(resources, definitions, &findings);
    GameDataCheck check(database, std::move(messageKeys));
    for (std::string& finding : check.Run(rules)) findings.push_back(std::move(finding));
    DestroyScriptPackageHolder();
    DestroyStaticDatabase();
    vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
    return findings;
}

}  // namespace data_check

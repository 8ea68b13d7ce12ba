// The data check: the game's content against the limits of the save format, and every id it names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/sprite_table.h"
#include "game/services/data/static_database.h"

namespace data_check {

// Checks a loaded static database. Each rule walks one kind of record and reports what breaks
// a limit or names an id that does not resolve; a finding starts with the id it is about.
// Rules for more record kinds join the list in data_check.cpp (RulesOfTheDataSet).
class GameDataCheck {
public:
    using Rule = std::function<void(GameDataCheck&)>;

    // The message keys are those of the data set's languages (every language has the same).
    GameDataCheck(const GAME_CStaticDatabase& database, std::set<std::string> messageKeys);

    // Runs the rules; the findings, in rule order.
    std::vector<std::string> Run(const std::vector<Rule>& rules);

    const GAME_CStaticDatabase& Database() const { return database_; }

    // --- for the rules
    void Report(std::uint32_t id, std::string_view kind, std::string_view problem);
    // An id that must name an item, skill, ... of the database; kNoId passes unless `required`.
    void RequireItem(std::uint32_t owner, std::string_view kind, std::uint32_t item, std::string_view role);
    void RequireMessage(std::uint32_t owner, std::string_view kind, const std::string& key);
    // The name and the description of a thing with a four-character id.
    void RequireNameAndDescription(std::uint32_t id, std::string_view kind);
    // A count written into the save: 1..255.
    void RequireCount(std::uint32_t owner, std::string_view kind, std::int64_t count, std::string_view role);
    // A duration in seconds: at most 546.
    void RequireSeconds(std::uint32_t owner, std::string_view kind, std::int64_t seconds, std::string_view role);
    // {item id, count} lists: every entry up to the first unused one names an item with a count of
    // 1..255, at most 5 kinds.
    void RequireMaterials(std::uint32_t owner, std::string_view kind, std::span<const ItemCount> materials,
                          std::string_view role);

private:
    const GAME_CStaticDatabase& database_;
    std::set<std::string> messageKeys_;
    std::vector<std::string> findings_;
};

// The rules for everything the static-database script fills.
std::vector<GameDataCheck::Rule> StaticDatabaseRules();
// The rules of the data set as a whole: the records above, the rooms, enemies and routes their
// scripts register, and the ids the game's code names.
std::vector<GameDataCheck::Rule> RulesOfTheDataSet();

// The room kinds against the room sprites (ship/room/dotroom.pac): each shows a "dotroom_" sprite
// no larger than its footprint.
GameDataCheck::Rule RoomSpriteRule(std::vector<vesk::resource::SpriteEntry> sprites);
// The balloon lines against the same sprites: a line is the index of a "mesballoon_NN" picture
// (the base one, not its "_eng" or "_kr" variant).
GameDataCheck::Rule BalloonSpriteRule(std::vector<vesk::resource::SpriteEntry> sprites);

// "'ID01'" for a printable tag, else the number.
std::string DescribeTag(std::uint32_t id);

// The tags a script names ('I001' an item, 'E001' an enemy, 'ID01' a room kind, ...), each against
// the records of its kind, and its upper-case texts against the message keys. `source` is the
// script as the disassembler prints it; `name` says which script a finding is about.
GameDataCheck::Rule ScriptReferenceRule(std::string name, std::string source);

// The message keys every language of a message folder (one <language>.txt each) has; nothing, with
// why, when a source cannot be read or has errors.
std::optional<std::set<std::string>> ReadMessageKeys(const std::filesystem::path& folder, std::string* error);

// Every rule for a built data set: the records', the room sprites' and each script package's tags
// and message keys (read with the command tables in `definitions`). What cannot be read goes to
// `problems`.
std::vector<GameDataCheck::Rule> BuiltDataSetRules(const std::filesystem::path& resources,
                                                   const std::filesystem::path& definitions,
                                                   std::vector<std::string>* problems);

// Loads a built data set as the start-up does (the static database, then the room, crew, enemy and
// route scripts) and runs every rule on it; the findings, with what failed to load first. Leaves no
// database or script package behind.
std::vector<std::string> CheckBuiltDataSet(const std::filesystem::path& resources, const std::filesystem::path& definitions,
                                           std::set<std::string> messageKeys);

}  // namespace data_check

// The modules of the framework and the layers of the game, read from the includes of their sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/support/build_paths.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// A module is a folder below framework/; below framework/utility/ each folder is one.
std::string ModuleOf(const std::string& path)
{
    const fs::path relative = fs::path(path).lexically_relative("framework");
    const std::vector<fs::path> parts(relative.begin(), relative.end());
    if (parts.size() > 2 && parts[0] == "utility") return (parts[0] / parts[1]).generic_string();
    return parts.front().string();
}

struct ModuleGraph {
    // module -> module it includes -> the first file that does
    std::map<std::string, std::map<std::string, std::string>> edges;
    std::vector<std::string> gameIncludes;  // "file: included header"
};

// Calls visit(file, header) for every quoted include of the sources below root/tree.
template <typename Visit>
void ForEachInclude(const fs::path& root, const std::string& tree, Visit&& visit)
{
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    for (const auto& entry : fs::recursive_directory_iterator(root / tree)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        const std::string file = entry.path().lexically_relative(root).generic_string();
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (std::regex_search(line, match, include)) visit(file, match[1].str());
        }
    }
}

ModuleGraph ReadModuleGraph(const fs::path& root)
{
    ModuleGraph graph;
    ForEachInclude(root, "framework", [&](const std::string& file, const std::string& header) {
        if (header.starts_with("game/")) graph.gameIncludes.push_back(file + ": " + header);
        if (!header.starts_with("framework/")) return;
        const std::string from = ModuleOf(file);
        const std::string to = ModuleOf(header);
        if (to != from) graph.edges[from].emplace(to, file);
    });
    return graph;
}

// The game's layers from the bottom up; each is a folder below game/.
const std::vector<std::string> kGameLayers = {"services", "model", "ui", "app"};

// The folder of game/ a path lies in ("model" for game/model/ship/ship.h).
std::string GameFolderOf(const std::string& path)
{
    const fs::path relative(path);
    auto part = relative.begin();
    return ++part != relative.end() ? part->string() : std::string();
}

struct GameLayering {
    ModuleGraph folders;                  // edges between the folders of game/
    std::vector<std::string> upward;      // "file: header (lower -> higher)"
    std::set<std::string> unknownFolders; // folders of game/ that are no layer
};

GameLayering ReadGameLayering(const fs::path& root)
{
    const auto rank = [](const std::string& folder) -> std::optional<std::size_t> {
        const auto found = std::find(kGameLayers.begin(), kGameLayers.end(), folder);
        if (found == kGameLayers.end()) return std::nullopt;
        return static_cast<std::size_t>(found - kGameLayers.begin());
    };
    GameLayering layering;
    ForEachInclude(root, "game", [&](const std::string& file, const std::string& header) {
        if (!header.starts_with("game/")) return;
        const std::string from = GameFolderOf(file);
        const std::string to = GameFolderOf(header);
        for (const std::string& folder : {from, to}) {
            if (!rank(folder)) layering.unknownFolders.insert(folder);
        }
        if (from == to) return;
        layering.folders.edges[from].emplace(to, file);
        if (rank(from) && rank(to) && *rank(to) > *rank(from)) {
            layering.upward.push_back(file + ": " + header + " (" + from + " -> " + to + ")");
        }
    });
    return layering;
}

// One cycle as "a -> b (file) -> ... -> a", or nothing when the graph has none.
std::optional<std::string> FindCycle(const ModuleGraph& graph)
{
    enum class Mark { Unseen, OnPath, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::optional<std::string> cycle;

    auto visit = [&](auto&& self, const std::string& module) -> void {
        marks[module] = Mark::OnPath;
        path.push_back(module);
        const auto found = graph.edges.find(module);
        if (found != graph.edges.end()) {
            for (const auto& [next, file] : found->second) {
                if (cycle) return;
                if (marks[next] == Mark::OnPath) {
                    std::string text;
                    bool inCycle = false;
                    for (const std::string& step : path) {
                        inCycle = inCycle || step == next;
                        if (inCycle) text += step + " -> ";
                    }
                    cycle = text + next + " (" + file + ")";
                    return;
                }
                if (marks[next] == Mark::Unseen) self(self, next);
            }
        }
        path.pop_back();
        marks[module] = Mark::Done;
    };
    for (const auto& [module, targets] : graph.edges) {
        if (marks[module] == Mark::Unseen) visit(visit, module);
        if (cycle) break;
    }
    return cycle;
}

// A source file of a fixture tree, with its folders.
void Write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

const fs::path kSourceRoot = support::SourceRoot();

TEST(ModuleGraph, FrameworkModulesFormNoCycleAndNeverIncludeTheGame)
{
    const ModuleGraph graph = ReadModuleGraph(kSourceRoot);
    ASSERT_GT(graph.edges.size(), 10u) << "the framework's sources were not found below " << kSourceRoot;
    EXPECT_TRUE(graph.gameIncludes.empty()) << "the framework includes the game: " << graph.gameIncludes.front();
    const std::optional<std::string> cycle = FindCycle(graph);
    EXPECT_FALSE(cycle) << "framework modules include each other in a cycle: " << *cycle;
}

TEST(ModuleGraph, TheCheckSeesACycleThroughAUtilityModuleAndAGameInclude)
{
    support::ScratchFolder scratch;
    Write("framework/graphics/draw.cpp", "#include \"framework/utility/layout/object.h\"\n");
    Write("framework/utility/layout/object.h", "#pragma once\n  #  include \"framework/text/font.h\"\n");
    Write("framework/text/font.cpp", "#include \"framework/graphics/draw.h\"\n#include \"game/app/game_app.h\"\n");
    Write("framework/math/vector.h", "#include \"framework/math/scalar.h\"\n#include <vector>\n");

    const ModuleGraph graph = ReadModuleGraph(scratch.path());
    ASSERT_EQ(graph.gameIncludes.size(), 1u);
    EXPECT_EQ(graph.gameIncludes.front(), "framework/text/font.cpp: game/app/game_app.h");
    EXPECT_EQ(FindCycle(graph), "graphics -> utility/layout -> text -> graphics (framework/text/font.cpp)");

    Write("framework/text/font.cpp", "#include \"framework/math/vector.h\"\n");
    EXPECT_EQ(FindCycle(ReadModuleGraph(scratch.path())), std::nullopt);
}

TEST(ModuleGraph, GameIncludesRunFromHigherLayersToLowerOnesOnly)
{
    const GameLayering layering = ReadGameLayering(kSourceRoot);
    ASSERT_GE(layering.folders.edges.size(), 3u) << "the game's sources were not found below " << kSourceRoot;
    EXPECT_TRUE(layering.unknownFolders.empty()) << "a folder of game/ is no layer: " << *layering.unknownFolders.begin();
    EXPECT_TRUE(layering.upward.empty()) << "a lower layer includes a higher one: " << layering.upward.front();
    const std::optional<std::string> cycle = FindCycle(layering.folders);
    EXPECT_FALSE(cycle) << "game's folders include each other in a cycle: " << *cycle;
}

TEST(ModuleGraph, TheGameCheckSeesTheShipIncludingTheUIAndACycleThroughAFolderOutsideTheLayers)
{
    support::ScratchFolder scratch;
    Write("game/services/save/save_image.h", "#pragma once\n#include <vector>\n");
    Write("game/model/ship/ship.cpp", "#include \"game/services/save/save_image.h\"\n");
    Write("game/ui/ui_manager.cpp", "#include \"game/model/ship/ship.h\"\n");
    Write("game/app/game_app.cpp", "#include \"game/ui/ui_manager.h\"\n");

    GameLayering layering = ReadGameLayering(scratch.path());
    EXPECT_TRUE(layering.upward.empty()) << layering.upward.front();
    EXPECT_TRUE(layering.unknownFolders.empty());
    EXPECT_EQ(FindCycle(layering.folders), std::nullopt);

    Write("game/model/ship/room_crew.cpp", "#include \"game/ui/screens/ui_actor_birth.h\"\n");
    layering = ReadGameLayering(scratch.path());
    ASSERT_EQ(layering.upward.size(), 1u);
    EXPECT_EQ(layering.upward.front(), "game/model/ship/room_crew.cpp: game/ui/screens/ui_actor_birth.h (model -> ui)");
    EXPECT_EQ(FindCycle(layering.folders), "ui -> model -> ui (game/model/ship/room_crew.cpp)");

    fs::remove(scratch.path() / "game/model/ship/room_crew.cpp");
    Write("game/minigame/world.cpp", "#include \"game/model/ship/ship.h\"\n");
    Write("game/model/ship/spawner.cpp", "#include \"game/minigame/world.h\"\n");
    layering = ReadGameLayering(scratch.path());
    EXPECT_TRUE(layering.upward.empty());
    EXPECT_EQ(layering.unknownFolders, std::set<std::string>{"minigame"});
    EXPECT_EQ(FindCycle(layering.folders), "model -> minigame -> model (game/minigame/world.cpp)");
}

}  // namespace

// The framework's modules, read from the includes of its sources: no cycle among them, no include of the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

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

ModuleGraph ReadModuleGraph(const fs::path& root)
{
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    ModuleGraph graph;
    for (const auto& entry : fs::recursive_directory_iterator(root / "framework")) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        const std::string file = entry.path().lexically_relative(root).generic_string();
        const std::string from = ModuleOf(file);
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (!std::regex_search(line, match, include)) continue;
            const std::string header = match[1].str();
            if (header.starts_with("game/")) graph.gameIncludes.push_back(file + ": " + header);
            if (!header.starts_with("framework/")) continue;
            const std::string to = ModuleOf(header);
            if (to != from) graph.edges[from].emplace(to, file);
        }
    }
    return graph;
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

const fs::path kSourceRoot = fs::path(VARNOLIS_TEST_DATA_DIR "/../..").lexically_normal();

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
    const auto write = [](const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    };
    write("framework/graphics/draw.cpp", "#include \"framework/utility/layout/object.h\"\n");
    write("framework/utility/layout/object.h", "#pragma once\n  #  include \"framework/text/font.h\"\n");
    write("framework/text/font.cpp", "#include \"framework/graphics/draw.h\"\n#include \"game/app/game_app.h\"\n");
    write("framework/math/vector.h", "#include \"framework/math/scalar.h\"\n#include <vector>\n");

    const ModuleGraph graph = ReadModuleGraph(scratch.path());
    ASSERT_EQ(graph.gameIncludes.size(), 1u);
    EXPECT_EQ(graph.gameIncludes.front(), "framework/text/font.cpp: game/app/game_app.h");
    EXPECT_EQ(FindCycle(graph), "graphics -> utility/layout -> text -> graphics (framework/text/font.cpp)");

    write("framework/text/font.cpp", "#include \"framework/math/vector.h\"\n");
    EXPECT_EQ(FindCycle(ReadModuleGraph(scratch.path())), std::nullopt);
}

}  // namespace

// Every source file opens with a one-line comment saying what it holds; the check names those that do not.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/build_paths.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// The folders whose .h and .cpp files are the project's sources.
constexpr const char* kSourceFolders[] = {"platform", "framework", "game", "tools", "tests", "bench", "fuzz", "cmake"};

struct HeaderLineCheck {
    int filesSeen = 0;
    std::vector<std::string> missing;  // relative to the root, sorted
};

// A first line of "// " and then text.
bool IsHeaderLine(const std::string& line)
{
    return line.starts_with("// ") && line.size() > 3 && line[3] != ' ';
}

HeaderLineCheck CheckHeaderLines(const fs::path& root)
{
    HeaderLineCheck check;
    for (const char* folder : kSourceFolders) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            ++check.filesSeen;
            std::ifstream in(entry.path());
            std::string first;
            std::getline(in, first);
            if (!IsHeaderLine(first)) check.missing.push_back(entry.path().lexically_relative(root).generic_string());
        }
    }
    std::sort(check.missing.begin(), check.missing.end());
    return check;
}

const fs::path kSourceRoot = support::SourceRoot();

TEST(SourceFiles, EachOpensWithALineSayingWhatItHolds)
{
    const HeaderLineCheck check = CheckHeaderLines(kSourceRoot);
    ASSERT_GT(check.filesSeen, 300) << "the sources were not found below " << kSourceRoot;
    std::string list;
    for (const std::string& file : check.missing) list += "\n  " + file;
    EXPECT_TRUE(check.missing.empty())
        << "these files do not open with a one-line comment (\"// ...\") saying what they hold:" << list;
}

TEST(SourceFiles, TheCheckNamesEveryFileThatOpensWithAnythingElse)
{
    support::ScratchFolder scratch;
    support::WriteBytes("framework/text/font.h", "// Fonts and their glyphs.\n#pragma once\n");
    support::WriteBytes("framework/text/font.cpp", "#include \"framework/text/font.h\"\n// Fonts.\n");
    support::WriteBytes("game/ui/blank.cpp", "\n// A line too late.\n");
    support::WriteBytes("tools/empty.h", "");
    support::WriteBytes("tests/bare_test.cpp", "//\n");
    support::WriteBytes("bench/block_bench.cpp", "/* A block comment. */\n");
    support::WriteBytes("game/data/notes.txt", "no comment needed\n");
    support::WriteBytes("data/generated.cpp", "outside the source folders\n");

    const HeaderLineCheck check = CheckHeaderLines(scratch.path());
    EXPECT_EQ(check.filesSeen, 6);
    EXPECT_EQ(check.missing, (std::vector<std::string>{"bench/block_bench.cpp", "framework/text/font.cpp",
                                                       "game/ui/blank.cpp", "tests/bare_test.cpp", "tools/empty.h"}));
}

}  // namespace

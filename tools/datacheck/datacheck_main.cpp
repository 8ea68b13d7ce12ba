// datacheck: the built data set checked whole as the game will load it, failing the build on what it would trip over.
// Loads the static database and the room, crew, enemy and route scripts from the
// built data folder as the start-up does, then runs the data check: limits of
// the save format, and every id, tag and message key the records and scripts
// name. Each finding goes to stderr on a line of its own.
//
//   datacheck RESOURCE_DIR DATA_DIR STAMP
//
// RESOURCE_DIR  the built data folder (ResourceWin)
// DATA_DIR      the data sources: message/<language>.txt and the script tables in script/defs
// STAMP         written when the data set passes, for the build's dependencies

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/common/whole_file.h"
#include "tools/datacheck/data_check.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: datacheck RESOURCE_DIR DATA_DIR STAMP\n");
        return 2;
    }
    const std::filesystem::path resources = argv[1];
    const std::filesystem::path sources = argv[2];
    std::string error;
    std::optional<std::set<std::string>> keys = data_check::ReadMessageKeys(sources / "message", &error);
    if (!keys) {
        std::fprintf(stderr, "datacheck: %s\n", error.c_str());
        return 1;
    }
    const std::vector<std::string> findings = data_check::CheckBuiltDataSet(resources, sources / "script/defs", std::move(*keys));
    for (const std::string& finding : findings) std::fprintf(stderr, "datacheck: %s\n", finding.c_str());
    if (!findings.empty()) {
        std::fprintf(stderr, "datacheck: %zu problem(s) in the data set\n", findings.size());
        return 1;
    }
    const std::string stamp = "data set checked\n";
    return tools::WriteWholeFile(argv[3], std::span(reinterpret_cast<const std::uint8_t*>(stamp.data()), stamp.size())) ? 0 : 1;
}

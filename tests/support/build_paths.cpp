// The build's paths, known to this one file (see tests/CMakeLists.txt), so that no other test's
// compilation depends on where the tree or the build lies.
#include "tests/support/build_paths.h"

namespace support {

const std::filesystem::path& SourceRoot()
{
    static const std::filesystem::path root = std::filesystem::path(VARNOLIS_SOURCE_ROOT).lexically_normal();
    return root;
}

std::filesystem::path TestDataPath(const std::filesystem::path& name)
{
    return (SourceRoot() / "tests" / "data" / name).lexically_normal();
}

const std::filesystem::path& BuiltResourceDir()
{
    static const std::filesystem::path folder = VARNOLIS_BUILT_RESOURCE_DIR;
    return folder;
}

const char* GameSaverHelperProgram() { return VARNOLIS_GAME_SAVER_HELPER; }
const char* SaveWriterHelperProgram() { return VARNOLIS_SAVE_WRITER_HELPER; }

}  // namespace support

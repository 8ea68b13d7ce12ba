// sepack: packs wave files into the sound-effect package, in the order given.
//   sepack <out.pac> <a.wav> <b.wav> ...
// Each entry is named by its file name; an entry's place is its sound index.
// Every input must be a wave the game can read, play and loop.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "tools/common/chunk_list_writer.h"
#include "tools/common/sound_entry.h"
#include "tools/common/whole_file.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: sepack <out.pac> <wave files...>\n");
        return 2;
    }
    std::vector<tools::PackageChunk> chunks;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::optional<std::vector<uint8_t>> bytes = tools::ReadWholeFile(path);
        if (!bytes) {
            std::fprintf(stderr, "sepack: cannot read %s\n", argv[i]);
            return 1;
        }
        std::optional<tools::PackageChunk> entry =
            tools::MakeSoundEntry(path.string(), path.filename().string(), std::move(*bytes));
        if (!entry) {
            return 1;
        }
        chunks.push_back(std::move(*entry));
    }
    return tools::WriteWholeFile(argv[1], tools::MakeChunkList(chunks)) ? 0 : 1;
}

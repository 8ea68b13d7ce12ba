// Packs wave files into the sound-effect package, in the order given:
//   sepack <out.pac> <a.wav> <b.wav> ...
// Each entry is named by its file name; an entry's place is its sound index.
// Every input must pass the game's own wave checks.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "framework/log/log.h"
#include "framework/sound/wave_data.h"
#include "tools/common/chunk_list_writer.h"
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
        vesk::sound::WaveData wave;
        if (!vesk::sound::ParseWave(*bytes, vesk::sound::kFormatPcmWave, path.string(), wave)) {
            return 1;  // the parser said why
        }
        const std::string name = path.filename().string();
        if (name.size() > 127) {
            std::fprintf(stderr, "sepack: name too long for an entry: %s\n", name.c_str());
            return 1;
        }
        chunks.push_back({"SWAV", name, std::move(*bytes)});
    }
    return tools::WriteWholeFile(argv[1], tools::MakeChunkList(chunks)) ? 0 : 1;
}

// A headless run of the game in a scratch folder of its own, reading the data set this build made.
#pragma once

#include <cstdlib>
#include <filesystem>

#include "bench/bench_paths.h"
#include "framework/file/resource_file.h"
#include "tests/support/scratch_folder.h"

namespace bench_support {

// Puts video and audio on SDL's dummy drivers, makes a fresh folder current (the game makes its save
// folder there) and points the resource folder at the built data set; puts the resource folder and the
// current folder back, and removes the scratch folder, when it goes.
class HeadlessRunFolder {
public:
    HeadlessRunFolder()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        vesk::file::SetResourceFolder(BuiltResourceFolder());
    }
    ~HeadlessRunFolder() { vesk::file::SetResourceFolder(vesk::file::kResourceFolder); }

    const std::filesystem::path& path() const { return scratch_.path(); }

private:
    support::ScratchFolder scratch_;
};

}  // namespace bench_support

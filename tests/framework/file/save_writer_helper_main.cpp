// A stand-in for a running copy of the game that saves again and again.
// It serves the tests of several copies saving into one folder.
//
//     save_writer_helper <folder> <writes> <tag>
//
// Works in <folder> as the game works in its own: claims the save folder,
// then writes <writes> whole save images, each filled from its first byte
// (<tag> plus the write's number), a few milliseconds apart. Prints "claimed" or "not claimed" once,
// then "saved" or "failed" for each write. Exits 0 when every write was saved.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "framework/file/save_file.h"
#include "framework/memory/heaps.h"

namespace {

std::uint32_t FinishWrite()
{
    std::uint32_t status = vesk::file::kSaveJobRunning;
    while ((status = vesk::file::PollSaveCreate()) == vesk::file::kSaveJobRunning) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: save_writer_helper <folder> <writes> <tag>\n");
        return 2;
    }
    const int writes = std::atoi(argv[2]);
    const int tag = std::atoi(argv[3]);
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    vesk::memory::CreateHeaps();
    vesk::file::CreateSaveFolder();
    std::puts(vesk::file::ClaimSaveFolder() ? "claimed" : "not claimed");

    std::vector<unsigned char> image(vesk::file::kSaveImageSize);
    bool allSaved = true;
    for (int write = 0; write < writes; ++write) {
        const auto first = static_cast<unsigned char>(tag + write);
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<unsigned char>(first + i * 7);
        }
        const bool saved = vesk::file::SaveCreate(image.data()) == vesk::file::kSaveJobRunning &&
                           FinishWrite() == vesk::file::kSaveJobDone;
        std::puts(saved ? "saved" : "failed");
        allSaved = allSaved && saved;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the game saves now and then
    }
    vesk::memory::ReleaseHeaps();
    return allSaved ? 0 : 1;
}

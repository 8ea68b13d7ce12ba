// Reads arbitrary bytes as a PNG file through the tools' reader.
// It must refuse or decode without crashing and without allocating more than
// a picture the tools accept.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tools/common/png_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader reads files, so the bytes go to a file that lives in memory.
    static const int fd = [] {
        std::cerr.rdbuf(nullptr);  // the reader's refusals are expected here
        return memfd_create("fuzz.png", 0);
    }();
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

    if (const auto image = tools::ReadPng(path)) {
        if (image->rgba.size() != static_cast<size_t>(image->width) * image->height * 4) std::abort();
    }
    return 0;
}

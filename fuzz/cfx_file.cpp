// Reads arbitrary bytes as a ".cfx" shader file and makes a shader of it on a device.
// A file that is read must be byte for byte the file the tools write for the
// same program.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/graphics/cfx_format.h"
#include "platform/graphics/device.h"
#include "tools/common/cfx_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static platform::gfx::Device device;

    platform::gfx::CfxProgram program;
    std::string error;
    if (platform::gfx::ParseCfx(data, size, program, error)) {
        const std::vector<uint8_t> written = tools::BuildCfx(program.stage, program.name);
        // The reserved bytes (7, 10 and 11) are not read; the rest must agree.
        const size_t header = platform::gfx::kCfxHeaderSize;
        if (written.size() != size || std::memcmp(written.data(), data, 7) != 0 ||
            std::memcmp(written.data() + 8, data + 8, 2) != 0 ||
            std::memcmp(written.data() + header, data + header, size - header) != 0) {
            std::abort();
        }
    }
    device.CreateVertexShader(data, size, error);
    device.CreatePixelShader(data, size, error);
    return 0;
}

// Parsing of ".cfx" shader files, with every field checked.
#include "platform/graphics/cfx_format.h"

#include "platform/little_endian.h"

namespace platform::gfx {

bool ParseCfx(const void* data, std::size_t size, CfxProgram& out, std::string& error)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!bytes || size < kCfxHeaderSize) {
        error = "shader file too short for its header";
        return false;
    }
    if (bytes[0] != 'V' || bytes[1] != 'C' || bytes[2] != 'F' || bytes[3] != 'X') {
        error = "not a shader file (bad magic)";
        return false;
    }
    const std::uint16_t version = ReadU16(bytes + 4);
    if (version != kCfxVersion) {
        error = "unsupported shader file version " + std::to_string(version);
        return false;
    }
    if (bytes[6] > 1) {
        error = "unknown shader stage " + std::to_string(bytes[6]);
        return false;
    }
    const std::size_t length = ReadU16(bytes + 8);
    if (length == 0 || length > kCfxMaxNameLength) {
        error = "bad program name length " + std::to_string(length);
        return false;
    }
    if (size != kCfxHeaderSize + length) {
        error = "shader file size does not match its name length";
        return false;
    }
    std::string name(reinterpret_cast<const char*>(bytes + kCfxHeaderSize), length);
    for (char c : name) {
        if (c < 0x21 || c > 0x7E) {
            error = "program name holds a character that is not printable ASCII";
            return false;
        }
    }
    out.stage = static_cast<ShaderStage>(bytes[6]);
    out.name = std::move(name);
    return true;
}

}  // namespace platform::gfx

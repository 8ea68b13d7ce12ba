// The bytes of a ".cfx" shader file, and their write with the program name checked.
#include "tools/common/cfx_writer.h"

#include "tools/common/byte_writer.h"
#include "tools/common/whole_file.h"

namespace tools {

std::vector<std::uint8_t> BuildCfx(platform::gfx::ShaderStage stage, const std::string& name)
{
    ByteWriter out;
    out.Tag("VCFX");
    out.U16(platform::gfx::kCfxVersion);
    out.U8(static_cast<std::uint8_t>(stage));
    out.U8(0);
    out.U16(static_cast<std::uint16_t>(name.size()));
    out.U16(0);
    out.Text(name);
    return std::move(out.Data());
}

bool WriteCfxFile(const std::string& path, platform::gfx::ShaderStage stage, const std::string& name,
                  std::string& error)
{
    const std::vector<std::uint8_t> bytes = BuildCfx(stage, name);
    // Check with the reader, so no file is written that the game would refuse.
    platform::gfx::CfxProgram parsed;
    if (!platform::gfx::ParseCfx(bytes.data(), bytes.size(), parsed, error)) return false;
    if (!WriteWholeFile(path, bytes)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace tools

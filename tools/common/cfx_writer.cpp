#include "tools/common/cfx_writer.h"

#include "tools/common/whole_file.h"

namespace tools {

namespace {
void WriteU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
}  // namespace

std::vector<std::uint8_t> BuildCfx(platform::gfx::ShaderStage stage, const std::string& name)
{
    std::vector<std::uint8_t> out = {'V', 'C', 'F', 'X'};
    WriteU16(out, platform::gfx::kCfxVersion);
    out.push_back(static_cast<std::uint8_t>(stage));
    out.push_back(0);
    WriteU16(out, static_cast<std::uint16_t>(name.size()));
    WriteU16(out, 0);
    out.insert(out.end(), name.begin(), name.end());
    return out;
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

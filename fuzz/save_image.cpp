// Reads save files built around arbitrary bytes, so that the load's checks pass or fail one at a time.
// The bytes are laid over a new game's image at an offset they name, then each header field (magic, format,
// size field, checksum) is made right or left as the bytes made it, and the file may be cut where the bytes
// end. A refused file must leave the save areas as they were; a taken one must be applied to the game
// without trusting a value in it.
//
// Input: byte 0 holds the choices (bit 0 a right magic, bit 1 a right format, bit 2 a right size field,
// bit 3 a right checksum, bit 4 the file cut after the laid bytes); bytes 1 to 4 the offset, little-endian,
// taken modulo the image size; the rest the bytes laid there, as many as fit before the image end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/save_image_support.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

namespace {

using namespace save_layout;

constexpr std::size_t kChoicesSize = 5;

const std::vector<std::uint8_t>& NewGameImage()
{
    static const std::vector<std::uint8_t> image = [] {
        ResetSaveAreas();
        InitAllSaveData();
        SaveAreas& areas = GetSaveAreas();
        std::memcpy(areas.ImageSystemRecord().data(), areas.workingSystem.data(), kSystemRecordSize);
        WriteSaveHeader(areas.image);
        return areas.image;
    }();
    return image;
}

std::vector<std::uint8_t> BuildFile(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file = NewGameImage();
    const std::uint8_t choices = data[0];
    const std::size_t offset = platform::ReadU32(data + 1) % kImageSize;
    const std::size_t laid = std::min(size - kChoicesSize, kImageSize - offset);
    std::memcpy(file.data() + offset, data + kChoicesSize, laid);
    if (choices & 1) std::memcpy(file.data() + kMagicOffset, kMagic, sizeof(kMagic));
    if (choices & 2) platform::WriteU32(file.data() + kFormatOffset, kFormat);
    if (choices & 4) platform::WriteU32(file.data() + kSizeOffset, static_cast<std::uint32_t>(kImageSize));
    if (choices & 8) platform::WriteU32(file.data() + kChecksumOffset, ComputeSaveChecksum(file));
    if (choices & 16) file.resize(offset + laid);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kChoicesSize) return 0;
    fuzz_support::PrepareGameModel();
    const std::vector<std::uint8_t> file = BuildFile(data, size);
    const SaveAreas& areas = GetSaveAreas();
    const std::vector<std::uint8_t> image = areas.image;
    const std::vector<std::uint8_t> workingSlot = areas.workingSlot;
    const std::vector<std::uint8_t> workingSystem = areas.workingSystem;
    if (TakeLoadedImage(file) == GAME_CSaveManager::kOk) {
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    } else if (areas.image != image || areas.workingSlot != workingSlot || areas.workingSystem != workingSystem) {
        std::abort();  // a refused file changed what the game holds
    }
    return 0;
}

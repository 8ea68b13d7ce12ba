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

// The file's checksum from the new game's, changed by the words the laid bytes touch: summing the whole image
// on every run as well as in the load's check would halve the runs.
std::uint32_t ChecksumAfterLaying(const std::vector<std::uint8_t>& file, std::size_t offset, std::size_t laid)
{
    static const std::uint32_t newGameChecksum = ComputeSaveChecksum(fuzz_support::NewGameImage());
    const std::vector<std::uint8_t>& newGame = fuzz_support::NewGameImage();
    std::uint32_t sum = newGameChecksum;
    const std::size_t first = std::max(kSlotsOffset, offset / 4 * 4);
    const std::size_t end = std::min(kChecksumEnd, (offset + laid + 3) / 4 * 4);
    for (std::size_t word = first; word < end; word += 4) {
        sum += platform::ReadU32(file.data() + word) - platform::ReadU32(newGame.data() + word);
    }
    return sum;
}

void BuildFile(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& file)
{
    file = fuzz_support::NewGameImage();
    const std::uint8_t choices = data[0];
    const std::size_t offset = platform::ReadU32(data + 1) % kImageSize;
    const std::size_t laid = std::min(size - kChoicesSize, kImageSize - offset);
    std::memcpy(file.data() + offset, data + kChoicesSize, laid);
    if (choices & 1) std::memcpy(file.data() + kMagicOffset, kMagic, sizeof(kMagic));
    if (choices & 2) platform::WriteU32(file.data() + kFormatOffset, kFormat);
    if (choices & 4) platform::WriteU32(file.data() + kSizeOffset, static_cast<std::uint32_t>(kImageSize));
    if (choices & 8) platform::WriteU32(file.data() + kChecksumOffset, ChecksumAfterLaying(file, offset, laid));
    if (choices & 16) file.resize(offset + laid);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kChoicesSize) return 0;
    fuzz_support::PrepareGameModel();
    // Kept from run to run, so that a run copies megabytes but allocates none.
    static std::vector<std::uint8_t> file, image, workingSlot, workingSystem;
    BuildFile(data, size, file);
    const SaveAreas& areas = GetSaveAreas();
    image = areas.image;
    workingSlot = areas.workingSlot;
    workingSystem = areas.workingSystem;
    if (TakeLoadedImage(file) == GAME_CSaveManager::kOk) {
        SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    } else if (areas.image != image || areas.workingSlot != workingSlot || areas.workingSystem != workingSystem) {
        std::abort();  // a refused file changed what the game holds
    }
    return 0;
}

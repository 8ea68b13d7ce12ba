// The state of a repeatable run written to a file, so that a change that must not alter the game is checked by
// comparing the files two builds write.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/math/random.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "platform/little_endian.h"
#include "tools/common/whole_file.h"

namespace bench_support {

// The running game as a save builds it into the autosave's slot, and the generator's next draw after it: a world that
// went otherwise, or the same world reached by other draws, writes other bytes. The dates of the save, read from the
// machine's clock, are left out. Called at a run's end: the save areas and the generator move on.
inline bool WriteWorldFingerprint(const std::string& path)
{
    BuildSlotImage(save_layout::kAutoSaveSlot);
    const std::span<std::uint8_t> slot = GetSaveAreas().ImageSlot(save_layout::kAutoSaveSlot);
    std::vector<std::uint8_t> bytes(slot.begin(), slot.end());
    namespace layout = save_layout::slot;
    std::fill_n(bytes.begin() + layout::kLastSaveTime, 8 * 4, std::uint8_t{0});
    bytes.resize(bytes.size() + 4);
    platform::WriteU32(bytes.data() + slot.size(), static_cast<std::uint32_t>(vesk::math::Rand()));
    return tools::WriteWholeFile(path, bytes);
}

}  // namespace bench_support

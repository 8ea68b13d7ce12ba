// The layout registry: fixed pools of part and sub-records.
#pragma once

#include <cstddef>
#include <vector>

#include "framework/memory/heaps.h"
#include "framework/utility/layout/plix/part.h"

namespace vesk::layout {

inline constexpr std::size_t kPartPoolSize = 1024;
inline constexpr std::size_t kSubRecordPoolSize = 2048;

// A fixed set of part records handed out and taken back; nothing is
// allocated while layouts are built.
class PartPool {
public:
    explicit PartPool(std::size_t size);
    PartPool(const PartPool&) = delete;
    PartPool& operator=(const PartPool&) = delete;

    // A fresh record, or null when every record is in use.
    plix::SYS_CPart* Take();
    // Takes a record back as a fresh one. A record of another pool or one
    // already returned is refused (false), so it can never be handed out twice.
    bool Return(plix::SYS_CPart* record);
    std::size_t FreeCount() const { return free_.size(); }
    std::size_t Size() const { return records_.size(); }

private:
    std::vector<plix::SYS_CPart> records_;
    std::vector<bool> inUse_;
    std::vector<plix::SYS_CPart*> free_;
};

// Where layout objects take their parts (first pool) and sub-records (second pool).
struct SYS_CLayoutRegistry : memory::MainHeapObject {
    SYS_CLayoutRegistry() : parts(kPartPoolSize), subRecords(kSubRecordPoolSize) {}

    PartPool parts;
    PartPool subRecords;
};

}  // namespace vesk::layout

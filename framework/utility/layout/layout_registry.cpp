// The pool of part records: handed out and taken back, never twice.
#include "framework/utility/layout/layout_registry.h"

#include <functional>

#include "framework/log/log.h"

namespace vesk::layout {

PartPool::PartPool(std::size_t size) : records_(size), inUse_(size, false)
{
    free_.reserve(size);
    // Handed out from the front of the record array.
    for (std::size_t i = size; i-- > 0;) free_.push_back(&records_[i]);
}

plix::SYS_CPart* PartPool::Take()
{
    if (free_.empty()) return nullptr;
    plix::SYS_CPart* record = free_.back();
    free_.pop_back();
    inUse_[static_cast<std::size_t>(record - records_.data())] = true;
    return record;
}

bool PartPool::Return(plix::SYS_CPart* record)
{
    const std::less<const plix::SYS_CPart*> before;
    if (record == nullptr || before(record, records_.data()) || !before(record, records_.data() + records_.size())) {
        log::Error("layout: a part record that is not the pool's was returned to it");
        return false;
    }
    const std::size_t index = static_cast<std::size_t>(record - records_.data());
    if (!inUse_[index]) {
        log::Error("layout: a part record was returned twice");
        return false;
    }
    inUse_[index] = false;
    record->Reset();
    free_.push_back(record);
    return true;
}

}  // namespace vesk::layout

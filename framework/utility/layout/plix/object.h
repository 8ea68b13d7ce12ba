// What the layout library needs of an object bound to a renderer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/utility/layout/plix/part.h"

namespace plix {

// What the layout library needs of an object bound to a renderer: resolve a
// part's sprite, start and end sprite drawing, draw one part, and hand out
// data attached to the object by id.
class SYS_CObject {
public:
    SYS_CObject() = default;
    SYS_CObject(const SYS_CObject&) = delete;
    SYS_CObject& operator=(const SYS_CObject&) = delete;

    // The part's sprite index after the lookup (-1 when the name is unknown).
    virtual std::int32_t ResolveSprite(SYS_CPart& part) = 0;
    virtual void BeginDraw(int blendMode) = 0;
    virtual void EndBatch() = 0;
    // False when the part has no sprite and so was not drawn.
    virtual bool DrawPart(const SYS_CPart& part) = 0;
    // True with the entry's data and size; false, outputs untouched, when no entry has the id.
    virtual bool GetData(std::uint32_t id, const void*& data, std::size_t& size) const = 0;
    virtual ~SYS_CObject() = default;

    std::vector<SYS_CPart*>& Parts() { return parts_; }
    const std::vector<SYS_CPart*>& Parts() const { return parts_; }
    std::vector<SYS_CPart*>& SubRecords() { return subRecords_; }
    const std::vector<SYS_CPart*>& SubRecords() const { return subRecords_; }

    std::uint32_t StateWord(int index) const { return state_[index]; }
    void SetStateWord(int index, std::uint32_t value) { state_[index] = value; }
    // The state words as a new object holds them.
    void ResetState()
    {
        state_[0] = 1;
        state_[1] = 1;
        state_[2] = 0;
    }

private:
    std::vector<SYS_CPart*> parts_;
    std::vector<SYS_CPart*> subRecords_;
    std::uint32_t state_[3] = {1, 1, 0};
};

}  // namespace plix

// An item stack lying on a cell of the ship's grid or carried by a crew member, and the item entry every stack is made of.
#pragma once

#include <cstdint>

#include "game/services/data/record_entries.h"
#include "game/model/object/object_base.h"

class GAME_CObjectActor;
struct ItemData;

// {item id, static record, count} of one item object or stack: valid when the id is not -1, the
// record exists and the count is not 0.
struct ItemEntry {
    std::uint32_t itemId = kNoId;
    const ItemData* record = nullptr;
    std::int32_t count = 0;

    bool IsValid() const { return itemId != kNoId && record != nullptr && count != 0; }
};

// Fills the entry with the item's record and the count, at most the record's stack limit (at
// least 1) and not below 0; returns that limit. An unknown id gives no record, count 0 and 0.
std::int32_t InitItemEntry(ItemEntry& entry, std::uint32_t itemId, std::int32_t count);

// What an item object is set up from.
struct ItemObjectSetup {
    float x = 0.0f;
    float y = 0.0f;
    ItemEntry entry;
    bool noSound = false;
    bool carrierRequested = false;  // made for a carrier: no carry request when it lands
};

// The constant scale pair {1.0, 1.0}.
const float* GetUnitScale();

// A lying stack hops once when placed, then asks for a carrier every 179 steps until a crew
// member carries it; a stack whose entry is used up is dead and goes back to the pool.
class GAME_CObjectItem : public GAME_CObjectBase {
public:
    static constexpr std::int32_t kRequestPeriod = 179;
    static constexpr std::int32_t kPlacedSound = 22;
    static constexpr float kPlacedSoundVolume = 1.5f;

    GAME_CObjectItem();

    // A valid entry makes a live item at the point (sound 22 unless asked not to; the item is
    // marked discovered); an invalid one leaves it dead.
    void Init(const ItemObjectSetup& setup);
    // The grid cell from the position, then the position at the middle of that cell's floor line,
    // and one hop.
    void SnapToGridCell();
    // The grid column or row of the position; -1 while carried.
    std::int32_t GetCellColumn() const;
    std::int32_t GetCellRow() const;
    // A carrier takes it; none puts it down on a free cell near the carrier (else its last cell).
    void SetCarrier(GAME_CObjectActor* actor);

    void Update() override;
    // A lying stack; a carried one is drawn by its carrier (DrawCarried).
    void Draw() override;
    void DrawOverlay(const FieldView& view) override;
    // The stack at its carrier's load point on the canvas.
    void DrawCarried(const vesk::math::Vec2& point, float scaleX, float scaleY) const;
    const vesk::math::Vec2& GetPosition() const override { return position; }
    // The entry is used up; the carrier lets go and the carry tasks aimed at the item are cancelled.
    void Release() override;

    ItemEntry Entry() const { return {itemId, record, count}; }
    bool HasValidEntry() const { return Entry().IsValid(); }

    GAME_CObjectActor* carrier = nullptr;
    vesk::math::Vec2 position;
    vesk::math::Vec2 bounceOffset;
    std::uint32_t itemId = kNoId;
    const ItemData* record = nullptr;
    std::int32_t count = 0;
    std::int32_t bounceStep = 0;
    float bounceAngle = 0.0f;  // degrees
    std::int32_t requestTimer = 0;  // 0: no carry request pending; from 1 it counts to the next
    std::int32_t cellX = -1;
    std::int32_t cellY = -1;

private:
    void PostCarryRequest();
    void Hop();
};

// The store record of a save slot: item stacks, food and ammunition written and read back (each turret's rounds to their own turret), a damaged record read safely, and the stores living in the world.
#include <gtest/gtest.h>

#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/model/stores/store_record.h"
#include "game/model/stores/stored_items.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship.h"
#include "platform/little_endian.h"
#include "tests/support/ship_world.h"

namespace {

using namespace support;
namespace slot = save_layout::slot;

class StoreRecord : public ShipWorld {
protected:
    // A storage room holding 12 of the material and a food, a kitchen with 3 servings and a turret
    // with 4 rounds.
    void FillStores()
    {
        GAME_CRoomBase& storage = Place(kStorage, 0, 0);
        Place(kKitchen, 1, 0);
        Place(kTurret, 3, 0);
        GAME_CInventory* inventory = FindRoomInventory(&storage);
        ASSERT_NE(inventory, nullptr);
        for (int i = 0; i < 12; ++i) ASSERT_TRUE(inventory->AddItem(kMaterial));
        ASSERT_TRUE(inventory->AddItem(kFood));
        GAME_CFoodStorage* food = FindFoodStorage(1);
        ASSERT_NE(food, nullptr);
        for (int i = 0; i < 3; ++i) food->AddOne();
        GAME_CAmmoImpl* ammo = FindAmmoStorage(2);
        ASSERT_NE(ammo, nullptr);
        ammo->SetAmmoId(&kAmmo);
        for (int i = 0; i < 4; ++i) ammo->AddOne();
    }

    // What a load does: fresh stores and inventories, the ship rebuilt, the stores read.
    void Reload(std::span<const std::uint8_t> record)
    {
        GetPlayerData()->ClearInventories();
        ClearFoodStorageList();
        ClearAmmoStorageList();
        Ship().BuildLayout(record);
        ReadStoreRecord(record);
    }
};

TEST_F(StoreRecord, ItemsFoodAndAmmunitionComeBackFromTheRecord)
{
    FillStores();
    std::vector<std::uint8_t> record = EmptySlot();
    Ship().WriteSaveRecord(record);
    WriteStoreRecord(record);
    EXPECT_EQ(platform::ReadU16(record, slot::kStoreCounters), 3);
    EXPECT_EQ(platform::ReadU16(record, slot::kStoreCounters + 2), 4);

    Reload(record);
    EXPECT_EQ(CountStoredItem(kMaterial), 12);
    EXPECT_EQ(CountStoredItem(kFood), 1);
    EXPECT_EQ(CountStoredStacks(), 3);
    ASSERT_NE(FindFoodStorage(1), nullptr);
    EXPECT_EQ(FindFoodStorage(1)->GetCount(), 3);
    EXPECT_EQ(FindFoodStorage(1)->GetCapacity(), 5);
    ASSERT_NE(FindAmmoStorage(2), nullptr);
    EXPECT_EQ(*FindAmmoStorage(2)->GetAmmoId(), kAmmo);
    EXPECT_EQ(FindAmmoStorage(2)->GetCount(), 4);
    EXPECT_EQ(FindAmmoStorage(2)->GetReach(), 15);

    std::vector<std::uint8_t> again = EmptySlot();
    Ship().WriteSaveRecord(again);
    WriteStoreRecord(again);
    EXPECT_TRUE(std::equal(record.begin() + slot::kStore, record.begin() + slot::kStore + slot::kStoreSize,
                           again.begin() + slot::kStore));
}

TEST_F(StoreRecord, EachTurretGetsItsOwnRoundsBackWhicheverWasFinishedFirst)
{
    // The turret placed first is still being built when the second is finished.
    GAME_CRoomBase* first = Ship().PlaceNewRoom(0, 0, kTurret, MakeTag("ID15"), false);
    ASSERT_NE(first, nullptr);
    GAME_CRoomBase& second = Place(kTurret, 3, 0);
    first->Finish(true);
    const auto load = [](GAME_CAmmoImpl* store, int rounds) {
        ASSERT_NE(store, nullptr);
        store->SetAmmoId(&kAmmo);
        for (int i = 0; i < rounds; ++i) store->AddOne();
    };
    load(FindAmmoStorage(Ship().GetRoomIndex(first)), 4);
    load(FindAmmoStorage(Ship().GetRoomIndex(&second)), 1);

    std::vector<std::uint8_t> record = EmptySlot();
    Ship().WriteSaveRecord(record);
    WriteStoreRecord(record);
    Reload(record);
    ASSERT_NE(FindAmmoStorage(0), nullptr);
    ASSERT_NE(FindAmmoStorage(1), nullptr);
    EXPECT_EQ(FindAmmoStorage(0)->GetCount(), 4);
    EXPECT_EQ(FindAmmoStorage(1)->GetCount(), 1);
}

// A storeroom's inventory can lose its room (a cargo hold's stock given back, a duplicate owner
// dropped); its stacks are written with no owner and have nowhere to go on a load, but the
// storerooms listed after it must still get their own stacks back.
TEST_F(StoreRecord, StacksOfAnInventoryWithoutARoomDoNotTakeTheLaterStoreroomsStacksWithThem)
{
    GAME_CRoomBase& first = Place(kStorage, 0, 0);
    GAME_CRoomBase& second = Place(kStorage, 2, 0);
    GAME_CInventory* orphaned = FindRoomInventory(&first);
    GAME_CInventory* kept = FindRoomInventory(&second);
    ASSERT_NE(orphaned, nullptr);
    ASSERT_NE(kept, nullptr);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(orphaned->AddItem(kFood));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(kept->AddItem(kMaterial));
    orphaned->room = nullptr;

    std::vector<std::uint8_t> record = EmptySlot();
    Ship().WriteSaveRecord(record);
    WriteStoreRecord(record);
    Reload(record);
    EXPECT_EQ(CountStoredItem(kMaterial), 5);
    EXPECT_EQ(CountStoredItem(kFood), 0);
    EXPECT_FALSE(LogMentions("the item stacks end here"));
}

TEST_F(StoreRecord, CountersPastTheTableAreClampedWithALogLine)
{
    FillStores();
    std::vector<std::uint8_t> record = EmptySlot();
    Ship().WriteSaveRecord(record);
    WriteStoreRecord(record);
    platform::WriteU16(record, slot::kStoreCounters, 60000);
    platform::WriteU16(record, slot::kStoreCounters + 2, 65535);
    // An entry naming an item the database does not know is passed over too.
    platform::WriteU32(record, slot::kStore, MakeTag("I999"));

    Reload(record);
    EXPECT_TRUE(LogMentions("counter 60000"));
    EXPECT_TRUE(LogMentions("unknown item I999"));
    EXPECT_EQ(CountStoredItem(kMaterial), 2);
    EXPECT_EQ(CountStoredItem(kFood), 1);
}

TEST_F(StoreRecord, ChangingTheAmmunitionDropsTheOldStockInStacks)
{
    Place(kTurret, 4, 1);
    GAME_CAmmoImpl* ammo = FindAmmoStorage(0);
    ASSERT_NE(ammo, nullptr);
    ammo->SetAmmoId(&kAmmo);
    ammo->SetCapacity(25);
    for (int i = 0; i < 25; ++i) ammo->AddOne();
    const std::uint32_t other = kMaterial;
    ammo->SetAmmoId(&other);
    EXPECT_EQ(ammo->GetCount(), 0);
    EXPECT_EQ(CountFieldItem(kAmmo), 25);
    EXPECT_EQ(World().fieldObjects->items.size(), 3u);  // 10, 10 and 5
}

TEST_F(StoreRecord, MarksWrapAroundTheStackCount)
{
    GAME_CInventory* inventory = FindRoomInventory(&Place(kStorage, 0, 0));
    for (int i = 0; i < 3; ++i) inventory->AddItem(kMaterial);
    AdjustStoredItemMark(0, 3);
    AdjustStoredItemMark(0, 1);
    EXPECT_EQ(GetStoredItemMark(0), 0);
    AdjustStoredItemMark(0, -1);
    EXPECT_EQ(GetStoredItemMark(0), 3);
}

TEST_F(StoreRecord, TheFoodAndAmmunitionStoresGoWithTheWorldThatHoldsThem)
{
    FillStores();
    EXPECT_GT(GetFoodStorageCount(), 0);
    EXPECT_GT(GetAmmoStorageCount(), 0);
    DestroyGameWorld();
    EXPECT_EQ(GetOrCreateFoodStorage(1), nullptr);
    EXPECT_EQ(GetOrCreateAmmoStorage(2), nullptr);
    ClearFoodStorageList();
    GetGameWorld();
    EXPECT_EQ(GetFoodStorageCount(), 0);
    EXPECT_EQ(GetAmmoStorageCount(), 0);
}

}  // namespace

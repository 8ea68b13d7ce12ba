// The layout manager's pools and layers, the part pool, and data attached to objects.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/utility/layout/layout_manager.h"
#include "tests/support/log_capture.h"

namespace vesk::layout {
namespace {

class LayoutManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateLayoutManager());
        manager = GetLayoutManager();
        registry = GetLayoutRegistry();
        ASSERT_NE(manager, nullptr);
        ASSERT_NE(registry, nullptr);
    }
    void TearDown() override { ReleaseLayoutManager(); }

    // An object in the layer with parts that own data entries and sub-records.
    SYS_CObjectForVesk* BuildObject(int layer, int list, int parts, int subRecords)
    {
        SYS_CObjectForVesk* object = manager->AcquireObject(layer, list);
        if (!object) return nullptr;
        for (int i = 0; i < parts; ++i) {
            plix::SYS_CPart* part = manager->AddPart(*object);
            part->spriteName = "part";
            part->spriteIndex = 3;
            part->dataKey = 100u + static_cast<std::uint32_t>(i);
            object->AddData(100u + static_cast<std::uint32_t>(i), std::vector<std::uint8_t>(8, 7));
        }
        for (int i = 0; i < subRecords; ++i) manager->AddSubRecord(*object)->state[0] = 9;
        object->SetStateWord(0, 4);
        object->SetStateWord(2, 5);
        return object;
    }

    SYS_CLayoutManager* manager = nullptr;
    SYS_CLayoutRegistry* registry = nullptr;
};

TEST_F(LayoutManagerTest, StartsWithEveryObjectAndRecordFreeAndRefusesASecondManager)
{
    EXPECT_EQ(manager->FreeObjectCount(), 128u);
    EXPECT_EQ(registry->parts.FreeCount(), 1024u);
    EXPECT_EQ(registry->subRecords.FreeCount(), 2048u);
    for (int layer : {0, 63}) {
        EXPECT_EQ(manager->LayerBlock(layer), nullptr);
        for (int list = 0; list < kListsPerLayer; ++list) EXPECT_TRUE(manager->LayerList(layer, list).empty());
    }
    SYS_CObjectForVesk* object = manager->AcquireObject(0, 0);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->SpriteGroup(), 0u);
    EXPECT_EQ(object->DataCount(), 0u);
    EXPECT_EQ(object->StateWord(0), 1u);
    EXPECT_EQ(object->StateWord(1), 1u);
    EXPECT_EQ(object->StateWord(2), 0u);

    plix::SYS_CPart* part = manager->AddPart(*object);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->flags, 1u);
    EXPECT_EQ(part->spriteIndex, -1);

    support::LogCapture log;
    EXPECT_FALSE(CreateLayoutManager());
    EXPECT_EQ(GetLayoutManager(), manager);
    EXPECT_TRUE(log.Contains("exists already"));
}

TEST_F(LayoutManagerTest, ReleasingALayerReturnsItsObjectsPartsAndDataToThePools)
{
    SYS_CObjectForVesk* first = BuildObject(3, 0, 2, 1);
    SYS_CObjectForVesk* second = BuildObject(3, 1, 1, 0);
    SYS_CObjectForVesk* third = BuildObject(3, 3, 0, 2);
    SYS_CObjectForVesk* other = BuildObject(4, 2, 1, 1);
    ASSERT_TRUE(first && second && third && other);
    first->AddData(7, std::vector<std::uint8_t>{1, 2});  // named by no part
    ASSERT_NE(manager->AllocateLayerBlock(3, 256), nullptr);
    manager->WorkingList().push_back(first);
    EXPECT_EQ(manager->FreeObjectCount(), 124u);
    EXPECT_EQ(registry->parts.FreeCount(), 1024u - 4u);
    EXPECT_EQ(registry->subRecords.FreeCount(), 2048u - 4u);

    ReleaseLayer(3);

    EXPECT_EQ(manager->FreeObjectCount(), 127u);
    EXPECT_EQ(registry->parts.FreeCount(), 1023u);
    EXPECT_EQ(registry->subRecords.FreeCount(), 2047u);
    for (int list = 0; list < kListsPerLayer; ++list) EXPECT_TRUE(manager->LayerList(3, list).empty());
    EXPECT_EQ(manager->LayerBlock(3), nullptr);
    EXPECT_TRUE(manager->WorkingList().empty());
    for (SYS_CObjectForVesk* object : {first, second, third}) {
        EXPECT_TRUE(object->Parts().empty());
        EXPECT_TRUE(object->SubRecords().empty());
        EXPECT_EQ(object->StateWord(0), 1u);
        EXPECT_EQ(object->StateWord(1), 1u);
        EXPECT_EQ(object->StateWord(2), 0u);
    }
    // Entries of the parts are gone; others stay with the object.
    EXPECT_EQ(first->DataCount(), 1u);
    EXPECT_EQ(second->DataCount(), 0u);

    // The other layer keeps everything.
    ASSERT_EQ(manager->LayerList(4, 2).size(), 1u);
    EXPECT_EQ(other->Parts().size(), 1u);
    EXPECT_EQ(other->DataCount(), 1u);

    // Records come back fresh.
    SYS_CObjectForVesk* again = manager->AcquireObject(5, 0);
    plix::SYS_CPart* part = manager->AddPart(*again);
    EXPECT_TRUE(part->spriteName.empty());
    EXPECT_EQ(part->spriteIndex, -1);
    EXPECT_FALSE(part->dataKey.has_value());
    EXPECT_EQ(manager->AddSubRecord(*again)->state[0], 0u);
}

TEST_F(LayoutManagerTest, ReleasingAnEmptyLayerFreesOnlyItsBlock)
{
    ASSERT_NE(manager->AllocateLayerBlock(5, 64), nullptr);
    void* neighbourBlock = manager->AllocateLayerBlock(6, 64);
    ASSERT_NE(neighbourBlock, nullptr);
    SYS_CObjectForVesk* neighbour = BuildObject(6, 0, 1, 1);
    ASSERT_NE(neighbour, nullptr);

    ReleaseLayer(5);

    EXPECT_EQ(manager->LayerBlock(5), nullptr);
    EXPECT_EQ(manager->LayerBlock(6), neighbourBlock);
    EXPECT_EQ(manager->FreeObjectCount(), 127u);
    EXPECT_EQ(neighbour->Parts().size(), 1u);
    EXPECT_EQ(neighbour->DataCount(), 1u);
    EXPECT_EQ(registry->parts.FreeCount(), 1023u);

    // A layer that does not exist changes nothing.
    support::LogCapture log;
    ReleaseLayer(64);
    ReleaseLayer(-1);
    EXPECT_EQ(manager->LayerBlock(6), neighbourBlock);
}

TEST_F(LayoutManagerTest, EmptyPoolsAndBadLayersGiveNothing)
{
    EXPECT_EQ(manager->AcquireObject(64, 0), nullptr);
    EXPECT_EQ(manager->AcquireObject(0, 4), nullptr);
    EXPECT_EQ(manager->AllocateLayerBlock(-1, 16), nullptr);
    for (int i = 0; i < kLayoutObjectCount; ++i) ASSERT_NE(manager->AcquireObject(i % kLayerCount, i % 4), nullptr);
    EXPECT_EQ(manager->AcquireObject(0, 0), nullptr);
    EXPECT_EQ(manager->LayerList(0, 0).size(), 2u);  // objects 0 and 64

    SYS_CObjectForVesk& object = *manager->LayerList(1, 1).front();
    for (std::size_t i = 0; i < kPartPoolSize; ++i) ASSERT_NE(manager->AddPart(object), nullptr);
    EXPECT_EQ(manager->AddPart(object), nullptr);
    EXPECT_EQ(object.Parts().size(), kPartPoolSize);

    // Shut-down with every layer full returns all of it.
    ReleaseLayoutManager();
    EXPECT_EQ(GetLayoutManager(), nullptr);
    EXPECT_EQ(GetLayoutRegistry(), nullptr);
    ReleaseLayoutManager();  // twice is harmless
    ASSERT_TRUE(CreateLayoutManager());
}

TEST(LayoutPartPool, ARecordReturnedTwiceOrFromElsewhereIsRefused)
{
    PartPool pool(2);
    PartPool stranger(1);
    plix::SYS_CPart* a = pool.Take();
    plix::SYS_CPart* b = pool.Take();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(pool.Take(), nullptr);

    support::LogCapture log;
    EXPECT_TRUE(pool.Return(a));
    EXPECT_FALSE(pool.Return(a));
    EXPECT_FALSE(pool.Return(stranger.Take()));
    EXPECT_FALSE(pool.Return(nullptr));
    EXPECT_EQ(pool.FreeCount(), 1u);
    EXPECT_TRUE(log.Contains("returned twice"));
    // So the record is handed out once only.
    EXPECT_EQ(pool.Take(), a);
    EXPECT_EQ(pool.Take(), nullptr);
}

TEST(LayoutObject, GetDataFindsTheFirstEntryOfAnIdAndLeavesOutputsAloneOtherwise)
{
    SYS_CObjectForVesk object;
    object.AddData(0x41424344u, std::vector<std::uint8_t>{1, 2, 3});
    object.AddData(0x41424344u, std::vector<std::uint8_t>{9});
    object.AddData(5, {});

    const std::uint8_t sentinel = 0;
    const void* data = &sentinel;
    std::size_t size = 77;
    EXPECT_FALSE(object.GetData(6, data, size));
    EXPECT_EQ(data, &sentinel);
    EXPECT_EQ(size, 77u);

    ASSERT_TRUE(object.GetData(0x41424344u, data, size));
    ASSERT_EQ(size, 3u);
    EXPECT_EQ(static_cast<const std::uint8_t*>(data)[2], 3);

    EXPECT_TRUE(object.FreeData(0x41424344u));
    ASSERT_TRUE(object.GetData(0x41424344u, data, size));
    EXPECT_EQ(size, 1u);
    EXPECT_TRUE(object.GetData(5, data, size));
    EXPECT_EQ(size, 0u);
    EXPECT_FALSE(object.FreeData(6));
}

}  // namespace
}  // namespace vesk::layout

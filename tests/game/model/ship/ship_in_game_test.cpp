// The ship in the running game: the first ship wears its hull package, and a frame draws the hull, the floor and the rooms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/ship.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/game_fixture.h"

namespace {

class ShipInGame : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
    }

    bool Drew(int group, std::int32_t ref) const
    {
        const auto& sprites = frames.back().sprites;
        return std::any_of(sprites.begin(), sprites.end(), [&](const support::RecordedSpriteDraw& draw) {
            return draw.group == group && draw.ref == ref;
        });
    }
};

TEST_F(ShipInGame, TheFirstShipWearsItsHullAndAFrameDrawsHullFloorAndRooms)
{
    GAME_CShip& ship = *GetGameWorld()->ship;
    EXPECT_EQ(ship.shipTag, MakeTag("SHP2"));
    const vesk::resource::SpriteRegistry& registry = *vesk::resource::GetSpriteRegistry();
    // "ship/ship/prot/prot.pac" in sprite group 4: the body is its sprite 2, the cover sprite 1.
    EXPECT_EQ(registry.FindSprite(GAME_CShipBodyRender::kHullSpriteGroup, "prot_02_body"), 2);
    EXPECT_EQ(registry.FindSprite(GAME_CShipBodyRender::kHullSpriteGroup, "prot_01_cover"), 1);

    const GAME_CRoomBase* kitchen = ship.PlaceRoom(1, 3, FindRoomIdIndex(MakeTag("ID04")));
    const GAME_CRoomBase* ladder = ship.PlaceRoom(4, 2, FindRoomIdIndex(MakeTag("ID22")));
    ASSERT_NE(kitchen, nullptr);
    ASSERT_NE(ladder, nullptr);
    StepFrames(2);
    EXPECT_TRUE(Drew(GAME_CShipBodyRender::kHullSpriteGroup, 2));
    EXPECT_TRUE(Drew(2, ship.grid.FloorSprite()) || Drew(2, ship.grid.LitFloorSprite()));
    EXPECT_TRUE(Drew(2, kitchen->spriteId));
    EXPECT_TRUE(Drew(2, ladder->spriteId));
    EXPECT_GT(ship.PathCost(0, 2, 1, 3), 0);

    // Zoomed out, the cover hides the rooms.
    ship.ToggleZoom();
    StepFrames(15);
    EXPECT_TRUE(ship.body->IsZoomedOut());
    EXPECT_TRUE(Drew(GAME_CShipBodyRender::kHullSpriteGroup, 1));
    EXPECT_FALSE(Drew(2, kitchen->spriteId));
}

// A tune in a music room at the deck's right end motivates crew within two cells of it: the field
// reaches past the last column, where there is no deck, and its notes are drawn on deck cells alone.
TEST_F(ShipInGame, AFieldAtTheDecksEndDrawsItsNotesOnTheDeckAlone)
{
    GAME_CShip& ship = *GetGameWorld()->ship;
    const std::int32_t row = 3;
    std::int32_t last = ship.grid.width - 1;
    while (last > 0 && (ship.grid.GetCell(last, row)->usable == 0 || ship.grid.GetCell(last, row)->HoldsRoom())) --last;
    GAME_CRoomBase* music = ship.PlaceRoom(last, row, FindRoomIdIndex(MakeTag("ID26")));
    ASSERT_NE(music, nullptr) << "no free deck cell at the end of row " << row;
    ASSERT_NE(CreateEffectField(kEffectBuff, 2, MakeTag("B002"), 2, 900, music), nullptr);
    StepFrames(2);
    KeepCanvasPicture("music-field");

    float minX = 0.0f;
    float minY = 0.0f;
    ship.GetGridScreenMin(&minX, &minY);
    const float cellWidth = ship.grid.cellWidth * std::fabs(ship.body->scaleX) * GetGameWorld()->camera->zoom * 0.25f;
    const float cellHeight = ship.grid.cellHeight * std::fabs(ship.body->scaleY) * GetGameWorld()->camera->zoom * 0.25f;
    int notes = 0;
    for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
        if (draw.group != 2 || (draw.ref != ship.effectFieldSprites[1][0] && draw.ref != ship.effectFieldSprites[1][1])) continue;
        ++notes;
        const auto column = static_cast<std::int64_t>(std::lround((draw.x - minX) / cellWidth));
        const auto cellRow = static_cast<std::int64_t>(std::lround((draw.y - minY) / cellHeight));
        EXPECT_TRUE(ship.grid.IsInside(column, cellRow) && ship.grid.GetCell(column, cellRow)->usable != 0)
            << "notes drawn over cell " << column << ", " << cellRow << " off the deck";
    }
    EXPECT_GT(notes, 0);
}

}  // namespace

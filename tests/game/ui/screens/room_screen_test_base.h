// The running game with rooms placed on the first ship and goods in a storeroom, for the tests of the room screens.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "game/services/data/id_tags.h"
#include "game/services/player/inventory.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/ui/room_task_tab.h"
#include "game/ui/selection_dialog.h"
#include "tests/game/ui/ui_test_base.h"

namespace support {

class RoomScreenTest : public UITest {
protected:
    void SetUp() override
    {
        UITest::SetUp();
        UI().CloseAllExcept();
        StepFrames(20);
        world->tasks->Clear();
    }

    // A finished room of the kind on the cell; fails the test when it does not fit.
    GAME_CRoomBase& Place(const char (&id)[5], int x, int y)
    {
        GAME_CRoomBase* room = world->ship->PlaceRoom(x, y, FindRoomIdIndex(MakeTag(id)));
        EXPECT_NE(room, nullptr) << id << " at " << x << ", " << y;
        return room != nullptr ? *room : fallback_;
    }

    // Units of an item in a storeroom, placed on the cell the first time.
    void Store(const char (&item)[5], int count, int x = 9, int y = 3)
    {
        if (storeroom_ == nullptr) storeroom_ = &Place("ID20", x, y);
        GAME_CInventory* inventory = FindRoomInventory(storeroom_);
        ASSERT_NE(inventory, nullptr);
        for (int i = 0; i < count; ++i) ASSERT_TRUE(inventory->AddItem(MakeTag(item))) << item;
    }

    std::int32_t IndexOf(const GAME_CRoomBase& room) const { return world->ship->GetRoomIndex(&room); }

    // Opens the room's screen as a second click on its cell does, and lets it slide in.
    void OpenScreenOf(GAME_CRoomBase& room)
    {
        UI().OpenRoomScreen(&room, IndexOf(room));
        StepFrames(20);
    }

    // Whether the last frame drew the text of the message key (literally, as the key's text).
    bool DrewKey(std::string_view key) const { return FindTextDraw(GetMessageTextExpanded(key)) != nullptr; }
    bool DrewText(std::u16string_view text) const { return FindTextDraw(text) != nullptr; }

    // How many of the frames since `from` played the sound effect.
    int CountPlayed(std::uint32_t id, std::size_t from) const
    {
        int count = 0;
        for (std::size_t i = from; i < frames.size(); ++i) {
            for (std::uint32_t played : frames[i].soundEffects) count += played == id ? 1 : 0;
        }
        return count;
    }

    // With VARNOLIS_UI_PICTURE_DIR=<folder>, the canvas as a PPM picture of that name to look at.
    void Keep(const std::string& name)
    {
        const char* folder = std::getenv("VARNOLIS_UI_PICTURE_DIR");
        if (folder == nullptr) return;
        ASSERT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
    }

    // Empties the member's trait slots and fills them with the ids given, in order.
    static void GiveTraits(GAME_CObjectActor& member, std::initializer_list<std::uint32_t> skills,
                           std::initializer_list<std::uint32_t> buffs, std::initializer_list<std::uint32_t> debuffs)
    {
        GAME_CActorStatus& status = member.status;
        status.RemoveSkill(kNoId);
        status.RemoveBuff(kNoId);
        status.RemoveDebuff(kNoId);
        status.progress = 1'000'000;
        for (const std::uint32_t id : skills) status.AddSkill(id);
        for (const std::uint32_t id : buffs) status.AddBuff(id);
        for (const std::uint32_t id : debuffs) status.AddDebuff(id);
    }

    // The task tab scrolled past its HP line: its first two lines name these upgrades, and neither
    // the gauge nor the HP value shows.
    static void ExpectUpgradesOnTop(const GAME_CUIRoomTaskTab& tab, std::string_view first, std::string_view second)
    {
        EXPECT_EQ(tab.DisplayLabel(0)->Key(), first);
        EXPECT_EQ(tab.DisplayLabel(1)->Key(), second);
        EXPECT_EQ(tab.GaugeFill()->Color() >> 24, 0u);
        EXPECT_EQ(tab.GaugeFrame()->Color() >> 24, 0u);
        EXPECT_TRUE(tab.ValueLabel()->Literal().empty());
    }

    static GAME_CUIInDisplaySelectionObject& Dialog() { return *GetInDisplaySelection(); }

    // Closes a one-button message as the player does: decide once its button rests, then the frames
    // until it has gone.
    bool CloseMessage()
    {
        if (!StepUntil([] { return Dialog().IsVisible() && Dialog().EnterButton()->State() == 1; }, 10)) return false;
        PressAction(kActionDecide);
        return StepUntil([] { return !Dialog().IsVisible(); }, 30);
    }

private:
    GAME_CRoomBase* storeroom_ = nullptr;
    GAME_CRoomBase fallback_;
};

}  // namespace support

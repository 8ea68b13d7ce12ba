// The input map's bindings in the save image's tables, and the names shown for keys and pad buttons.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/log/log.h"
#include "game/services/input/input_map.h"
#include "platform/little_endian.h"
#include "tests/support/message_data.h"

namespace {

TEST(InputBindings, ARebindingSurvivesASaveAndAReloadAndBadSavedValuesKeepTheDefault)
{
    std::vector<std::uint8_t> padArea(10240, 0xEE);
    std::vector<std::uint8_t> keyArea(10240, 0xEE);
    {
        GAME_CInputMap map;
        ASSERT_TRUE(map.SetKeyBinding(kActionMenuFunctionA, 59));
        ASSERT_TRUE(map.SetPadBinding(kActionMenuTabChange, 0x2000));
        ASSERT_TRUE(map.SetKeyBinding(kActionDecide, kNoKey));
        EXPECT_FALSE(map.SetPadBinding(kActionCancel, 0x1));  // START is not bindable
        ASSERT_TRUE(map.WritePadBindings(padArea));
        ASSERT_TRUE(map.WriteKeyBindings(keyArea));
    }
    // Little-endian words at 4 x action, the rest of each area zero.
    EXPECT_EQ(platform::ReadU32(keyArea.data() + 4 * kActionMenuFunctionA), 59u);
    EXPECT_EQ(platform::ReadU32(keyArea.data() + 4 * kActionDecide), 0xFFFFFFFFu);
    EXPECT_EQ(platform::ReadU32(padArea.data() + 4 * kActionMenuTabChange), 0x2000u);
    EXPECT_EQ(std::set<std::uint8_t>(padArea.begin() + GAME_CInputMap::kBindingTableBytes, padArea.end()),
              std::set<std::uint8_t>{0});

    GAME_CInputMap reloaded;
    ASSERT_TRUE(reloaded.ReadPadBindings(padArea));
    ASSERT_TRUE(reloaded.ReadKeyBindings(keyArea));
    EXPECT_EQ(reloaded.GetKeyBinding(kActionMenuFunctionA), 59);
    EXPECT_EQ(reloaded.GetKeyBinding(kActionDecide), kNoKey);
    EXPECT_EQ(reloaded.GetPadBinding(kActionMenuTabChange), 0x2000u);
    EXPECT_EQ(reloaded.GetDefaultKeyBinding(kActionMenuFunctionA), 35);
    EXPECT_EQ(reloaded.GetPadBinding(kActionCancel), 0x100u);

    // A damaged save: each value that is no binding is dropped with a log
    // line naming the action, and the action keeps its default.
    platform::WriteU32(keyArea.data() + 4 * kActionCancel, 111);
    platform::WriteU32(padArea.data() + 4 * kActionCancel, 0x300);
    platform::WriteU32(padArea.data() + 4 * kActionCursorUp, 0x1000000);
    std::vector<std::string> lines;
    vesk::log::SetSink([&](vesk::log::Level, std::string_view line) { lines.emplace_back(line); });
    GAME_CInputMap damaged;
    EXPECT_TRUE(damaged.ReadPadBindings(padArea));
    EXPECT_TRUE(damaged.ReadKeyBindings(keyArea));
    EXPECT_FALSE(damaged.ReadKeyBindings(std::span<const std::uint8_t>(keyArea).first(111)));
    vesk::log::SetSink({});
    EXPECT_EQ(damaged.GetKeyBinding(kActionCancel), 74);
    EXPECT_EQ(damaged.GetPadBinding(kActionCancel), 0x100u);
    EXPECT_EQ(damaged.GetPadBinding(kActionCursorUp), 0x10u);
    EXPECT_EQ(damaged.GetKeyBinding(kActionMenuFunctionA), 59);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("action 1 "), std::string::npos) << lines[0];

    // A new save image holds the defaults.
    GAME_CInputMap::WriteDefaultKeyBindings(keyArea);
    GAME_CInputMap fresh;
    ASSERT_TRUE(fresh.ReadKeyBindings(keyArea));
    for (int action = 0; action < kInputActionCount; ++action) {
        EXPECT_EQ(fresh.GetKeyBinding(action), fresh.GetDefaultKeyBinding(action)) << action;
    }

    // Tables wiped to 0xFF: no pad word is a button and no key is bound at all, which no player
    // can do; both devices keep every default, and the log says so.
    std::fill(keyArea.begin(), keyArea.end(), std::uint8_t{0xFF});
    std::fill(padArea.begin(), padArea.end(), std::uint8_t{0xFF});
    lines.clear();
    vesk::log::SetSink([&](vesk::log::Level, std::string_view line) { lines.emplace_back(line); });
    GAME_CInputMap wiped;
    ASSERT_TRUE(wiped.SetKeyBinding(kActionDecide, 59));
    EXPECT_TRUE(wiped.ReadKeyBindings(keyArea));
    EXPECT_TRUE(wiped.ReadPadBindings(padArea));
    vesk::log::SetSink({});
    for (int action = 0; action < kInputActionCount; ++action) {
        EXPECT_EQ(wiped.GetKeyBinding(action), wiped.GetDefaultKeyBinding(action)) << action;
        EXPECT_EQ(wiped.GetPadBinding(action), GetInputActionDefault(action).padMask) << action;
    }
    EXPECT_EQ(lines.size(), 1u + kInputActionCount);
    EXPECT_NE(lines.front().find("every key binding"), std::string::npos) << lines.front();
}

// A saved table that binds two actions no capture lets share one key or button, DECIDE and CANCEL on
// one key above all (every press would both decide and cancel): both take back their defaults, with
// a log line, and so does whatever a restored default then meets. What a capture can make, a menu and
// a gameplay action on one key, is kept exactly.
TEST(InputBindings, ActionsThatMayNotShareABindingTakeBackTheirDefaultsWhenASavedTableJoinsThem)
{
    std::vector<std::uint8_t> keyArea(10240, 0);
    std::vector<std::uint8_t> padArea(10240, 0);
    GAME_CInputMap::WriteDefaultKeyBindings(keyArea);
    GAME_CInputMap::WriteDefaultPadBindings(padArea);
    platform::WriteU32(keyArea.data() + 4 * kActionDecide, 74);        // Space, CANCEL's key
    platform::WriteU32(keyArea.data() + 4 * kActionCursorUp, 44);      // Enter, free once DECIDE left it
    platform::WriteU32(keyArea.data() + 4 * kActionMenuFunctionB, 59); // Z, shared with a gameplay action
    platform::WriteU32(keyArea.data() + 4 * kActionShortcutLog, 59);
    platform::WriteU32(padArea.data() + 4 * kActionCancel, 0x200);     // BUTTON_2, DECIDE's button

    std::vector<std::string> lines;
    vesk::log::SetSink([&](vesk::log::Level, std::string_view line) { lines.emplace_back(line); });
    GAME_CInputMap map;
    EXPECT_TRUE(map.ReadKeyBindings(keyArea));
    EXPECT_TRUE(map.ReadPadBindings(padArea));
    vesk::log::SetSink({});
    EXPECT_EQ(map.GetKeyBinding(kActionDecide), 44);
    EXPECT_EQ(map.GetKeyBinding(kActionCancel), 74);
    EXPECT_EQ(map.GetKeyBinding(kActionCursorUp), 33);
    EXPECT_EQ(map.GetKeyBinding(kActionMenuFunctionB), 59);
    EXPECT_EQ(map.GetKeyBinding(kActionShortcutLog), 59);
    EXPECT_EQ(map.GetPadBinding(kActionDecide), 0x200u);
    EXPECT_EQ(map.GetPadBinding(kActionCancel), 0x100u);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("actions 0 and 1"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("actions 0 and 2"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("pad"), std::string::npos) << lines[2];
}

// Every name the input map can show has a text in the message data, and the
// names of unknown codes fall back to the "none" text.
TEST(InputBindings, EveryKeyAndPadButtonNameHasAMessageText)
{
    const std::set<std::string> keys = support::MessageKeys();
    ASSERT_FALSE(keys.empty());
    for (std::int32_t code = -1; code <= kLastKeyCode + 1; ++code) {
        EXPECT_TRUE(keys.count(KeyboardKeyNameKey(code))) << KeyboardKeyNameKey(code);
    }
    EXPECT_EQ(KeyboardKeyNameKey(111), "ADD_TEXT_KEYBOARD_NON");
    EXPECT_EQ(KeyboardKeyNameKey(110), "ADD_TEXT_KEYBOARD_TENTER");
    EXPECT_EQ(KeyboardKeyNameKey(114), "ADD_TEXT_KEYBOARD_MouseRButton");
    for (int bit = 0; bit < 32; ++bit) {
        EXPECT_TRUE(keys.count(PadButtonNameKey(1u << bit))) << PadButtonNameKey(1u << bit);
    }
    EXPECT_EQ(PadButtonNameKey(0), "ADD_TEXT_XINPUT_BUTTON_NON");
    EXPECT_EQ(PadButtonNameKey(0x300), "ADD_TEXT_XINPUT_BUTTON_NON");

    // Without a message file the key itself is shown.
    EXPECT_EQ(GetKeyboardKeyName(44), u"ADD_TEXT_KEYBOARD_Enter");
    support::ScopedMessages messages;
    EXPECT_EQ(GetKeyboardKeyName(44), u"Enter");
    EXPECT_EQ(GetPadButtonName(0x40000), u"LT");
}

}  // namespace

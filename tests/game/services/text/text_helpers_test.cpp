// The text helpers: key names in message texts, full-width conversion, crew names and tweens.
#include <gtest/gtest.h>

#include "framework/input/input_manager.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_map.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/world/tween.h"
#include "framework/math/random.h"
#include "platform/input/keyboard.h"
#include "tests/support/message_data.h"

namespace {

TEST(KeyNamesTest, PlaceholdersTakeTheNamesOfTheBoundKeysOrButtons)
{
    support::ScopedMessages messages;
    vesk::input::CreateInput();
    GAME_CInputMap* map = GetInputMap();

    // The pad is the device in use at first: its button's name.
    EXPECT_EQ(ReplaceKeyNames(u"Press %keyname_DECIDE."), u"Press " + GetPadButtonName(map->GetPadBinding(0)) + u".");
    // Once a key is pressed the keyboard's names are shown; every occurrence is replaced.
    SetGameWorldReady(true);
    platform::input::SetKeyDown(0x1C, true);  // Enter
    UpdateInputMap();
    SetGameWorldReady(false);
    platform::input::SetKeyDown(0x1C, false);
    ASSERT_TRUE(map->IsKeyboardInUse());
    const std::u16string enter = GetKeyboardKeyName(map->GetKeyBinding(0));
    EXPECT_EQ(enter, u"Enter");
    EXPECT_EQ(ReplaceKeyNames(u"%keyname_DECIDE/%keyname_DECIDE"), enter + u"/" + enter);
    // A rebinding shows at once; the stick's placeholder takes a message text.
    ASSERT_TRUE(map->SetKeyBinding(0, 74));
    EXPECT_EQ(ReplaceKeyNames(u"%keyname_DECIDE %keyname_MENU_STICK_A"), u"Space Left Stick");
    // Texts without placeholders come back as they are; a missing key shows itself.
    EXPECT_EQ(ReplaceKeyNames(u"%keyname"), u"%keyname");
    EXPECT_EQ(GetMessageTextExpanded("NO_SUCH_KEY"), u"NO_SUCH_KEY");

    DestroyInputMap();
    vesk::input::ReleaseInput();
    platform::input::ResetKeyboard();
}

TEST(FullWidthTest, DigitsLettersAndSignsConvertBothWays)
{
    char16_t buffer[8];
    ToFullWidthText(buffer, 8, u"A1-.");
    EXPECT_EQ(std::u16string(buffer), u"Ａ１‐．");
    EXPECT_EQ(ToFullWidthText(u"z9/: ?"), u"ｚ９／： ?");
    // The destination keeps one unit for the terminator and zeroes the rest of its size.
    char16_t small[5] = {u'x', u'x', u'x', u'x', u'x'};
    ToFullWidthText(small, 4, u"AB");
    EXPECT_EQ(std::u16string(small, 5), std::u16string(u"ＡＢ\0\0x", 5));
    ToFullWidthText(small, 3, u"ABCD");
    EXPECT_EQ(std::u16string(small, 3), std::u16string(u"ＡＢ\0", 3));

    char16_t half[33] = {};
    ToHalfWidthText(half, u"Ａ１‐．／：＿　ｘ");
    EXPECT_EQ(std::u16string(half), u"A1-./:_ x");
    FormatFullWidthNumber(buffer, 8, -42);
    EXPECT_EQ(std::u16string(buffer), u"‐４２");
}

TEST(ActorNameTest, NamesComeFromTheListAvoidingForbiddenWords)
{
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    EXPECT_EQ(PickRandomActorName(), u"");
    database.SetActorNameLists("アイカキサシ", "アイカキ");
    vesk::math::SeedRandom(5);
    vesk::math::MarkRandomClockSeeded();
    for (int i = 0; i < 20; ++i) EXPECT_EQ(PickRandomActorName(), u"サシ");
    // Every name forbidden: none.
    database.SetActorNameLists("アイカキ", "アイカキ");
    EXPECT_EQ(PickRandomActorName(), u"");
    // A child's name begins with a letter of a parent's.
    database.SetActorNameLists("アイカキサシタチ", "");
    for (int i = 0; i < 20; ++i) {
        const std::u16string child = MakeChildActorName(u"カメ", u"タヌ");
        EXPECT_TRUE(child == u"カキ" || child == u"タチ") << std::string(child.begin(), child.end());
    }
    DestroyStaticDatabase();

    EXPECT_EQ(RomanizeKanaPair(u"シジ"), u"SIZI");
    EXPECT_EQ(RomanizeKanaPair(u"ンー"), u"NN");
}

TEST(TweenTest, EaseOutReachesItsEndAfterTheDelayAndDuration)
{
    Tween tween;
    InitTween(tween, 0.0f, 0.0f, 4, 2);
    tween.to = {8.0f, -4.0f};
    TweenPoint out;
    UpdateTweenEaseOut(tween, out);
    UpdateTweenEaseOut(tween, out);
    EXPECT_FLOAT_EQ(out.x, 0.0f);
    UpdateTweenEaseOut(tween, out);
    EXPECT_FLOAT_EQ(out.x, 8.0f * (1.0f - 0.75f * 0.75f));
    for (int i = 0; i < 3; ++i) UpdateTweenEaseOut(tween, out);
    EXPECT_FLOAT_EQ(out.x, 8.0f);
    EXPECT_FLOAT_EQ(out.y, -4.0f);
    EXPECT_TRUE(IsTweenFinished(tween));
    // Started again from its end, it stays there.
    RestartTweenFrom(tween, {8.0f, -4.0f});
    UpdateTweenEaseOut(tween, out);
    EXPECT_FLOAT_EQ(out.x, 8.0f);
    EXPECT_FLOAT_EQ(out.y, -4.0f);
}

}  // namespace

// The running game with the title closed, for the tests of the screens and widgets.
#pragma once

#include <algorithm>
#include <cstdint>
#include <ranges>
#include <string>
#include <utility>

#include "game/services/player/player_data.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/support/game_fixture.h"

namespace support {

class UITest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        StartGame();
        ASSERT_TRUE(StepUntilMainGame());
        ASSERT_TRUE(StepUntilSaveIdle());
        ASSERT_TRUE(CloseScreen(kSlotTitle));
        world = GetGameWorld();
    }

    // Whether the last frame played the sound effect.
    bool Played(std::uint32_t id) const
    {
        if (frames.empty()) return false;
        const auto& effects = frames.back().soundEffects;
        return std::find(effects.begin(), effects.end(), id) != effects.end();
    }

    // Whether the sound effect played since the last frame began (also by a widget a test updates).
    static bool PlayedNow(std::uint32_t id) { return GetSoundPlayer()->WasPlayedThisFrame(id); }

    // Chooses the language as the options screen does: its messages and its font from the next frame on.
    void ChooseLanguage(std::uint32_t language)
    {
        GetPlayerData()->language = language;
        GetPlayerData()->languageChanged = 1;
        StepFrames(1);
    }

    // The widest of the things' names in the chosen language's font, for the checks that a text naming any of them fits its box.
    template <std::ranges::input_range Tags>
    static std::u16string WidestTagName(Tags&& tags)
    {
        std::u16string widest;
        for (const std::uint32_t tag : tags) {
            std::u16string name = UITagName(tag);
            if (MeasureUIText(name) > MeasureUIText(widest)) widest = std::move(name);
        }
        return widest;
    }

    GAME_CGameWorld* world = nullptr;
};

}  // namespace support

// The running game with the title closed, for the tests of the screens and widgets.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ranges>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/services/player/player_data.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/text/actor_names.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/support/game_fixture.h"

namespace support {

class UITest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
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

    // The widest crew name in the chosen language's letters and font: every name comes from the name list.
    static std::u16string WidestCrewName()
    {
        const GAME_CStaticDatabase& database = *GetStaticDatabase();
        std::u16string widest;
        for (std::int32_t i = 0; i < database.GetActorNameCount(); ++i) {
            std::u16string name = RomanizeKanaPair(database.GetActorName(i));
            if (MeasureUIText(name) > MeasureUIText(widest)) widest = std::move(name);
        }
        return widest;
    }

    // Expects the text to keep to the shared dialog's lines, each inside its box less the margin on either side.
    static void ExpectFitsDialog(const std::u16string& text, std::string_view where)
    {
        using Box = GAME_CUIInDisplaySelectionObject;
        const float textRoom = Box::kTextWidth - 2.0f * Box::kTextLeft;
        const std::vector<std::u16string> lines = SplitTextLines(text, {.ends = TextLineEnds::kBreaksEndLines});
        EXPECT_LE(lines.size(), Box::kLineCount) << where;
        for (const std::u16string& line : lines) {
            EXPECT_LE(MeasureUIText(line), textRoom) << where << ", line " << (&line - lines.data()) + 1;
        }
    }

    GAME_CGameWorld* world = nullptr;
};

}  // namespace support

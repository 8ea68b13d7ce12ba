// The 2D draw state every screen starts from, and the width of a text in the player's font.
#include "game/services/text/draw_state.h"

#include "framework/graphics/polygon_render.h"
#include "framework/graphics/render_states.h"
#include "framework/text/font_manager.h"
#include "game/services/player/player_data.h"

namespace {

constexpr std::uint32_t kMiniGameFontSlot = 1;

std::uint32_t PlayerFontSlot()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player ? player->fontIndex : 0;
}

void ResetWithFont(std::uint32_t fontSlot)
{
    vesk::graphics::SetRasterizerState(0);
    vesk::graphics::SetDepthStencilState(0);
    vesk::graphics::SetSamplerState(0);
    if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->SetCurrentFont(fontSlot);
    vesk::graphics::BeginSpriteDraw(-1, 4);
}

}  // namespace

void ResetDrawState() { ResetWithFont(PlayerFontSlot()); }

void ResetDrawStateMiniGame() { ResetWithFont(kMiniGameFontSlot); }

float MeasureText(std::u16string_view text)
{
    const vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager();
    if (fonts == nullptr) return 0.0f;
    int lines = 0;
    return fonts->MeasureString(static_cast<int>(PlayerFontSlot()), text, 0.0f, &lines, true);
}

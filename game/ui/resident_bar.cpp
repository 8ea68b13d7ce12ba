// The resident info bar (slot 2): the news ticker along the bottom of the game view.
#include "game/ui/resident_bar.h"

#include "game/ui/ui_draw.h"

namespace {

constexpr float kBarX = 181.0f;
constexpr float kBarY = 307.0f;

const UIInfoBarObjectDesc* TickerDesc()
{
    static const UIInfoBarObjectDesc desc{10, kBarX, kBarY, 283.0f, 16.0f, 1.0f, 1.0f};
    return &desc;
}

}  // namespace

GAME_CUIResident::GAME_CUIResident() : infoBar(TickerDesc()) { background_ = FindUISprite("ui_common_bg"); }

void GAME_CUIResident::SetOpen(bool open)
{
    if (open == IsOpen()) return;
    if (open) {
        openRequest_ = 1;
        open_ = 1;
    } else {
        closeRequest_ = 1;
    }
}

void GAME_CUIResident::Update(bool)
{
    if (openRequest_ != 0) {
        openRequest_ = 0;
    } else if (closeRequest_ != 0) {
        closeRequest_ = 0;
        open_ = 0;
    }
    infoBar.UpdateTree(false);
}

void GAME_CUIResident::PreDraw()
{
    DrawUISprite({kBarX, kBarY}, background_);
    FlushUISprites();
    infoBar.Draw();
}

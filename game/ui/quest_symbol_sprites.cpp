// The symbols of the quest screens' detail rows: fuel, time limit, money, town and the row line, looked up once by name.
#include "game/ui/quest_symbol_sprites.h"

#include "game/ui/ui_draw.h"

GAME_CQuestSymbolSprites::GAME_CQuestSymbolSprites()
{
    static constexpr const char* kNames[kCount] = {"dot_itemsymbol_20", "dot_itemsymbol_132", "dot_itemsymbol_144",
                                                   "dot_itemsymbol_138", "ui_separator_left"};
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        handles_[i].index = FindUISprite(kNames[i]);
        handles_[i].sprite = GetUISprite(handles_[i].index);
    }
}

// The symbols of the quest screens' detail rows: fuel, time limit, money and town, looked up once by name.
#include "game/ui/quest_symbol_sprites.h"

#include "game/ui/ui_draw.h"

GAME_CQuestSymbolSprites::GAME_CQuestSymbolSprites()
{
    static constexpr const char* kNames[kCount] = {"dot_itemsymbol_20", "dot_itemsymbol_132", "dot_itemsymbol_144", "dot_itemsymbol_138"};
    for (std::size_t i = 0; i < ids_.size(); ++i) ids_[i] = FindUISprite(kNames[i]);
}

// Static-database commands of items and dishes, and the production index.
#include <algorithm>

#include "game/services/data/setting_commands.h"
#include "game/services/data/static_database.h"

namespace setting_commands {
namespace {

// An existing item, or null with a refusal naming the statement.
ItemData* ExistingItem(GAME_CStaticDatabase& database, std::uint32_t id, std::uint8_t mode)
{
    ItemData* item = database.GetOrCreateItemData(id, false);
    if (item == nullptr) {
        ReportRefused("item " + DescribeId(id) + " is not defined (item statement " + std::to_string(mode) + ")");
    }
    return item;
}

CookingRecipe* ExistingRecipe(GAME_CStaticDatabase& database, std::uint32_t id, std::uint8_t mode)
{
    CookingRecipe* recipe = database.GetOrCreateCookingRecipe(id, false);
    if (recipe == nullptr) {
        ReportRefused("dish " + DescribeId(id) + " is not defined (dish statement " + std::to_string(mode) + ")");
    }
    return recipe;
}

}  // namespace

std::uint32_t ItemCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr) {
        return 1;
    }
    switch (mode) {
    case 0:
        if (args.Need(7)) {
            ItemData* item = database->GetOrCreateItemData(args.U32(0), true);
            item->iconSprite = args.I32(1);
            item->buyPrice = args.I32(2);
            item->sellPrice = args.I32(3);
            item->stackLimit = args.I32(4);
            item->valueI = args.I32(5);
            item->foodValue = args.I32(6);
        }
        break;
    case 10:
        if (args.Need(4)) {
            if (ItemData* item = ExistingItem(*database, args.U32(0), mode)) {
                item->power = args.I32(1);
                item->period = args.I32(2);
                item->reach = args.I32(3);
            }
        }
        break;
    case 11:
    case 20:
        if (args.Need(2)) {
            if (ItemData* item = ExistingItem(*database, args.U32(0), mode)) {
                (mode == 11 ? item->valueD : item->valueE) = args.I32(1);
            }
        }
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t CookingRecipeCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                   std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr) {
        return 1;
    }
    switch (mode) {
    case 0:
        if (args.Need(6)) {
            CookingRecipe* recipe = database->GetOrCreateCookingRecipe(args.U32(0), true);
            recipe->value0 = args.I32(1);
            recipe->calorie = args.I32(2);
            recipe->cookingStaminaCost = args.I32(3);
            recipe->cookingSeconds = args.I32(4);
            recipe->mealDurationFrames = SecondsToFrames(args.I32(5));
        }
        break;
    case 1:
        if (args.Need(3)) {
            CookingRecipe* recipe = database->GetOrCreateCookingRecipe(args.U32(0), true);
            if (!PutItemCount(recipe->ingredients, args.U32(1), args.I32(2))) {
                ReportRefused("dish " + DescribeId(args.U32(0)) + " has no free ingredient entry for " +
                              DescribeId(args.U32(1)));
            }
        }
        break;
    case 10:
        if (args.Need(3)) {
            if (CookingRecipe* recipe = ExistingRecipe(*database, args.U32(0), mode)) {
                const std::uint32_t skill = args.U32(1);
                SkillWeight* entry = FindEntryForId(
                    std::span<SkillWeight>(recipe->skills), skill, [](const SkillWeight& e) { return e.skillId; },
                    [](const SkillWeight& e) { return e.skillId == kNoId || e.weight < 1; });
                if (entry == nullptr) {
                    ReportRefused("dish " + DescribeId(args.U32(0)) + " has no free skill entry for " +
                                  DescribeId(skill));
                } else {
                    *entry = SkillWeight{skill, std::max(0, args.I32(2))};
                }
            }
        }
        break;
    case 11:
        if (args.Need(2)) {
            if (CookingRecipe* recipe = ExistingRecipe(*database, args.U32(0), mode)) {
                recipe->noSkillWeight = std::max(1, args.I32(1));
            }
        }
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t BuildProductionIndexCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&,
                                          std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database != nullptr && mode == 0) {
        database->BuildItemProductionIndex();
    }
    return 1;
}

}  // namespace setting_commands

// What completed tasks give: crafted items, the bonus draw, the cook's skill draw, skills and debuffs taken away, and crew for the next task.
#include "game/model/ship/task_results.h"

#include <algorithm>

#include "framework/math/random.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_image.h"
#include "game/services/save/working_slot.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"

namespace {

// The golden cheese: each one made counts toward its achievement.
constexpr std::uint32_t kGoldenCheese = MakeTag("I076");
constexpr std::uint32_t kGoldenCheeseAchievement = MakeTag("A002");
constexpr std::size_t kMaxRecipeSkills = 3;

std::uint64_t DrawRandom45()
{
    std::uint64_t value = 0;
    for (int i = 0; i < 3; ++i) value = value << 15 | static_cast<std::uint64_t>(vesk::math::Rand() & 0x7FFF);
    return value;
}

bool IsWildcardId(std::uint32_t id) { return id == kNoId || id == 0xFFFFFFFEu || id == 0; }

}  // namespace

std::uint64_t DrawRandom64()
{
    std::uint64_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 15 | static_cast<std::uint64_t>(vesk::math::Rand() & 0x7FFF);
    return value << 4 | static_cast<std::uint64_t>(vesk::math::Rand() & 0xF);
}

void ProduceCraftedItems(GAME_CTaskBase& task, const TaskData& record, GAME_CRoomBase& room)
{
    working_slot::MarkItemDiscovered(record.productItem);
    if (record.productItem == kGoldenCheese && record.productCount > 0) {
        AddAchievementCount(kGoldenCheeseAchievement, static_cast<std::uint32_t>(record.productCount));
    }
    DropItemStacks(record.productItem, record.productCount, room.gridX, room.gridY);
    if (GAME_CTaskManager* tasks = ship_world::Tasks()) {
        if (GAME_CTaskBase* next = tasks->FindNextRoomTask(task)) StaffTask(*next);
    }
}

void DrawCompletionBonus(const GAME_CTaskBase& task, const TaskData& record)
{
    const TaskBonus& first = record.bonuses[0];
    if (record.noBonusWeight == 0 || first.type >= kBonusUnused || first.id == kNoId || first.weight == 0) return;
    if (record.kind == kTaskMindControl) return;
    std::size_t count = 0;
    std::int64_t total = record.noBonusWeight;
    for (const TaskBonus& bonus : record.bonuses) {
        if (bonus.type >= kBonusUnused || bonus.id == kNoId || bonus.weight == 0) break;
        total += bonus.weight;
        ++count;
    }
    if (total <= record.noBonusWeight || total <= 0) return;
    for (GAME_CObjectActor* actor : task.crew) {
        if (actor == nullptr) continue;
        std::int64_t draw = static_cast<std::int64_t>(DrawRandom64() % static_cast<std::uint64_t>(total));
        for (std::size_t i = 0; i < count; ++i) {
            const TaskBonus& bonus = record.bonuses[i];
            if (draw >= bonus.weight) {
                draw -= bonus.weight;
                continue;
            }
            if (bonus.type == kBonusSkill) {
                actor->status.AddSkill(bonus.id);
            } else if (bonus.type == kBonusBuff) {
                actor->status.AddBuff(bonus.id);
            } else {
                actor->status.AddDebuff(bonus.id);
            }
            break;
        }
    }
}

void DrawRecipeSkill(const GAME_CTaskBase& task, const CookingRecipe& recipe)
{
    std::size_t count = 0;
    std::int64_t total = std::max(0, recipe.noSkillWeight);
    for (const SkillWeight& skill : recipe.skills) {
        if (count == kMaxRecipeSkills || skill.skillId == kNoId || skill.weight < 1) break;
        total += skill.weight;
        ++count;
    }
    if (total <= 0) return;
    for (GAME_CObjectActor* actor : task.crew) {
        if (actor == nullptr) continue;
        std::int64_t draw = static_cast<std::int64_t>(DrawRandom45() % static_cast<std::uint64_t>(total));
        for (std::size_t i = 0; i < count; ++i) {
            if (draw < recipe.skills[i].weight) {
                actor->status.AddSkill(recipe.skills[i].skillId);
                break;
            }
            draw -= recipe.skills[i].weight;
        }
    }
}

void ClearControlledSkills(const GAME_CTaskBase& task, const TaskData& record)
{
    for (GAME_CObjectActor* actor : task.crew) {
        if (actor == nullptr) continue;
        if (record.kind == kTaskMindControl) {
            const std::uint32_t skillId = record.bonuses[0].id;
            for (auto& slot : actor->status.skills) {
                if (IsWildcardId(skillId) || slot.id == skillId) slot = {};
            }
            actor->status.Recalc();
        } else if (record.kind == kTaskPatient && record.amount == 0) {
            const std::uint32_t debuffId = record.treatedDebuff;
            for (auto& slot : actor->status.debuffs) {
                if (IsWildcardId(debuffId) || slot.id == debuffId) slot = {};
            }
            actor->status.Recalc();
        }
    }
}

void StaffTask(GAME_CTaskBase& task)
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr) return;
    // One crew member comes with each call; stop when a call brings nobody.
    while (static_cast<std::int32_t>(task.crew.size()) < task.GetCrewLimit() && !task.IsFinished()) {
        const std::size_t before = task.crew.size();
        objects->AssignCrewToTask(&task, false, false);
        if (task.crew.size() <= before) break;
    }
}

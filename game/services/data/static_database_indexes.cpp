// The static database's derived indexes: item production, treatments and mind control.
#include "game/services/data/static_database.h"

void GAME_CStaticDatabase::BuildItemProductionIndex()
{
    if (tasks_.empty() || items_.empty()) {
        return;
    }
    production_.clear();
    for (const std::unique_ptr<ItemData>& item : items_) {
        ItemProductionData index;
        for (const auto& [roomId, room] : rooms_) {
            for (const TaskData* task : room->offeredTasks) {
                if (task->kind != kTaskItemCraft || task->productItem == kNoId) {
                    continue;
                }
                if (task->productItem == item->id) {
                    index.producers.push_back(ItemProducer{task->id, roomId, task->productCount});
                }
                for (const ItemCount& material : task->materials) {
                    if (material.itemId != kNoId && material.count != 0 && material.itemId == item->id) {
                        index.consumers.push_back(
                            ItemConsumer{task->id, roomId, task->productCount, material.count, task->productItem});
                        break;
                    }
                }
            }
        }
        production_.insert_or_assign(item->id, std::move(index));
    }
}

void GAME_CStaticDatabase::BuildTreatmentIndex()
{
    treatment_.clear();
    for (const auto& [id, task] : tasks_) {
        if (task.treatedDebuff != kNoId) {
            treatment_.try_emplace(task.treatedDebuff, &task);
        }
    }
}

void GAME_CStaticDatabase::BuildMindControlIndex()
{
    mindControl_.clear();
    for (const auto& [id, task] : tasks_) {
        if (task.kind == kTaskMindControl) {
            mindControl_.try_emplace(task.bonuses[0].id, &task);
        }
    }
}

// Drawing an item from an enemy kind's drop table by weight.
#pragma once

#include <cstdint>

struct EnemyData;

// An item id of the kind's drop table, each entry as likely as its weight
// among the weights of the table; none (-1) for a table without weight.
std::uint32_t ChooseEnemyDrop(const EnemyData& kind);

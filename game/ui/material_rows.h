// The material rows of the task windows: an item icon, its name, its count, and a separator under every row but the last.
#pragma once

#include <span>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/list_view.h"

class GAME_CUIObjectBase;

// An item row without a node of its own: its parts hang from the parent; the last row has no separator.
using UIMaterialRow = UIItemRowWidgets;

// The icons a line apart from iconAt, each row's separator under its icon's right edge.
void BuildUIMaterialRowPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, std::span<UIMaterialRow> rows,
                                vesk::math::Vec2 iconAt);
// The names a line apart from nameAt, the counts ending at countRight on the same lines.
void BuildUIMaterialRowTexts(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, std::span<UIMaterialRow> rows,
                             vesk::math::Vec2 nameAt, float countRight);
// Row i shows its separator above (the one under the row before) only while it is shown itself; a
// row not shown has no icon and no texts.
void ShowUIMaterialRow(std::span<UIMaterialRow> rows, std::size_t i, bool shown);

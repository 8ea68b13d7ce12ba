// The callback node: puts a screen's own update and draw code into the widget tree and the draw list.
#pragma once

#include <functional>

#include "game/ui/widgets/ui_placed_object.h"

// A bound member or any function.
using UIFunction = std::function<void()>;

struct UIFunctionCallObjectDesc {
    UIFunction update;
    UIFunction draw;
};
UIFunctionCallObjectDesc* InitUIFunctionCallObjectDesc(UIFunctionCallObjectDesc* desc);

// Never takes input from the widgets after it; its transform stays the identity, so children sit as
// under a root at the origin.
class GAME_CUIFunctionCallObject : public GAME_CUIPlacedObject {
public:
    explicit GAME_CUIFunctionCallObject(const UIFunctionCallObjectDesc* desc = nullptr);

    void Update(bool input) override;
    void Draw() override;

private:
    UIFunctionCallObjectDesc desc_{};
};

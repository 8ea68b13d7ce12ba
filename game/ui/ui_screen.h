// The screen state protocol shared by the screens: requests, the four states and the usual slide.
#pragma once

#include <cstdint>
#include <vector>

#include "game/model/world/tween.h"
#include "game/ui/ui_base.h"
#include "game/ui/widgets/ui_null_object.h"

// The open and close requests of the screen state protocol, with the open flag IsOpen answers.
struct UIScreenRequests {
    std::uint32_t close = 0;
    std::uint32_t open = 0;
    std::uint32_t openFlag = 0;

    // SetOpen: nothing when the screen already is in the asked state.
    void Request(bool open);
    // At the start of an update: state 1 for an open request, else 3 for a close request (unless the
    // closing has ended: next is 0), else next; both requests are cleared.
    std::int32_t TakeNextState(std::int32_t next);
};

// Whether an open screen lets the input of a frame reach the screens below.
// kPassesWhenSettled: only while the screen rests in its main state.
enum class UIInputRule { kBlocksWhileOpen, kAlwaysPasses, kNeverPasses, kPassesWhenSettled };

// States 0 closed, 1 opening, 2 main, 3 closing. SetOpen raises a request that the next Update turns into
// state 1 or 3; opening slides the root widget from one view height above its place over 15 frames with
// the ease-out tween, closing slides it back. The draw list is owned and drawn in order.
class GAME_CUIScreen : public GAME_CUIBase {
public:
    static constexpr std::int32_t kSlideFrames = 15;

    explicit GAME_CUIScreen(UIInputRule rule = UIInputRule::kBlocksWhileOpen, bool fieldControl = false);
    ~GAME_CUIScreen() override;

    bool IsOpen() const override { return requests_.openFlag != 0; }
    void SetOpen(bool open) override { requests_.Request(open); }
    bool AllowsFieldControl() const override { return fieldControl_; }
    void Update(bool input) override;
    void PreDraw() override {}
    void Draw() override;
    bool PassesInput() const override;

    int State() const { return state_; }
    GAME_CUINullObject* Root() const { return root_; }
    // The input flag of the last update.
    bool ReceivedInput() const { return lastInput_; }

protected:
    // Entry actions of a state (after the usual ones).
    virtual void OnEnterState(int state) {}
    // The main state's own input handling and logic.
    virtual void UpdateMain(bool input) {}
    // Adds a widget to the owned draw list.
    void AddWidget(GAME_CUIObjectBase* widget);

    std::vector<GAME_CUIObjectBase*> widgets_;

private:
    GAME_CUINullObject* root_ = nullptr;
    Tween slide_{};
    std::int32_t state_ = 0;
    std::int32_t next_ = 0;
    UIScreenRequests requests_;
    UIInputRule rule_;
    bool fieldControl_;
    bool lastInput_ = false;
};

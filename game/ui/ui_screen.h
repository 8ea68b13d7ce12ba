// The screen state machine every screen stands on: requests, the four states, pages, movers and the done rule.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/model/world/tween.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_null_object.h"

struct UIScreenContext;

// The four states of a screen. A screen is updated only while it is open (from its open request until
// it has finished closing), so it sees kClosed only on the frame it arrives there.
enum class UIScreenState : std::int32_t { kClosed = 0, kOpening = 1, kMain = 2, kClosing = 3 };

// The open and close requests of the state machine, with the open flag IsOpen answers.
struct UIScreenRequests {
    std::uint32_t close = 0;
    std::uint32_t open = 0;
    std::uint32_t openFlag = 0;

    // SetOpen: nothing when the screen already is in the asked state.
    void Request(bool open);
    // At the start of an update: opening for an open request, else closing for a close request (unless
    // the closing has ended: closed is next), else next; both requests are cleared.
    UIScreenState TakeNextState(UIScreenState next);
    // The same over state numbers, for the screens that do not stand on GAME_CUIScreen yet.
    std::int32_t TakeNextState(std::int32_t next);
};

// Whether an open screen lets the input of a frame reach the screens below.
// kPassesWhenSettled: only while the screen rests in its main state.
enum class UIInputRule { kBlocksWhileOpen, kAlwaysPasses, kNeverPasses, kPassesWhenSettled };

// How a screen comes and goes. kSlide eases the moved roots from hidden to shown over the frames as it
// opens and from shown to closedAt (hidden when not given) as it closes, or from where the roots stand
// when closesFromWhereItStands; a start closer to its end than the tween's snap distance ends at once.
// kImmediate does not move; kFade ramps MoverAlpha from 0 to 1 and back, a closing starting from
// wherever the opening had got to.
struct UIMover {
    enum class Kind { kSlide, kImmediate, kFade };
    static constexpr std::int32_t kSlideFrames = 15;

    Kind kind = Kind::kSlide;
    TweenPoint shown{0.0f, 0.0f};
    TweenPoint hidden{0.0f, -kCanvasHeight};
    std::optional<TweenPoint> closedAt{};
    bool closesFromWhereItStands = false;
    std::int32_t frames = kSlideFrames;
};

// What becomes of the shared yes/no dialog when a screen that owns it starts closing.
enum class UIDialogOnClose { kLeave, kClose, kCloseAnsweringYes };

struct UIScreenSetup {
    UIInputRule input = UIInputRule::kBlocksWhileOpen;
    bool fieldControl = false;
    UIMover mover{};
    // The screen holds the game (the world's menu-pause flag) at every update while it is open and lets
    // go as it arrives closed, unless KeepsHoldOnClose says another holder is still there.
    bool holdsGame = false;
    UIDialogOnClose dialog = UIDialogOnClose::kLeave;
    // The state an opening or closing ends in is entered in the frame it ends, not at the next update
    // (a closed screen is then no longer open for the rest of that frame).
    bool settlesAtOnce = false;
    // With holdsGame: the screen of this slot that it goes back to holds the game on, so the hold
    // stays while that one is open as this one arrives closed (-1: none). The default KeepsHoldOnClose.
    int holdStaysWithSlot = -1;
};

// A screen's page (or step) machine over its own enum class. Go asks for a page; the change happens at
// the next Advance, which calls the entry hook with the new page. Reset sets a page without its hook.
template <typename Page>
class UIPages {
public:
    explicit UIPages(Page first) : current_(first), asked_(first) {}

    Page Current() const { return current_; }
    bool Is(Page page) const { return current_ == page; }
    // The page asked for: the current one unless a change waits for the next Advance.
    Page Asked() const { return asked_; }
    void Go(Page page) { asked_ = page; }
    void Reset(Page page) { current_ = asked_ = page; }
    // True when the page changed (and the hook ran).
    template <typename Hook>
    bool Advance(Hook&& enter)
    {
        if (asked_ == current_) return false;
        current_ = asked_;
        enter(current_);
        return true;
    }

private:
    Page current_;
    Page asked_;
};

// The base of every screen. One update:
//   the hold (if the screen holds the game), BeginFrame, the requests turn into the next state,
//   IsSuspended may end the frame, the entry actions of a new state (the base's, then OnEnterState;
//   arriving closed ends the frame), EveryFrame, then by state:
//   opening and closing step the mover and StepTransition; the transition is done when the mover has
//   ended, StepTransition agrees and no widget of the draw list is busy or decided;
//   main calls UpdateMain.
// The base's entry actions: closed clears the open flag and lets go of the hold; opening starts the
// mover; closing does the setup's dialog rule and starts the mover back. The draw list is owned, drawn
// in order by the default Draw, and deleted with the screen; Root() heads it and is always moved.
class GAME_CUIScreen : public GAME_CUIBase {
public:
    using enum UIScreenState;
    static constexpr std::int32_t kSlideFrames = UIMover::kSlideFrames;

    explicit GAME_CUIScreen(UIInputRule rule = UIInputRule::kBlocksWhileOpen, bool fieldControl = false);
    // A screen that holds the game needs the context.
    GAME_CUIScreen(const UIScreenSetup& setup, const UIScreenContext* context);
    ~GAME_CUIScreen() override;

    bool IsOpen() const override { return requests_.openFlag != 0; }
    void SetOpen(bool open) override { requests_.Request(open); }
    bool AllowsFieldControl() const override { return setup_.fieldControl; }
    void Update(bool input) override;
    void PreDraw() override {}
    void Draw() override;
    bool PassesInput() const override;

    UIScreenState State() const { return state_; }
    GAME_CUINullObject* Root() const { return root_; }
    // The input flag of the last update.
    bool ReceivedInput() const { return lastInput_; }
    // The fade mover's cover: 0 hidden, 1 shown (1 for the other movers).
    float MoverAlpha() const;

protected:
    // Before the requests are taken, every update.
    virtual void BeginFrame(bool input) {}
    // A screen standing still this frame (after the requests were taken, before any state change); it
    // may do the little it keeps up while standing.
    virtual bool IsSuspended() { return false; }
    // Entry actions of a state, after the base's.
    virtual void OnEnterState(UIScreenState state) {}
    // After the entry actions, in every state but closed.
    virtual void EveryFrame() {}
    // The screen's own part of opening or closing, every frame of it; false holds the state.
    virtual bool StepTransition(UIScreenState state) { return true; }
    // The main state's own input handling and logic.
    virtual void UpdateMain(bool input) {}
    // Whether the hold stays as the screen arrives closed (another holder is open).
    virtual bool KeepsHoldOnClose() const;

    // Adds a widget to the owned draw list.
    void AddWidget(GAME_CUIObjectBase* widget);
    // A further root of the draw list that the mover moves and updates (without input) in transitions.
    void AddMovedRoot(GAME_CUIObjectBase* root);
    // Where the next closing slide ends (the mover's hidden place when not given), for a screen that
    // leaves one way or another depending on how it was opened.
    void SetClosingSlideEnd(std::optional<TweenPoint> end) { setup_.mover.closedAt = end; }
    // Asks for a state change at the next update, as the screen's own rules decide (an opening cut short).
    void SetNextState(UIScreenState state) { next_ = state; }
    // The state the next update goes to, unless a request comes first.
    UIScreenState NextState() const { return next_; }
    bool AnyWidgetBusyOrDecided() const;
    // Makes every widget of the draw list visible, as most screens do on opening.
    void ShowAllWidgets();
    // The draw list's widgets in turn with the input: none while one is busy or decided, and none
    // after the first that is once updated. True when the input is still free after them all.
    bool UpdateWidgetsInTurn(bool input);
    const UIScreenContext& Context() const { return *context_; }
    // For a screen that must stand alone (needs the context): the other screens are asked to close
    // each time the counter runs out, every kStandAloneRetryFrames, until none is open; true then.
    static constexpr std::int32_t kStandAloneRetryFrames = 10;
    bool StandAlone(std::int32_t& retryCounter) const;

    std::vector<GAME_CUIObjectBase*> widgets_;

private:
    void EnterState(UIScreenState state);
    void StartMover(bool opening);
    // True once the mover has ended.
    bool StepMover();
    void SetHold(bool held) const;

    UIScreenSetup setup_;
    const UIScreenContext* context_ = nullptr;
    GAME_CUINullObject* root_ = nullptr;
    std::vector<GAME_CUIObjectBase*> movedRoots_;
    Tween slide_{};
    std::int32_t fade_ = 0;
    UIScreenState state_ = kClosed;
    UIScreenState next_ = kClosed;
    UIScreenRequests requests_;
    bool lastInput_ = false;
};

// A crew member's speech balloon: a small queue of lines that pops open over the speaker, bobs and closes.
#pragma once

#include <cstdint>
#include <vector>

#include "game/model/world/tween.h"
#include "game/model/object/object_base.h"

class GAME_CObjectActor;

// One line waiting in a balloon.
struct BalloonQueueEntry {
    std::int32_t lineId = -1;   // a sprite index of sprite group 2
    std::int32_t wait = 0;      // frames before it shows; -1 once it has been counted as shown
    std::uint16_t group = 0;    // kBalloonLineGroup: a line given by its id
    std::uint8_t repeat = 0;    // the group repeats its lines
    std::uint8_t repeatOnce = 0;
    std::int32_t flagWord = 0;  // 1 on a repeated line that waits its turn
};

// Every crew member has one, bound to it for life. A line is not set text but a sprite: the
// "mesballoon_NN" picture of sprite group 2, with its English and Korean variants.
class GAME_CObjectMesBalloon : public GAME_CObjectBase {
public:
    static constexpr std::uint16_t kBalloonLineGroup = 65535;
    static constexpr std::uint16_t kFixedGroupCount = 108;
    static constexpr std::int32_t kShowFrames = 300;
    static constexpr std::int32_t kTweenFrames = 15;
    static constexpr std::int32_t kRepeatWait = 600;

    enum State : std::int32_t { kIdle = 0, kOpening = 1, kShowing = 2, kClosing = 3 };

    GAME_CObjectMesBalloon();

    // Queues a line of the group (line id -1: a random one), or with kBalloonLineGroup the given
    // line at the front. A group the owner may not say, or one already queued, queues nothing.
    void ShowMessage(std::uint16_t group, std::int32_t lineId);
    // A random line of the group at the front, shown at once, in place of the group's queued lines.
    void ShowMessageNow(std::uint16_t group);
    // Removes the first queued line of the group.
    void RemoveQueuedGroup(std::uint16_t group);
    bool IsGroupQueued(std::uint16_t group) const;
    // Empties the queue and clears what is shown.
    void ResetQueue();

    void Update() override;
    void Draw() override;
    void DrawOverlay(const FieldView&) override {}
    const vesk::math::Vec2& GetPosition() const override { return bobOffset; }

    std::int32_t ShownLine() const { return spriteIndex; }
    const std::vector<BalloonQueueEntry>& Queue() const { return queue; }

    vesk::math::Vec2 bobOffset;
    GAME_CObjectActor* owner = nullptr;
    Tween scaleTween;
    TweenPoint scale{0.0f, 0.0f};
    std::vector<BalloonQueueEntry> queue;
    std::int32_t state = kIdle;
    std::int32_t requestedState = kIdle;
    std::int32_t bobPhase = 0;
    std::int32_t showCountdown = 0;

private:
    // Whether the owner says lines of the group now (its meters, its buffs and debuffs).
    bool MaySpeak(std::uint16_t group) const;
    // The line itself, or a random one of the group's lines; -1 when the group has none.
    std::int32_t ChooseLine(std::uint16_t group, std::int32_t lineId) const;
    // The head of the queue on show for its 300 frames; a balloon not showing opens.
    void ShowHead();
    void EnterState(std::int32_t newState);
    void UpdateShowing();
    void MoveOn();
};

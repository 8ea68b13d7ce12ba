// A crew member: its script, status, balloon, AI, task, carried item, room links and place on the grid.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/math/vector.h"
#include "game/model/script/script_actor.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/object_base.h"

class GAME_CActorAIBase;
class GAME_CObjectItem;
class GAME_CObjectMesBalloon;
class GAME_CRoomBase;
class GAME_CTaskBase;

// A link of a crew member to a room: its home (a crew home) or its workplace.
struct ActorRoomLink {
    std::int32_t roomNumber = -1;
    GAME_CRoomBase* room = nullptr;
};

// What a crew member is set up from: its name (none: a random one), a point of the field and its
// action mode.
struct ActorSetupRecord {
    ActorName name;
    float x = 0.0f;
    float y = 0.0f;
    std::int32_t actionMode = 0;
};

// The labels of the crew's script.
namespace actor_label {
inline constexpr std::u16string_view kConstruct = u"コンストラクタ";
inline constexpr std::u16string_view kNoAction = u"更新[NoAction]";
inline constexpr std::u16string_view kAction = u"更新[Action]";
inline constexpr std::u16string_view kItemGet = u"更新[ItemGet]";
inline constexpr std::u16string_view kRepair = u"更新[Repair]";
inline constexpr std::u16string_view kDeath = u"死亡";
}  // namespace actor_label

// One crew member (a rat) of the field-object manager's pool. It runs the first entry of the actor
// script package for its animations, ticks its status block every step and lets its AI choose
// where to walk while the script has enabled it. It dies when its HP is empty: the death label
// plays once, and when it has run to its end the crew member is dead and goes back to the pool.
class GAME_CObjectActor : public GAME_CObjectBase {
public:
    static constexpr float kStandardDrawOffsetY = -11.0f;
    static constexpr std::int32_t kBalloonPeriod = 120;
    enum ActionMode : std::int32_t { kActionNormal = 0, kActionThrownLeft = 1, kActionThrownRight = 2 };

    GAME_CObjectActor();

    void Init(const ActorSetupRecord& record);

    void Update() override;
    void Draw() override;
    void DrawOverlay(const FieldView& view) override;
    // The draw of a crew member the player holds: over everything, with the grab cursor.
    void DrawOnView(const FieldView& view);
    const vesk::math::Vec2& GetPosition() const override { return position; }
    // Puts a carried item down on the crew member's cell and lets its rooms go.
    void Release() override;
    // Before it goes for good (a death, a dismissal): out of every room's crew, its links and its
    // task, so that nothing keeps it once its pool object is handed out again.
    void LeaveTaskAndRooms();

    // Nothing when the task is the current one; otherwise a room the old task is bound to drops
    // the crew member, the new task is taken and the AI chooses anew (at once when asked).
    void SetTask(GAME_CTaskBase* newTask, bool thinkNow);
    // A new item plays the item-get label.
    void SetCarriedItem(GAME_CObjectItem* item);
    // A crew home becomes the home link, a room taking crew the work link; -1 or -2 clears the work
    // link, or with home set stores the number as home without a room. While the game world is
    // being made both links are cleared.
    void SetRoomLink(std::int32_t roomNumber, bool home);
    void ShowBalloon(std::uint16_t group, bool now);
    // Modes 1 and 2 throw the crew member off the ship, out of the field into the canvas.
    void SetActionMode(std::int32_t mode);
    // The room on the crew member's cell while it is inside a room.
    GAME_CRoomBase* GetRoomAtOwnCell() const;

    // The cell of the position: -1 (column) or 65535 (row) before the grid, the grid's column or
    // row count beyond it.
    std::int32_t GetGridColumn() const;
    std::int32_t GetGridRow() const;
    // 0 within one step of the cell's centre (floor line), 2 before that band, 1 after it.
    std::int32_t GetCellOffsetX() const;
    std::int32_t GetCellOffsetY() const;
    void UpdateGridCell();

    void PlayNoAction() { PlayLabel(actor_label::kNoAction); }
    void PlayAction() { PlayLabel(actor_label::kAction); }
    void PlayItemGet() { PlayLabel(actor_label::kItemGet); }
    void PlayRepair() { PlayLabel(actor_label::kRepair); }
    bool IsInNoActionLabel() const { return script.IsInStateLabel(CrewStateLabel::kNoAction); }
    bool IsInActionLabel() const { return script.IsInStateLabel(CrewStateLabel::kAction); }
    bool IsInItemGetLabel() const { return script.IsInStateLabel(CrewStateLabel::kItemGet); }
    bool IsInDeathLabel() const { return script.IsInStateLabel(CrewStateLabel::kDeath); }
    // One step of the script at its period.
    void StepScript() { script.TickScript(); }
    bool IsDying() const { return dying_; }
    // A member saved while playing its death plays it again after a load, without a second
    // notice: the first went out when it died.
    void ResumeDeath();
    // The home and workplace numbers follow their rooms, which move down as rooms below them go.
    void SyncRoomLinks();

    // What the actor script's restart and commands write.
    const vesk::math::Vec2& GetDrawOffset() const { return carryOffset; }
    void SetDrawOffset(const vesk::math::Vec2& offset) { carryOffset = offset; }
    bool IsVisible() const { return visible != 0; }
    void SetVisible(bool show) { visible = show ? 1 : 0; }

    bool IsActive() const { return active != 0 && dead == 0; }

    GAME_CObjectMesBalloon* balloon = nullptr;
    GAME_CActorAIBase* ai = nullptr;
    GAME_CTaskBase* task = nullptr;
    GAME_CActorStatus status;
    GAME_CObjectItem* carriedItem = nullptr;
    vesk::math::Vec2 position{-100.0f, -100.0f};
    float scaleX = 1.0f;  // the pair of the actor script's slot 11
    float scaleY = 1.0f;
    vesk::math::Vec2 velocity;
    std::int32_t facingLeft = 0;
    GAME_CScriptActor script;
    std::int32_t blinkPhase = 0;
    ActorRoomLink workLink;
    ActorRoomLink homeLink;
    std::int32_t assigned = 0;  // inside a room: set by the room that takes it in
    std::int32_t held = 0;      // the player moves it with the pointer or the pad
    vesk::math::Vec2 carryOffset{0.0f, kStandardDrawOffsetY};  // where a load is drawn
    std::int32_t aiEnabled = 0;
    std::int32_t grabCursorSprite = -1;
    std::int32_t actionMode = kActionNormal;
    std::int32_t repairCountdown = 0;
    std::int32_t balloonCountdown = 0;
    std::int32_t active = 0;  // out of the pool
    std::uint16_t cellX = 0xFFFF;
    std::uint16_t cellY = 0xFFFF;
    std::int32_t moved = 0;
    std::int32_t movedCountdown = 0;
    // Written by the actor script: the frame's size on screen and whether it is drawn.
    float displayScaleX = 1.0f;
    float displayScaleY = 1.0f;
    std::int32_t visible = 1;
    std::uint32_t roomLinkFlag = 0;  // set when a room binds the crew member to itself
    std::uint32_t parentToBe = 0;

private:
    void PlayLabel(std::u16string_view label);
    bool IsScriptStopped() const;
    void ChooseBalloon();
    // The normal life on the ship; false when nothing more happens this step (death).
    bool UpdateAction();
    void UpdateRepair();
    void Die();
    // Out of its task and rooms, into the death label (dead at once without one).
    void PlayDeath();
    bool SkipsDraw() const;
    // Steps 2 to 5 of the draw at a canvas point with a sprite scale; the load lifted by liftY.
    void DrawBody(const vesk::math::Vec2& point, float scaleX, float scaleY, bool mirrored, float liftY,
                  float loadScale);

    bool dying_ = false;
};

// An enemy beside the ship: its set-up, its HP record and AI, its script's labels, drops, drawing and the arcade game's hooks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/math/vector.h"
#include "framework/utility/effect/effect_host.h"
#include "game/services/data/record_entries.h"
#include "game/model/script/script_enemy.h"
#include "game/model/object/enemy_ai_base.h"
#include "game/model/object/enemy_hp_record.h"
#include "game/model/object/enemy_sprite.h"
#include "game/model/object/object_base.h"

struct EnemyData;

// What an enemy is set up from: its id, its home and route positions, two
// values and the label to start at.
struct EnemySetupRecord {
    std::uint32_t enemyId = kNoId;
    std::array<std::int32_t, 2> routePositions{};  // home position, route position
    std::array<std::int32_t, 2> values{};
    std::array<char16_t, 64> labelName{};  // the label to start at; empty: the appearance label
};

// Enemy id none, the other words 0 and the label name empty.
void InitEnemySetupRecord(EnemySetupRecord& record);

// The labels of an enemy script.
namespace enemy_label {
inline constexpr std::u16string_view kAppear = u"出現";
inline constexpr std::u16string_view kIdle = u"待機";
inline constexpr std::u16string_view kAttack = u"攻撃";
inline constexpr std::u16string_view kDamage = u"ダメージ";
inline constexpr std::u16string_view kDeath = u"死亡";
}  // namespace enemy_label

// An enemy beside the ship while it travels a route. Its enemy script plays
// its appearance, idle, attack, damage and death; its HP record comes from its
// kind's record; its AI keeps it near home, turned to the ship, and walks it
// up to the ship; it is drawn as one sprite or as a tree of sprite parts that
// its script builds. It lives in the field-object manager's pool of 16: the
// end request of its death sets its dead flag and the manager takes it back.
class GAME_CObjectEnemy : public GAME_CObjectBase {
public:
    // The flag word once the script has started a label.
    static constexpr std::uint32_t kFlagWordScriptStarted = EnemyHPRecord::kFlagsAtLabelStart;
    static constexpr std::int32_t kDamageFlashFrames = 15;
    static constexpr std::uint32_t kFreeMoveBit = 1u << 0;
    static constexpr std::size_t kMiniGameAreaWords = 18;
    static constexpr std::size_t kMiniGameRangeWords = 5;
    static constexpr std::int32_t kEnemySpriteGroup = 3;

    GAME_CObjectEnemy();
    ~GAME_CObjectEnemy() override;

    // --- set-up
    // Clears the dead flag and takes the enemy id; while the game world is
    // being made nothing more happens (the registration's case). Otherwise
    // the enemy takes its kind's record, script, sprite and HP, starts at the
    // set-up's label (else "出現") and runs it once, notes its side of the
    // ship, gives an old part tree back and, when the manager holds the next
    // enemy back, waits in the pending list.
    void Init(const EnemySetupRecord& record);
    // The arcade game's set-up: the same first steps, no side of the ship,
    // the arcade area cleared and the kind's five arcade words taken.
    void InitForMiniGame(const EnemySetupRecord& record);

    // --- field object
    void Update() override;
    void Draw() override;
    void DrawOverlay(const FieldView&) override {}
    const vesk::math::Vec2& GetPosition() const override { return position; }
    // The part tree goes back to the pool; the AI stays, as the enemy is used again.
    void Release() override;
    // The arcade game's step: the same as Update with the arcade movement in
    // place of the AI, and the enemy's size taken from its sprite.
    void UpdateForMiniGame();

    // --- the script's labels
    bool IsInAttackLabel() const { return IsInLabel(enemy_label::kAttack); }
    bool IsInDamageLabel() const { return IsInLabel(enemy_label::kDamage); }
    bool IsInDeathLabel() const { return IsInLabel(enemy_label::kDeath); }
    bool IsInIdleLabel() const { return IsInLabel(enemy_label::kIdle); }
    bool IsInLabel(std::u16string_view label) const { return script.IsInLabel(label); }
    // Restart at the label; true when it exists.
    bool PlayDamage();
    bool PlayDeath();
    // Jumps to the label and runs the script once; false (nothing done) when
    // the script has no such label.
    bool RunLabel(std::u16string_view label);
    // Once a life: "死亡" starts (an enemy without it is dead at once) and, on
    // the route, the defeat is noted in the achievement pending word; the iron
    // scorpion's also unlocks its achievement.
    void StartDeath();
    bool IsDying() const { return dying_ != 0; }

    // --- what the script commands call
    bool IsTargetInRange() const;
    // A drop from the kind's drop table by weight: kept as the pending drop,
    // or laid on the route ahead of the ship.
    void PickDropItem();
    void SpawnDropItem();
    // The part becomes the root of the enemy's sprite tree; the old tree goes back to the pool.
    void SetSpriteRoot(GAME_CEnemySprite* part);
    GAME_CEnemySprite* GetSpriteRoot() const { return spriteRoot_; }
    // Moves the enemy along the route by millionths of a unit, within the
    // route's margin unless the free-move bit is set.
    void MoveOnRoute(std::int64_t millionths);

    std::uint32_t GetEnemyId() const { return enemyId_; }
    // Only the id: what an enemy kind's registration runs on.
    void SetEnemyId(std::uint32_t enemyId) { enemyId_ = enemyId; }
    const EnemyData* GetEnemyData() const { return data_; }
    bool IsDead() const { return dead != 0; }
    std::uint32_t GetFlagWord() const { return hpRecord.flags; }
    void SetFlagWord(std::uint32_t word) { hpRecord.flags = word; }
    GAME_CEnemyAIBase* GetAI() const { return ai_.get(); }
    // What an effect that follows this enemy holds on to: the enemy in this life of it.
    vesk::utility::particle::UTL_SEffectAnchor EffectAnchor() const { return {this, life_}; }
    bool MatchesAnchor(const vesk::utility::particle::UTL_SEffectAnchor& anchor) const
    {
        return anchor.object == this && anchor.generation == life_ && dead == 0;
    }
    // Whether it is drawn facing left: its facing against the route's direction.
    bool IsDrawnMirrored() const;

    // --- fields
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::int32_t routePosition = 0;
    std::int32_t routeRemainder = 0;  // millionths of a unit
    std::int32_t homePosition = 0;
    GAME_CScriptEnemy script;
    EnemyHPRecord hpRecord;
    std::int32_t facing = 0;  // 1: faces the other way, drawn mirrored
    std::array<std::int32_t, 2> values{};  // from the set-up, for the script
    std::int32_t thirdValue = 0;           // written by the script
    std::int32_t damageFlash = 0;          // frames left of the red flash after a hit
    std::uint32_t tint = 0xFFFFFFFFu;      // RGBA bytes, red in the low byte
    std::uint32_t freeMove = 0;
    vesk::math::Vec2 position;  // on the canvas, where the last draw put it (without the ship's offset)
    std::uint32_t pendingDrop = kNoId;
    // Written by the script: two factors, two rectangles and two flags, kept for the arcade game.
    std::array<float, 2> factors{};
    std::array<std::array<float, 4>, 2> rects{};
    std::array<std::int32_t, 2> arcadeFlags{};
    // The arcade game's area: the target point first; and the kind's arcade words.
    std::array<float, kMiniGameAreaWords> miniGameArea{};
    std::array<std::int32_t, kMiniGameRangeWords> miniGameRanges{};
    float width = 0.0f;
    float height = 0.0f;

private:
    // Init's first steps, shared with the arcade set-up.
    bool SetUp(const EnemySetupRecord& record);
    void StartAtLabel(const EnemySetupRecord& record);
    void UpdateMiniGameMovement();
    void StepCharge();
    // The death check, the idle restart, (on the route) the hold near home,
    // the script step, the flash and the part tree: what both updates share
    // after their movement.
    void StepScriptAndTree(bool onRoute);
    void KeepNearHome();
    // The route position held within the road's margin: a tenth of its length, at most 900, from each end.
    static std::int64_t HoldInsideRouteMargin(std::int64_t position);
    EnemySpriteView TreeView() const;
    // The part tree laid out anew for the camera as it is now, remembering the zoom it was laid out at.
    void AnimateSpriteTree();
    void NoteDefeat();

    std::uint32_t enemyId_ = kNoId;
    const EnemyData* data_ = nullptr;
    std::unique_ptr<GAME_CEnemyAIBase> ai_;
    GAME_CEnemySprite* spriteRoot_ = nullptr;
    float treeZoom_ = 0.0f;  // the camera zoom the part tree was last laid out at
    std::uint32_t dying_ = 0;
    std::uint32_t life_ = 0;  // counts the set-ups, so effects of an earlier life let go
    std::uint32_t onRoute_ = 1;  // set up by Init, not by the arcade game
};

// Enemy commands of the sprite-part tree: building and taking apart the tree by name, and setting or moving a part's values over frames.
#include <algorithm>

#include "game/model/script/enemy_command_handlers.h"
#include "game/model/script/script_period.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_enemy.h"

namespace enemy_commands {
namespace {

// Slot 50 names a texture after the name, and a parent after that (sub-code 11) or at once (20).
constexpr std::size_t kTextureWord = kNameBytes / 4;
constexpr std::size_t kParentAfterTexture = kNameBytes + 4;
constexpr std::size_t kParentAfterName = kNameBytes;
// Slot 51's values follow the name.
constexpr std::size_t kFirst = kNameBytes / 4;

// The root when it has the name, else the first part of that name below it.
GAME_CEnemySprite* FindPart(const GAME_CObjectEnemy& enemy, std::string_view name)
{
    GAME_CEnemySprite* root = enemy.GetSpriteRoot();
    if (root == nullptr) return nullptr;
    return root->Name() == name ? root : root->FindPartByName(name);
}

// A fresh part from the pool with the name and texture; null when the pool is empty.
GAME_CEnemySprite* NewPart(std::string_view name, std::int32_t texture)
{
    GAME_CEnemySprite* part = GetEnemySpritePool().AcquirePart();
    if (part == nullptr) return nullptr;
    EnemySpritePartRecord record;
    record.name = name;
    record.spriteIndex = texture;
    part->InitFromRecord(&record);
    return part;
}

// A value of two floats changed as the sub-code's last digit says: 0 set, 1 add, 2 move to over
// the frames, 3 add a frames-th part each frame. The timed forms hold the thread on the statement
// until the frames have passed; 0 frames finish at once.
std::uint32_t ChangePair(SYS_CScriptEngine& engine, int form, vesk::math::Vec2& value, vesk::math::Vec2 given,
                         std::uint32_t frames)
{
    switch (form) {
    case 0:
        value = given;
        return 1;
    case 1:
        value = {value.x + given.x, value.y + given.y};
        return 1;
    default:
        break;
    }
    const std::uint32_t done = FramesOnCommand(engine);
    if (form == 2) {
        if (done >= frames) {
            value = given;
            return 1;
        }
        // A linear step from wherever the value is to the end, over the frames left.
        const auto left = static_cast<float>(frames - done);
        value = {value.x + (given.x - value.x) / left, value.y + (given.y - value.y) / left};
        return YieldThisFrame(engine);
    }
    if (done >= frames) return 1;
    const auto all = static_cast<float>(frames);
    value = {value.x + given.x / all, value.y + given.y / all};
    return YieldThisFrame(engine);
}

std::uint32_t ChangeSingle(SYS_CScriptEngine& engine, int form, float& value, float given, std::uint32_t frames)
{
    vesk::math::Vec2 pair{value, 0.0f};
    const std::uint32_t result = ChangePair(engine, form, pair, {given, 0.0f}, frames);
    value = pair.x;
    return result;
}

}  // namespace

// Slot 50: the tree: released whole or in part, a new root, a new child, a part moved.
std::uint32_t PartTreeCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr) return 1;
    GAME_CEnemySprite* root = enemy->GetSpriteRoot();
    switch (mode) {
    case 0:
        enemy->SetSpriteRoot(nullptr);
        break;
    case 1: {
        const std::string_view name = ReadName(args, 0);
        if (root == nullptr || name.empty()) break;
        if (root->Name() == name) {
            enemy->SetSpriteRoot(nullptr);
        } else {
            ReleaseEnemySpritePart(root->DetachChildByName(name));
        }
        break;
    }
    case 10: {
        const std::string_view name = ReadName(args, 0);
        if (!args.Need(kTextureWord + 1)) break;
        if (GAME_CEnemySprite* part = NewPart(name, args.I32(kTextureWord))) enemy->SetSpriteRoot(part);
        break;
    }
    case 11: {
        const std::string_view name = ReadName(args, 0);
        const std::string_view parentName = ReadName(args, kParentAfterTexture);
        GAME_CEnemySprite* parent = FindPart(*enemy, parentName);
        if (parent == nullptr || !args.Need(kTextureWord + 1)) break;
        if (GAME_CEnemySprite* part = NewPart(name, args.I32(kTextureWord))) parent->AddChild(part);
        break;
    }
    case 20: {
        GAME_CEnemySprite* part = root != nullptr ? root->FindPartByName(ReadName(args, 0)) : nullptr;
        GAME_CEnemySprite* parent = FindPart(*enemy, ReadName(args, kParentAfterName));
        // A move that would hang a part below itself is refused by the part.
        if (part != nullptr && parent != nullptr) part->SetParent(parent);
        break;
    }
    default:
        break;
    }
    return 1;
}

// Slot 51: one part's texture, offsets, angle, scale, value and flips.
std::uint32_t PartCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    const GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr) return 1;
    GAME_CEnemySprite* part = FindPart(*enemy, ReadName(args, 0));
    if (part == nullptr) return 1;
    const int form = mode % 10;
    switch (mode) {
    case 0:
        if (args.Need(kFirst + 1)) part->spriteIndex = args.I32(kFirst);
        return 1;
    case 10:
    case 11:
    case 12:
    case 13:
        if (!args.Need(kFirst + 3)) return 1;
        return ChangePair(engine, form, part->offset, {args.F32(kFirst), args.F32(kFirst + 1)}, args.U32(kFirst + 2));
    case 20:
    case 21:
    case 22:
    case 23:
        if (!args.Need(kFirst + 2)) return 1;
        return ChangeSingle(engine, form, part->angle, args.F32(kFirst), args.U32(kFirst + 1));
    case 30:
    case 31:
    case 32:
    case 33:
        if (!args.Need(kFirst + 3)) return 1;
        return ChangePair(engine, form, part->scale, {args.F32(kFirst), args.F32(kFirst + 1)}, args.U32(kFirst + 2));
    case 40:
        if (args.Need(kFirst + 2)) part->pivot = {args.F32(kFirst), args.F32(kFirst + 1)};
        return 1;
    case 50:
    case 51:
        if (!args.Need(kFirst + 2)) return 1;
        return ChangeSingle(engine, mode == 50 ? 0 : 2, part->value, args.F32(kFirst), args.U32(kFirst + 1));
    case 60:
    case 61:
        if (args.Need(kFirst + 1)) part->SetFlip((args.I32(kFirst) != 0) != IsRouteReversed(), mode == 61);
        return 1;
    case 62:
    case 63:
        part->SetFlip(ShipRoutePosition() < enemy->routePosition, mode == 63);
        return 1;
    case 64:
        if (args.Need(kFirst + 1)) part->SetAutoFlip(args.I32(kFirst) != 0);
        return 1;
    default:
        return 1;
    }
}

}  // namespace enemy_commands

// The enemy script engine: runs an enemy kind's script on the enemy it drives, with sixteen named variables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "framework/math/vector.h"
#include "game/model/script/script_object_engine.h"

class GAME_CObjectActor;
class GAME_CObjectEnemy;

// What the wave command feeds: the arcade world's wave machine, set only on the world's own engine.
class MiniGameWaveSink {
public:
    virtual void AddWaveEnemy(std::uint32_t enemyId) = 0;
    virtual void StartWave(std::int32_t perSpawn, std::int32_t repeats, std::int32_t frames) = 0;

protected:
    ~MiniGameWaveSink() = default;
};

// Table 1 the enemy table. The owner is the enemy it drives.
class GAME_CScriptEnemy final : public GAME_CScriptObjectEngine {
public:
    static constexpr std::size_t kVariableCount = 16;
    static constexpr std::size_t kVariableNameLength = 31;

    struct Variable {
        std::array<char, kVariableNameLength + 1> name{};  // empty: a free slot
        std::int32_t value = 0;

        std::string_view Name() const { return std::string_view(name.data()); }
    };

    GAME_CScriptEnemy();

    // Clears the engine, points it at the two tables and the program, takes
    // the enemy it drives and empties the variables.
    void Attach(const vesk::utility::script_package::ProgramRecord* program, GAME_CObjectEnemy* enemy);

    // After a restart at an entry or label: period 0 (every step), counter 0,
    // the enemy's flag word 3, and the enemy leaves the pending list.
    void OnJump(int kind) override;

    GAME_CObjectEnemy* GetEnemy() const { return enemy_; }

    // --- variables, named by texts of up to 31 characters (longer names are cut)
    // The slot of that name, else the first free slot, now named, at 0; null
    // when all sixteen hold other names.
    Variable* FindOrCreateVariable(std::string_view name);
    // The slot of that name, or null.
    Variable* FindVariable(std::string_view name);
    void ClearVariable(std::string_view name);
    void ClearVariables();
    const std::array<Variable, kVariableCount>& Variables() const { return variables_; }

    // --- effect state of the effect commands
    vesk::math::Vec2 effectOffset{};
    vesk::math::Vec2 effectScale{1.0f, 1.0f};
    float effectValue = 0.0f;
    std::int32_t anchorMode = 0;
    std::uint16_t effectCounter = 0;
    GAME_CObjectActor* target = nullptr;
    // The arcade world whose waves this engine posts; null in every other script.
    MiniGameWaveSink* waveSink = nullptr;

private:
    GAME_CObjectEnemy* enemy_ = nullptr;
    std::array<Variable, kVariableCount> variables_{};
};

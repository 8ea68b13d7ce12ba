// A small game world for enemy tests: the crew test world, enemy scripts of the test's own and a route of 1000 units.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/utility/script_package/script_package.h"
#include "game/services/data/tag.h"
#include "tests/support/crew_world.h"

class GAME_CObjectEnemy;

namespace support {

// Enemy kinds of the test scripts (enemy_world.cpp shows them): "E001" runs every label and drops
// "I001" (weight 1) or "I003" (weight 3) on death; "E002" has no roar label and its death ends
// without the end request; "E016" dies as E001 does. All have HP 40, reach 200, approach step
// 1000 and the attack values 10, 0, 0, 0, 2.
inline constexpr std::uint32_t kPlainEnemy = MakeTag("E001");
inline constexpr std::uint32_t kSlipEnemy = MakeTag("E002");
inline constexpr std::uint32_t kScorpion = MakeTag("E016");
inline constexpr std::uint32_t kTestRoute = MakeTag("R001");
inline constexpr std::int32_t kTestRouteLength = 1000;

// The crew test world with the enemy scripts registered, the route "R001" of 1000 units started
// forward with the ship at 0 and the camera at zoom 2. No sprites are loaded, and nothing is saved.
class EnemyWorld : public CrewWorld {
protected:
    void SetUp() override;
    void TearDown() override;

    // An enemy from the pool, set up at home = route position, with the label (empty: "出現").
    GAME_CObjectEnemy& Spawn(std::uint32_t id, std::int32_t position, std::u16string_view label = {});
    void SetShipPosition(std::int32_t position);
    // The route runs from its end location back to its start (or forward again); nothing moves.
    void SetRouteReversed(bool reversed);
    // The value of a variable of the enemy's script, 0 when it has none.
    static std::int32_t Variable(const GAME_CObjectEnemy& enemy, std::string_view name);
    // The statements (enemy table) become the enemy's script, under the label "test", which
    // starts and runs once.
    void RunStatements(GAME_CObjectEnemy& enemy, std::string_view statements);

private:
    std::vector<std::unique_ptr<vesk::utility::script_package::UTL_CManager>> programs_;
};

}  // namespace support

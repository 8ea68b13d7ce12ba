// Reads arbitrary bytes as the crew name list and the forbidden-word list, then draws names from them.
// Every name drawn must be a whole name of the list that the forbidden words let through, and no
// ill-formed UTF-8, odd length or huge list may read outside the lists.
//
// Input: byte 0 says where the name list ends (its share of the rest, in 256ths); the rest holds the
// name list and then the forbidden-word list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/math/random.h"
#include "framework/text/ng_word.h"
#include "game/services/data/static_database.h"
#include "game/services/text/actor_names.h"

namespace {

// A drawn name is empty or one of the list's names that is not forbidden.
bool IsAllowedName(const GAME_CStaticDatabase& database, std::u16string_view name)
{
    if (name.empty()) return true;
    if (vesk::text::IsNgWordName(name, database.GetActorNgWordList())) return false;
    for (std::int32_t index = 0; index < database.GetActorNameCount(); ++index) {
        if (database.GetActorName(index) == name) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    static const bool created = [] {
        CreateStaticDatabase();
        vesk::math::MarkRandomClockSeeded();
        return true;
    }();
    (void)created;
    vesk::math::SeedRandom(static_cast<std::uint32_t>(size));

    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = rest.size() * data[0] / 256;
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    database.SetActorNameLists(std::string(rest.substr(0, split)), std::string(rest.substr(split)));

    const std::int32_t count = database.GetActorNameCount();
    if (count < 0 || !database.GetActorName(count).empty() || !database.GetActorName(-1).empty()) std::abort();
    for (std::int32_t index = 0; index < count; ++index) {
        if (database.GetActorName(index).size() != 2) std::abort();
    }

    const std::u16string picked = PickRandomActorName();
    if (!IsAllowedName(database, picked)) std::abort();
    const std::u16string first = count > 0 ? std::u16string(database.GetActorName(0)) : std::u16string();
    const std::u16string child = MakeChildActorName(picked, first);
    if (!IsAllowedName(database, child)) std::abort();
    if (RomanizeKanaPair(child).size() > 4) std::abort();
    return 0;
}

// The input map's binding tables as the save image holds them.
#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "game/services/input/action_conflicts.h"
#include "game/services/input/input_map.h"
#include "platform/little_endian.h"

namespace {

using Words = std::array<std::uint32_t, kInputActionCount>;

constexpr std::uint32_t kNoKeyWord = static_cast<std::uint32_t>(kNoKey);

bool WriteWords(std::span<std::uint8_t> area, const Words& words)
{
    if (area.size() < GAME_CInputMap::kBindingTableBytes) {
        return false;
    }
    std::fill(area.begin(), area.end(), std::uint8_t{0});
    for (std::size_t action = 0; action < words.size(); ++action) {
        platform::WriteU32(area, action * 4, words[action]);
    }
    return true;
}

bool ReadWords(std::span<const std::uint8_t> area, Words& words)
{
    if (area.size() < GAME_CInputMap::kBindingTableBytes) {
        return false;
    }
    for (std::size_t action = 0; action < words.size(); ++action) {
        words[action] = platform::ReadU32(area, action * 4);
    }
    return true;
}

Words DefaultPadWords()
{
    Words words{};
    for (int action = 0; action < kInputActionCount; ++action) {
        words[action] = GetInputActionDefault(action).padMask;
    }
    return words;
}

Words DefaultKeyWords()
{
    Words words{};
    for (int action = 0; action < kInputActionCount; ++action) {
        words[action] = static_cast<std::uint32_t>(GetInputActionDefault(action).key);
    }
    return words;
}

void LogRefusedBinding(std::string_view device, int action, std::uint32_t word)
{
    vesk::log::Warning("save data: the " + std::string(device) + " binding of action " + std::to_string(action) +
                       " holds " + std::to_string(static_cast<std::int32_t>(word)) +
                       ", which is no binding; the default is kept");
}

// A capture never lets two conflicting actions share a binding, so a saved table that binds them alike
// is damage (DECIDE and CANCEL on one key would both fire at every press): both take their defaults
// back, and again for whatever a restored default meets. The defaults share none, so each round
// brings at least one action back to its default and the rounds end.
template <typename Binding, typename Value>
void RestoreConflictingBindings(std::string_view device, std::array<Binding, kInputActionCount>& table,
                                Value Binding::*current, Value Binding::*fallback, Value unbound)
{
    for (int round = 0; round <= kInputActionCount; ++round) {
        int first = -1;
        int second = -1;
        for (int a = 0; a < kInputActionCount && first < 0; ++a) {
            const Value value = table[a].*current;
            if (value == unbound) continue;
            for (int b = a + 1; b < kInputActionCount; ++b) {
                if (table[b].*current == value && InputActionsConflict(a, b)) {
                    first = a;
                    second = b;
                    break;
                }
            }
        }
        if (first < 0) return;
        vesk::log::Warning("save data: the " + std::string(device) + " bindings of actions " + std::to_string(first) +
                           " and " + std::to_string(second) + " both hold " +
                           std::to_string(static_cast<std::int32_t>(table[first].*current)) +
                           ", which those actions may not share; both take their defaults");
        table[first].*current = table[first].*fallback;
        table[second].*current = table[second].*fallback;
    }
}

}  // namespace

bool GAME_CInputMap::WritePadBindings(std::span<std::uint8_t> area) const
{
    Words words{};
    for (int action = 0; action < kInputActionCount; ++action) {
        words[action] = pad_[action].mask;
    }
    return WriteWords(area, words);
}

bool GAME_CInputMap::WriteKeyBindings(std::span<std::uint8_t> area) const
{
    Words words{};
    for (int action = 0; action < kInputActionCount; ++action) {
        words[action] = static_cast<std::uint32_t>(keys_[action].key);
    }
    return WriteWords(area, words);
}

bool GAME_CInputMap::WriteDefaultPadBindings(std::span<std::uint8_t> area)
{
    return WriteWords(area, DefaultPadWords());
}

bool GAME_CInputMap::WriteDefaultKeyBindings(std::span<std::uint8_t> area)
{
    return WriteWords(area, DefaultKeyWords());
}

bool GAME_CInputMap::ReadPadBindings(std::span<const std::uint8_t> area)
{
    Words words{};
    if (!ReadWords(area, words)) {
        return false;
    }
    for (int action = 0; action < kInputActionCount; ++action) {
        if (!SetPadBinding(action, words[action])) {
            LogRefusedBinding("pad", action, words[action]);
            pad_[action].mask = pad_[action].defaultMask;
        }
    }
    RestoreConflictingBindings("pad", pad_, &PadBinding::mask, &PadBinding::defaultMask, std::uint32_t{0});
    return true;
}

bool GAME_CInputMap::ReadKeyBindings(std::span<const std::uint8_t> area)
{
    Words words{};
    if (!ReadWords(area, words)) {
        return false;
    }
    // A capture only moves keys between actions, so no player can unbind every one: a table
    // without a single key is damage, and taking it would leave the keyboard doing nothing.
    if (std::all_of(words.begin(), words.end(), [](std::uint32_t word) { return word == kNoKeyWord; })) {
        vesk::log::Warning("save data: every key binding holds -1, which no player can set; the default keys are kept");
        for (KeyBinding& binding : keys_) binding.key = binding.defaultKey;
        return true;
    }
    for (int action = 0; action < kInputActionCount; ++action) {
        if (!SetKeyBinding(action, static_cast<std::int32_t>(words[action]))) {
            LogRefusedBinding("key", action, words[action]);
            keys_[action].key = keys_[action].defaultKey;
        }
    }
    RestoreConflictingBindings("key", keys_, &KeyBinding::key, &KeyBinding::defaultKey, kNoKey);
    return true;
}

// What every registering script shares: the label it registers from and the command budget of the run.
#pragma once

#include <cstdint>
#include <string_view>

// The label every script registers its object kind's static data from.
inline constexpr std::u16string_view kRegistrationLabel = u"データベース登録";

// A registration that runs longer than this many commands without yielding
// is stopped: data never needs as many, and a looping script must not stall
// the start-up.
inline constexpr std::uint32_t kRegistrationCommandBudget = 1u << 16;

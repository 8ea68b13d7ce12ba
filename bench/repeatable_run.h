// A run that plays the same game every time, so that two counts of its instructions compare.
#pragma once

#include <cstdint>

#include "framework/file/save_file.h"
#include "framework/math/random.h"
#include "game/app/scene/scene_initialize.h"

namespace bench_support {

// One seed, and the start-up's and the saves' file jobs ended before the frame that started them goes on, whatever
// the threads' pace.
class RepeatableRun {
public:
    explicit RepeatableRun(std::uint32_t seed)
    {
        vesk::math::MarkRandomClockSeeded();
        vesk::math::SeedRandom(seed);
        SetStartupJobsInline(true);
        vesk::file::SetSaveJobsWaited(true);
    }
    ~RepeatableRun()
    {
        SetStartupJobsInline(false);
        vesk::file::SetSaveJobsWaited(false);
    }
    RepeatableRun(const RepeatableRun&) = delete;
    RepeatableRun& operator=(const RepeatableRun&) = delete;
};

}  // namespace bench_support

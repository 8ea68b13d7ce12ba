// The framework started headless and quiet on the data set this build made, for the rigs that draw the game's sprites.
#pragma once

#include <cstdlib>
#include <string_view>

#include "bench/bench_paths.h"
#include "framework/app/framework_session.h"
#include "framework/file/resource_file.h"
#include "framework/log/log.h"

namespace bench_support {

// Starts the heaps, the canvas, the framework manager and the render resources on SDL's dummy video driver, with
// the resource folder at the built data set and the log silenced; stops them and puts folder and log back when
// it goes.
class BuiltDataSession {
public:
    BuiltDataSession()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::file::SetResourceFolder(BuiltResourceFolder());
        started_ = session_.Start();
    }

    ~BuiltDataSession()
    {
        session_.Stop();
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
        vesk::log::SetSink({});
    }

    bool Started() const { return started_; }

private:
    vesk::app::FrameworkSession session_{vesk::app::FrameworkSystem::Heaps | vesk::app::FrameworkSystem::Canvas |
                                         vesk::app::FrameworkSystem::FrameworkManager |
                                         vesk::app::FrameworkSystem::RenderResources};
    bool started_ = false;
};

}  // namespace bench_support

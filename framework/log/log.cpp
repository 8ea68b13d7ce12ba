// The log: lines to stderr under one lock, or to a sink that tests set.
#include "framework/log/log.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <utility>

namespace vesk::log {
namespace {

std::mutex& LogMutex()
{
    static std::mutex mutex;
    return mutex;
}

Sink& CurrentSink()
{
    static Sink sink;
    return sink;
}

}  // namespace

std::string_view LevelPrefix(Level level)
{
    switch (level) {
    case Level::Info: return "info: ";
    case Level::Warning: return "warning: ";
    case Level::Error: return "error: ";
    }
    return "";
}

void Write(Level level, std::string_view line)
{
    std::lock_guard lock(LogMutex());
    if (CurrentSink()) {
        CurrentSink()(level, line);
        return;
    }
    // Built whole first so one fwrite puts the line out in one piece.
    std::string text(LevelPrefix(level));
    text.append(line);
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void Info(std::string_view line) { Write(Level::Info, line); }
void Warning(std::string_view line) { Write(Level::Warning, line); }
void Error(std::string_view line) { Write(Level::Error, line); }

void SetSink(Sink sink)
{
    std::lock_guard lock(LogMutex());
    CurrentSink() = std::move(sink);
}

}  // namespace vesk::log

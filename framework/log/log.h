// The log: one line per message, prefixed by its level, to stderr or a test's sink.
#pragma once

#include <functional>
#include <string_view>

namespace vesk::log {

enum class Level { Info, Warning, Error };

// One line each, prefixed by its level ("error: ", "warning: ", "info: "),
// written to stderr. Safe to call from any thread; lines never interleave.
// A control byte in a line (a newline, a zero, an escape) is written as \xNN,
// so that bytes a file put into a message can neither split nor garble it.
void Info(std::string_view line);
void Warning(std::string_view line);
void Error(std::string_view line);
void Write(Level level, std::string_view line);

// Receives every line instead of stderr while set (tests capture with it).
// Pass an empty function to restore stderr. The sink is called under the log's
// lock, so it must not log itself.
using Sink = std::function<void(Level level, std::string_view line)>;
void SetSink(Sink sink);

std::string_view LevelPrefix(Level level);

}  // namespace vesk::log

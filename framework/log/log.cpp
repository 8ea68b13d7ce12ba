// The log: lines to stderr under one lock, or to a sink that tests set.
#include "framework/log/log.h"

#include <algorithm>
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

bool IsControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Messages carry bytes from files (a damaged save's ids, names in a package): a newline there would
// split the line, a zero byte make the log binary, an escape code drive the terminal. Each control
// byte is written as \xNN instead.
std::string EscapeControlBytes(std::string_view line)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(line.size() + 8);
    for (const char c : line) {
        if (!IsControlByte(c)) {
            text.push_back(c);
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        text += "\\x";
        text.push_back(kHexDigits[byte >> 4]);
        text.push_back(kHexDigits[byte & 0x0F]);
    }
    return text;
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
    std::string escaped;
    if (std::any_of(line.begin(), line.end(), IsControlByte)) {
        escaped = EscapeControlBytes(line);
        line = escaped;
    }
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

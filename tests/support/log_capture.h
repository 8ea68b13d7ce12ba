// Log lines collected while a test runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/log/log.h"

namespace support {

// Collects every log line while alive, then gives stderr back.
class LogCapture {
public:
    LogCapture()
    {
        vesk::log::SetSink([this](vesk::log::Level level, std::string_view line) {
            lines_.push_back(std::string(vesk::log::LevelPrefix(level)) + std::string(line));
        });
    }
    ~LogCapture() { vesk::log::SetSink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& Lines() const { return lines_; }

    bool Contains(std::string_view text) const
    {
        for (const std::string& line : lines_) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::string> lines_;
};

}  // namespace support

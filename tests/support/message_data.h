// The message texts of the data set, read from their sources, for tests of code that shows texts.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/text/message_file.h"
#include "game/services/text/language.h"
#include "tests/support/build_paths.h"
#include "tools/common/message_file_writer.h"
#include "tools/common/message_source.h"
#include "tools/common/whole_file.h"

namespace support {

// Each language's message source in data/message, by its name there, with the language's number.
inline constexpr std::pair<const char*, std::uint32_t> kMessageLanguages[] = {
    {"japanese", kLanguageJapanese},
    {"english", kLanguageEnglish},
    {"korean", kLanguageKorean},
    {"traditionalChinese", kLanguageTraditionalChinese},
    {"simplifiedChinese", kLanguageSimplifiedChinese},
};

// The folder of the message sources, data/message.
inline std::filesystem::path MessageSourcePath()
{
    return SourceRoot() / "data/message";
}

// The source of one language's messages in data/message.
inline tools::MessageSource ReadMessageSource(const std::string& language = "english")
{
    const std::string path = (MessageSourcePath() / (language + ".txt")).string();
    tools::MessageSource source = tools::ParseMessageSource(tools::ReadTextFile(path).value_or(""), path);
    EXPECT_TRUE(source.errors.empty()) << source.errors.front();
    EXPECT_FALSE(source.entries.empty()) << path;
    return source;
}

inline std::set<std::string> MessageKeys(const std::string& language = "english")
{
    std::set<std::string> keys;
    for (const auto& entry : ReadMessageSource(language).entries) {
        keys.insert(entry.key);
    }
    return keys;
}

// Installs one language's messages for the scope.
class ScopedMessages {
public:
    explicit ScopedMessages(const std::string& language = "english")
    {
        vesk::text::ReleaseMessageFile();
        EXPECT_TRUE(vesk::text::RegisterMessageFile(tools::WriteMessageFile(ReadMessageSource(language).entries, 1)));
    }
    ~ScopedMessages() { vesk::text::ReleaseMessageFile(); }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;
};

// Installs one language's messages with a few more in front for the scope; the plain set comes back after.
class ScopedExtraMessages {
public:
    explicit ScopedExtraMessages(std::vector<tools::MessageFileEntry> extra, std::string language = "english")
        : language_(std::move(language))
    {
        for (tools::MessageFileEntry& entry : ReadMessageSource(language_).entries) extra.push_back(std::move(entry));
        Install(extra);
    }
    ~ScopedExtraMessages() { Install(ReadMessageSource(language_).entries); }
    ScopedExtraMessages(const ScopedExtraMessages&) = delete;
    ScopedExtraMessages& operator=(const ScopedExtraMessages&) = delete;

private:
    static void Install(const std::vector<tools::MessageFileEntry>& entries)
    {
        vesk::text::ReleaseMessageFile();
        EXPECT_TRUE(vesk::text::RegisterMessageFile(tools::WriteMessageFile(entries, 1)));
    }
    std::string language_;
};

}  // namespace support

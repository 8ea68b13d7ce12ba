// The message sources: keys, texts and escapes, bad lines, and every language of the data set.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "framework/text/message_file.h"
#include "tests/support/build_paths.h"
#include "tools/common/message_file_writer.h"
#include "tools/common/message_source.h"
#include "tools/common/whole_file.h"

namespace {

using namespace std::string_literals;
using tools::ParseMessageSource;

TEST(ParseMessageSource, ReadsKeysTextsAndEscapes)
{
    const auto source = ParseMessageSource(
        "\xEF\xBB\xBF# comment\n"
        "\n"
        "COMMAND_YES\t\xe3\x81\xaf\xe3\x81\x84\r\n"
        "MULTI\tline one\\r\\nline two\\t\\\\end\n"
        "EMPTY\t\n"
        "TABS\ta\tb\n"
        "LAST\tno newline",
        "ja.txt");
    ASSERT_TRUE(source.errors.empty()) << source.errors[0];
    ASSERT_EQ(source.entries.size(), 5u);
    EXPECT_EQ(source.entries[0].key, "COMMAND_YES");
    EXPECT_EQ(source.entries[0].text, u"はい");
    EXPECT_EQ(source.entries[1].text, u"line one\r\nline two\t\\end");
    EXPECT_EQ(source.entries[2].text, u"");
    EXPECT_TRUE(source.entries[2].hasText);
    EXPECT_EQ(source.entries[3].text, u"a\tb");
    EXPECT_EQ(source.entries[4].key, "LAST");
}

TEST(ParseMessageSource, ReportsEachBadLineWithFileAndLine)
{
    const auto source = ParseMessageSource(
        "GOOD\tfine\n"
        "no tab here\n"
        "\tno key\n"
        "BAD KEY\ttext\n"
        "ESCAPE\tbad \\q\n"
        "TRAILING\tend \\\n"
        "UTF8\tbad \xC3\x28\n"
        "GOOD\tagain\n"
        "OTHER\tfine\n"
        "ZERO\tcut\0short\n"s,
        "en.txt");
    const std::vector<std::string> expected = {
        "en.txt:2: expected KEY<TAB>text",
        "en.txt:3: empty key",
        "en.txt:4: key 'BAD KEY' may hold only printable ASCII without spaces",
        "en.txt:5: unknown escape '\\q' (known: \\n \\r \\t \\\\)",
        "en.txt:6: text ends with a lone '\\' (write \\\\ for a backslash)",
        "en.txt:7: text of 'UTF8' is not valid UTF-8",
        "en.txt:8: duplicate key 'GOOD' (first at line 1)",
        "en.txt:10: text of 'ZERO' holds a zero character, which would end it",
    };
    EXPECT_EQ(source.errors, expected);
    ASSERT_EQ(source.entries.size(), 2u);
    EXPECT_EQ(source.entries[1].key, "OTHER");
}

// The shipped sources build, hold the same keys in every language and install.
TEST(MessageData, EveryLanguageHasTheSameKeysAndInstalls)
{
    // Lexical, so the test-data folder need not exist.
    const std::string dir =
        (support::SourceRoot() / "data/message/").string();
    const char* languages[] = {"japanese", "english", "korean", "traditionalChinese", "simplifiedChinese"};
    std::set<std::string> englishKeys;
    for (const char* language : languages) {
        const std::string path = dir + language + ".txt";
        const std::string text = tools::ReadTextFile(path).value_or("");
        ASSERT_FALSE(text.empty()) << path;
        const auto source = ParseMessageSource(text, path);
        ASSERT_TRUE(source.errors.empty()) << source.errors[0];
        std::set<std::string> keys;
        for (const auto& entry : source.entries) {
            keys.insert(entry.key);
        }
        if (englishKeys.empty()) {
            englishKeys = keys;
        }
        EXPECT_EQ(keys, englishKeys) << language;

        vesk::text::ReleaseMessageFile();
        ASSERT_TRUE(vesk::text::RegisterMessageFile(tools::WriteMessageFile(source.entries, 1), path));
        for (const auto& entry : source.entries) {
            const auto found = vesk::text::GetMessageEntry(entry.key);
            ASSERT_TRUE(found && found->hasText) << language << " " << entry.key;
            EXPECT_EQ(found->text, entry.text);
        }
    }
    vesk::text::ReleaseMessageFile();
    EXPECT_TRUE(englishKeys.count("COMMAND_YES"));
    EXPECT_TRUE(englishKeys.count("COMMAND_NO"));
}

}  // namespace

// The message file: buckets and lookups, bad headers, truncations, offsets outside the file and round trips.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/text/message_file.h"
#include "platform/little_endian.h"
#include "tests/framework/text/message_test_util.h"
#include "tests/support/log_capture.h"

namespace {

using namespace vesk::text;
using platform::ReadU32;
using vesk::text::test::BuildMessageFile;
using vesk::text::test::PutU32;
namespace mf = vesk::text::message_file;

// Every test starts and ends with no table installed.
class MessageFileTest : public testing::Test {
protected:
    void SetUp() override { ReleaseMessageFile(); }
    void TearDown() override { ReleaseMessageFile(); }

    static std::u16string TextOf(std::string_view key)
    {
        const auto entry = GetMessageEntry(key);
        return entry && entry->hasText ? entry->text : u"<none>";
    }
};

// Follows the bucket table of a written file to the keys of one bucket, in list order.
std::vector<std::string> KeysInBucket(const std::vector<uint8_t>& file, uint8_t bucket)
{
    const uint32_t at = ReadU32(file, mf::kBucketTableOffset) + bucket * mf::kBucketSize;
    std::vector<std::string> keys;
    for (uint32_t i = 0; i < ReadU32(file, at); ++i) {
        const uint32_t record = ReadU32(file, ReadU32(file, at + 4) + 4 * i);
        keys.emplace_back(reinterpret_cast<const char*>(file.data() + ReadU32(file, record)));
    }
    return keys;
}

TEST(MessageKeyBucket, FirstByteSignedTimesLengthLowEightBits)
{
    EXPECT_EQ(mf::KeyBucket("A"), 65);
    EXPECT_EQ(mf::KeyBucket("AB"), 130);
    EXPECT_EQ(mf::KeyBucket("ABCDEFGHIJ"), 138);
    // A high first byte lands where its unsigned reading would put it.
    for (int first = 0x80; first <= 0xFF; first += 0x13) {
        for (size_t length = 1; length < 12; ++length) {
            std::string key(length, 'x');
            key[0] = static_cast<char>(first);
            EXPECT_EQ(mf::KeyBucket(key), (first * length) & 0xFF) << first << " " << length;
        }
    }
}

TEST_F(MessageFileTest, WriterPutsKeysInTheirBucketsAndTheReaderFindsThem)
{
    const auto file = BuildMessageFile(
        {{"A", u"a"}, {"AB", u"ab"}, {"ABCDEFGHIJ", u"long"}, {"\xC8X", u"high"}, {"COMMAND_YES", u"はい"}});
    EXPECT_EQ(KeysInBucket(file, 65), std::vector<std::string>{"A"});
    EXPECT_EQ(KeysInBucket(file, 130), std::vector<std::string>{"AB"});
    EXPECT_EQ(KeysInBucket(file, 138), std::vector<std::string>{"ABCDEFGHIJ"});
    EXPECT_EQ(KeysInBucket(file, (0xC8 * 2) & 0xFF), std::vector<std::string>{"\xC8X"});
    // The second table lies inside the file; the usable word is set.
    EXPECT_LT(ReadU32(file, mf::kSecondTableOffset), file.size());
    EXPECT_NE(ReadU32(file, mf::kUsableOffset), 0u);

    ASSERT_TRUE(RegisterMessageFile(file));
    EXPECT_EQ(TextOf("A"), u"a");
    EXPECT_EQ(TextOf("AB"), u"ab");
    EXPECT_EQ(TextOf("ABCDEFGHIJ"), u"long");
    EXPECT_EQ(TextOf("\xC8X"), u"high");
    EXPECT_EQ(TextOf("COMMAND_YES"), u"はい");
    EXPECT_FALSE(GetMessageEntry("COMMAND_NO"));
    EXPECT_FALSE(GetMessageEntry("a"));  // keys are case-sensitive
}

TEST_F(MessageFileTest, KeysSharingABucketMatchWholeKeysInListOrder)
{
    // "Aa" and "AB" share bucket 130; "@abc" (64 x 4) and "@abcdefg" (64 x 8) share bucket 0.
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"Aa", u"lower"},
                                                      {"AB", u"first"},
                                                      {"AB", u"second"},
                                                      {"@abcdefg", u"long key"},
                                                      {"@abc", u"short key"}})));
    EXPECT_EQ(TextOf("Aa"), u"lower");
    EXPECT_EQ(TextOf("AB"), u"first");
    EXPECT_EQ(TextOf("@abc"), u"short key");
    EXPECT_EQ(TextOf("@abcdefg"), u"long key");
    ReleaseMessageFile();

    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"@abcdefg", u"long key"}})));
    EXPECT_FALSE(GetMessageEntry("@abc"));
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"@abc", u"short key"}}, 2)));
    EXPECT_FALSE(GetMessageEntry("@abcdefg"));
}

TEST_F(MessageFileTest, BlockFromTheFileLayerIsCopied)
{
    auto block = BuildMessageFile({{"K", u"copied"}});
    ASSERT_TRUE(RegisterMessageFile(block.data(), block.size()));
    block.assign(block.size(), 0);
    EXPECT_EQ(TextOf("K"), u"copied");
}

TEST_F(MessageFileTest, NothingIsFoundWithoutATableOrForAnEmptyKey)
{
    EXPECT_FALSE(IsMessageFileInstalled());
    EXPECT_FALSE(GetMessageEntry("A"));
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"", u"empty"}, {"A", u"a"}})));
    EXPECT_FALSE(GetMessageEntry(""));
    // A key ends at its first zero byte, as a zero-terminated key would.
    EXPECT_EQ(TextOf(std::string_view("A\0junk", 6)), u"a");
}

TEST_F(MessageFileTest, EntryWithoutTextIsFoundButHasNoText)
{
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"KEY", u"ignored", false}, {"EMPTY", u""}})));
    const auto entry = GetMessageEntry("KEY");
    ASSERT_TRUE(entry);
    EXPECT_FALSE(entry->hasText);
    EXPECT_TRUE(entry->text.empty());
    const auto empty = GetMessageEntry("EMPTY");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->hasText);
    EXPECT_EQ(empty->text, u"");
}

TEST_F(MessageFileTest, BadHeadersAreRefusedAndLogged)
{
    support::LogCapture log;
    EXPECT_FALSE(RegisterMessageFile({}, "none.mes"));
    EXPECT_TRUE(log.Contains("message file 'none.mes' refused: is empty"));

    EXPECT_FALSE(RegisterMessageFile(nullptr, 64, "null.mes"));
    EXPECT_TRUE(log.Contains("message file 'null.mes' refused: no data"));

    auto wrongFormat = BuildMessageFile({{"A", u"a"}});
    PutU32(wrongFormat, mf::kFormatOffset, 0x00010001);
    EXPECT_FALSE(RegisterMessageFile(wrongFormat, "format.mes"));
    EXPECT_TRUE(log.Contains("format word 0x00010001"));

    auto wrongMagic = BuildMessageFile({{"A", u"a"}});
    wrongMagic[3] = 'X';
    EXPECT_FALSE(RegisterMessageFile(wrongMagic));
    EXPECT_TRUE(log.Contains("no GSAM mark"));
    EXPECT_FALSE(IsMessageFileInstalled());
}

TEST_F(MessageFileTest, RevisionRuleHoldsOnlyWhileATableIsInstalled)
{
    support::LogCapture log;
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"K", u"five"}}, 5)));
    EXPECT_FALSE(RegisterMessageFile(BuildMessageFile({{"K", u"five again"}}, 5)));
    EXPECT_FALSE(RegisterMessageFile(BuildMessageFile({{"K", u"four"}}, 4)));
    EXPECT_TRUE(log.Contains("revision 4 is not newer than the installed revision 5"));
    EXPECT_EQ(TextOf("K"), u"five");
    // A bad file leaves the installed table as it was.
    EXPECT_FALSE(RegisterMessageFile(std::vector<uint8_t>(10, 0)));
    EXPECT_EQ(TextOf("K"), u"five");

    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"K", u"six"}}, 6)));
    EXPECT_EQ(TextOf("K"), u"six");
    // Revisions compare unsigned.
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"K", u"high"}}, 0x80000000u)));
    EXPECT_EQ(TextOf("K"), u"high");

    ReleaseMessageFile();
    EXPECT_FALSE(GetMessageEntry("K"));
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"K", u"one"}}, 1)));
    EXPECT_EQ(TextOf("K"), u"one");
}

TEST_F(MessageFileTest, ReleaseWorksWhateverTheUsableWordSays)
{
    // A language change must always let the next file in, even after a file
    // whose usable word is 0 and whose revision is higher.
    auto file = BuildMessageFile({{"K", u"old"}}, 9);
    PutU32(file, mf::kUsableOffset, 0);
    ASSERT_TRUE(RegisterMessageFile(file));
    ReleaseMessageFile();
    EXPECT_FALSE(IsMessageFileInstalled());
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile({{"K", u"new"}}, 1)));
    EXPECT_EQ(TextOf("K"), u"new");
}

TEST_F(MessageFileTest, EveryTruncationOfAValidFileIsRefused)
{
    support::LogCapture log;
    const auto file = BuildMessageFile({{"A", u"a"}, {"AB", u"ab"}, {"KEY", u"テキスト"}, {"NOTEXT", u"", false}});
    for (size_t size = 0; size < file.size(); ++size) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(MessageTable::Create(cut, "cut.mes")) << "size " << size;
    }
    EXPECT_TRUE(MessageTable::Create(file, "whole.mes"));
}

// One damage to a valid file: where to write which word, and what the log says.
struct Damage {
    const char* what;
    void (*apply)(std::vector<uint8_t>& file);
    const char* logged;
};

uint32_t BucketAt(const std::vector<uint8_t>& file, uint8_t bucket)
{
    return ReadU32(file, mf::kBucketTableOffset) + bucket * mf::kBucketSize;
}

uint32_t FirstRecordOf(const std::vector<uint8_t>& file, uint8_t bucket)
{
    return ReadU32(file, ReadU32(file, BucketAt(file, bucket) + 4));
}

uint32_t Size(const std::vector<uint8_t>& file)
{
    return static_cast<uint32_t>(file.size());
}

const Damage kDamages[] = {
    {"second table past the end", [](auto& f) { PutU32(f, mf::kSecondTableOffset, Size(f)); }, "second table"},
    {"bucket table past the end", [](auto& f) { PutU32(f, mf::kBucketTableOffset, Size(f) - 100); }, "bucket table"},
    {"bucket table at 0xFFFFFFFF", [](auto& f) { PutU32(f, mf::kBucketTableOffset, 0xFFFFFFFF); }, "bucket table"},
    {"entry list past the end", [](auto& f) { PutU32(f, BucketAt(f, 65) + 4, Size(f) - 2); }, "bucket 65 lists"},
    {"huge entry count", [](auto& f) { PutU32(f, BucketAt(f, 65), 0xFFFFFFFF); }, "bucket 65 lists 4294967295"},
    {"entry count past the end", [](auto& f) { PutU32(f, BucketAt(f, 65), Size(f) / 4); }, "bucket 65 lists"},
    {"entry record past the end", [](auto& f) { PutU32(f, ReadU32(f, BucketAt(f, 65) + 4), Size(f) - 8); },
     "names an entry"},
    {"key past the end", [](auto& f) { PutU32(f, FirstRecordOf(f, 65), Size(f)); }, "has its key"},
    {"key not terminated",
     [](auto& f) {
         f.insert(f.end(), {'X', 'Y'});
         PutU32(f, FirstRecordOf(f, 65), Size(f) - 2);
     },
     "has its key"},
    {"text past the end", [](auto& f) { PutU32(f, FirstRecordOf(f, 65) + 8, Size(f) + 1000); }, "has its text"},
    {"text in the last byte", [](auto& f) { PutU32(f, FirstRecordOf(f, 65) + 8, Size(f) - 1); }, "has its text"},
    {"text not terminated",
     [](auto& f) {
         f.insert(f.end(), {'X', 0, 'Y', 0, 'Z'});
         PutU32(f, FirstRecordOf(f, 65) + 8, Size(f) - 5);
     },
     "has its text"},
    {"text terminated only at the other parity",
     [](auto& f) {
         f.insert(f.end(), {'X', 'X', 0, 0, 'Y'});
         PutU32(f, FirstRecordOf(f, 65) + 8, Size(f) - 4);
     },
     "has its text"},
};

TEST_F(MessageFileTest, OffsetsOutsideTheFileAreRefusedWithALogLine)
{
    for (const Damage& damage : kDamages) {
        support::LogCapture log;
        auto file = BuildMessageFile({{"A", u"a"}, {"B", u"b"}});
        damage.apply(file);
        EXPECT_FALSE(RegisterMessageFile(file, "damaged.mes")) << damage.what;
        EXPECT_TRUE(log.Contains("message file 'damaged.mes' refused")) << damage.what;
        EXPECT_TRUE(log.Contains(damage.logged)) << damage.what << ": " << (log.Lines().empty() ? "" : log.Lines()[0]);
    }
    EXPECT_FALSE(IsMessageFileInstalled());
}

TEST_F(MessageFileTest, OffsetsOfUnreadWordsAreNotChecked)
{
    // The text offset of an entry without text is never followed, nor are the
    // list offsets of empty buckets.
    auto file = BuildMessageFile({{"A", u"", false}});
    PutU32(file, FirstRecordOf(file, 65) + 8, 0xFFFFFFF0);
    PutU32(file, BucketAt(file, 0) + 4, 0xFFFFFFF0);
    ASSERT_TRUE(RegisterMessageFile(file));
    EXPECT_TRUE(GetMessageEntry("A"));
}

TEST_F(MessageFileTest, WriterRoundTripsManyEntries)
{
    std::vector<tools::MessageFileEntry> entries;
    for (int i = 0; i < 1500; ++i) {
        std::u16string text = u"text ";
        for (int n = 0; n < i % 7; ++n) {
            text += (n % 2) ? u"ネ" : u"\U0001F400";
        }
        entries.push_back({"KEY_" + std::to_string(i), text, i % 50 != 0});
    }
    ASSERT_TRUE(RegisterMessageFile(BuildMessageFile(entries)));
    for (const auto& expected : entries) {
        const auto entry = GetMessageEntry(expected.key);
        ASSERT_TRUE(entry) << expected.key;
        EXPECT_EQ(entry->hasText, expected.hasText) << expected.key;
        EXPECT_EQ(entry->text, expected.hasText ? expected.text : u"") << expected.key;
    }
    EXPECT_FALSE(GetMessageEntry("KEY_1500"));
}

}  // namespace

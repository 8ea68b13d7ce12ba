// The message file: its layout, the table that looks texts up by key, and the one installed file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::text {

// Layout of a message file: a 64-byte header, a table of 256 buckets of
// {entry count, offset of the entry list}, entry lists of record offsets and
// entry records {key offset at +0, text offset at +8, has-text word at +16}.
// Every offset counts from the start of the file; words are little-endian.
namespace message_file {
inline constexpr uint32_t kHeaderSize = 64;
inline constexpr uint32_t kMagicOffset = 0;
inline constexpr uint32_t kSecondTableOffset = 12;
inline constexpr uint32_t kUsableOffset = 16;
inline constexpr uint32_t kBucketTableOffset = 32;
inline constexpr uint32_t kFormatOffset = 56;
inline constexpr uint32_t kRevisionOffset = 60;
inline constexpr uint32_t kFormat = 0x00010000;
inline constexpr uint32_t kBucketCount = 256;
inline constexpr uint32_t kBucketSize = 8;
inline constexpr uint32_t kEntryKeyOffset = 0;
inline constexpr uint32_t kEntryTextOffset = 8;
inline constexpr uint32_t kEntryHasTextOffset = 16;
inline constexpr uint32_t kEntryRecordSize = 20;  // bytes read of a record
inline constexpr char kMagic[4] = {'G', 'S', 'A', 'M'};

// The bucket of a key: its first byte (signed) times its length, low 8 bits.
uint8_t KeyBucket(std::string_view key);
}  // namespace message_file

// What a lookup finds for a key. The text is a copy, so it stays valid after
// the table it came from is released.
struct MessageEntry {
    bool hasText = false;
    std::u16string text;  // empty unless hasText
};

// A validated message file that owns its bytes. Lookups read the file in
// place; every offset they follow was checked by Create.
class MessageTable {
public:
    // Checks the whole file; logs why and returns nothing when it is refused.
    static std::optional<MessageTable> Create(std::vector<uint8_t> file, std::string_view name);

    uint32_t Revision() const;
    // The first entry of the key's bucket whose key equals the key (up to a
    // zero byte in it, as a zero-terminated key would end there).
    std::optional<MessageEntry> Find(std::string_view key) const;

private:
    explicit MessageTable(std::vector<uint8_t> file) : file_(std::move(file)) {}

    std::vector<uint8_t> file_;
};

// The one installed message table of the process (main thread only).
//
// Installs a message file. Refused (false, with a log line) when the file is
// empty, not a message file, of another format, damaged, or while a table is
// still installed and the new revision is not greater than its revision. A
// refused file is freed; the installed table then stays as it was.
bool RegisterMessageFile(std::vector<uint8_t> file, std::string_view name = "message file");
// The same for a block read by the file layer; the bytes are copied, so the
// caller frees its block whatever the result. A null block is refused.
bool RegisterMessageFile(const void* block, size_t size, std::string_view name = "message file");

// Installs a message file in place of the installed table whatever the revisions (the language
// change). A file that is refused as RegisterMessageFile refuses it (not a whole message file)
// leaves the installed table as it was, so the texts in force are never lost to a bad file.
bool ReplaceMessageFile(const void* block, size_t size, std::string_view name = "message file");

// Releases the installed table, whatever its header says, so that a file of
// any revision installs next (game end calls this).
void ReleaseMessageFile();

bool IsMessageFileInstalled();

// Rises with every table installed or released: a text kept from a lookup is the installed
// table's text while this is what it was at the lookup.
uint32_t MessageFileGeneration();

// The entry of a key in the installed table; nothing when no table is
// installed, the key is empty or not in the table.
std::optional<MessageEntry> GetMessageEntry(std::string_view key);

}  // namespace vesk::text

// Message files checked whole when installed, and texts looked up by key.
#include "framework/text/message_file.h"

#include <algorithm>
#include <utility>

#include "framework/log/log.h"
#include "framework/text/format_text.h"
#include "platform/little_endian.h"

namespace vesk::text {
namespace message_file {

uint8_t KeyBucket(std::string_view key)
{
    if (key.empty()) {
        return 0;
    }
    const auto first = static_cast<int32_t>(static_cast<int8_t>(key[0]));
    return static_cast<uint8_t>(static_cast<uint32_t>(first) * static_cast<uint32_t>(key.size()));
}

}  // namespace message_file

namespace {

using namespace message_file;
using platform::ReadU16;
using platform::ReadU32;

std::string_view KeyUpToZero(std::string_view key)
{
    return key.substr(0, key.find('\0'));
}

// Where the last terminators lie: a key at offset o is terminated inside the
// file when o <= lastZeroByte, and a UTF-16 text at o when o <= the last zero
// unit of the same parity. This makes checking each entry O(1).
struct Terminators {
    int64_t lastZeroByte = -1;
    int64_t lastZeroUnit[2] = {-1, -1};
};

Terminators FindTerminators(const std::vector<uint8_t>& file)
{
    Terminators found;
    for (size_t i = 0; i < file.size(); ++i) {
        if (file[i] != 0) {
            continue;
        }
        found.lastZeroByte = static_cast<int64_t>(i);
        if (i + 1 < file.size() && file[i + 1] == 0) {
            found.lastZeroUnit[i % 2] = static_cast<int64_t>(i);
        }
    }
    return found;
}

class Validator {
public:
    Validator(const std::vector<uint8_t>& file, std::string_view name) : file_(file), name_(name) {}

    bool Run()
    {
        const uint64_t size = file_.size();
        if (size == 0) {
            return Refuse("is empty");
        }
        if (size < kHeaderSize) {
            return Refuse(FormatText("is %u bytes long, shorter than its %u-byte header", {size, kHeaderSize}));
        }
        if (!std::equal(std::begin(kMagic), std::end(kMagic), file_.begin())) {
            return Refuse("is not a message file (no GSAM mark)");
        }
        const uint32_t format = ReadU32(file_, kFormatOffset);
        if (format != kFormat) {
            return Refuse(FormatText("has format word 0x%08x, expected 0x%08x", {format, kFormat}));
        }
        const uint32_t secondTable = ReadU32(file_, kSecondTableOffset);
        if (secondTable >= size) {
            return Refuse(FormatText("names a second table at 0x%x, outside the file (%u bytes)", {secondTable, size}));
        }
        const uint32_t bucketTable = ReadU32(file_, kBucketTableOffset);
        if (uint64_t{bucketTable} + kBucketCount * kBucketSize > size) {
            return Refuse(FormatText("has its bucket table at 0x%x, outside the file (%u bytes)", {bucketTable, size}));
        }
        terminators_ = FindTerminators(file_);
        for (uint32_t bucket = 0; bucket < kBucketCount; ++bucket) {
            if (!CheckBucket(bucket, uint64_t{bucketTable} + bucket * kBucketSize)) {
                return false;
            }
        }
        return true;
    }

private:
    bool CheckBucket(uint32_t bucket, uint64_t at)
    {
        const uint32_t count = ReadU32(file_, at);
        if (count == 0) {
            return true;
        }
        const uint32_t list = ReadU32(file_, at + 4);
        if (uint64_t{list} + uint64_t{count} * 4 > file_.size()) {
            return Refuse(FormatText("bucket %u lists %u entries at 0x%x, past the end of the file (%u bytes)",
                                     {bucket, count, list, file_.size()}));
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (!CheckEntry(bucket, ReadU32(file_, uint64_t{list} + uint64_t{i} * 4))) {
                return false;
            }
        }
        return true;
    }

    bool CheckEntry(uint32_t bucket, uint32_t record)
    {
        if (uint64_t{record} + kEntryRecordSize > file_.size()) {
            return Refuse(FormatText("bucket %u names an entry at 0x%x, past the end of the file", {bucket, record}));
        }
        const uint32_t key = ReadU32(file_, uint64_t{record} + kEntryKeyOffset);
        if (int64_t{key} > terminators_.lastZeroByte) {
            return Refuse(FormatText("entry at 0x%x has its key at 0x%x, outside the file or unterminated",
                                     {record, key}));
        }
        if (ReadU32(file_, uint64_t{record} + kEntryHasTextOffset) == 0) {
            return true;  // the text offset of an entry without text is never followed
        }
        const uint32_t text = ReadU32(file_, uint64_t{record} + kEntryTextOffset);
        if (int64_t{text} > terminators_.lastZeroUnit[text % 2]) {
            return Refuse(FormatText("entry at 0x%x has its text at 0x%x, outside the file or unterminated",
                                     {record, text}));
        }
        return true;
    }

    bool Refuse(std::string_view reason)
    {
        log::Error(FormatText("message file '%s' refused: %s", {name_, reason}));
        return false;
    }

    const std::vector<uint8_t>& file_;
    std::string_view name_;
    Terminators terminators_;
};

std::optional<MessageTable>& InstalledTable()
{
    static std::optional<MessageTable> table;
    return table;
}

uint32_t g_generation = 0;

}  // namespace

std::optional<MessageTable> MessageTable::Create(std::vector<uint8_t> file, std::string_view name)
{
    if (!Validator(file, name).Run()) {
        return std::nullopt;
    }
    return MessageTable(std::move(file));
}

uint32_t MessageTable::Revision() const
{
    return ReadU32(file_, kRevisionOffset);
}

std::optional<MessageEntry> MessageTable::Find(std::string_view key) const
{
    key = KeyUpToZero(key);
    if (key.empty()) {
        return std::nullopt;
    }
    const uint64_t bucket = uint64_t{ReadU32(file_, kBucketTableOffset)} + KeyBucket(key) * kBucketSize;
    const uint32_t count = ReadU32(file_, bucket);
    const uint32_t list = ReadU32(file_, bucket + 4);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t record = ReadU32(file_, uint64_t{list} + uint64_t{i} * 4);
        const uint32_t keyAt = ReadU32(file_, uint64_t{record} + kEntryKeyOffset);
        // The stored key ends with a zero byte inside the file and the key has
        // none, so the comparison stops at that zero at the latest.
        size_t n = 0;
        while (n < key.size() && file_[keyAt + n] == static_cast<uint8_t>(key[n])) {
            ++n;
        }
        if (n < key.size() || file_[keyAt + n] != 0) {
            continue;
        }
        MessageEntry entry;
        entry.hasText = ReadU32(file_, uint64_t{record} + kEntryHasTextOffset) != 0;
        if (entry.hasText) {
            for (uint64_t at = ReadU32(file_, uint64_t{record} + kEntryTextOffset);; at += 2) {
                const auto unit = static_cast<char16_t>(ReadU16(file_, at));
                if (unit == 0) {
                    break;
                }
                entry.text += unit;
            }
        }
        return entry;
    }
    return std::nullopt;
}

bool RegisterMessageFile(std::vector<uint8_t> file, std::string_view name)
{
    std::optional<MessageTable> table = MessageTable::Create(std::move(file), name);
    if (!table) {
        return false;
    }
    std::optional<MessageTable>& installed = InstalledTable();
    if (installed && table->Revision() <= installed->Revision()) {
        log::Error(FormatText("message file '%s' refused: revision %u is not newer than the installed revision %u",
                              {name, table->Revision(), installed->Revision()}));
        return false;
    }
    installed = std::move(table);
    ++g_generation;
    return true;
}

bool RegisterMessageFile(const void* block, size_t size, std::string_view name)
{
    if (!block) {
        log::Error(FormatText("message file '%s' refused: no data", {name}));
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(block);
    return RegisterMessageFile(std::vector<uint8_t>(bytes, bytes + size), name);
}

bool ReplaceMessageFile(const void* block, size_t size, std::string_view name)
{
    if (!block) {
        log::Error(FormatText("message file '%s' refused: no data", {name}));
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(block);
    std::optional<MessageTable> table = MessageTable::Create(std::vector<uint8_t>(bytes, bytes + size), name);
    if (!table) {
        return false;
    }
    InstalledTable() = std::move(table);
    ++g_generation;
    return true;
}

void ReleaseMessageFile()
{
    InstalledTable().reset();
    ++g_generation;
}

bool IsMessageFileInstalled()
{
    return InstalledTable().has_value();
}

uint32_t MessageFileGeneration()
{
    return g_generation;
}

std::optional<MessageEntry> GetMessageEntry(std::string_view key)
{
    const std::optional<MessageTable>& installed = InstalledTable();
    if (!installed) {
        return std::nullopt;
    }
    return installed->Find(key);
}

}  // namespace vesk::text

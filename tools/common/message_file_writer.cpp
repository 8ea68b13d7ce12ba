// The message file laid out: header, bucket table, entry lists, records, keys and texts.
#include "tools/common/message_file_writer.h"

#include <algorithm>
#include <array>

#include "framework/text/message_file.h"
#include "tools/common/byte_writer.h"

namespace tools {
namespace {

using namespace vesk::text::message_file;

// Entry records are 24 bytes: the three words the game reads (+0, +8, +16)
// and zero words between them.
constexpr uint32_t kRecordSize = 24;

// Zero bytes at the end; the offset of the first. The file grows by doubling,
// reserved before the resize (which also spares GCC 12 a false out-of-bounds
// warning on the copy).
uint32_t Append(std::vector<uint8_t>& out, size_t bytes)
{
    const size_t at = out.size();
    if (out.capacity() < at + bytes) {
        out.reserve(std::max(at + bytes, 2 * out.capacity()));
    }
    out.resize(at + bytes, 0);
    return static_cast<uint32_t>(at);
}

}  // namespace

std::vector<uint8_t> WriteMessageFile(const std::vector<MessageFileEntry>& entries, uint32_t revision)
{
    std::array<std::vector<size_t>, kBucketCount> buckets;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& key = entries[i].key;
        buckets[KeyBucket(std::string_view(key).substr(0, key.find('\0')))].push_back(i);
    }

    std::vector<uint8_t> out(kHeaderSize, 0);
    std::copy(std::begin(kMagic), std::end(kMagic), out.begin());
    PutU32(out, kUsableOffset, 1);
    PutU32(out, kFormatOffset, kFormat);
    PutU32(out, kRevisionOffset, revision);

    const uint32_t bucketTable = Append(out, kBucketCount * kBucketSize);
    PutU32(out, kBucketTableOffset, bucketTable);
    // The second table is not read by the game; it is an empty one (a zero
    // count) that lies inside the file as the game's check requires.
    PutU32(out, kSecondTableOffset, Append(out, 8));

    std::vector<uint32_t> listOf(kBucketCount, 0);
    for (uint32_t b = 0; b < kBucketCount; ++b) {
        if (!buckets[b].empty()) {
            listOf[b] = Append(out, buckets[b].size() * 4);
        }
        PutU32(out, bucketTable + b * kBucketSize, static_cast<uint32_t>(buckets[b].size()));
        PutU32(out, bucketTable + b * kBucketSize + 4, listOf[b]);
    }

    std::vector<uint32_t> recordOf(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        recordOf[i] = Append(out, kRecordSize);
    }
    for (uint32_t b = 0; b < kBucketCount; ++b) {
        for (size_t n = 0; n < buckets[b].size(); ++n) {
            PutU32(out, listOf[b] + n * 4, recordOf[buckets[b][n]]);
        }
    }

    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& key = entries[i].key;
        const size_t keyLength = std::min(key.find('\0'), key.size());
        const uint32_t keyAt = Append(out, keyLength + 1);
        std::copy(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(keyLength), out.begin() + keyAt);
        PutU32(out, recordOf[i] + kEntryKeyOffset, keyAt);
    }
    if (out.size() % 2 != 0) {
        Append(out, 1);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].hasText) {
            continue;  // the text offset stays 0 and is never followed
        }
        const std::u16string& text = entries[i].text;
        const uint32_t textAt = Append(out, (text.size() + 1) * 2);
        for (size_t n = 0; n < text.size(); ++n) {
            PutU16(out, textAt + 2 * n, text[n]);
        }
        PutU32(out, recordOf[i] + kEntryTextOffset, textAt);
        PutU32(out, recordOf[i] + kEntryHasTextOffset, 1);
    }
    return out;
}

}  // namespace tools

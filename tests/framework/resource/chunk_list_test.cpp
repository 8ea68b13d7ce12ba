// The chunk-list reader: tags, names and data in order, and foreign headers or tables or chunks outside the file.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/resource/chunk_list.h"
#include "tests/support/log_capture.h"
#include "tools/common/byte_writer.h"
#include "tools/common/chunk_list_writer.h"

namespace vesk::resource {
namespace {

using ::tools::PutU32;

std::vector<uint8_t> TwoChunks()
{
    return tools::MakeChunkList({{"TSUB", "table.bin", {1, 2, 3}}, {"TEXD", std::string(140, 'n'), {4, 5}}});
}

TEST(ChunkList, ReadsTagsNamesAndDataInTableOrder)
{
    const std::vector<uint8_t> file = TwoChunks();
    std::vector<ChunkEntry> chunks;
    ASSERT_TRUE(ReadChunkList(file, "test.pac", chunks));
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].tag, MakeTag("TSUB"));
    EXPECT_EQ(chunks[0].name, "table.bin");
    EXPECT_EQ(std::vector<uint8_t>(chunks[0].data.begin(), chunks[0].data.end()), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(chunks[1].tag, MakeTag("TEXD"));
    EXPECT_EQ(chunks[1].name, std::string(127, 'n'));
    EXPECT_EQ(chunks[1].data.size(), 2u);

    // A name filling all 128 bytes with no terminator stops at the record's end.
    std::vector<uint8_t> unterminated = file;
    for (size_t i = 0; i < kChunkNameSize; ++i) unterminated[kChunkListHeaderSize + 16 + i] = 'x';
    ASSERT_TRUE(ReadChunkList(unterminated, "test.pac", chunks));
    EXPECT_EQ(chunks[0].name, std::string(kChunkNameSize, 'x'));
}

TEST(ChunkList, RefusesForeignHeadersAndTablesAndChunksOutsideTheFile)
{
    const std::vector<uint8_t> good = TwoChunks();
    struct Case {
        const char* fault;
        size_t offset;
        uint32_t value;
    };
    const Case cases[] = {
        {"mark zeroed", 0, 0},
        {"another layout version", 4, 2},
        {"count too large", 12, 3},
        {"count that overflows a 32-bit product", 12, 0x1C71C71D},
        {"table past the end", 16, static_cast<uint32_t>(good.size())},
        {"table offset near 4 GiB", 16, 0xFFFFFFF0u},
        {"chunk size past the end", kChunkListHeaderSize + 8, static_cast<uint32_t>(good.size())},
        {"chunk offset past the end", kChunkListHeaderSize + 12, static_cast<uint32_t>(good.size()) + 1},
        {"offset plus size wraps", kChunkListHeaderSize + kChunkRecordSize + 8, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        PutU32(bad, c.offset, c.value);
        support::LogCapture capture;
        std::vector<ChunkEntry> chunks;
        EXPECT_FALSE(ReadChunkList(bad, "broken.pac", chunks)) << c.fault;
        EXPECT_TRUE(chunks.empty()) << c.fault;
        EXPECT_TRUE(capture.Contains("error: broken.pac: ")) << c.fault;
    }

    support::LogCapture capture;
    std::vector<ChunkEntry> chunks;
    EXPECT_FALSE(ReadChunkList(std::span(good.data(), 19), "short.pac", chunks));
    // An empty list is a valid list.
    std::vector<uint8_t> empty = tools::MakeChunkList({});
    EXPECT_TRUE(ReadChunkList(empty, "empty.pac", chunks));
    EXPECT_TRUE(chunks.empty());
}

}  // namespace
}  // namespace vesk::resource

// Resource files: paths, whole reads into a heap, and missing, unreadable, oversized or empty files.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "framework/file/resource_file.h"
#include "framework/memory/heaps.h"
#include "platform/file_system.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"

namespace vesk::file {
namespace {

using support::LogCapture;
using support::ScratchFolder;
using support::WriteBytes;

class ResourceFile : public ::testing::Test {
protected:
    void SetUp() override { SetResourceFolder((scratch_.path() / "data").string()); }
    void TearDown() override
    {
        SetResourceFolder(kResourceFolder);
        platform::SetFileFaultForTesting(platform::FileFault::None);
        memory::ReleaseHeaps();
    }

    ScratchFolder scratch_;
};

TEST_F(ResourceFile, PathIsTheResourceFolderPlusTheName)
{
    SetResourceFolder(kResourceFolder);
    EXPECT_EQ(ResourcePath("script/particle.pac"), "ResourceWin/script/particle.pac");
}

TEST_F(ResourceFile, ReadsAWholeFileIntoTheGivenHeap)
{
    ASSERT_TRUE(memory::CreateHeaps());
    const std::string content = std::string("GSAM") + std::string(5000, '\x7f') + '\0' + "end";
    WriteBytes(scratch_.path() / "data/message/english.mes", content);

    std::size_t size = 0;
    void* block = ReadResourceFile(memory::ResourceHeap(), "message/english.mes", &size);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(size, content.size());
    EXPECT_EQ(std::memcmp(block, content.data(), size), 0);
    EXPECT_EQ(memory::GetArenaStats(*memory::ResourceHeap()).liveBlocks, 1u);
    memory::MainHeapFree(block);

    void* fromMain = ReadResourceFile(nullptr, "message/english.mes", nullptr);
    ASSERT_NE(fromMain, nullptr);
    EXPECT_TRUE(memory::IsInAnyArena(fromMain));
    memory::MainHeapFree(fromMain);
}

TEST_F(ResourceFile, MissingOrUnreadableFilesGiveNullAndALogLine)
{
    LogCapture capture;
    std::size_t size = 12345;
    EXPECT_EQ(ReadResourceFile(nullptr, "missing.pac", &size), nullptr);
    EXPECT_EQ(size, 12345u);
    EXPECT_TRUE(capture.Contains("resource not found"));

    std::filesystem::create_directories(scratch_.path() / "data/folder.pac");
    EXPECT_EQ(ReadResourceFile(nullptr, "folder.pac", &size), nullptr);
    EXPECT_EQ(size, 12345u);
    EXPECT_TRUE(capture.Contains("not a regular file"));

    WriteBytes(scratch_.path() / "data/cut.pac", std::string(1000, 'x'));
    platform::SetFileFaultForTesting(platform::FileFault::ShortRead);
    EXPECT_EQ(ReadResourceFile(nullptr, "cut.pac", &size), nullptr);
    EXPECT_EQ(size, 12345u);
    EXPECT_TRUE(capture.Contains("file ended after 500 of 1000 bytes"));
}

TEST_F(ResourceFile, FileLargerThanTheHeapIsRefused)
{
    memory::HeapRecord tiny;
    alignas(4096) static std::byte arena[8192];
    ASSERT_TRUE(memory::InitArena(&tiny, arena, sizeof(arena), 0x80));
    WriteBytes(scratch_.path() / "data/big.cvt", std::string(20000, 'x'));
    LogCapture capture;
    EXPECT_EQ(ReadResourceFile(&tiny, "big.cvt", nullptr), nullptr);
    EXPECT_TRUE(capture.Contains("no memory for resource"));
    memory::CloseArena(&tiny);
}

TEST_F(ResourceFile, EmptyFileGivesNullWithSizeZeroAndALogLine)
{
    WriteBytes(scratch_.path() / "data/empty.lst", "");
    std::size_t size = 99;
    LogCapture capture;
    EXPECT_EQ(ReadResourceFile(nullptr, "empty.lst", &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(capture.Contains("empty.lst is empty"));
}

}  // namespace
}  // namespace vesk::file

// The save file's write, read, delete and backup jobs: whole writes, failures told apart, one job at a time, the folder's claim.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/file/save_file.h"
#include "framework/memory/heaps.h"
#include "platform/file_system.h"
#include "platform/folder_claim.h"
#include "platform/thread.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"

namespace vesk::file {
namespace {

using support::LogCapture;
using support::ReadBytes;
using support::ScratchFolder;
using support::WriteBytes;

template <typename Poll>
std::uint32_t PollUntilDone(Poll poll)
{
    std::uint32_t status = kSaveJobRunning;
    for (int i = 0; i < 10000 && status == kSaveJobRunning; ++i) {
        status = poll();
        if (status == kSaveJobRunning) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return status;
}

std::uint32_t FinishWrite() { return PollUntilDone([] { return PollSaveCreate(); }); }
std::uint32_t FinishDelete() { return PollUntilDone([] { return PollSaveDelete(); }); }
std::uint32_t FinishBackup() { return PollUntilDone([] { return PollSaveBackup(); }); }
std::uint32_t FinishRead(void** buffer, std::size_t* size)
{
    return PollUntilDone([&] { return PollSaveRead(buffer, size); });
}

std::vector<unsigned char> MakeImage(unsigned char seed)
{
    std::vector<unsigned char> image(kSaveImageSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<unsigned char>(seed + i * 7);
    }
    return image;
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateSaveFolder());
        ASSERT_TRUE(memory::CreateHeaps());
    }
    void TearDown() override
    {
        platform::SetFileFaultForTesting(platform::FileFault::None);
        platform::SetThreadStartFailureForTesting(false);
        // Collect any job a failing test left behind.
        FinishWrite();
        memory::ReleaseHeaps();
    }

    std::filesystem::path SavePath() const { return scratch_.path() / MakeSavePath(); }

    bool HasTemporaryFiles() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.path() / kSaveFolder)) {
            if (platform::IsTemporaryFileName(entry.path().filename().string())) return true;
        }
        return false;
    }

    ScratchFolder scratch_;
};

TEST_F(SaveFile, PathIsTheFirstFileOfTheSaveFolder)
{
    EXPECT_EQ(MakeSavePath(), "SaveWin/00_save.bin");
    EXPECT_TRUE(CreateSaveFolder()) << "an existing folder is fine";
}

TEST_F(SaveFile, WrittenImageReadsBackWhole)
{
    const std::vector<unsigned char> image = MakeImage(3);
    ASSERT_EQ(SaveCreate(image.data()), kSaveJobRunning);
    EXPECT_EQ(FinishWrite(), kSaveJobDone);
    EXPECT_FALSE(HasTemporaryFiles());

    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    void* buffer = nullptr;
    std::size_t size = 0;
    ASSERT_EQ(FinishRead(&buffer, &size), kSaveJobDone);
    ASSERT_EQ(size, kSaveImageSize);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::memcmp(buffer, image.data(), size), 0);
    EXPECT_TRUE(memory::IsInAnyArena(buffer));
    memory::MainHeapFree(buffer);
}

TEST_F(SaveFile, RewriteReplacesTheWholeFile)
{
    WriteBytes(SavePath(), std::string(kSaveImageSize + 4096, 'o'));
    const std::vector<unsigned char> image = MakeImage(9);
    ASSERT_EQ(SaveCreate(image.data()), kSaveJobRunning);
    ASSERT_EQ(FinishWrite(), kSaveJobDone);
    const std::string written = ReadBytes(SavePath());
    ASSERT_EQ(written.size(), kSaveImageSize);
    EXPECT_EQ(std::memcmp(written.data(), image.data(), written.size()), 0);
}

TEST_F(SaveFile, FailedWriteKeepsTheOldFileAndReportsFailure)
{
    const std::string old = std::string(kSaveImageSize, 's');
    WriteBytes(SavePath(), old);
    const std::vector<unsigned char> image = MakeImage(1);

    LogCapture capture;
    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    ASSERT_EQ(SaveCreate(image.data()), kSaveJobRunning);
    EXPECT_EQ(FinishWrite(), kSaveFileFailed);
    EXPECT_TRUE(ReadBytes(SavePath()) == old);
    EXPECT_FALSE(HasTemporaryFiles());
    EXPECT_TRUE(capture.Contains("not written"));
}

TEST_F(SaveFile, WriteIntoAMissingFolderFails)
{
    std::filesystem::remove_all(scratch_.path() / kSaveFolder);
    const std::vector<unsigned char> image = MakeImage(1);
    LogCapture capture;
    ASSERT_EQ(SaveCreate(image.data()), kSaveJobRunning);
    EXPECT_EQ(FinishWrite(), kSaveFileFailed);
}

TEST_F(SaveFile, MissingBrokenAndUnreadableFilesAreToldApart)
{
    LogCapture capture;
    void* buffer = &buffer;
    std::size_t size = 77;

    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    EXPECT_EQ(FinishRead(&buffer, &size), kSaveFileFailed) << "missing";
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(size, 0u);

    WriteBytes(SavePath(), std::string(1000, 'x'));
    platform::SetFileFaultForTesting(platform::FileFault::ShortRead);
    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    EXPECT_EQ(FinishRead(&buffer, &size), kSaveFileUnreadable) << "ends before its size";
    EXPECT_EQ(buffer, nullptr);
    platform::SetFileFaultForTesting(platform::FileFault::None);

    std::filesystem::remove(SavePath());
    std::filesystem::create_directory(SavePath());
    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    EXPECT_EQ(FinishRead(&buffer, &size), kSaveFileUnreadable) << "not a regular file";
    EXPECT_EQ(memory::GetArenaStats(*memory::MainHeap()).liveBlocks, 2u) << "only the two start-up heaps";
}

TEST_F(SaveFile, EmptyFileReadsAsNoData)
{
    WriteBytes(SavePath(), "");
    void* buffer = &buffer;
    std::size_t size = 77;
    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    EXPECT_EQ(FinishRead(&buffer, &size), kSaveJobDone);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(size, 0u);
}

// Another running copy holds the save folder (and may be writing the save this copy found broken):
// this copy neither deletes the save nor moves it aside. Once the folder is free, the backup takes
// the first backup name.
TEST_F(SaveFile, ASaveIsNeitherDeletedNorSetAsideWhileAnotherCopyHoldsTheFolder)
{
    WriteBytes(SavePath(), "broken");
    const std::filesystem::path lock = scratch_.path() / kSaveFolder / platform::kFolderLockName;
    const int other = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    {
        LogCapture capture;
        ASSERT_EQ(SaveDelete(), kSaveJobRunning);
        EXPECT_EQ(FinishDelete(), kSaveFileFailed);
        ASSERT_EQ(SaveBackup(), kSaveJobRunning);
        EXPECT_EQ(FinishBackup(), kSaveFileFailed);
        EXPECT_TRUE(capture.Contains("save file SaveWin/00_save.bin not set aside: another running program writes into SaveWin"));
    }
    EXPECT_EQ(ReadBytes(SavePath()), "broken");
    EXPECT_FALSE(std::filesystem::exists(SavePath().string() + ".broken"));
    close(other);

    ASSERT_EQ(SaveBackup(), kSaveJobRunning);
    EXPECT_EQ(FinishBackup(), kSaveJobDone);
    EXPECT_FALSE(std::filesystem::exists(SavePath()));
    EXPECT_EQ(ReadBytes(SavePath().string() + ".broken"), "broken");
    EXPECT_EQ(GetLastSaveBackupPath(), MakeSavePath() + ".broken");
}

TEST_F(SaveFile, SecondJobIsRefusedUntilTheFirstIsCollected)
{
    WriteBytes(SavePath(), std::string(100, 'r'));
    const std::vector<unsigned char> image = MakeImage(2);
    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    EXPECT_EQ(SaveCreate(image.data()), kSaveJobBusy);
    EXPECT_EQ(SaveDelete(), kSaveJobBusy);
    EXPECT_EQ(SaveRead(memory::MainHeap()), kSaveJobBusy);

    void* buffer = nullptr;
    std::size_t size = 0;
    ASSERT_EQ(FinishRead(&buffer, &size), kSaveJobDone);
    EXPECT_EQ(size, 100u);
    memory::MainHeapFree(buffer);
    EXPECT_EQ(ReadBytes(SavePath()), std::string(100, 'r')) << "the refused write changed nothing";
}

TEST_F(SaveFile, PollingAfterCollectionRepeatsTheFinalStatus)
{
    WriteBytes(SavePath(), std::string(64, 'p'));
    ASSERT_EQ(SaveRead(memory::MainHeap()), kSaveJobRunning);
    void* buffer = nullptr;
    std::size_t size = 0;
    ASSERT_EQ(FinishRead(&buffer, &size), kSaveJobDone);
    ASSERT_NE(buffer, nullptr);

    void* again = &again;
    std::size_t sizeAgain = 1;
    EXPECT_EQ(PollSaveRead(&again, &sizeAgain), kSaveJobDone);
    EXPECT_EQ(again, nullptr) << "the buffer is handed over only once";
    EXPECT_EQ(sizeAgain, 0u);
    memory::MainHeapFree(buffer);

    ASSERT_EQ(SaveDelete(), kSaveJobRunning);
    EXPECT_EQ(FinishDelete(), kSaveJobDone);
    EXPECT_EQ(PollSaveDelete(), kSaveJobDone);
    EXPECT_FALSE(std::filesystem::exists(SavePath()));

    LogCapture capture;
    ASSERT_EQ(SaveDelete(), kSaveJobRunning);
    EXPECT_EQ(FinishDelete(), kSaveFileFailed) << "nothing left to delete";
    EXPECT_EQ(PollSaveDelete(), kSaveFileFailed);
}

TEST_F(SaveFile, ThreadStartFailureIsReportedAndBlocksNothing)
{
    const std::vector<unsigned char> image = MakeImage(4);
    LogCapture capture;
    platform::SetThreadStartFailureForTesting(true);
    EXPECT_EQ(SaveCreate(image.data()), kSaveThreadFailed);
    EXPECT_EQ(PollSaveCreate(), kSaveThreadFailed);
    platform::SetThreadStartFailureForTesting(false);
    ASSERT_EQ(SaveCreate(image.data()), kSaveJobRunning);
    EXPECT_EQ(FinishWrite(), kSaveJobDone);
}

}  // namespace
}  // namespace vesk::file

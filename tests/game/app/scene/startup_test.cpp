// The start-up as the player meets it: loads in order, a fresh save, a broken one, an unreadable one, the logos.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "framework/process/quitting.h"
#include "game/app/scene/scene_initialize.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_title.h"
#include "platform/little_endian.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/log_capture.h"
#include "tests/support/game_fixture.h"
#include "game/ui/ui_manager.h"
#include "framework/window/main_window.h"
#include "platform/window.h"

namespace {

using namespace save_layout;
using Startup = GAME_CSceneInitialize;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    const std::string bytes = support::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    support::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

class StartupTest : public support::GameFixture {};

TEST_F(StartupTest, FreshRunLoadsInOrderAndWritesANewImage)
{
    support::LogCapture log;
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());

    // The loads ran in their order, then the save.
    const std::vector<std::string> stages = {"static database", "room scripts", "actor scripts", "enemy scripts",
                                             "room sprites",    "resources",    "route scripts", "save file",
                                             "main game"};
    std::vector<std::string> seen;
    for (const std::string& line : log.Lines()) {
        const std::size_t at = line.find("start-up: ");
        if (at != std::string::npos && line.find("could not") == std::string::npos) seen.push_back(line.substr(at + 10));
    }
    EXPECT_EQ(seen, stages);

    // The title and the resident bar are open over the main game.
    const GAME_CGameWorld* world = PeekGameWorld();
    ASSERT_NE(world, nullptr);
    EXPECT_TRUE(world->ui->IsOpen(kSlotTitle));
    EXPECT_TRUE(world->ui->IsOpen(kSlotResident));
    // Once the title has faded in, the desert's sky shows beside its logo, where the logos were.
    ASSERT_TRUE(StepUntil([&] { return UIManagerOf(world)->Get<GAME_CUITitle>()->State() == GAME_CUITitle::kMain; }, 120));
    const std::uint32_t sky = CanvasPixel(20, 70);
    EXPECT_GT(sky & 0xFF, (sky >> 16) & 0xFF) << std::hex << sky;  // more blue than red

    const std::vector<std::uint8_t> file = ReadFile(SavePath());
    ASSERT_EQ(file.size(), 3145728u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MHDS");
    EXPECT_EQ(platform::ReadU32(file.data() + kFormatOffset), 1u);
    EXPECT_TRUE(CheckSaveImage(file));
    const std::span<const std::uint8_t> system = std::span(file).subspan(kSystemRecordOffset, kSystemRecordSize);
    EXPECT_EQ(platform::ReadU16(system, system::kBgmVolume), 75);
    EXPECT_EQ(platform::ReadU16(system, system::kSeVolume), 75);
    EXPECT_EQ(platform::ReadU16(system, system::kWindowSize), 100);
    EXPECT_EQ(platform::ReadU16(system, system::kAutoSaveMinutes), 10);
    const std::span<const std::uint8_t> slot = std::span(file).subspan(SlotOffset(0), kSlotSize);
    for (int n = 0; n < ranking::kEntryCount; ++n) {
        const std::size_t entry = slot::kRanking + n * ranking::kEntrySize;
        for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(platform::ReadU16(slot, entry + 2 * c), 0xFF21 + n);
        EXPECT_EQ(platform::ReadU16(slot, entry + 6), 0);
        EXPECT_EQ(platform::ReadU32(slot, entry + ranking::kScore), static_cast<std::uint32_t>(10000 - 1000 * n));
    }
    EXPECT_EQ(platform::ReadU32(slot, slot::kStoryFlags) & 1u, 1u);
}

TEST_F(StartupTest, OnAScreenShorterThanTheWindowEveryStartFitsIt)
{
    // A display 400 pixels high: the default 1280 x 720 window would run off it, dialogs and all.
    vesk::window::SetDisplaySizesForTesting(vesk::window::DisplaySizes{400, {640.0f, 400.0f}});
    struct RealDisplayAfterwards {
        ~RealDisplayAfterwards() { vesk::window::SetDisplaySizesForTesting(std::nullopt); }
    } realDisplayAfterwards;
    const auto clientSize = [] {
        int width = 0;
        int height = 0;
        platform::GetWindowClientSize(width, height);
        return std::pair(width, height);
    };
    for (int run = 0; run < 2; ++run) {  // with no save yet, then with the one the first run wrote
        StartGame();
        ASSERT_TRUE(StepUntilMainGame());
        StepFrames(2);
        EXPECT_EQ(clientSize(), std::pair(640, 360)) << "run " << run;
        StopGame();
    }
    // A damaged file asks its question before any settings are known: in a window the screen holds.
    support::WriteBytes(SavePath(), "damaged");
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kBrokenFile));
    StepFrames(2);
    EXPECT_EQ(clientSize(), std::pair(640, 360));
    StopGame();
    vesk::window::SetDisplaySizesForTesting(std::nullopt);

    // A screen that holds the default size keeps it.
    std::filesystem::remove(SavePath());
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    StepFrames(2);
    EXPECT_EQ(clientSize(), std::pair(1280, 720));
}

TEST_F(StartupTest, ABrokenFileIsKeptAsBackupAndAFreshImageWritten)
{
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    StopGame();
    std::vector<std::uint8_t> good = ReadFile(SavePath());

    // A byte of the zero fill is not covered by the checksum: the file still loads.
    std::vector<std::uint8_t> fill = good;
    fill[kChecksumEnd + 100] ^= 0x40;
    WriteFile(SavePath(), fill);
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_FALSE(std::filesystem::exists(BackupPath()));
    StopGame();

    // A byte inside the checksummed range breaks it.
    std::vector<std::uint8_t> broken = good;
    broken[SlotOffset(3) + 1234] ^= 0x01;
    WriteFile(SavePath(), broken);
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kBrokenFile));
    StepFrames(1);
    // The question is on screen, with its one button.
    const auto& texts = frames.back().texts;
    auto shows = [&](std::u16string_view part) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const support::RecordedTextDraw& draw) { return draw.text.find(part) != std::u16string::npos; });
    };
    EXPECT_TRUE(shows(u"damaged")) << ::testing::PrintToString(texts);
    EXPECT_TRUE(shows(u"Yes"));
    EXPECT_FALSE(shows(u"No"));
    AnswerDialog(0);
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_EQ(ReadFile(BackupPath()), broken);
    const std::vector<std::uint8_t> fresh = ReadFile(SavePath());
    ASSERT_EQ(fresh.size(), kImageSize);
    EXPECT_TRUE(CheckSaveImage(fresh));
    StopGame();

    // A file of a newer format is not this game's to overwrite either; an older backup stays.
    std::vector<std::uint8_t> newer = good;
    platform::WriteU32(newer.data() + kFormatOffset, 2);
    WriteSaveHeader(newer);
    platform::WriteU32(newer.data() + kFormatOffset, 2);
    WriteFile(SavePath(), newer);
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kBrokenFile));
    AnswerDialog(1);
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_EQ(ReadFile(BackupPath()), broken);
    EXPECT_EQ(ReadFile(BackupPath(2)), newer);
    StopGame();

    // No game writes format 0 or an empty file: both are damage, kept aside like the others.
    std::vector<std::uint8_t> formatZero = good;
    platform::WriteU32(formatZero.data() + kFormatOffset, 0);
    WriteSaveHeader(formatZero);
    platform::WriteU32(formatZero.data() + kFormatOffset, 0);
    ASSERT_TRUE(CheckSaveImage(formatZero));
    for (const std::vector<std::uint8_t>& damaged : {formatZero, std::vector<std::uint8_t>{}}) {
        WriteFile(SavePath(), damaged);
        support::LogCapture log;
        StartGame();
        ASSERT_TRUE(StepUntilStartupState(Startup::kBrokenFile));
        EXPECT_TRUE(log.Contains(damaged.empty() ? "save file has 0 bytes" : "save file is of format 0"));
        AnswerDialog(0);
        ASSERT_TRUE(StepUntilMainGame());
        EXPECT_TRUE(CheckSaveImage(ReadFile(SavePath())));
        StopGame();
    }
    EXPECT_EQ(ReadFile(BackupPath(3)), formatZero);
    ASSERT_TRUE(std::filesystem::exists(BackupPath(4)));
    EXPECT_EQ(std::filesystem::file_size(BackupPath(4)), 0u);
}

TEST_F(StartupTest, AFileThatCannotBeReadIsNeverTouched)
{
    // Something at the save file's name that cannot be read as a file: it must stay as it is,
    // and the player is asked whether to play without saving.
    std::filesystem::create_directories(SavePath());
    const auto before = std::filesystem::last_write_time(SavePath());
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kPlayWithoutSaving));

    // "No": the file is read again, and it still cannot be.
    AnswerDialog(1);
    ASSERT_TRUE(StepUntilStartupState(Startup::kRequestLoad, 10));
    ASSERT_TRUE(StepUntilStartupState(Startup::kPlayWithoutSaving));

    // "Yes": the game goes on, never saving.
    AnswerDialog(0);
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_FALSE(GetSaveManager()->RequestSaveCurrentSlot());
    StepFrames(5);
    EXPECT_TRUE(std::filesystem::is_directory(SavePath()));
    EXPECT_EQ(std::filesystem::last_write_time(SavePath()), before);
    EXPECT_FALSE(std::filesystem::exists(BackupPath()));
}

TEST_F(StartupTest, AFileFarLargerThanASaveIsBrokenAndKeptWithoutBeingRead)
{
    // A gigabyte at the save file's name (sparse: it takes no disk): no save is that large, so it
    // is damage, set aside like any other, whatever memory the game has free to read it with.
    std::filesystem::create_directories(SavePath().parent_path());
    { std::ofstream create(SavePath()); }
    constexpr std::uintmax_t kHuge = std::uintmax_t{1} << 30;
    std::filesystem::resize_file(SavePath(), kHuge);
    support::LogCapture log;
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kBrokenFile));
    EXPECT_TRUE(log.Contains("is not read")) << ::testing::PrintToString(log.Lines());
    AnswerDialog(0);
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_EQ(std::filesystem::file_size(BackupPath()), kHuge);
    EXPECT_TRUE(CheckSaveImage(ReadFile(SavePath())));
}

TEST_F(StartupTest, ANamedPipeAtTheSaveNameIsNotWaitedOn)
{
    // Opening a pipe for reading waits for a writer: a read that did so would hold the start-up,
    // and the quitting that waits for the save job, for ever.
    std::filesystem::create_directories(SavePath().parent_path());
    ASSERT_EQ(mkfifo(SavePath().c_str(), 0644), 0);
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kStartRouteScripts));
    // The read comes within a frame or two; a read still waiting a second later is let go by a
    // writer from here, so that the test ends either way.
    std::atomic<bool> stepped{false};
    std::atomic<bool> heldUp{false};
    std::thread writer([&] {
        for (int waited = 0; !stepped; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (waited < 100) continue;
            const int fd = open(SavePath().c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                heldUp = true;
                close(fd);
                return;
            }
        }
    });
    const bool asked = StepUntilStartupState(Startup::kPlayWithoutSaving);
    stepped = true;
    writer.join();
    EXPECT_FALSE(heldUp) << "the read waited on the pipe";
    ASSERT_TRUE(asked);
    AnswerDialog(0);
    ASSERT_TRUE(StepUntilMainGame());
    struct stat info {};
    ASSERT_EQ(lstat(SavePath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is left as it is";
}

TEST_F(StartupTest, AFileWithoutReadPermissionIsNeverTouched)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    StopGame();
    const std::vector<std::uint8_t> good = ReadFile(SavePath());
    std::filesystem::permissions(SavePath(), std::filesystem::perms::none);
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kPlayWithoutSaving));
    AnswerDialog(0);
    ASSERT_TRUE(StepUntilMainGame());
    StepFrames(5);
    std::filesystem::permissions(SavePath(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(ReadFile(SavePath()), good);
}

TEST_F(StartupTest, ShuttingDownWhileALoaderJobRunsWaitsForIt)
{
    // The jobs on their own thread, as the game runs them; the game ends at once.
    SetStartupJobsInline(false);
    for (int frames = 0; frames < 6; ++frames) {
        StartGame();
        StepFrames(frames);
        StopGame();
    }
    SetStartupJobsInline(true);
}

TEST_F(StartupTest, AKeyDuringTheLogoHoldSkipsToTheFadeButNotDuringTheFadeIn)
{
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(Startup::kCompanyLogo));
    auto scene = [] {
        for (GAME_CSceneBase* s : PeekSceneStack()->scenes) {
            if (s->GetSceneId() == kSceneInitialize) return static_cast<GAME_CSceneInitialize*>(s);
        }
        return static_cast<GAME_CSceneInitialize*>(nullptr);
    };
    StepFrames(30);
    // The logo stands in the middle of the canvas, fading in.
    ASSERT_FALSE(frames.back().sprites.empty());
    EXPECT_EQ(frames.back().sprites.back().group, -1);
    EXPECT_FLOAT_EQ(frames.back().sprites.back().x, 320.0f);
    EXPECT_FLOAT_EQ(frames.back().sprites.back().y, 180.0f);
    const int early = scene()->GetLogoFrame();
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_EQ(scene()->GetLogoFrame(), early + 1);

    ASSERT_TRUE(StepUntil([&] { return scene()->GetLogoFrame() >= 70; }, 100));
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_EQ(scene()->GetLogoFrame(), 120);

    // The engine logo follows 60 frames later.
    StepFrames(59);
    EXPECT_EQ(StartupState(), Startup::kCompanyLogo);
    StepFrames(2);
    EXPECT_EQ(StartupState(), Startup::kEngineLogo);
}

}  // namespace

namespace {

class StartupMissingDataTest : public support::GameFixture {
protected:
    // Runs the start-up up to the dialog that names the file, answers it with the decide key and
    // checks the game ends with status 1 at once.
    void ExpectNamedAndEnded(std::u16string_view file, std::u16string_view wording)
    {
        StartGame();
        ASSERT_TRUE(StepUntilStartupState(Startup::kMissingData, 300));
        StepFrames(2);
        const auto& texts = frames.back().texts;
        auto shows = [&](std::u16string_view part) {
            return std::any_of(texts.begin(), texts.end(), [&](const support::RecordedTextDraw& draw) {
                return draw.text.find(part) != std::u16string::npos;
            });
        };
        EXPECT_TRUE(shows(file)) << ::testing::PrintToString(texts);
        EXPECT_TRUE(shows(wording)) << ::testing::PrintToString(texts);
        StepFrames(30);
        EXPECT_FALSE(vesk::process::IsQuitting());
        PressAction(kActionDecide);
        EXPECT_TRUE(StepUntil([] { return vesk::process::IsQuitting(); }, 60));
        EXPECT_EQ(vesk::process::ExitStatus(), 1);
        StopGame();
    }
};

TEST_F(StartupMissingDataTest, AFileTheGameCannotRunWithoutIsNamedAndTheGameEndsWithStatusOne)
{
    UseCopyOfDataSet();
    const std::filesystem::path route = DataFolder() / "script/route_script.pac";
    const std::vector<std::uint8_t> good = ReadFile(route);
    std::vector<std::uint8_t> zeroed = good;
    std::fill_n(zeroed.begin(), 20, std::uint8_t{0});
    WriteFile(route, zeroed);
    {
        // A refused file reads the same again: it is tried once, so its refusal is said once.
        support::LogCapture log;
        ExpectNamedAndEnded(u"script/route_script.pac", u"missing or damaged");
        const auto refusals = std::count_if(log.Lines().begin(), log.Lines().end(), [](const std::string& line) {
            return line.find("route_script.pac") != std::string::npos && line.find("start-up:") == std::string::npos;
        });
        EXPECT_EQ(refusals, 1) << ::testing::PrintToString(log.Lines());
    }
    WriteFile(route, good);

    // The first ship's hull, loaded only when a new game starts, is known missing at start-up.
    const std::filesystem::path hull = DataFolder() / "ship/ship/prot/prot.pac";
    std::filesystem::rename(hull, hull.string() + ".gone");
    ExpectNamedAndEnded(u"ship/ship/prot/prot.pac", u"missing or damaged");
    std::filesystem::rename(hull.string() + ".gone", hull);

    // Without the message file the line is the game's own, in English.
    std::filesystem::remove(DataFolder() / "message/english.mes");
    ExpectNamedAndEnded(u"message/english.mes", u"The game will close.");
}

}  // namespace

// The settings block applied to the player data, as a load applies it.
#include <gtest/gtest.h>

#include <vector>

#include "game/model/session/play_session.h"
#include "game/services/data/static_database.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"
#include "tests/support/log_capture.h"

namespace {

namespace system = save_layout::system;

TEST(PlaySessionSettings, SliderValuesPastWhatTheOptionsOfferAreTakenAtTheirLimitWithALogLine)
{
    CreatePlayerData();
    std::vector<std::uint8_t> settings(system::kSettingsSize, 0);
    InitSystemRecord(settings);
    platform::WriteU16(settings.data() + system::kCameraSpeed, 60000);
    platform::WriteU16(settings.data() + system::kAutoSaveMinutes, 5000);
    const support::LogCapture log;
    ApplySettingsToPlayerData(settings);
    EXPECT_EQ(GetPlayerData()->cameraSpeed, 150u);
    EXPECT_EQ(GetPlayerData()->autoSaveMinutes, 60u);
    EXPECT_TRUE(log.Contains("camera speed 60000"));
    EXPECT_TRUE(log.Contains("autosave interval 5000"));

    // Values the options can set pass unchanged and quietly.
    platform::WriteU16(settings.data() + system::kCameraSpeed, 150);
    platform::WriteU16(settings.data() + system::kAutoSaveMinutes, 0);
    const support::LogCapture quiet;
    ApplySettingsToPlayerData(settings);
    EXPECT_EQ(GetPlayerData()->cameraSpeed, 150u);
    EXPECT_EQ(GetPlayerData()->autoSaveMinutes, 0u);
    EXPECT_TRUE(quiet.Lines().empty());
    DestroyPlayerData();
    DestroyStaticDatabase();
}

}  // namespace

// The device fixtures' private resource folders: a folder left by a test process that ended early goes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/resource_folder_fixture.h"

namespace {

using ResourceFolderFixtureTest = support::ResourceFolderFixture;

// A process id that no process has now: a child that has ended and been waited for.
pid_t EndedProcessId()
{
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST_F(ResourceFolderFixtureTest, RemovesTheFoldersOfEndedProcessesAndKeepsThoseOfRunningOnes)
{
    const std::filesystem::path here = std::filesystem::current_path();
    const std::filesystem::path ended = here / ("gfx_resources_" + std::to_string(EndedProcessId()));
    const std::filesystem::path running = here / ("gfx_resources_" + std::to_string(getppid()));
    const std::filesystem::path notOurs = here / "gfx_resources_notes";
    for (const auto& folder : {ended, running, notOurs}) std::filesystem::create_directories(folder / "shader");

    MakeResourceFolder("gfx_resources");
    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(notOurs));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "shader"));

    RemoveResourceFolder();
    EXPECT_FALSE(std::filesystem::exists(folder_));
    std::filesystem::remove_all(running);
    std::filesystem::remove_all(notOurs);
}

}  // namespace

// Tool outputs: written whole or not at all.
// Missing folders on the way are made only when the caller allows it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"
#include "tools/common/whole_file.h"

namespace {

TEST(WholeFile, AUserNamedOutputNeedsItsFolderToExist)
{
    support::ScratchFolder scratch;
    const std::vector<uint8_t> bytes = {1, 2, 3};

    testing::internal::CaptureStderr();
    EXPECT_FALSE(tools::WriteWholeFile("typo/out.pac", bytes, tools::MissingFolders::Refuse));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "error: cannot write typo/out.pac: there is no folder typo\n");
    EXPECT_FALSE(std::filesystem::exists("typo"));

    std::filesystem::create_directory("there");
    ASSERT_TRUE(tools::WriteWholeFile("there/out.pac", bytes, tools::MissingFolders::Refuse));
    ASSERT_TRUE(tools::WriteWholeFile("here.pac", bytes, tools::MissingFolders::Refuse));
    EXPECT_EQ(tools::ReadWholeFile("there/out.pac"), bytes);

    // The build's own outputs make their folders.
    ASSERT_TRUE(tools::WriteWholeFile("made/on/the/way.pac", bytes));
    EXPECT_EQ(tools::ReadWholeFile("made/on/the/way.pac"), bytes);
}

}  // namespace

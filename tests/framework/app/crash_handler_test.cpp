// The crash report's contents, and a fatal signal caught, reported and still ending the process.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "framework/app/crash_handler.h"
#include "tests/support/scratch_folder.h"

namespace vesk::app {
namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CrashHandler, ReportNamesSignalAddressTimeAndBacktrace)
{
    support::ScratchFolder scratch;
    const std::string path = "crash.log";
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    WriteCrashReport(fd, SIGSEGV, reinterpret_cast<const void*>(0xdeadbeef));
    close(fd);

    const std::string report = ReadFile(path);
    EXPECT_NE(report.find("SIGSEGV (11)"), std::string::npos) << report;
    EXPECT_NE(report.find("address: 0xdeadbeef"), std::string::npos) << report;
    EXPECT_TRUE(std::regex_search(report, std::regex(R"(time: \d{4}-\d\d-\d\d \d\d:\d\d:\d\d UTC)"))) << report;
    const size_t backtraceAt = report.find("backtrace:\n");
    ASSERT_NE(backtraceAt, std::string::npos);
    EXPECT_GT(report.size(), backtraceAt + 12);  // at least one frame follows
}

TEST(CrashHandlerDeathTest, FatalSignalWritesTheLogTellsTheTerminalAndStillEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "fast");  // the child must share this scratch folder
    support::ScratchFolder scratch;
    const std::string path = (scratch.path() / "crash.log").string();
    EXPECT_EXIT(
        {
            InstallCrashHandler(path.c_str());
            raise(SIGABRT);
        },
        testing::KilledBySignal(SIGABRT), "VARNOLIS crashed: SIGABRT; the report is in .*crash\\.log");
    const std::string report = ReadFile(path);
    EXPECT_NE(report.find("SIGABRT"), std::string::npos) << report;
    EXPECT_NE(report.find("backtrace:"), std::string::npos) << report;
}

}  // namespace
}  // namespace vesk::app

// The crash handler: fatal signals caught on their own stack, a report with a backtrace written without allocating.
#include "framework/app/crash_handler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <ctime>

namespace vesk::app {

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS};
constexpr int kFatalSignalCount = sizeof(kFatalSignals) / sizeof(kFatalSignals[0]);
constexpr int kMaxFrames = 64;

char g_logPath[4096] = {};
bool g_installed = false;
struct sigaction g_previous[kFatalSignalCount];
// A stack overflow leaves no stack for the handler: it runs on its own.
alignas(16) char g_handlerStack[64 * 1024];
stack_t g_previousStack{};

// Everything below runs inside the signal handler: no allocation, no stdio, only
// write(2) on the open file.
void WriteText(int fd, const char* text)
{
    size_t length = std::strlen(text);
    while (length > 0) {
        const ssize_t written = write(fd, text, length);
        if (written <= 0) return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

void WriteNumber(int fd, uint64_t value, unsigned base, int minDigits)
{
    char digits[32];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && count < 32);
    while (count < minDigits && count < 32) digits[count++] = '0';
    char text[33];
    for (int i = 0; i < count; ++i) text[i] = digits[count - 1 - i];
    text[count] = '\0';
    WriteText(fd, text);
}

const char* SignalName(int signalNumber)
{
    switch (signalNumber) {
    case SIGSEGV: return "SIGSEGV";
    case SIGABRT: return "SIGABRT";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGBUS: return "SIGBUS";
    default: return "signal";
    }
}

// Calendar date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

void WriteTimestamp(int fd)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const int64_t seconds = now.tv_sec;
    const int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const int64_t secondOfDay = seconds - days * 86400;
    int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days, year, month, day);
    WriteNumber(fd, static_cast<uint64_t>(year), 10, 4);
    WriteText(fd, "-");
    WriteNumber(fd, month, 10, 2);
    WriteText(fd, "-");
    WriteNumber(fd, day, 10, 2);
    WriteText(fd, " ");
    WriteNumber(fd, static_cast<uint64_t>(secondOfDay / 3600), 10, 2);
    WriteText(fd, ":");
    WriteNumber(fd, static_cast<uint64_t>(secondOfDay / 60 % 60), 10, 2);
    WriteText(fd, ":");
    WriteNumber(fd, static_cast<uint64_t>(secondOfDay % 60), 10, 2);
    WriteText(fd, " UTC");
}

extern "C" void OnFatalSignal(int signalNumber, siginfo_t* info, void*)
{
    const int fd = open(g_logPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        WriteCrashReport(fd, signalNumber, info ? info->si_addr : nullptr);
        close(fd);
    }
    // The terminal hears where the report went.
    WriteText(STDERR_FILENO, "VARNOLIS crashed: ");
    WriteText(STDERR_FILENO, SignalName(signalNumber));
    WriteText(STDERR_FILENO, fd >= 0 ? "; the report is in " : "; no report could be written to ");
    WriteText(STDERR_FILENO, g_logPath);
    WriteText(STDERR_FILENO, "\n");
    // The handler was reset to the default on entry; the signal, raised again, ends
    // the process once this handler returns.
    raise(signalNumber);
}

}  // namespace

void WriteCrashReport(int fd, int signalNumber, const void* faultAddress)
{
    WriteText(fd, "VARNOLIS crashed: ");
    WriteText(fd, SignalName(signalNumber));
    WriteText(fd, " (");
    WriteNumber(fd, static_cast<uint64_t>(signalNumber), 10, 1);
    WriteText(fd, ")\naddress: 0x");
    WriteNumber(fd, reinterpret_cast<uintptr_t>(faultAddress), 16, 1);
    WriteText(fd, "\ntime: ");
    WriteTimestamp(fd);
    WriteText(fd, "\nbacktrace:\n");
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, count, fd);
    WriteText(fd, "\n");
}

void InstallCrashHandler(const char* logPath)
{
    if (g_installed) RemoveCrashHandler();
    std::strncpy(g_logPath, logPath, sizeof(g_logPath) - 1);
    g_logPath[sizeof(g_logPath) - 1] = '\0';

    // The first backtrace loads the unwinder, which allocates: do it now, not in the handler.
    void* warmUp[1];
    backtrace(warmUp, 1);

    stack_t handlerStack{};
    handlerStack.ss_sp = g_handlerStack;
    handlerStack.ss_size = sizeof(g_handlerStack);
    sigaltstack(&handlerStack, &g_previousStack);

    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kFatalSignalCount; ++i) sigaction(kFatalSignals[i], &action, &g_previous[i]);
    g_installed = true;
}

void RemoveCrashHandler()
{
    if (!g_installed) return;
    for (int i = 0; i < kFatalSignalCount; ++i) sigaction(kFatalSignals[i], &g_previous[i], nullptr);
    sigaltstack(&g_previousStack, nullptr);
    g_installed = false;
}

}  // namespace vesk::app

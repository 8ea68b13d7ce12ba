// The crash handler of fatal signals and the crash report it writes.
#pragma once

namespace vesk::app {

// Catches the fatal signals (SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS): each appends a
// crash report to the file at logPath (relative to the current folder), says on stderr
// where the report went, and then lets the signal end the process as it would have
// without the handler.
void InstallCrashHandler(const char* logPath = "crash.log");

// Puts back the handlers that were there before InstallCrashHandler.
void RemoveCrashHandler();

// Writes one crash report to an open file: the signal, the fault address, the time
// (UTC) and a backtrace. Safe to call from a signal handler.
void WriteCrashReport(int fd, int signalNumber, const void* faultAddress);

}  // namespace vesk::app

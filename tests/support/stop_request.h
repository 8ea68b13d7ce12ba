// SIGINT and SIGTERM asking a long test run to stop at the end of its frame.
#pragma once

#include <csignal>

namespace support {

// While alive, SIGINT and SIGTERM no longer end the process: they ask the run to stop, which looks
// at Asked() after each frame and ends cleanly. While the game's window is up it takes the signals
// itself as a close request, which a stepped game never reads: Asked() sees that request too.
class StopRequest {
public:
    StopRequest();
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    // Stays true once asked: the window forgets its request when the next window is made.
    static bool Asked();

private:
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};

}  // namespace support

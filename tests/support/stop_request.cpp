// SIGINT and SIGTERM asking a long test run to stop at the end of its frame.
#include "tests/support/stop_request.h"

#include "platform/window.h"

namespace support {
namespace {

volatile std::sig_atomic_t g_stopAsked = 0;

extern "C" void OnStopSignal(int)
{
    g_stopAsked = 1;
}

}  // namespace

StopRequest::StopRequest()
{
    g_stopAsked = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, &previousTerm_);
    sigaction(SIGINT, &action, &previousInt_);
}

StopRequest::~StopRequest()
{
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGINT, &previousInt_, nullptr);
}

bool StopRequest::Asked()
{
    if (platform::CloseSignalled()) g_stopAsked = 1;
    return g_stopAsked != 0;
}

}  // namespace support

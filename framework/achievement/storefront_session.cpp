// The storefront session over the platform's stand-in, with its problems sent to the log.
#include "framework/achievement/storefront_session.h"

#include <string_view>

#include "framework/log/log.h"
#include "platform/storefront/storefront.h"

namespace vesk::achievement {

namespace {
void ReportStorefrontProblem(std::string_view line) { log::Warning(line); }
}  // namespace

bool StartStorefront(const std::string& saveFolder)
{
    return platform::storefront::Init(saveFolder, ReportStorefrontProblem);
}

void RunStorefrontCallbacks()
{
    platform::storefront::RunCallbacks();
}

void StopStorefront()
{
    platform::storefront::Shutdown();
}

}  // namespace vesk::achievement

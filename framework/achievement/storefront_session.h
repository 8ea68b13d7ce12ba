// The storefront client's session: its start, its answers once a frame and its stop.
#pragma once

#include <string>

namespace vesk::achievement {

// The storefront client's session: started before anything else, its answers
// delivered once per frame, stopped near the end of shut-down. Achievements
// are kept in saveFolder.
bool StartStorefront(const std::string& saveFolder);
void RunStorefrontCallbacks();
void StopStorefront();

}  // namespace vesk::achievement

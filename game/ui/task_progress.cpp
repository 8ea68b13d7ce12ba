// The time left and the progress bar of the windows that show one task: the bar's frame and fill, and the "time to finish" text.
#include "game/ui/task_progress.h"

#include <algorithm>

#include "game/services/text/message_text.h"
#include "game/ui/ui_text.h"

namespace {

// Yellow (red, green, blue and alpha bytes from the lowest).
constexpr std::uint32_t kBarColor = 0xFF00FFFFu;
constexpr float kBarLength = 206.0f;
constexpr float kBarHeight = 13.0f;
constexpr std::int32_t kFramesPerSecond = 60;

}  // namespace

UIGaugeFill BuildUITaskBar(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at)
{
    GAME_CUINullObject* holder = MakeUIGroupUnder(parent, at.x, at.y);
    list.push_back(holder);
    list.push_back(MakeUIPictureUnder(holder, "ui_progressbar_flame", -2.0f, -3.0f));
    UIGaugeFill fill = MakeUIGaugeFill(holder, "ui_labelbase", kBarColor, kBarLength, kBarHeight);
    list.push_back(fill.picture);
    return fill;
}

std::u16string UITimeLeftText(std::int32_t total, std::int32_t progress)
{
    if (total <= 1) return {};
    const std::int64_t left = (static_cast<std::int64_t>(total) - progress) / kFramesPerSecond + 1;
    const std::int64_t seconds = std::max<std::int64_t>(std::min<std::int64_t>(left, total / kFramesPerSecond), 0);
    return FormatUIMessage("BUILD_TEXT_TOFINISH", {UIFullWidthNumber(seconds), GetMessageTextExpanded("TIME_UNIT_TEXT")});
}

float UITaskShareDone(std::int32_t total, std::int32_t progress)
{
    if (total <= 1) return 1.0f;
    return std::clamp(static_cast<float>(progress) / static_cast<float>(total), 0.0f, 1.0f);
}

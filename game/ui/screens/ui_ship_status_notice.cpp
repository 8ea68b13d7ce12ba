// The ship-status panel's notice: taken from the screen manager, shown at its interval into the message log and the ticker, repeated or ended.
#include <algorithm>

#include "framework/text/format_text.h"
#include "framework/text/message_file.h"
#include "game/model/world/game_world_ready.h"
#include "game/services/text/message_text.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/ui_manager.h"

namespace {

// The record's display words.
constexpr std::size_t kKind = 0;
constexpr std::size_t kShownCount = 1;
constexpr std::size_t kFrameCounter = 2;
// A notice with an argument is cut to what a line of the log holds.
constexpr std::size_t kFormattedLength = 127;

}  // namespace

void GAME_CUIShipStatus::TakeNotice(const UINoticeRecord& record)
{
    InitNoticeRecord(&notice);
    AssignNoticeRecord(&notice, &record);
    notice.display[kFrameCounter] = record.frames;
    noticeTextMade_ = false;
}

void GAME_CUIShipStatus::ClearNotice()
{
    InitNoticeRecord(&notice);
    noticeTextMade_ = false;
}

const std::u16string& GAME_CUIShipStatus::NoticeText()
{
    // Made again when the message table changes (a language change), not with the player's language,
    // which changes a frame before its table comes.
    const std::uint32_t generation = vesk::text::MessageFileGeneration();
    if (noticeTextMade_ && noticeGeneration_ == generation) return noticeText_;
    noticeTextMade_ = true;
    noticeGeneration_ = generation;
    if (notice.argumentKey.Empty()) {
        noticeText_ = GetMessageTextExpanded(notice.key.c_str());
    } else {
        noticeText_ = vesk::text::FormatText(GetMessageTextExpanded(notice.key.c_str()),
                                             {GetMessageTextExpanded(notice.argumentKey.c_str())});
        noticeText_.resize(std::min(noticeText_.size(), kFormattedLength));
    }
    return noticeText_;
}

void GAME_CUIShipStatus::UpdateNotice()
{
    std::int32_t& counter = notice.display[kFrameCounter];
    std::int32_t& shown = notice.display[kShownCount];
    if (notice.key.Empty() || notice.count == 0 || (notice.count >= 2 && notice.frames < 1)) return;
    // At or past the interval: a notice taken with interval 0 (or less) shows at the next tick too.
    if (++counter < notice.frames) return;
    ++shown;
    counter = 0;
    if (IsGameWorldReady()) {
        const std::u16string& text = NoticeText();
        const std::int32_t kind = notice.argumentKey.Empty() ? 0 : notice.display[kKind];
        if (notice.flag == 0) {
            if (GAME_CUIMessageLog* log = Context().ui.MessageLog()) log->AddMessage(text, kind);
        }
        if (GAME_CUIResident* resident = Context().ui.Resident()) {
            resident->infoBar.AddMessage(text.c_str(), static_cast<std::uint32_t>(kind));
        }
    }
    if (notice.count < 1) {
        shown = 0;
    } else if (shown >= notice.count) {
        ClearNotice();
    }
}

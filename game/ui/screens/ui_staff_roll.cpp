// The staff roll (slot 47): the credit lines over black, the company logo, the autosave of the cleared game, the way back to the title.
#include "game/ui/screens/ui_staff_roll.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/text/message_file.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/fade_in_out.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_ending.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

constexpr std::uint32_t kEndingBgm = 6;
constexpr std::uint32_t kTitleBgm = 0;
constexpr std::int32_t kLogoFadeOutFrames = 180;
constexpr std::int32_t kSkipFrom = 3;
constexpr std::int32_t kLogoShown = 60;
constexpr std::int32_t kLogoFadeStart = 120;
constexpr float kLineX = 80.0f;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr const char* kLogoName = "companylogo_korvexa";
constexpr const char* kLogoPath = "common/companylogo_korvexa.cvt";
constexpr int kLogoTextureGroup = 2;

// The decimal digits of a text, other characters skipped; 0 when there are none.
std::int64_t DigitsOf(std::u16string_view text)
{
    std::int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') continue;
        value = std::min<std::int64_t>(value * 10 + (c - u'0'), 1'000'000'000);
    }
    return value;
}

// The credit text of a key; empty when the key is missing or its text is empty.
std::u16string CreditText(const char* key)
{
    if (!vesk::text::GetMessageEntry(key)) return {};
    return GetMessageTextOrKey(key);
}

bool LineInUse(const GAME_CUIStaffRoll::Line& line) { return !line.key.empty() && line.y >= -32.0f; }

// The logo's texture; none without a sprite registry.
std::optional<std::int32_t> FindCompanyLogo()
{
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    if (registry == nullptr) return std::nullopt;
    const std::int32_t logo = registry->FindTextureId(~0u, kLogoName);
    if (logo != vesk::resource::kNoTexture) return logo;
    // The start-up let go of its logos once the game began; a file that cannot be read leaves none.
    const vesk::resource::TextureLoader loader{vesk::memory::MainHeap(), vesk::memory::MainHeap()};
    return registry->LoadTexture(loader, kLogoTextureGroup, kLogoPath);
}

}  // namespace

GAME_CUIStaffRoll::GAME_CUIStaffRoll(const UIScreenContext& context)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}, .holdsGame = true}, &context)
{
}

std::int32_t GAME_CUIStaffRoll::Interval() const
{
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(UILineHeight() / speed_));
}

void GAME_CUIStaffRoll::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    GAME_CUIManager& ui = Context().ui;
    switch (state) {
    case kOpening: {
        speed_ = 1.0f;
        working_slot::SetEndingSeen();
        MarkEndHideoutVisited(Context().Database());
        Context().Sound().PlayBGM(kEndingBgm, 0, false);
        lines_ = {};
        pages_.Reset(kFeed);
        counter_ = 0;
        lineCounter_ = 0;
        if (auto* fade = ui.Get<GAME_CUIFadeInOut>()) {
            fade->Start(0, 0, 0, 0);
            fade->Start(1, 0, 0, 0);
        }
        if (const std::optional<std::int32_t> logo = FindCompanyLogo()) companyLogo_ = *logo;
        break;
    }
    case kClosing:
        world.shipHidden = 0;
        Context().Sound().PlayBGM(kTitleBgm, 0, false);
        // The finished game's notices go with it: the next game from the title starts its log empty.
        if (GAME_CUIMessageLog* log = ui.MessageLog()) log->Clear();
        ui.SetOpen(kSlotTitle, true);
        ui.SetOpen(kSlotShipStatus, false);
        break;
    default: break;
    }
}

void GAME_CUIStaffRoll::UpdateMain(bool input)
{
    ScrollLines();
    pages_.Advance([this](Stage stage) { EnterStage(stage); });
    switch (pages_.Current()) {
    case kFeed: StepFeed(); break;
    case kWaitForLines:
        if (std::none_of(lines_.begin(), lines_.end(), [](const Line& line) { return LineInUse(line); })) pages_.Go(kLogo);
        break;
    case kLogo: StepLogo(input); break;
    case kBeforeSave:
        counter_ = 0;
        pages_.Go(kSave);
        break;
    case kSave: StepSave(); break;
    case kRetry: StepRetry(); break;
    }
}

void GAME_CUIStaffRoll::ScrollLines()
{
    const float gone = -(UILineHeight() + 12.0f);
    for (Line& line : lines_) {
        if (!LineInUse(line)) continue;
        line.y -= speed_;
        if (line.y < gone) line = {};
    }
}

void GAME_CUIStaffRoll::EnterStage(Stage stage)
{
    switch (stage) {
    case kFeed:
        lineCounter_ = 0;
        counter_ = 0;
        break;
    case kLogo:
        counter_ = 0;
        Context().Sound().StopBGM(kLogoFadeOutFrames);
        break;
    case kSave:
        WriteLastSaveTime(GetWorkingSlot());
        saveOwed_ = true;
        BusyInDialog(kSlot);
        break;
    case kRetry: AskInDialog(kSlot, {.text = GetMessageTextExpanded("PAUSEUI_SAVE_RETRY_YESNO")}); break;
    default: break;
    }
}

void GAME_CUIStaffRoll::StepFeed()
{
    const std::int32_t interval = Interval();
    if (++counter_ < interval) return;
    const auto freeLine = std::find_if(lines_.begin(), lines_.end(), [](const Line& line) { return !LineInUse(line); });
    // Every record on screen: the feed waits for one to scroll away.
    if (freeLine == lines_.end()) return;
    counter_ = 0;
    char key[32];
    std::snprintf(key, sizeof key, "STAFFLIST_%03d", static_cast<int>(std::min(lineCounter_, 999)));
    ++lineCounter_;
    const std::u16string text = CreditText(key);
    if (text.empty()) {
        pages_.Go(kWaitForLines);
        return;
    }
    const std::u16string_view view = text;
    if (view.starts_with(u"WAIT")) {
        const std::int64_t rows = DigitsOf(view.substr(4));
        counter_ = rows > 0 ? static_cast<std::int32_t>(-(rows - 1) * interval) : interval;
        return;
    }
    if (view.starts_with(u"SPEED")) {
        // No digits (or 0) keeps the speed: the interval divides by it.
        if (const std::int64_t thousandths = DigitsOf(view.substr(5)); thousandths > 0) {
            speed_ = static_cast<float>(thousandths) / 1000.0f;
        }
        counter_ = Interval();
        return;
    }
    *freeLine = {key, kLineX, kCanvasHeight + 2.0f};
}

void GAME_CUIStaffRoll::StepLogo(bool input)
{
    const bool skip = input && (IsUIActionTriggered(kActionDecide) || IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}));
    ++counter_;
    if (counter_ >= kLogoFrames) {
        pages_.Go(kBeforeSave);
    } else if (counter_ >= kSkipFrom && skip) {
        if (counter_ < kLogoShown) {
            counter_ = kLogoShown;
        } else if (counter_ < kLogoFadeStart) {
            counter_ = kLogoFadeStart;
        }
    }
}

void GAME_CUIStaffRoll::StepSave()
{
    GAME_CSaveManager* saves = GetSaveManager();
    // A request refused while another job runs is asked again until the machine takes it; only the
    // result of this save counts. Refused by a free machine (saving held back, no worker thread to
    // start), it will never be taken: that is its failure.
    if (saveOwed_) {
        const bool machineFree = saves->IsIdle();
        if (saves->RequestAutoSave()) {
            saveOwed_ = false;
        } else if (machineFree) {
            saveOwed_ = false;
            pages_.Go(kRetry);
            return;
        }
    }
    if (saveOwed_ || !saves->IsIdle()) {
        SetDialogRunningText("PAUSEUI_SAVE_RUNNING", static_cast<std::uint32_t>(counter_++));
        return;
    }
    if (saves->lastResult != GAME_CSaveManager::kOk) {
        pages_.Go(kRetry);
        return;
    }
    CloseDialog();
    SetOpen(false);
}

void GAME_CUIStaffRoll::StepRetry()
{
    switch (PollDialog()) {
    case UIDialogAnswer::kYes: pages_.Go(kSave); break;
    case UIDialogAnswer::kNo:
    case UIDialogAnswer::kGone: SetOpen(false); break;
    default: break;
    }
}

void GAME_CUIStaffRoll::PreDraw()
{
    if (State() == kClosed) return;
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kBlack);
    for (const Line& line : lines_) {
        if (LineInUse(line)) DrawUIText({line.x, line.y}, GetMessageTextExpanded(line.key), kUIWhite);
    }
    if (pages_.Is(kLogo)) DrawLogo();
    FlushUISprites();
    // The autosave's running notice and its retry question are this screen's: nothing else draws
    // them, and the question holds the roll until it is answered.
    if (DrawDialogIfShown()) FlushUISprites();
}

void GAME_CUIStaffRoll::DrawLogo() const
{
    std::int32_t alpha = 0;
    if (counter_ < kLogoShown) {
        alpha = counter_ * 255 / kLogoShown;
    } else if (counter_ < kLogoFadeStart) {
        alpha = 255;
    } else if (counter_ < kLogoFrames) {
        alpha = 255 - (counter_ - kLogoFadeStart) * 255 / (kLogoFrames - kLogoFadeStart);
    }
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = param.scaleY = 0.5f;
    param.pivotX = param.pivotY = 0.5f;
    param.color = (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | 0x00FFFFFFu;
    DrawGroupSprite(-1, {kCanvasWidth * 0.5f, kCanvasHeight * 0.5f}, companyLogo_, param);
}

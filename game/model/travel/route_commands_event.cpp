// Route commands of the event window: its texts, the choices, the ship-status notices, the ending and the title counter.
#include <algorithm>
#include <initializer_list>

#include "game/services/player/player_data.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/services/sound/sound_player.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {

constexpr std::int32_t kEventOpenSound = 44;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::size_t kChoiceCount = 3;
constexpr std::size_t kFullWidthNumberUnits = 32;
// The screens the ending closes, in its order.
constexpr int kEndingClosedSlots[] = {3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18, 19, 22,
                                      23, 21, 24, 25, 33, 34, 27, 28, 30, 26, 36, 37, 38};

GAME_CUIPort* UI()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr ? world->ui.get() : nullptr;
}

// Waits while the window is busy: done not yet set (or, when shownInFull, text still to show).
std::uint32_t WaitForWindow(SYS_CScriptEngine& engine, bool shownInFull)
{
    const GAME_CUIPort* ui = UI();
    return ui != nullptr && ui->IsEventWindowBusy(shownInFull) ? Yield(engine) : 1;
}

// The text argument of modes 0 and 1: {kind, then a 64-byte key (kind 0) or 64 wide units (else)}.
UIEventTextValue TextArgument(const ScriptArgs& args)
{
    UIEventTextValue value;
    value.typeTag = UIEventTextValue::kStringTag;
    if (!args.Need(1)) return value;
    value.wide = args.U32(0) != 0 ? 1 : 0;
    if (value.wide == 0) {
        value.narrow = std::string(InlineText(args, 4, kKeyBytes));
    } else {
        value.text = InlineWideText(args, 4, kKeyBytes);
    }
    return value;
}

void AppendEventText(std::u16string_view text, bool newPage)
{
    if (GAME_CUIPort* ui = UI()) ui->AppendEventText(text, newPage);
}

// An event that opens a closed window holds it (noted by its return-stack depth); one met inside
// it finds the window open and only borrows it.
void NoteWindowHolder(SYS_CScriptEngine& engine, const GAME_CUIPort& ui)
{
    GAME_CScriptRoute& script = RouteEngine(engine);
    if (!ui.IsOpen(kSlotEvent) || script.eventWindowDepth < 0) {
        script.eventWindowDepth = static_cast<std::int32_t>(Thread(engine).stackDepth);
    }
}

// The window closed by an event met inside the one that holds it: that one still writes to it and
// closes it at its own end, so it stays open.
bool WindowLentToInnerEvent(SYS_CScriptEngine& engine, const GAME_CUIPort& ui)
{
    GAME_CScriptRoute& script = RouteEngine(engine);
    const std::int32_t holder = script.eventWindowDepth;
    if (ui.IsOpen(kSlotEvent) && holder >= 0 && vesk::utility::script::InterruptedDepth(Thread(engine)) >
                                                    static_cast<std::uint32_t>(holder)) {
        return true;
    }
    script.eventWindowDepth = -1;
    return false;
}

// The question the event at this return-stack depth asks; null when it asks none.
RouteQuestion* QuestionAt(GAME_CScriptRoute& script, std::uint32_t depth)
{
    return !script.questions.empty() && script.questions.back().depth == depth ? &script.questions.back() : nullptr;
}

// Questions of events at this depth and deeper: those events were restarted or have ended, and no
// one waits for their answers any more.
void ForgetQuestionsFrom(GAME_CScriptRoute& script, std::uint32_t depth)
{
    while (!script.questions.empty() && script.questions.back().depth >= depth) script.questions.pop_back();
}

}  // namespace

// Slot 10: the event window's texts.
std::uint32_t EventText(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || world->ui == nullptr) return 1;
    GAME_CUIPort& ui = *world->ui;
    switch (mode) {
    case 0:
    case 1:
        if (FirstFrame(engine)) {
            const UIEventTextValue value = TextArgument(args);
            if (args.Faulted()) return 1;
            ui.ShowEventMessage(value);
            ui.RestartEventWait();
            return Yield(engine);
        }
        return WaitForWindow(engine, mode == 1);
    case 10:
        ui.ShowEventMessage(UIEventTextValue{0, UIEventTextValue::kStringTag, {}, {}});
        return 1;
    case 11:
    case 13:
        if (FirstFrame(engine)) {
            const std::string_view key = InlineText(args, 0, kKeyBytes);
            if (!args.Need(17)) return 1;
            AppendEventText(GetMessageTextExpanded(key), args.I32(16) != 0);
            return Yield(engine);
        }
        return WaitForWindow(engine, mode == 13);
    case 12:
        if (FirstFrame(engine)) {
            std::int32_t value = 0;
            if (!args.Need(9) || !VariableValue(engine, args, 0, &value)) return 1;
            char16_t digits[kFullWidthNumberUnits] = {};
            FormatFullWidthNumber(digits, kFullWidthNumberUnits, value);
            AppendEventText(digits, args.I32(8) != 0);
            return Yield(engine);
        }
        return WaitForWindow(engine, false);
    case 20:
        if (!args.Need(1)) return 1;
        if (args.I32(0) != 0) {
            NoteWindowHolder(engine, ui);
        } else if (WindowLentToInnerEvent(engine, ui)) {
            return 1;
        }
        // An event met under way while another one's text is still up finds the window open, and
        // opening leaves that text: its own goes on under it on a line of its own, not glued to
        // the end of the last line.
        if (args.I32(0) != 0) {
            if (ui.EventWindowHoldsText()) ui.AppendEventText({}, true);
            ui.CloseScreensForEvent();
        }
        ui.SetOpen(kSlotEvent, args.I32(0) != 0);
        // The screens have had this frame's input already: a press that confirmed the last text
        // must not reach whatever the closing window uncovers.
        ui.UpdateScreensWithoutInput();
        if (const GAME_CPlayerData* player = GetPlayerData(); player != nullptr && world->timeScale) {
            world->timeScale->speed = player->speeds[0];
        }
        if (args.I32(0) != 0) {
            ui.SetEventSound(kEventOpenSound);
            ui.SetEventTextColor(kWhite);
        }
        return 1;
    case 30:
        if (args.Need(1)) ui.SetEventTextColor(args.U32(0));
        return 1;
    case 100:
        if (args.Need(5)) ui.SetEventWindowParams(args.I32(0), args.I32(2), args.I32(3), args.I32(4), args.F32(1));
        return 1;
    case 101:
        if (args.Need(5)) {
            ui.SetEventWindowParams(args.I32(0), args.I32(2), args.I32(3), args.I32(4),
                                    static_cast<float>(args.I32(1)) * 0.001f);
        }
        return 1;
    case 200:
        if (args.Need(1)) ui.SetEventSound(args.U32(0) < kSoundEffectCount ? args.I32(0) : -1);
        return 1;
    default:
        return 1;
    }
}

// Slot 11: the choices offered with the event window. Each question is kept with the depth of the
// event that asks it, so that one asked inside another neither takes the other's jump targets nor
// leaves it waiting on a closed window.
std::uint32_t EventChoice(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptRoute& script = RouteEngine(engine);
    GAME_CUIPort* choices = UI();
    if (choices == nullptr) return 1;
    const std::uint32_t depth = Thread(engine).stackDepth;
    switch (mode) {
    case 0: {
        const std::string_view key = InlineText(args, 0, kKeyBytes);
        if (args.Faulted()) return 1;
        const std::u16string title = GetMessageTextExpanded(key);
        choices->OpenEventChoices(title);
        ForgetQuestionsFrom(script, depth);
        if (!script.questions.empty()) script.questions.back().shown = false;
        script.questions.push_back(RouteQuestion{.title = title, .depth = depth});
        return 1;
    }
    case 1: {
        RouteQuestion* asked = QuestionAt(script, depth);
        for (std::uint32_t i = 0; i < kChoiceCount; ++i) {
            const std::string_view key = InlineText(args, i * kKeyBytes, kKeyBytes);
            if (args.Faulted() || key == "NULL") break;
            std::u16string text = GetMessageTextExpanded(key);
            if (text.empty()) text.assign(key.begin(), key.end());
            choices->SetEventChoice(i, text);
            if (asked != nullptr) asked->choices[i] = std::move(text);
        }
        return 1;
    }
    case 100:
        if (args.Need(2) && args.U32(0) < kChoiceCount) {
            // Targets set without an open still belong to this event's wait.
            if (QuestionAt(script, depth) == nullptr) {
                ForgetQuestionsFrom(script, depth);
                script.questions.push_back(RouteQuestion{.depth = depth});
            }
            script.questions.back().targets[args.U32(0)] = args.I32(1);
        }
        return 1;
    case 200: {
        ForgetQuestionsFrom(script, depth + 1);
        RouteQuestion* asked = QuestionAt(script, depth);
        // An inner question took the window and was answered: this one is asked again.
        if (asked != nullptr && !asked->shown) {
            choices->OpenEventChoices(asked->title);
            for (std::uint32_t i = 0; i < kChoiceCount; ++i) {
                if (!asked->choices[i].empty()) choices->SetEventChoice(i, asked->choices[i]);
            }
            asked->shown = true;
            return Yield(engine);
        }
        const std::int32_t answer = choices->EventChoiceAnswer();
        if (answer < 0 || answer >= static_cast<std::int32_t>(kChoiceCount)) return Yield(engine);
        choices->CloseEventChoices();
        const std::int32_t target = asked != nullptr ? asked->targets[static_cast<std::size_t>(answer)] : -1;
        if (asked != nullptr) {
            script.questions.pop_back();
        } else if (!script.questions.empty()) {
            script.questions.back().shown = false;  // a wait without a question of its own closed another's
        }
        return target != -1 ? RestartAt(engine, static_cast<std::uint32_t>(target)) : 1;
    }
    default:
        return 1;
    }
}

// Slot 15: notices of the ship-status panel.
std::uint32_t Notice(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr || world->ui == nullptr) return 1;
    switch (mode) {
    case 0: {
        // {key (64 bytes), frames, count, flag, argument key (64 bytes), a word}
        const std::string_view key = InlineText(args, 0, kKeyBytes);
        const std::string_view argumentKey = InlineText(args, 76, kKeyBytes);
        if (!args.Need(36)) return 1;
        UINoticeRecord notice;
        InitNoticeRecord(&notice);
        notice.key.Assign(std::string(key).c_str());
        notice.frames = args.I32(16) < 1 ? -1 : args.I32(16);
        notice.count = args.I32(17);
        notice.flag = args.U32(18) == 0 ? 1 : 0;
        notice.argumentKey.Assign(std::string(argumentKey).c_str());
        world->ui->ShowNotice(notice);
        return 1;
    }
    case 1:
        world->ui->ClearShipStatusNotice();
        return 1;
    case 10:
        world->ui->ClearInfoBarMessages();
        if (args.Need(1) && args.I32(0) != 0) world->ui->ClearShipStatusNotice();
        return 1;
    default:
        return 1;
    }
}

// Slot 55: the ending; the script waits while the ending, the staff roll or the title is open.
std::uint32_t Ending(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (mode != 0 || world == nullptr || world->ui == nullptr) return 1;
    if (FirstFrame(engine)) {
        for (int slot : kEndingClosedSlots) {
            if (world->ui->IsOpen(slot)) world->ui->SetOpen(slot, false);
        }
        world->ui->SetOpen(kSlotEnding, true);
        return Yield(engine);
    }
    const bool waiting = world->ui->IsOpen(kSlotEnding) || world->ui->IsOpen(kSlotStaffRoll) || world->ui->IsOpen(kSlotTitle);
    return waiting ? Yield(engine) : 1;
}

// Slot 56: the title screen's counter.
std::uint32_t TitleCounter(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (mode != 0 || world == nullptr || world->ui == nullptr || !world->ui->IsOpen(kSlotTitle)) return 1;
    world->ui->SetTitleCounter(10);
    return 1;
}

}  // namespace route_commands

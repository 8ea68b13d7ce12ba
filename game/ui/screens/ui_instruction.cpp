// The instruction screen (slot 41): a pad picture with the name of the action bound to each button, on two pages.
#include "game/ui/screens/ui_instruction.h"

#include <algorithm>
#include <string>

#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_category_change_object.h"

namespace {

// Each page's actions in the order their names are looked up; a button bound to two shows the first.
constexpr int kPage0Actions[] = {0, 1, 2, 3, 4, 5, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
constexpr int kPage1Actions[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

// The entries: the button's icon and its mask (0 for the sticks); the first seven stand in the left
// column, the others in the right, a row apart.
struct EntryIcon {
    const char* icon;
    std::uint32_t mask;
};
constexpr EntryIcon kEntries[GAME_CUIInstruction::kEntryCount] = {
    {"ui_instruction_icon_lb", 0x10000},   {"ui_instruction_icon_lt", 0x40000}, {"ui_instruction_icon_lstick", 0},
    {"ui_instruction_icon_up", 0x10},      {"ui_instruction_icon_down", 0x20},  {"ui_instruction_icon_right", 0x80},
    {"ui_instruction_icon_left", 0x40},    {"ui_instruction_icon_rb", 0x20000}, {"ui_instruction_icon_rt", 0x80000},
    {"ui_instruction_icon_a", 0x200},      {"ui_instruction_icon_b", 0x100},    {"ui_instruction_icon_x", 0x400},
    {"ui_instruction_icon_y", 0x800},      {"ui_instruction_icon_rstick", 0},
};
constexpr int kEntriesPerColumn = 7;
constexpr float kLeftColumn = 24.0f;
constexpr float kRightColumn = 432.0f;
constexpr float kFirstRow = 84.0f;
constexpr float kRowStep = 28.0f;
// Leader lines from the pad's sides towards the columns.
constexpr float kLeaderLines[6][2] = {{176.0f, 100.0f}, {156.0f, 156.0f}, {176.0f, 212.0f},
                                      {424.0f, 100.0f}, {424.0f, 156.0f}, {424.0f, 212.0f}};
constexpr float kPromptRow = 318.0f;
constexpr std::uint32_t kVeil = 0xD0000000u;
constexpr const char* kMoveKey = "ADD_TEXT_UI_INSTRUCTION_05";
constexpr const char* kViewKey = "ADD_TEXT_UI_INSTRUCTION_06";

std::uint32_t PadMaskOf(int action)
{
    const GAME_CInputMap* input = GetInputMap();
    return input != nullptr ? input->GetPadBinding(action) : 0;
}

}  // namespace

GAME_CUIInstruction::GAME_CUIInstruction(const UIScreenContext& context)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}}, &context)
{
    Build();
}

GAME_CUIInstruction::Labelled GAME_CUIInstruction::MakeLabelled(const char* iconName, float x, float y, const char* key)
{
    Labelled labelled;
    labelled.icon = MakeUIPictureUnder(Root(), iconName, x, y);
    labelled.colon = MakeUILabel(labelled.icon, "", 20.0f, 0.0f);
    labelled.colon->SetTextW(u"：");
    labelled.function = MakeUILabel(labelled.colon, key, 10.0f, 0.0f);
    return labelled;
}

void GAME_CUIInstruction::Build()
{
    GAME_CUINullObject* root = Root();
    // The names stand over the running game: a dark veil keeps them readable.
    AddWidget(MakeUIDrawHook([] { DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kVeil); }));
    AddWidget(MakeUICategorySwitch(1));
    AddWidget(MakeUIPictureUnder(root, "ui_instruction_title_frame", 170.0f, 36.0f));
    AddWidget(MakeUIPictureUnder(root, "ui_controller_steam", 220.0f, 96.0f));
    for (int i = 0; i < 6; ++i) {
        const std::string name = "ui_instruction_line_steam_" + std::to_string(i);
        AddWidget(MakeUIPictureUnder(root, name.c_str(), kLeaderLines[i][0], kLeaderLines[i][1]));
    }
    AddWidget(MakeUIPictureUnder(root, "ui_instruction_icon_back", 600.0f, 40.0f));
    for (int i = 0; i < kEntryCount; ++i) {
        const float x = i < kEntriesPerColumn ? kLeftColumn : kRightColumn;
        const float y = kFirstRow + kRowStep * static_cast<float>(i % kEntriesPerColumn);
        entries_[static_cast<std::size_t>(i)] = MakeLabelled(kEntries[i].icon, x, y, "機能名");
    }
    const char* promptIcons[3] = {"ui_instruction_icon_a", "ui_instruction_icon_b", "ui_instruction_icon_start"};
    const char* promptKeys[3] = {"ADD_TEXT_UI_INSTRUCTION_01", "ADD_TEXT_UI_INSTRUCTION_02", "ADD_TEXT_UI_INSTRUCTION_03"};
    for (int i = 0; i < 3; ++i) {
        prompts_[static_cast<std::size_t>(i)] = MakeLabelled(promptIcons[i], 60.0f + 180.0f * static_cast<float>(i), kPromptRow, promptKeys[i]);
    }
    for (const Labelled& labelled : entries_) AddWidget(labelled.icon);
    for (const Labelled& labelled : prompts_) AddWidget(labelled.icon);
    AddWidget(MakeUICategorySwitch(0, true));
    pageTitle_ = MakeUILabel(root, "ADD_TEXT_UI_INSTRUCTION_07", kCanvasWidth * 0.5f, 48.0f, 0.5f, 0.5f);
    AddWidget(pageTitle_);
    for (const Labelled& labelled : entries_) {
        AddWidget(labelled.colon);
        AddWidget(labelled.function);
    }
    for (const Labelled& labelled : prompts_) {
        AddWidget(labelled.colon);
        AddWidget(labelled.function);
    }
    AddWidget(MakeUICategorySwitch(2, true));
}

std::span<const int> GAME_CUIInstruction::PageActions() const
{
    if (page_ == 0) return kPage0Actions;
    return kPage1Actions;
}

std::string GAME_CUIInstruction::FindLabelKey(std::uint32_t padMask) const
{
    for (const int action : PageActions()) {
        if (PadMaskOf(action) == padMask) return "ADD_TEXT_UI_CONFIG_" + std::string(GetInputActionDefault(action).name);
    }
    return {};
}

std::int32_t GAME_CUIInstruction::GetPadIconSprite(bool decide) const
{
    const std::uint32_t mask = PadMaskOf(decide ? kActionDecide : kActionCancel);
    // The sticks' entries (mask 0) stand for no button.
    for (const EntryIcon& entry : kEntries) {
        if (entry.mask != 0 && entry.mask == mask) return FindUISprite(entry.icon);
    }
    return -1;
}

void GAME_CUIInstruction::LayoutPage()
{
    pageTitle_->SetTextA(page_ == 0 ? "ADD_TEXT_UI_INSTRUCTION_07" : "ADD_TEXT_UI_INSTRUCTION_08");
    prompts_[0].icon->SetSprite(GetPadIconSprite(true));
    prompts_[1].icon->SetSprite(GetPadIconSprite(false));
    std::u16string start = GetMessageTextOrKey("ADD_TEXT_UI_INSTRUCTION_09") + u" : " + GetMessageTextOrKey("ADD_TEXT_UI_INSTRUCTION_03");
    start.resize(std::min<std::size_t>(start.size(), 127));
    prompts_[2].function->SetTextW(start.c_str());
    const GAME_CPlayerData* player = Context().Player();
    // The settings' stick-swap word: the sticks' roles are exchanged.
    const bool swapped = player != nullptr && player->option56 != 0;
    for (int i = 0; i < kEntryCount; ++i) {
        GAME_CUILabelObject* label = entries_[static_cast<std::size_t>(i)].function;
        if (i == kEntryLeftStick) {
            label->SetTextA(swapped ? kViewKey : kMoveKey);
        } else if (i == kEntryRightStick) {
            label->SetTextA(swapped ? kMoveKey : kViewKey);
        } else {
            label->SetTextA(FindLabelKey(kEntries[i].mask).c_str());
        }
    }
}

void GAME_CUIInstruction::OnEnterState(UIScreenState state)
{
    if (state != kOpening) return;
    ShowAllWidgets();
    page_ = 0;
    pointerSettled_ = false;
    LayoutPage();
}

void GAME_CUIInstruction::BackToOptions()
{
    PlayUISE(kSeUICancel);
    SetOpen(false);
    Context().ui.SetOpen(kSlotOption, true);
}

void GAME_CUIInstruction::UpdateMain(bool input)
{
    if (!pointerSettled_ && !IsAnyUIPointerHeld()) pointerSettled_ = true;
    input = Root()->UpdateTree(input && !AnyWidgetBusyOrDecided());
    if (!input) return;
    if (IsUIActionTriggered(kActionDecide)) {
        PlayUISE(kSeUIDecide);
        page_ = 1 - page_;
        LayoutPage();
    } else if (IsUIActionTriggered(kActionCancel)) {
        BackToOptions();
        return;
    }
    if (pointerSettled_ && IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) BackToOptions();
}

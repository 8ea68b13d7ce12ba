// The sound room (slot 44): the ten music tracks in a list of eight rows; the chosen one plays while the room is open.
#include "game/ui/screens/ui_sound_room.h"

#include <cstdio>
#include <utility>

#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/sound/sound_player.h"
#include "game/ui/menu_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"

namespace {

constexpr float kRowX = 107.0f;
constexpr float kFirstRowY = 105.0f;
constexpr vesk::math::Vec2 kRowHitSize{408.0f, 18.0f};
constexpr std::uint32_t kWindBgm = 8;

// The music of a list entry: the tracks in order, without the wind; past the end, the last.
std::uint32_t TrackIdOfIndex(int index)
{
    if (index < 0) index = 0;
    if (index >= GAME_CUISoundRoom::kTrackCount) return kBgmCount - 1;
    const auto id = static_cast<std::uint32_t>(index);
    return id < kWindBgm ? id : id + 1;
}

}  // namespace

GAME_CUISoundRoom::GAME_CUISoundRoom(const UIScreenContext& context)
    : GAME_CUIScreen({.settlesAtOnce = true}, &context)
{
    Build();
}

void GAME_CUISoundRoom::Build()
{
    GAME_CUINullObject* root = Root();
    BeginUIMenuWindow(widgets_, root, CloseScreenCallback(this));
    UIButtonSpec enter{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                       .action = kActionDecide, .release = [this](GAME_CUIIconObject*) { PlayIndex(list_.Index()); }};
    PlaceUIButtonTopLeft(enter, 356.0f, 257.0f);
    GAME_CUIIconObject* enterButton = MakeUIButton(root, enter);
    AddWidget(enterButton);
    headings_.Add(widgets_, root, "ui_text_name", {127.0f, 87.0f});
    // The holder rides on the cursor row's node.
    cursor_.Build(widgets_, root, {.arrowAt = {0.0f, 0.0f}});
    for (int r = 0; r < kRows; ++r) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.anchor = MakeUIGroupUnder(root, kRowX, kFirstRowY + kUILineStep * static_cast<float>(r));
        AddWidget(row.anchor);
        row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_big", 0.0f, 16.0f);
        if (r == kRows - 1) row.separator->SetColor(kUIHidden);
        AddWidget(row.separator);
        row.name = MakeUILabel(row.anchor, "", 45.0f, 0.0f);
    }
    AddWidget(MakeUIPictureUnder(root, "ui_separator_center", 99.0f, 247.0f));
    scrollBar_ = MakeUIScrollBar(root, 525.0f, 105.0f, 8.0f, 144.0f);
    AddWidget(scrollBar_);
    AddUIMenuWindowTitle(widgets_, root, "SOUNDROOM_WINDOWTITLE");
    // The button stands on its centre, and so does its word.
    AddWidget(MakeUILabel(enterButton, "SOUNDROOM_ENTERBUTTON", 0.0f, 0.0f, 0.5f, 0.5f));
    for (const UIItemRowWidgets& row : rows_) AddWidget(row.name);
    EndUIMenuWindow(widgets_, root);
}

void GAME_CUISoundRoom::PlayIndex(int index) const { Context().Sound().PlayBGM(TrackIdOfIndex(index), 0, false); }

void GAME_CUISoundRoom::OnEnterState(UIScreenState state)
{
    GAME_CSoundPlayer& sound = Context().Sound();
    switch (state) {
    case kOpening:
        rememberedBgm_ = sound.LastRequestedBgm();
        sound.StopBGM(0);
        ShowAllWidgets();
        headings_.Apply();
        list_.ShowFromStart(*scrollBar_);
        RefreshList();
        break;
    case kClosing: sound.StopBGM(0); break;
    // With nothing asked for before the room opened (kNoBgm), nothing plays.
    case kClosed: sound.PlayBGM(rememberedBgm_, 0, false); break;
    default: break;
    }
}

void GAME_CUISoundRoom::EveryFrame()
{
    cursor_.StepArrow();
}

void GAME_CUISoundRoom::RefreshList()
{
    for (int r = 0; r < kRows; ++r) {
        GAME_CUILabelObject* label = rows_[static_cast<std::size_t>(r)].name;
        const int index = list_.top + r;
        if (index >= kTrackCount) {
            label->SetTextW(u"");
            continue;
        }
        char key[32];
        std::snprintf(key, sizeof key, "BGM_NAME_%03d", index);
        label->SetTextA(key);
    }
    cursor_.holder->SetParent(rows_[static_cast<std::size_t>(list_.cursor)].anchor);
}

void GAME_CUISoundRoom::UpdateMain(bool input)
{
    const bool free = Root()->UpdateTree(input);
    if (list_.Follow(*scrollBar_)) RefreshList();
    if (!free) return;
    if (const std::int32_t row = ClickedUIListRow(rows_[0].anchor->WorldPosition(), kRows, kRowHitSize); row >= 0) {
        PlayUISE(kSeUIDecide);
        list_.cursor = row;
        RefreshList();
        PlayIndex(list_.Index());
        return;
    }
    const bool decide = IsUIActionTriggered(kActionDecide);
    // Up and down may both act in one frame, up first.
    for (const auto& [slot, direction] : {std::pair{kUIMenuUp, -1}, std::pair{kUIMenuDown, 1}}) {
        if (!IsUIMenuSlot(GAME_CInputMap::kModeRepeat, slot)) continue;
        PlayUISE(kSeUICursor);
        list_.Step(direction);
        list_.Show(*scrollBar_);
        RefreshList();
    }
    if (decide) {
        PlayUISE(kSeUIDecide);
        PlayIndex(list_.Index());
    }
}

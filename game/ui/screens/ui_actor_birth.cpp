// The crew birth window (slot 42): a newborn and its parents announced over a darkened screen, a new name rolled, the birth posted.
#include "game/ui/screens/ui_actor_birth.h"

#include <string>
#include <utility>

#include "framework/math/random.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/text/actor_names.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kFrame{180.0f, 94.0f};
constexpr Vec2 kSpeedLines{251.0f, 128.0f};
// The buttons' top-left corners; their pivots stand at their centres.
constexpr Vec2 kRenameButton{242.0f, 203.0f};
constexpr Vec2 kCloseButton{242.0f, 232.0f};
constexpr Vec2 kCursor{224.0f, 209.0f};
constexpr float kCursorStep = 30.0f;
constexpr Vec2 kSentence{320.0f, 106.0f};
constexpr Vec2 kPictureAt{320.0f, 190.0f};
constexpr Vec2 kTurnedPictureAt{312.0f, 174.0f};
constexpr float kPictureScale = 2.0f;
constexpr float kTurn = 90.0f;
constexpr const char* kPictureNames[GAME_CUIActorBirth::kPictures] = {"dot_rat0_0", "dot_rat0_2", "dot_rat1_0",
                                                                      "dot_rat2_1", "dot_rat3_1"};

std::u16string WrittenName(const GAME_CObjectActor* member)
{
    return member != nullptr ? RomanizeKanaPair(member->status.name) : std::u16string{};
}

}  // namespace

GAME_CUIActorBirth::GAME_CUIActorBirth(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen, .mover = {.kind = UIMover::Kind::kImmediate}, .holdsGame = true},
                     &context)
{
    Build();
}

void GAME_CUIActorBirth::Build()
{
    for (int i = 0; i < kPictures; ++i) pictureSprites_[i] = FindUISprite(kPictureNames[i]);
    for (int i = 0; i < kSpeedLineFrames; ++i) {
        speedLineSprites_[i] = FindUISprite("ui_birth_intensiveline_" + std::to_string(i));
    }

    widgets_.push_back(MakeUIPictureUnder(Root(), "ui_dialogbase", kFrame.x, kFrame.y));
    speedLines_ = MakeUIPictureUnder(Root(), "ui_birth_intensiveline_0", kSpeedLines.x, kSpeedLines.y);
    widgets_.push_back(speedLines_);

    const Vec2 buttonSize = UISpriteSize(FindUISprite("ui_enterbutton"));
    const auto makeButton = [&](Vec2 topLeft, const char* caption, UIIconCallback release) {
        GAME_CUINullObject* holder =
            MakeUIGroupUnder(Root(), topLeft.x + buttonSize.x * 0.5f, topLeft.y + buttonSize.y * 0.5f);
        widgets_.push_back(holder);
        GAME_CUIIconObject* button = MakeUIButton(holder, {.sprite = "ui_enterbutton",
                                                           .pressedSprite = "ui_enterbutton_touch",
                                                           .sound = kSeUIDecide,
                                                           .release = std::move(release)});
        widgets_.push_back(button);
        widgets_.push_back(MakeUILabel(button, caption, 0.0f, 0.0f, 0.5f, 0.5f));
        return button;
    };
    rename_ = makeButton(kRenameButton, "ADD_TEXT_UI_ACTORBIRTH_01", [this](GAME_CUIIconObject*) { OnRename(); });
    close_ = makeButton(kCloseButton, "ADD_TEXT_UI_ACTORBIRTH_02", CloseScreenCallback(this));

    cursor_.arrow = MakeUIPictureUnder(Root(), "ui_cursor_common_r90", kCursor.x, kCursor.y);
    widgets_.push_back(cursor_.arrow);
    sentence_ = MakeUILabel(Root(), "", kSentence.x, kSentence.y, 0.5f);
    widgets_.push_back(sentence_);
    widgets_.push_back(MakeUIDrawHook([this] { DrawPicture(); }));
    widgets_.push_back(MakeUIPictureUnder(Root(), "ui_dialogbase_scan", kFrame.x, kFrame.y));
}

void GAME_CUIActorBirth::BeginFrame(bool)
{
    cursor_.Step({kCursor.x, kCursor.y + kCursorStep * static_cast<float>(row_)});
    if (cursor_.frame == 0) {
        speedLine_ = (speedLine_ + 1) % kSpeedLineFrames;
        speedLines_->SetSprite(speedLineSprites_[speedLine_]);
    }
}

void GAME_CUIActorBirth::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening: {
        GAME_CUIManager& ui = Context().ui;
        ui.SetOpen(kSlotActorStatus, false);
        ui.SetOpen(kSlotRoomBuilding, false);
        ui.SetOpen(kSlotBuildSelectGrid, false);
        ShowAllWidgets();
        cursor_.Restart();
        row_ = 0;
        speedLine_ = 0;
        speedLines_->SetSprite(speedLineSprites_[0]);
        // The framework's generator, never the clock: a seeded run shows the same rat.
        picture_ = vesk::math::RandInt(kPictures);
        ShowSentence();
        break;
    }
    case kClosing: Context().ui.PostLine(FamilyText("OLIF_ACTOR_BIRTH"), kMessageKind); break;
    default: break;
    }
}

std::u16string GAME_CUIActorBirth::FamilyText(const char* key) const
{
    return FormatUIMessage(key, {WrittenName(parents[0]), WrittenName(parents[1]), WrittenName(child)});
}

void GAME_CUIActorBirth::ShowSentence() { sentence_->SetTextW(FamilyText("ADD_TEXT_UI_ACTORBIRTH_03").substr(0, kSentenceLimit).c_str()); }

void GAME_CUIActorBirth::UpdateMain(bool input)
{
    if (!UpdateWidgetsInTurn(input)) return;
    if (IsUIActionTriggered(kActionDecide)) {
        (row_ == 0 ? rename_ : close_)->Press();
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp) || IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
        row_ ^= 1;
    }
}

void GAME_CUIActorBirth::OnRename()
{
    if (child == nullptr || parents[0] == nullptr || parents[1] == nullptr) return;
    const std::u16string name = MakeChildActorName(parents[0]->status.name, parents[1]->status.name);
    Context().world.fieldObjects->SetActorName(child, ActorName(name));
    ShowSentence();
}

void GAME_CUIActorBirth::DrawPicture() const
{
    FlushUISprites();
    BeginUISprites();
    const std::int32_t sprite = pictureSprites_[picture_];
    if (sprite != kNoSprite) {
        vesk::graphics::DrawParam param;
        param.scaleX = kPictureScale;
        param.scaleY = kPictureScale;
        param.pivotX = 0.5f;
        param.pivotY = 1.0f;
        const bool turned = picture_ == kTurnedPicture;
        if (turned) param.angle = kTurn;
        DrawUISprite(turned ? kTurnedPictureAt : kPictureAt, sprite, param);
    }
    FlushUISprites();
    BeginUISprites();
}

void GAME_CUIActorBirth::Draw()
{
    if (State() == kClosed) return;
    // Over the pause menu the window is drawn without its dark layer.
    if (!Context().ui.IsOpen(kSlotPause)) DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kDarkLayer);
    GAME_CUIScreen::Draw();
}

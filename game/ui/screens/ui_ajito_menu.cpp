// The hideout menu (slot 7): the hideout's name and the facility buttons it offers, the chosen one shown large, that open the gas station, market, quest board and pub.
#include "game/ui/screens/ui_ajito_menu.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/services/text/tag_text.h"
#include "game/ui/hideout_facility.h"
#include "game/ui/menu_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr const char* kButtonSprites[GAME_CUIAjitoMenu::kButtonCount] = {"ui_ajito_button_fuel", "ui_ajito_button_market",
                                                                        "ui_ajito_button_quest", "ui_ajito_button_pub"};
// The screen each button opens.
constexpr int kFacilitySlots[GAME_CUIAjitoMenu::kButtonCount] = {kSlotGasStation, kSlotShop, kSlotQuestBoard, kSlotPub};
// The column the buttons rest in: the first one's top-left corner, and the step down to the next.
constexpr Vec2 kColumnTopLeft{405.0f, 90.0f};
constexpr float kColumnStep = 38.0f;
// A node at twice its size stands at this point to put its child's middle on the panel's middle.
constexpr Vec2 kEmphasisSpot{(GAME_CUIAjitoMenu::kPanelTopLeft.x + 128.0f) / 2.0f, (GAME_CUIAjitoMenu::kPanelTopLeft.y + 78.0f) / 2.0f};
constexpr float kScaleStep = 0.1f;
constexpr float kEmphasisScale = 2.0f;
// A red-orange wash: laid half strong over the buttons not chosen, and pulsing faintly over the chosen one.
constexpr std::uint32_t kWashColor = 0x000040F0u;
constexpr std::uint32_t kDimAlpha = 0x80u;
constexpr std::uint32_t kFrameWrap = 64;
// The highlight's pulse: degrees per frame (a full turn in 62.5 frames).
constexpr float kPulseDegrees = 360.0f * 0.016f;
// Where "no facility" is centred.
constexpr Vec2 kCanvasCentre{kCanvasWidth * 0.5f, kCanvasHeight * 0.5f};

GAME_CUINullObject* MakeCentredNode(GAME_CUIObjectBase* parent, std::int32_t sprite, Vec2 at, std::uint32_t color)
{
    UINullObjectDesc desc;
    InitUINullObjectDesc(&desc);
    desc.positionX = at.x;
    desc.positionY = at.y;
    desc.pivotX = 0.5f;
    desc.pivotY = 0.5f;
    desc.sprite = sprite;
    desc.color = color;
    auto* node = new GAME_CUINullObject(&desc);
    if (parent != nullptr) node->SetParent(parent);
    return node;
}

}  // namespace

GAME_CUIAjitoMenu::GAME_CUIAjitoMenu(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen, .holdsGame = true}, &context)
{
    Build();
}

Vec2 GAME_CUIAjitoMenu::HomeOf(int index)
{
    const Vec2 size = UISpriteSize(FindUISprite(kButtonSprites[index]));
    return {kColumnTopLeft.x + size.x * 0.5f, kColumnTopLeft.y + kColumnStep * static_cast<float>(index) + size.y * 0.5f};
}

void GAME_CUIAjitoMenu::Build()
{
    close_ = BeginUIMenuWindow(widgets_, Root(), [this](GAME_CUIIconObject*) { OnCloseButton(); });
    for (int i = 0; i < kButtonCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        sprites_[index].Find(kButtonSprites[i]);
        homes_[index] = HomeOf(i);
        placements_[index] = MakeUIGroupUnder(Root(), homes_[index].x, homes_[index].y);
        widgets_.push_back(placements_[index]);
        // The menu's own input presses the buttons; a click only makes one give a little.
        buttons_[index] = MakeUIButton(placements_[index], {.sprite = kButtonSprites[i], .pressedScale = 0.95f});
        widgets_.push_back(buttons_[index]);
        dims_[index] = MakeCentredNode(buttons_[index], FindUISprite(kButtonSprites[i]), {0.0f, 0.0f}, kWashColor | (kDimAlpha << 24));
        widgets_.push_back(dims_[index]);
    }
    for (const auto& [x, sprite] : {std::pair{105.0f, "ui_separator_vertical_l"}, std::pair{386.0f, "ui_separator_vertical_r"}}) {
        GAME_CUINullObject* holder = MakeUIGroupUnder(Root(), x, 98.0f);
        widgets_.push_back(holder);
        widgets_.push_back(MakeUIPictureUnder(holder, sprite, 0.0f, 0.0f));
    }

    UIIconObjectDesc highlight;
    InitUIIconObjectDesc(&highlight);
    highlight.normalSprite = FindUISprite(kButtonSprites[kFuel]);
    const Vec2 size = UISpriteSize(highlight.normalSprite);
    SetUIIconObjectDescSize(&highlight, size.x, size.y);
    highlight.hitShape = 2;  // never takes a press
    highlight.pivotX = 0.5f;
    highlight.pivotY = 0.5f;
    highlight.color = kWashColor;
    highlight_ = new GAME_CUIIconObject(&highlight);
    highlight_->SetParent(buttons_[0]);
    widgets_.push_back(highlight_);

    AddUIMenuWindowTitle(widgets_, Root(), "");
    title_ = static_cast<GAME_CUILabelObject*>(widgets_.back());
    EndUIMenuWindow(widgets_, Root());
}

std::uint32_t GAME_CUIAjitoMenu::Services() const
{
    const HideoutData* hideout = UIHideoutHere(Context());
    return hideout != nullptr ? hideout->facilities : 0u;
}

bool GAME_CUIAjitoMenu::Offers(int index) const
{
    return index >= 0 && index < kButtonCount && (Services() & (1u << static_cast<unsigned>(index))) != 0;
}

bool GAME_CUIAjitoMenu::AnyFacilityOpen() const
{
    for (const int slot : kFacilitySlots) {
        if (Context().ui.IsOpen(slot)) return true;
    }
    return false;
}

bool GAME_CUIAjitoMenu::KeepsHoldOnClose() const { return AnyFacilityOpen(); }

void GAME_CUIAjitoMenu::BeginFrame(bool input)
{
    // A scripted event that starts under the menu sends it away.
    const GAME_CTravelController* travel = Context().world.travel.get();
    const GAME_CRouteManager* route = travel != nullptr ? travel->routeManager.get() : nullptr;
    if (!input && (State() == kOpening || State() == kMain) && route != nullptr && route->IsRouteEventRunning()) SetOpen(false);
    frame_ = (frame_ + 1) % kFrameWrap;
}

void GAME_CUIAjitoMenu::ApplyLanguage()
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const std::int32_t sprite = sprites_[i].Current();
        buttons_[i]->SetSprites(sprite, sprite);
        dims_[i]->SetSprite(sprite);
    }
}

void GAME_CUIAjitoMenu::ShowOfferedButtons()
{
    for (int i = 0; i < kButtonCount; ++i) buttons_[static_cast<std::size_t>(i)]->SetVisible(Offers(i));
}

void GAME_CUIAjitoMenu::StepSelection(int step)
{
    std::int32_t candidate = selection_;
    for (int tries = 0; tries < kButtonCount; ++tries) {
        candidate = (candidate + step + kButtonCount) % kButtonCount;
        if (Offers(candidate)) {
            selection_ = candidate;
            return;
        }
    }
}

void GAME_CUIAjitoMenu::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kOpening: {
        ApplyLanguage();
        if (world.travel) world.travel->EnsureLocationAtRouteEnd();
        for (GAME_CUIObjectBase* widget : widgets_) {
            const bool ownRule = widget == highlight_ || std::find(buttons_.begin(), buttons_.end(), widget) != buttons_.end();
            if (!ownRule) widget->SetVisible(true);
        }
        ShowOfferedButtons();
        // With nothing to visit the highlight goes, and the notice takes its place.
        highlight_->SetVisible(Services() != 0);
        if (!Offers(selection_)) StepSelection(1);
        const GAME_CTravelController* travel = world.travel.get();
        const LocationRecord* location = travel != nullptr ? travel->GetLocation() : nullptr;
        title_->SetTextA(location != nullptr ? TagToStaticString(location->hideoutId) : "");
        RefreshCursor();
        world.SetFieldStick(false);
        break;
    }
    case kMain: UIRunArmedRouteLabel(Context(), RouteScreenLabel::kHideoutMenu); break;
    case kClosing: world.SetFieldStick(true); break;
    default: break;
    }
}

void GAME_CUIAjitoMenu::RefreshCursor()
{
    const float pulse = 8.0f + 8.0f * std::sin(static_cast<float>(frame_) * kPulseDegrees * 3.14159265f / 180.0f);
    const auto alpha = static_cast<std::uint32_t>(std::max(pulse, 0.0f));
    highlight_->SetColor(kWashColor | (alpha << 24));
    for (int i = 0; i < kButtonCount; ++i) {
        const bool dimmed = Offers(i) && i != selection_;
        dims_[static_cast<std::size_t>(i)]->SetColor(kWashColor | ((dimmed ? kDimAlpha : 0u) << 24));
    }
    GAME_CUIIconObject* chosen = buttons_[static_cast<std::size_t>(selection_)];
    const std::int32_t sprite = sprites_[static_cast<std::size_t>(selection_)].Current();
    highlight_->SetSprites(sprite, sprite);
    if (highlight_->Parent() != chosen) highlight_->SetParent(chosen);
    highlight_->UpdateTree(false);
}

void GAME_CUIAjitoMenu::StepEmphasis()
{
    if (!emphasizing_ && selection_ != emphasized_) {
        emphasizing_ = true;
        const Vec2 from = homes_[static_cast<std::size_t>(selection_)];
        InitTween(growing_, kEmphasisSpot.x, kEmphasisSpot.y, kEmphasisFrames, 0);
        RestartTweenFrom(growing_, {from.x, from.y});
        if (emphasized_ >= 0) {
            const Vec2 home = homes_[static_cast<std::size_t>(emphasized_)];
            InitTween(shrinking_, home.x, home.y, kEmphasisFrames, 0);
            RestartTweenFrom(shrinking_, {kEmphasisSpot.x, kEmphasisSpot.y});
        }
    }
    if (!emphasizing_) return;
    TweenPoint point{};
    UpdateTweenEaseOut(growing_, point);
    GAME_CUINullObject* grower = placements_[static_cast<std::size_t>(selection_)];
    const Vec2 grown{point.x, point.y};
    grower->SetPosition(&grown);
    Vec2 scale = *grower->GetScale();
    scale = scale.x + kScaleStep >= kEmphasisScale || scale.y + kScaleStep >= kEmphasisScale
                ? Vec2{kEmphasisScale, kEmphasisScale}
                : Vec2{scale.x + kScaleStep, scale.y + kScaleStep};
    grower->SetScale(&scale);
    bool done = IsTweenFinished(growing_);
    if (emphasized_ >= 0) {
        UpdateTweenEaseOut(shrinking_, point);
        GAME_CUINullObject* shrinker = placements_[static_cast<std::size_t>(emphasized_)];
        const Vec2 back{point.x, point.y};
        shrinker->SetPosition(&back);
        Vec2 small = *shrinker->GetScale();
        small = small.x - kScaleStep <= 1.0f || small.y - kScaleStep <= 1.0f ? Vec2{1.0f, 1.0f}
                                                                             : Vec2{small.x - kScaleStep, small.y - kScaleStep};
        shrinker->SetScale(&small);
        done = done && IsTweenFinished(shrinking_);
    }
    if (done) {
        emphasizing_ = false;
        emphasized_ = selection_;
    }
}

void GAME_CUIAjitoMenu::UpdateMain(bool input)
{
    StepEmphasis();
    ReadInput(input && !emphasizing_);
}

void GAME_CUIAjitoMenu::ReadInput(bool input)
{
    Root()->UpdateTree(input && !AnyWidgetBusyOrDecided());
    if (!input) {
        RefreshCursor();
        return;
    }
    // The chosen button answers over the whole panel, the others over their own picture; later buttons
    // lie over earlier ones.
    for (int i = kButtonCount - 1; i >= 0; --i) {
        if (!Offers(i)) continue;
        const Vec2 home = homes_[static_cast<std::size_t>(i)];
        const bool chosen = i == selection_;
        const Vec2 topLeft = chosen ? kPanelTopLeft : Vec2{home.x - 64.0f, home.y - 39.0f};
        const Vec2 bottomRight = chosen ? Vec2{kPanelTopLeft.x + kPanelSize.x, kPanelTopLeft.y + kPanelSize.y}
                                        : Vec2{home.x + 64.0f, home.y + 39.0f};
        if (!IsUIClickInRect(topLeft, bottomRight)) continue;
        PlayUISE(chosen ? kSeUIDecide : kSeUICursor);
        OnFacilityButton(i);
        RefreshCursor();
        return;
    }
    if (IsUIActionTriggered(kActionDecide)) {
        if (Offers(selection_)) {
            PlayUISE(kSeUIDecide);
            OnFacilityButton(selection_);
        }
    } else if (IsUIMenuPressed(kUIMenuUp, true) || UIWheelSteps() > 0) {
        PlayUISE(kSeUICursor);
        StepSelection(-1);
    } else if (IsUIMenuPressed(kUIMenuDown, true) || UIWheelSteps() < 0) {
        PlayUISE(kSeUICursor);
        StepSelection(1);
    }
    RefreshCursor();
}

void GAME_CUIAjitoMenu::OnFacilityButton(int index)
{
    // A hidden button is not there to press.
    if (!Offers(index)) return;
    if (close_->IsBusy() || close_->IsDecided() || !IsOpen() || State() != kMain || NextState() != kMain) return;
    if (index != selection_) {
        selection_ = index;
        RefreshCursor();
        return;
    }
    SetOpen(false);
    Context().ui.SetOpen(kFacilitySlots[index], true);
}

void GAME_CUIAjitoMenu::OnCloseButton()
{
    SetOpen(false);
    if (!AnyFacilityOpen()) Context().ui.SetOpen(kSlotCommon, true);
}

void GAME_CUIAjitoMenu::Draw()
{
    if (State() == kClosed) return;
    GAME_CUIScreen::Draw();
    if (State() != kMain || highlight_->IsVisible()) return;
    const std::u16string text = GetMessageTextExpanded("AJITOUI_NOT_ANY_SHOP");
    DrawUIText({kCanvasCentre.x - MeasureUIText(text) * 0.5f, kCanvasCentre.y - UILineHeight() * 0.5f}, text, GetUIColor(kUIColorText));
}

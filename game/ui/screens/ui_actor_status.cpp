// The crew status window (slot 13): its two pages' widgets, its states, the validity checks and its drawing.
#include "game/ui/screens/ui_actor_status.h"

#include <algorithm>

#include "framework/graphics/polygon_render.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_crew.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kFigureCentre{kCanvasWidth * 0.5f, kCanvasHeight * 0.5f};
constexpr float kFigureScale = 3.0f;
constexpr float kButtonLeft = 252.0f;
constexpr float kFirstButtonTop = 213.0f;
constexpr float kSecondButtonTop = 246.0f;
// Where the pointing line of each group stands: unmirrored for the name and meters; mirrored in x
// for skills, in y for buffs, in both for debuffs.
constexpr Vec2 kMainLine{21.0f, 138.0f};
constexpr std::array<Vec2, 3> kGroupLines{{{405.0f, 138.0f}, {21.0f, 189.0f}, {405.0f, 189.0f}}};
constexpr std::array<std::array<std::int32_t, 2>, 3> kGroupFlips{{{1, 0}, {0, 1}, {1, 1}}};
constexpr std::array<const char*, 3> kTraitIconSprites{"ui_icon_skill", "ui_icon_buff", "ui_icon_nerf"};
constexpr std::array<std::array<Vec2, 2>, 3> kTraitIcons{{{{{405.0f, 30.0f}, {405.0f, 84.0f}}},
                                                          {{{21.0f, 226.0f}, {21.0f, 280.0f}}},
                                                          {{{405.0f, 226.0f}, {405.0f, 280.0f}}}}};
constexpr std::array<float, 3> kMeterTops{56.0f, 84.0f, 112.0f};
constexpr float kGaugeFrameX = 31.0f;
constexpr float kGaugeBarX = 66.0f;
constexpr float kGaugeBarDrop = 2.0f;
constexpr float kGaugeLength = 154.0f;
constexpr float kGaugeHeight = 8.0f;
// Red 157, green 252, blue 17, opaque.
constexpr std::uint32_t kGaugeColor = 0xFF11FC9Du;
constexpr float kSlashX = 187.0f;
constexpr std::array<Vec2, 3> kMeterWordPlaces{{{50.0f, 58.0f}, {34.0f, 86.0f}, {36.0f, 114.0f}}};
constexpr Vec2 kPrevArrow{63.0f, 179.5f};
constexpr Vec2 kNextArrow{577.0f, 179.5f};
constexpr float kCurrentDigitsX = 169.0f;
constexpr float kMaximumDigitsX = 195.0f;
constexpr float kDigitStep = 6.0f;
constexpr float kDigitsAboveFrame = 3.0f;
// The item page's name and count, each after its plate. The count stands no nearer to its plate's
// right edge than the name does to its own, whatever width the language's plate has.
constexpr Vec2 kCountPlate{492.0f, 123.0f};
constexpr Vec2 kCountLabel{500.0f, 118.0f};
constexpr float kLabelAfterPlate = 12.0f;

// Each trait's name and description rows: skills top right, buffs bottom left, debuffs bottom right,
// the second trait of a kind three rows below the first.
UICrewRowLayout CrewWindowLayout()
{
    UICrewRowLayout layout;
    layout.name = {70.0f, 31.0f};
    const std::array<UICrewMeter, 3> meters{UICrewMeter::kHP, UICrewMeter::kStamina, UICrewMeter::kCalorie};
    for (std::size_t meter = 0; meter < meters.size(); ++meter) {
        const float y = kMeterTops[meter] - kDigitsAboveFrame;
        layout.digits.push_back({.meter = meters[meter], .maximum = false, .at = {kCurrentDigitsX, y}, .step = kDigitStep});
        layout.digits.push_back({.meter = meters[meter], .maximum = true, .at = {kMaximumDigitsX, y}, .step = kDigitStep});
    }
    layout.traits = UICrewRowLayout::Traits::kNamesAndDescriptions;
    layout.traitAt = {Vec2{423.0f, 31.0f}, Vec2{39.0f, 227.0f}, Vec2{423.0f, 227.0f}};
    layout.slotStep = 3.0f * kUILineStep;
    return layout;
}

// Opens a page's widgets: the pictures' category, the page's root at the origin and its cursor.
void BeginPage(std::vector<GAME_CUIObjectBase*>& list, UIActorStatusPage& page)
{
    list.push_back(MakeUICategorySwitch(1));
    page.root = MakeUIGroupNode(0.0f, 0.0f);
    list.push_back(page.root);
    page.cursor = MakeUIPictureUnder(page.root, "ui_cursor_common_r90", 0.0f, 0.0f);
    list.push_back(page.cursor);
}

// The page's two buttons, one row above the other, with their captions' keys and what they do.
void AddButtons(std::vector<GAME_CUIObjectBase*>& list, UIActorStatusPage& page, const std::array<const char*, 2>& keys,
                std::array<UIIconCallback, 2> releases)
{
    constexpr std::array<float, 2> kTops{kFirstButtonTop, kSecondButtonTop};
    for (std::size_t row = 0; row < kTops.size(); ++row) {
        UIButtonSpec spec{.sprite = "ui_enterbutton10", .pressedSprite = "ui_enterbutton10_touch", .sound = kSeUIDecide,
                          .release = std::move(releases[row])};
        PlaceUIButtonTopLeft(spec, kButtonLeft, kTops[row]);
        page.buttons[row] = MakeUIButton(page.root, spec);
        page.captions[row] = MakeUILabel(page.buttons[row], keys[row], 0.0f, 0.0f, 0.5f, 0.5f);
        list.push_back(page.buttons[row]);
    }
}

}  // namespace

GAME_CUIActorStatus::GAME_CUIActorStatus(const UIScreenContext& context)
    : GAME_CUIScreen({.fieldControl = true, .mover = {.kind = UIMover::Kind::kImmediate}, .dialog = UIDialogOnClose::kClose},
                     &context),
      crewRow_(CrewWindowLayout())
{
    meterWords_ = {FindUISprite("ui_text_stamina_jp"), FindUISprite("ui_text_stamina_en"), FindUISprite("ui_text_calorie_jp"),
                   FindUISprite("ui_text_calorie_en")};
    workingRatSprite_ = FindUISprite("dot_rat1_0");
    BuildCrewPage();
    BuildItemPage();
    // The crew page's buttons stand under their own root: a button that closes the window settles
    // only when that root is updated while the window closes.
    AddMovedRoot(crew_.root);
}

GAME_CUIActorStatus::~GAME_CUIActorStatus() { DeleteWidgets(itemPage_); }

void GAME_CUIActorStatus::BuildCrewPage()
{
    std::vector<GAME_CUIObjectBase*>& list = widgets_;
    BeginPage(list, crew_);
    GAME_CUINullObject* root = crew_.root;
    list.push_back(MakeUIPictureUnder(root, "ui_pointingline", kMainLine.x, kMainLine.y));
    for (std::size_t kind = 0; kind < groupLines_.size(); ++kind) {
        groupLines_[kind] = MakeUIPictureUnder(root, "ui_pointingline", kGroupLines[kind].x, kGroupLines[kind].y);
        groupLines_[kind]->SetFlip(kGroupFlips[kind][0], kGroupFlips[kind][1]);
        list.push_back(groupLines_[kind]);
        for (std::size_t slot = 0; slot < 2; ++slot) {
            const Vec2 at = kTraitIcons[kind][slot];
            traitIcons_[kind][slot] = MakeUIPictureUnder(root, kTraitIconSprites[kind], at.x, at.y);
            list.push_back(traitIcons_[kind][slot]);
        }
    }
    list.push_back(MakeUIPictureUnder(root, "ui_text_actorname", 37.0f, 37.0f));
    for (std::size_t meter = 0; meter < kMeterTops.size(); ++meter) {
        list.push_back(MakeUIPictureUnder(root, "ui_actorstatus_gauge_frame", kGaugeFrameX, kMeterTops[meter]));
        GAME_CUINullObject* holder = MakeUIGroupUnder(root, kGaugeBarX, kMeterTops[meter] + kGaugeBarDrop);
        list.push_back(holder);
        gauges_[meter] = MakeUIGaugeFill(holder, "ui_labelbase", kGaugeColor, kGaugeLength, kGaugeHeight);
        list.push_back(gauges_[meter].picture);
    }
    list.push_back(MakeUIPictureUnder(root, "ui_text_hp", kMeterWordPlaces[0].x, kMeterWordPlaces[0].y));
    staminaWord_ = MakeUIPictureUnder(root, "ui_text_stamina_jp", kMeterWordPlaces[1].x, kMeterWordPlaces[1].y);
    calorieWord_ = MakeUIPictureUnder(root, "ui_text_calorie_jp", kMeterWordPlaces[2].x, kMeterWordPlaces[2].y);
    list.push_back(staminaWord_);
    list.push_back(calorieWord_);
    for (const float top : kMeterTops) list.push_back(MakeUIPictureUnder(root, "ui_text_num_slash", kSlashX, top - 2.0f));
    crewRow_.BuildPictures(list, root, {0.0f, 0.0f});
    prevArrow_ = MakeUIButton(root, {.sprite = "ui_actorstatus_left", .x = kPrevArrow.x, .y = kPrevArrow.y, .sound = kSeUICursor,
                                          .release = [this](GAME_CUIIconObject*) { OnPrevCrew(); }});
    nextArrow_ = MakeUIButton(root, {.sprite = "ui_actorstatus_right", .x = kNextArrow.x, .y = kNextArrow.y, .sound = kSeUICursor,
                                          .release = [this](GAME_CUIIconObject*) { OnNextCrew(); }});
    list.push_back(prevArrow_);
    list.push_back(nextArrow_);
    AddButtons(list, crew_, {"ADD_TEXT_UI_ROOM_BUILD_005", "ADD_TEXT_UI_ROOM_BUILD_006"},
               {[this](GAME_CUIIconObject*) { OnMove(); }, [this](GAME_CUIIconObject*) { OnDismiss(); }});

    list.push_back(MakeUICategorySwitch(0, true));
    for (GAME_CUILabelObject* caption : crew_.captions) list.push_back(caption);
    crewRow_.BuildTexts(list);
}

void GAME_CUIActorStatus::BuildItemPage()
{
    std::vector<GAME_CUIObjectBase*>& list = itemPage_;
    BeginPage(list, item_);
    GAME_CUINullObject* root = item_.root;
    list.push_back(MakeUIPictureUnder(root, "ui_text_actorname", 50.0f, 123.0f));
    countHeading_ = countPlate_.Add(list, root, "ui_text_num", kCountPlate);
    list.push_back(MakeUIPictureUnder(root, "ui_pointingline", kMainLine.x, kMainLine.y));
    GAME_CUINullObject* mirrored = MakeUIPictureUnder(root, "ui_pointingline", kGroupLines[0].x, kGroupLines[0].y);
    mirrored->SetFlip(1, 0);
    list.push_back(mirrored);
    AddButtons(list, item_, {"ADD_TEXT_UI_ROOM_BUILD_007", "ADD_TEXT_UI_ROOM_BUILD_008"},
               {[this](GAME_CUIIconObject*) { OnItemTakeOne(); }, [this](GAME_CUIIconObject*) { OnItemTakeAll(); }});

    list.push_back(MakeUICategorySwitch(0, true));
    // The placeholder keys of the labels are not meant to be seen: they start empty.
    itemName_ = MakeUILabel(root, "", 90.0f, 118.0f);
    itemCount_ = MakeUILabel(root, "", kCountLabel.x, kCountLabel.y);
    list.push_back(itemName_);
    list.push_back(itemCount_);
    for (GAME_CUILabelObject* caption : item_.captions) list.push_back(caption);
}

float GAME_CUIActorStatus::GaugeScale(std::size_t meter) const
{
    const GAME_CUINullObject* bar = gauges_[meter].picture;
    return bar != nullptr ? bar->GetScale()->x / gauges_[meter].fullScale : 0.0f;
}

std::int32_t GAME_CUIActorStatus::CountCrew() const
{
    const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
    if (objects == nullptr) return 0;
    std::int32_t count = 0;
    for (const GAME_CObjectActor* actor : objects->crew) count += actor != nullptr ? 1 : 0;
    return count;
}

void GAME_CUIActorStatus::FollowWithCamera(const GAME_CObjectBase* object) const
{
    GAME_CCamera2D* camera = Context().world.camera.get();
    if (camera == nullptr || object == nullptr) return;
    camera->mode = GAME_CCamera2D::kFollowObject;
    camera->followedObject = object;
}

void GAME_CUIActorStatus::OpenOnCrewMember(GAME_CObjectActor* member)
{
    targetItem = nullptr;
    targetActor = member;
    SetOpen(true);
    FollowWithCamera(member);
}

void GAME_CUIActorStatus::StopCamera() const
{
    if (GAME_CCamera2D* camera = Context().world.camera.get()) camera->mode = GAME_CCamera2D::kFree;
}

void GAME_CUIActorStatus::CloseWithCancelSound()
{
    PlayUISE(kSeUICancel);
    SetOpen(false);
}

void GAME_CUIActorStatus::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kClosed:
        StopCamera();
        targetItem = nullptr;
        break;
    case kOpening: BeginOpen(); break;
    case kClosing: StopCamera(); break;
    default: break;
    }
}

void GAME_CUIActorStatus::BeginOpen()
{
    PlayUISE(kSeUIDecide);
    ShowAllWidgets();
    for (GAME_CUIObjectBase* widget : itemPage_) widget->SetVisible(true);
    cursorRow_ = kRowFirst;
    const bool english = UILanguageVariant() != 0;
    staminaWord_->SetSprite(meterWords_[english ? 1 : 0]);
    calorieWord_->SetSprite(meterWords_[english ? 3 : 2]);
    countPlate_.Apply();
    const float plateEnd = kCountPlate.x + UISpriteSize(countHeading_->Sprite()).x;
    const Vec2 countAt{std::max(kCountLabel.x, plateEnd + kLabelAfterPlate), kCountLabel.y};
    itemCount_->SetPosition(&countAt);
    if (targetItem != nullptr) {
        pages_.Reset(Page::kItem);
        FollowWithCamera(targetItem);
    } else {
        pages_.Reset(Page::kCrew);
        FollowWithCamera(targetActor);
    }
}

bool GAME_CUIActorStatus::TargetGone() const
{
    if (pages_.Is(Page::kItem)) {
        const GAME_CFieldObjectManager* objects = Context().world.fieldObjects.get();
        return targetItem == nullptr || targetItem->carrier != nullptr || objects == nullptr || !objects->IsItemActive(targetItem);
    }
    // The farewell stays up for a member already on its way out. A member whose death has begun is
    // gone already: it can be neither moved nor sent away.
    return !pages_.Is(Page::kDismissResult) && (targetActor == nullptr || !task_crew::IsAliveInField(*targetActor));
}

void GAME_CUIActorStatus::EnterPage(Page page)
{
    switch (page) {
    case Page::kCrew: FollowWithCamera(targetActor); break;
    case Page::kDismissQuestion: OpenDismissQuestion(); break;
    case Page::kDismissResult: DismissCrewMember(); break;
    case Page::kItem: break;
    }
}

void GAME_CUIActorStatus::UpdateMain(bool input)
{
    if (TargetGone()) {
        SetOpen(false);
        return;
    }
    pages_.Advance([this](Page page) { EnterPage(page); });
    // A page shows what it refreshes in this frame's draw only when its tree is updated afterwards.
    if (pages_.Is(Page::kItem)) {
        if (!RefreshItemPage(input)) return;
        UpdateItemPage(item_.root->UpdateTree(input));
        return;
    }
    if (input && CountCrew() <= 1 && (IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}) || IsUIActionTriggered(kActionCancel))) {
        CloseWithCancelSound();
        return;
    }
    if (pages_.Is(Page::kCrew)) RefreshCrewPage(input);
    const bool left = crew_.root->UpdateTree(input);
    item_.root->UpdateTree(false);
    switch (pages_.Current()) {
    case Page::kCrew: UpdateCrewPage(left); break;
    case Page::kDismissQuestion: FollowDialogAnswer(pages_, Page::kDismissResult, Page::kCrew); break;
    case Page::kDismissResult: UpdateDismissResult(); break;
    case Page::kItem: break;
    }
}

void GAME_CUIActorStatus::StepCursor(GAME_CUINullObject* cursor)
{
    blink_.Tick();
    const Vec2 at{234.0f - blink_.Bob(), 219.0f + 33.0f * static_cast<float>(cursorRow_)};
    cursor->SetPosition(&at);
}

bool GAME_CUIActorStatus::CloseOrPress(const UIActorStatusPage& page)
{
    if (IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}) || IsUIActionTriggered(kActionCancel)) {
        CloseWithCancelSound();
    } else if (IsUIActionTriggered(kActionDecide)) {
        page.buttons[static_cast<std::size_t>(cursorRow_)]->Press();
    } else {
        return false;
    }
    return true;
}

void GAME_CUIActorStatus::ToggleRowOnRepeat()
{
    if (!IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp) && !IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) return;
    PlayUISE(kSeUICursor);
    cursorRow_ = cursorRow_ == kRowFirst ? kRowSecond : kRowFirst;
}

void GAME_CUIActorStatus::Draw()
{
    const bool crewShown = targetActor != nullptr || pages_.Is(Page::kDismissResult);
    const bool itemPage = pages_.Is(Page::kItem);
    if (State() == kClosed || Context().world.ship == nullptr || (itemPage ? targetItem == nullptr : !crewShown)) return;
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kCoverColor);
    BeginUISprites();
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = param.scaleY = kFigureScale;
    param.pivotX = param.pivotY = 0.5f;
    const GAME_CShipBodyRender* hull = Context().world.ship->body.get();
    bool mirrored = hull != nullptr && hull->scaleX < 0.0f;
    std::int32_t sprite = kNoSprite;
    if (itemPage) {
        sprite = targetItem->spriteIndex;
    } else if (targetActor != nullptr) {
        const bool atWork = targetActor->task != nullptr && targetActor->assigned != 0;
        sprite = atWork ? workingRatSprite_ : targetActor->spriteIndex;
        if (targetActor->facingLeft == 0) mirrored = !mirrored;
    }
    param.flipX = mirrored ? 1 : 0;
    DrawUISprite(kFigureCentre, sprite, param);
    DrawWidgets(itemPage ? itemPage_ : widgets_);
    FlushUISprites();
    DrawDialogIfShown();
}

// The in-game HUD (slot 3): construction, the state machine, the hideout block and the speed lamps.
#include "game/ui/screens/ui_common.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/model/world/game_world.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_null_object.h"

namespace {

// Where each button's anchor stands under the root (y = -1: on the frame's height, the canvas's
// bottom edge), its sprite word and the input that presses it.
struct ButtonLayout {
    float x;
    float y;
    const char* word;   // null: a speed plate
    int sprites;        // the button's first pair in the sprite table, -1 for none
    int action;         // -1: none
    std::uint32_t padMask;
};

constexpr float kOnFrame = -1.0f;
// The pause icon answers START (0x1) and SELECT (0x2).
constexpr std::uint32_t kPausePadMask = 0x3;

constexpr ButtonLayout kLayout[GAME_CUICommon::kButtonCount] = {
    {21.0f, 50.0f, "allactor", 2 + 6 * 4, kActionShortcutCrewList, 0},
    {69.0f, 50.0f, "questlist", 2 + 6 * 3, kActionShortcutQuest, 0},
    {117.0f, 50.0f, "itemdict", 2 + 6 * 2, kActionShortcutItemList, 0},
    {183.0f, 53.0f, "pause", 2 + 6 * 5, -1, kPausePadMask},
    {297.0f, kOnFrame, nullptr, -1, -1, 0},
    {355.0f, kOnFrame, nullptr, -1, -1, 0},
    {413.0f, kOnFrame, nullptr, -1, -1, 0},
    {489.0f, 55.0f, "build", 2 + 6 * 0, kActionShortcutBuild, 0},
    {562.0f, 55.0f, "ajito", 2 + 6 * 1, kActionShortcutHideout, 0},
};

// The order the buttons are made (and drawn) in.
constexpr int kBuildOrder[] = {GAME_CUICommon::kBuild,  GAME_CUICommon::kPause,     GAME_CUICommon::kSpeed1,
                               GAME_CUICommon::kSpeed2, GAME_CUICommon::kSpeed3,    GAME_CUICommon::kHideout,
                               GAME_CUICommon::kQuestList, GAME_CUICommon::kItemDictionary, GAME_CUICommon::kAllCrew};

// The sprite table's words, in its order after the grid cursor and the label base.
constexpr const char* kTableWords[6] = {"build", "ajito", "itemdict", "questlist", "allactor", "pause"};
constexpr const char* kForms[6] = {"", "_eng", "_kr", "_touch", "_touch_eng", "_touch_kr"};

constexpr vesk::math::Vec2 kCursorPoints[GAME_CUICommon::kButtonCount] = {
    {39.0f, 345.0f},  {87.0f, 345.0f},  {135.0f, 345.0f}, {232.0f, 360.0f}, {326.0f, 360.0f},
    {384.0f, 360.0f}, {442.0f, 360.0f}, {518.0f, 345.0f}, {591.0f, 345.0f}};

constexpr TweenPoint kBlockHome{0.0f, 0.0f};
constexpr TweenPoint kBlockAway{60.0f, 48.0f};
constexpr float kAtRest = 0.00001f;
// A closing that is finished at once takes at most the slide and one frame more.
constexpr int kCloseNowLimit = GAME_CUICommon::kSlideFrames + 1;

constexpr std::uint32_t kLit = 0xFFFFFFFFu;
constexpr std::uint32_t kUnlit = 0x00FFFFFFu;

}  // namespace

vesk::math::Vec2 GAME_CUICommon::CursorPoint(int button)
{
    return kCursorPoints[static_cast<std::size_t>(std::clamp(button, 0, kButtonCount - 1))];
}

// The bar stands still; its three slide-in buttons are what opening and closing wait for.
GAME_CUICommon::GAME_CUICommon(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kPassesWhenSettled, .fieldControl = true, .mover = {.kind = UIMover::Kind::kImmediate},
                      .settlesAtOnce = true},
                     &context)
{
    for (SpriteEntry& entry : sprites_) entry = {};
    crewPickFlag = 1;
    itemPickFlag = 1;
    currentCell_ = kNoCell;
    LookUpSprites();
    Build();
    for (int button : {kQuestList, kItemDictionary, kAllCrew}) AddMovedRoot(Icon(button));
    ShowAllWidgets();
}

void GAME_CUICommon::LookUpSprites()
{
    const auto entry = [](std::int32_t index) { return SpriteEntry{index, GetUISprite(index)}; };
    sprites_[0] = entry(FindUISprite("ui_cursor_grid_normal"));
    sprites_[1] = entry(FindUISprite("ui_labelbase"));
    for (int word = 0; word < 6; ++word) {
        for (int form = 0; form < 6; ++form) {
            const std::string name = std::string("ui_common_") + kTableWords[word] + kForms[form];
            sprites_[static_cast<std::size_t>(2 + 6 * word + form)] = entry(FindUISprite(name));
        }
    }
    for (int speed = 0; speed < 3; ++speed) {
        const std::string base = "ui_common_speedx" + std::to_string(speed + 1);
        speedSprites_[static_cast<std::size_t>(speed)] = {FindUISprite(base + "_base"), FindUISprite(base + "_on"),
                                                          FindUISprite(base + "_base_touch")};
    }
    blockSprite_ = FindUISprite("ui_common_ajito_block");
    frameSpriteIndex_ = FindUISprite("ui_common_frame");
    frameSprite_ = GetUISprite(frameSpriteIndex_);
    const vesk::math::Vec2 frame = UISpriteSize(frameSpriteIndex_);
    frameWidth_ = frame.x;
    frameHeight_ = frame.y;
}

GAME_CUIIconObject* GAME_CUICommon::AddButton(int button, float x, float y, std::int32_t normal, std::int32_t pressed)
{
    GAME_CUINullObject* anchor = MakeUIGroupNode(x, y);
    if (anchor == nullptr) return nullptr;
    anchor->SetParent(Root());
    widgets_.push_back(anchor);

    const ButtonLayout& layout = kLayout[static_cast<std::size_t>(button)];
    UIIconObjectDesc desc;
    InitUIIconObjectDesc(&desc);
    desc.normalSprite = normal;
    desc.pressedSprite = pressed;
    const vesk::math::Vec2 size = UISpriteSize(normal);
    SetUIIconObjectDescSize(&desc, size.x, size.y);
    desc.pivotX = 0.0f;
    desc.pivotY = 1.0f;
    desc.appearTween = 1;
    desc.disappearTween = 1;
    desc.soundEffect = kSeHudPress;
    desc.pressedFrames = kPressFrames;
    desc.releaseCallback = [this, button](GAME_CUIIconObject*) { OnButton(button); };
    if (layout.action >= 0) {
        desc.useAction = 1;
        desc.action = layout.action;
        desc.repeatMode = 0;
    }
    desc.padMask = layout.padMask;
    auto* icon = new GAME_CUIIconObject(&desc);
    if (icon == nullptr) return nullptr;
    icon->SetParent(anchor);
    widgets_.push_back(icon);
    icons_[static_cast<std::size_t>(button)] = icon;
    return icon;
}

void GAME_CUICommon::Build()
{
    GAME_CUINullObject* root = Root();
    if (root == nullptr) return;
    const vesk::math::Vec2 bar{0.0f, kCanvasHeight - frameHeight_};
    root->SetPosition(&bar);
    UINullObjectDesc frame;
    InitUINullObjectDesc(&frame);
    frame.sprite = frameSpriteIndex_;
    for (int half = 0; half < 2; ++half) {
        frame.positionX = half == 0 ? 0.0f : frameWidth_;
        frame.flipX = half;
        auto* node = new GAME_CUINullObject(&frame);
        if (node == nullptr) continue;
        node->SetParent(root);
        widgets_.push_back(node);
    }
    for (int button : kBuildOrder) {
        const ButtonLayout& layout = kLayout[static_cast<std::size_t>(button)];
        const float y = layout.y == kOnFrame ? frameHeight_ : layout.y;
        if (layout.word == nullptr) {
            const auto& speed = speedSprites_[static_cast<std::size_t>(button - kSpeed1)];
            GAME_CUIIconObject* icon = AddButton(button, layout.x, y, speed[0], speed[2]);
            if (icon == nullptr) continue;
            // The lamp sits on the plate's centre, one unit to the right.
            const vesk::math::Vec2 size = *icon->GetSize();
            UINullObjectDesc lamp;
            InitUINullObjectDesc(&lamp);
            lamp.sprite = speed[1];
            lamp.positionX = static_cast<float>(static_cast<int>(size.x) / 2 + 1);
            lamp.positionY = -static_cast<float>(static_cast<int>(size.y) / 2);
            lamp.pivotX = 0.5f;
            lamp.pivotY = 0.5f;
            auto* node = new GAME_CUINullObject(&lamp);
            if (node == nullptr) continue;
            node->SetParent(icon);
            widgets_.push_back(node);
            lamps_[static_cast<std::size_t>(button - kSpeed1)] = node;
            continue;
        }
        const SpriteEntry& normal = sprites_[static_cast<std::size_t>(layout.sprites)];
        const SpriteEntry& pressed = sprites_[static_cast<std::size_t>(layout.sprites + 3)];
        GAME_CUIIconObject* icon = AddButton(button, layout.x, y, normal.index, pressed.index);
        if (icon == nullptr || button != kHideout) continue;
        UINullObjectDesc block;
        InitUINullObjectDesc(&block);
        block.sprite = blockSprite_;
        block.pivotY = 1.0f;
        block_ = new GAME_CUINullObject(&block);
        if (block_ == nullptr) continue;
        block_->SetParent(icon);
        widgets_.push_back(block_);
    }
}

void GAME_CUICommon::ApplyLanguageTextures()
{
    const GAME_CPlayerData* player = GetPlayerData();
    const std::uint32_t language = player != nullptr ? player->language : 0;
    const int form = language == 0 ? 0 : language == 2 ? 2 : 1;
    for (int button : {kBuild, kHideout, kItemDictionary, kQuestList, kAllCrew, kPause}) {
        GAME_CUIIconObject* icon = icons_[static_cast<std::size_t>(button)];
        if (icon == nullptr) continue;
        const int first = kLayout[static_cast<std::size_t>(button)].sprites;
        icon->SetSprites(sprites_[static_cast<std::size_t>(first + form)].index,
                         sprites_[static_cast<std::size_t>(first + 3 + form)].index);
    }
}

void GAME_CUICommon::SetOpen(bool open)
{
    const bool closing = State() == kClosing || NextState() == kClosing || State() == kClosed || NextState() == kClosed;
    if (open && IsOpen() && closing) {
        // An icon that never settles cannot keep this loop going.
        Update(false);
        for (int i = 0; i < kCloseNowLimit && State() == kClosing; ++i) Update(false);
    }
    GAME_CUIScreen::SetOpen(open);
}

bool GAME_CUICommon::PassesInput() const
{
    return GAME_CUIScreen::PassesInput() && steps_.Is(kIdle) && steps_.Asked() == kIdle;
}

void GAME_CUICommon::BeginFrame(bool)
{
    UpdateHideoutBlock();
    UpdateSpeedLamps();
}

void GAME_CUICommon::OnEnterState(UIScreenState state)
{
    if (state == kOpening) EnterOpening();
    if (state == kClosing) {
        LetGoAsPlayEnds();
        for (int button : {kQuestList, kItemDictionary, kAllCrew}) {
            if (GAME_CUIIconObject* icon = Icon(button)) icon->SetVisible(false);
        }
    }
}

void GAME_CUICommon::EnterOpening()
{
    ShowAllWidgets();
    if (const GAME_CShip* ship = HudShip(Context().world)) {
        float column = 0.0f;
        float row = 0.0f;
        bool clicked = false;
        if (ship->GetCellUnderCursor(&column, &row, false, true, &clicked)) {
            currentCell_ = static_cast<std::int32_t>(row) * ship->grid.width + static_cast<std::int32_t>(column);
        }
    }
    crewPickFlag = 1;
    itemPickFlag = 1;
    ApplyLanguageTextures();
}

void GAME_CUICommon::UpdateHideoutBlock()
{
    TweenPoint position{};
    UpdateTweenEaseOut(tweenB_, position);
    if (block_ != nullptr) {
        const vesk::math::Vec2 point{position.x, position.y};
        block_->SetPosition(&point);
    }
    GAME_CUIIconObject* hideout = Icon(kHideout);
    if (hideout == nullptr) return;
    if (!IsTweenFinished(tweenB_)) {
        hideout->SetDisabled(true);
        return;
    }
    const float blockX = block_ != nullptr ? block_->GetPosition()->x : 0.0f;
    if (IsHideoutInReach(Context().world)) {
        hideout->SetDisabled(false);
        if (blockX < kAtRest) {
            InitTween(tweenB_, kBlockAway.x, kBlockAway.y, kSlideFrames, 0);
            RestartTweenFrom(tweenB_, kBlockHome);
        }
    } else {
        hideout->SetDisabled(true);
        if (blockX > kAtRest) {
            InitTween(tweenB_, kBlockHome.x, kBlockHome.y, kSlideFrames, 0);
            RestartTweenFrom(tweenB_, kBlockAway);
        }
    }
}

void GAME_CUICommon::UpdateSpeedLamps()
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CPlayerData* player = Context().Player();
    if (player == nullptr || !world.timeScale) return;
    if (world.paused != 0 || world.held != 0) return;
    const float speed = world.timeScale->speed;
    int lit = 2;
    if (speed < player->speeds[1]) {
        lit = 0;
    } else if (std::trunc(speed * 10.0f) < std::trunc(player->speeds[2] * 10.0f)) {
        lit = 1;
    }
    for (int lamp = 0; lamp < 3; ++lamp) {
        if (GAME_CUINullObject* node = lamps_[static_cast<std::size_t>(lamp)]) node->SetColor(lamp == lit ? kLit : kUnlit);
    }
}

bool GAME_CUICommon::UpdateWidgetTrees(bool input)
{
    for (const GAME_CUIObjectBase* widget : widgets_) {
        if (widget->IsDecided() || widget->IsBusy()) input = false;
    }
    if (Root() != nullptr) input = Root()->UpdateTree(input);
    for (int button : {kQuestList, kItemDictionary, kAllCrew}) {
        if (GAME_CUIIconObject* icon = Icon(button)) input = icon->UpdateTree(input);
    }
    return input;
}

void GAME_CUICommon::UpdateMain(bool input)
{
    if (IsUIPointerRefused()) input = false;
    steps_.Advance([this](Step step) {
        if (step == kIdle) movedActor_ = nullptr;
    });
    switch (steps_.Current()) {
    case kIdle: IdleStep(input); break;
    case kButtonCursor: ButtonCursorStep(input); break;
    case kCrewMove: CrewMoveStep(input); break;
    }
}

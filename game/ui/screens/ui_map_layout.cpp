// The world map screen's widgets: the map page's panel, goods, zoom controls, view hooks and route marker, the task page's layout, and the map picture.
#include <algorithm>
#include <cmath>
#include <string>

#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_callback.h"
#include "game/ui/widgets/ui_slider.h"

using vesk::math::Vec2;

namespace {

// Both pages' roots stand at the canvas origin when shown, the window under them at its home, so the
// map page's own widgets take canvas places; the slide moves the window from above the canvas.
constexpr Vec2 kShown{0.0f, 0.0f};
constexpr Vec2 kSlideFrom{0.0f, GAME_CUIRoomScreen::kWindowSlideFrom.y - GAME_CUIRoomScreen::kWindowHome.y};

// The panel's headings: the point, the distance, quests, fuel and the market.
constexpr std::array<const char*, 5> kHeaderNames{"ui_text_ajito", "ui_text_distance", "ui_text_quest", "ui_text_gas", "ui_text_shop"};
constexpr std::array<Vec2, 5> kHeaderPlaces{{{97.0f, 87.0f}, {265.0f, 87.0f}, {409.0f, 124.0f}, {409.0f, 170.0f}, {409.0f, 198.0f}}};
// The panel's lines, in the order of GAME_CUIMap::PanelLine.
constexpr std::array<Vec2, GAME_CUIMap::kLineCount> kPanelPlaces{
    {{100.0f, 100.0f}, {270.0f, 100.0f}, {340.0f, 100.0f}, {450.0f, 100.0f}, {412.0f, 181.0f}, {412.0f, 136.0f}, {412.0f, 154.0f}}};
// Under way a remaining distance of four full-width digits with its word reaches the time's place,
// where the two numbers would read as one: the time then stands a full-width space after it.
constexpr float kTimeAfterDistance = 12.0f;
// The market goods: six to a row, two rows.
constexpr Vec2 kFirstItem{420.0f, 219.0f};
constexpr float kItemStep = 20.0f;
constexpr float kItemSize = 16.0f;
constexpr std::int32_t kItemPressedFrames = 10;
constexpr float kItemPressedScale = 0.5f;
// The marker's leader plates stand at these angles from the road's midpoint.
constexpr std::array<float, 2> kShapeAngles{-120.0f, -60.0f};
constexpr float kElbowLength = 20.0f;
constexpr float kFirstPlateLength = 22.0f;
constexpr float kSecondPlateLength = 64.0f;

}  // namespace

GAME_CUIMap::GAME_CUIMap(const UIScreenContext& context)
    : GAME_CUIRoomScreen(context, kShown, kSlideFrom, {.closesFromHome = true})
{
    pointSprite_ = FindUISprite("ui_map_ajito");
    newSprite_ = FindUISprite("ui_map_new");
    shipSprite_ = FindUISprite("ui_distancemater_positionicon");
    nextArrowSprite_ = FindUISprite("ui_map_next_marker");
    nextRingSprite_ = FindUISprite("ui_map_next_marker2");
    for (int digit = 0; digit < 10; ++digit) {
        digitSprites_[static_cast<std::size_t>(digit)] = FindUISprite("ui_text_num_" + std::to_string(digit));
    }
    BuildMapPage();
    BuildTaskPage();
    BuildRouteMarker();
    LoadMapPicture();
}

GAME_CUIMap::~GAME_CUIMap() { DeleteWidgets(markerWidgets_); }

void GAME_CUIMap::BuildMapPage()
{
    firstRoot_ = MakeUIGroupNode(kSlideFrom.x, kSlideFrom.y);
    GAME_CUINullObject* window = MakeUIRoomWindowUnder(firstRoot_);
    firstFrame_ = BeginPage(firstPage_, firstRoot_, window);
    // Cancel belongs to the map's own modes: it leaves Browse before it closes anything.
    firstFrame_.close->SetAction(-1);
    AddHeaders(firstRoot_, kHeaderNames, kHeaderPlaces);

    for (int slot = 0; slot < kItemSlots; ++slot) {
        const Vec2 at{kFirstItem.x + kItemStep * static_cast<float>(slot % 6), kFirstItem.y + kItemStep * static_cast<float>(slot / 6)};
        GAME_CUINullObject* holder = MakeUIGroupUnder(firstRoot_, at.x, at.y);
        GAME_CUIIconObject* icon = MakeUIButton(holder, {.sprite = "dot_itemsymbol_01", .sound = kSeUIDecide,
                                                         .pressedFrames = kItemPressedFrames, .pressedScale = kItemPressedScale,
                                                         .release = UIBind(this, &GAME_CUIMap::OnMarketItemIcon)});
        icon->SetHitSize(kItemSize, kItemSize);
        items_[static_cast<std::size_t>(slot)] = icon;
        firstPage_.push_back(holder);
        firstPage_.push_back(icon);
    }
    firstPage_.push_back(MakeUIDrawHook([this](auto&&...) { DrawMapPicture(); }));

    const Vec2 minus{186.0f, 228.0f};
    const Vec2 plus{300.0f, 228.0f};
    const Vec2 bar{205.0f, 233.0f};
    zoomMinus_ = MakeUIPictureUnder(firstRoot_, "ui_slider_minus", minus.x, minus.y);
    zoomPlus_ = MakeUIPictureUnder(firstRoot_, "ui_slider_plus", plus.x, plus.y);
    UISliderDesc sliderDesc;
    InitUISliderDesc(&sliderDesc);
    sliderDesc.positionX = bar.x;
    sliderDesc.positionY = bar.y;
    sliderDesc.maximum = 100;
    slider_ = new GAME_CUISlider(&sliderDesc);
    slider_->SetParent(firstRoot_);
    firstPage_.push_back(zoomMinus_);
    firstPage_.push_back(zoomPlus_);
    firstPage_.push_back(slider_);
    firstPage_.push_back(MakeUIDrawHook([this](auto&&...) { DrawMapDimmer(); }));
    firstPage_.push_back(MakeUIPictureUnder(firstRoot_, "ui_map_frame", UIMapView::kOrigin.x, UIMapView::kOrigin.y));

    AddTabBar(firstPage_, firstFrame_,
              {.firstTabKey = "MAP_TEXT_MAP", .taskTabKey = "MAP_TEXT_TASK", .taskPage = false,
               .firstTabRelease = UIBind(this, &GAME_CUIMap::OnMapTab),
               .taskTabRelease = UIBind(this, &GAME_CUIMap::OnTaskTab), .highlightSprite = nullptr});
    for (int line = 0; line < kLineCount; ++line) {
        const Vec2 at = kPanelPlaces[static_cast<std::size_t>(line)];
        panel_[static_cast<std::size_t>(line)] = MakeUILabel(firstRoot_, "", at.x, at.y);
        firstPage_.push_back(panel_[static_cast<std::size_t>(line)]);
    }
    EndPage(firstPage_, firstFrame_);
}

void GAME_CUIMap::PlaceTimeLine()
{
    const Vec2 home = kPanelPlaces[kLineTime];
    const float afterDistance = kPanelPlaces[kLineDistance].x + MeasureUIText(panel_[kLineDistance]->Literal()) + kTimeAfterDistance;
    const Vec2 at{std::max(home.x, afterDistance), home.y};
    panel_[kLineTime]->SetPosition(&at);
}

void GAME_CUIMap::BuildTaskPage()
{
    taskRoot_ = MakeUIGroupNode(kSlideFrom.x, kSlideFrom.y);
    GAME_CUINullObject* window = MakeUIRoomWindowUnder(taskRoot_);
    // The shared task tab in canvas places (the usual places moved by the window's home): the
    // bridge's durability, upgrades and scroll bar on the left, its tasks on the right, its crew below.
    UIRoomTaskTabLayout layout = UIRoomTaskTabLayout{}.MovedBy(kWindowHome);
    layout.controllerExtentShift = {-36.0f, 12.0f};
    layout.tabChangeSwitches = true;
    layout.cancelCloses = true;
    // The bridge's left arrow leads right to its crew, and the way down from the crew to the map's
    // tab rewinds the upgrades.
    layout.leftSkipLeadsToScrollBar = false;
    layout.crewDownRewindsInformation = true;
    FillTaskPage(window, layout,
                 {.firstTabKey = "MAP_TEXT_MAP", .taskTabKey = "MAP_TEXT_TASK", .taskPage = true,
                  .firstTabRelease = UIBind(this, &GAME_CUIMap::OnMapTab),
                  .taskTabRelease = UIBind(this, &GAME_CUIMap::OnTaskTab)});
}

// Two leader shapes (up-left and up-right from the road's midpoint), each a short plate and a long
// one, and the callout with the item and enemy lines that hangs under the shape in use. They draw
// inside the map view's clip, so they stand apart from the page's lists.
void GAME_CUIMap::BuildRouteMarker()
{
    const std::int32_t plate = FindUISprite("ui_separator1");
    const float plateWidth = UISpriteSize(plate).x > 0.0f ? UISpriteSize(plate).x : kSecondPlateLength;
    for (std::size_t k = 0; k < shapes_.size(); ++k) {
        MarkerShape& shape = shapes_[k];
        const float angle = kShapeAngles[k];
        const bool right = k == 1;
        shape.anchor = MakeUIGroupNode(kCanvasWidth * 0.5f, kCanvasHeight * 0.5f);
        shape.firstPlate = MakeUIPictureUnder(shape.anchor, "ui_separator1", right ? 1.0f : 0.0f, right ? -1.0f : 0.0f);
        shape.firstPlate->SetRotation(angle);
        shape.firstPlate->SetTextureRect(0.0f, 0.0f, kFirstPlateLength / plateWidth, 1.0f);
        const float radians = angle * 3.14159265f / 180.0f;
        shape.elbow = MakeUIGroupUnder(shape.anchor, kElbowLength * std::cos(radians), kElbowLength * std::sin(radians));
        shape.secondPlate = MakeUIPictureUnder(shape.elbow, "ui_separator1", right ? 3.0f : -63.0f, -3.0f);
        if (right) {
            shape.secondPlate->SetTextureRect(1.0f - kSecondPlateLength / plateWidth, 0.0f, 1.0f, 1.0f);
        } else {
            shape.secondPlate->SetTextureRect(0.0f, 0.0f, kSecondPlateLength / plateWidth, 1.0f);
        }
        for (GAME_CUINullObject* node : {shape.anchor, shape.firstPlate, shape.elbow, shape.secondPlate}) markerWidgets_.push_back(node);
    }

    markerRoot_ = MakeUIGroupNode(3.0f, 0.0f);
    markerWidgets_.push_back(markerRoot_);
    const float digitHeight = UISpriteSize(digitSprites_[0]).y;
    const float digitWidth = UISpriteSize(digitSprites_[0]).x;
    const float signWidth = UISpriteSize(FindUISprite("ui_text_kosuu")).x;
    const std::array<const char*, 2> icons{"ui_map_text_item", "ui_map_text_enemy"};
    for (std::size_t k = 0; k < markerLines_.size(); ++k) {
        MarkerLine& line = markerLines_[k];
        // The item line above the enemy line, both above the plate they hang from.
        const float y = -digitHeight * static_cast<float>(2 - k) - 2.0f * static_cast<float>(1 - k);
        line.icon = MakeUIPictureUnder(markerRoot_, icons[k], 0.0f, y);
        line.sign = MakeUIPictureUnder(markerRoot_, "ui_text_kosuu", 34.0f, y);
        for (std::size_t column = 0; column < line.digits.size(); ++column) {
            const float x = 33.0f + signWidth + static_cast<float>(column) * (digitWidth - 1.0f);
            line.digits[column] = MakeUIPictureUnder(markerRoot_, "ui_text_num_0", x, y);
        }
        for (GAME_CUINullObject* node : {line.icon, line.sign, line.digits[0], line.digits[1]}) markerWidgets_.push_back(node);
    }
    HideRouteMarker();
}

// The picture is read once; a read that failed is tried again at the next opening.
void GAME_CUIMap::LoadMapPicture()
{
    if (mapPicture_ != vesk::resource::kNoTexture) return;
    vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    if (registry == nullptr) return;
    constexpr int kMapTextureGroup = 1;
    const vesk::resource::TextureLoader loader{vesk::memory::MainHeap(), vesk::memory::MainHeap()};
    mapPicture_ = registry->LoadTexture(loader, kMapTextureGroup, "common/map_base.cvt");
}

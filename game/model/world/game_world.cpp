// The game world: the running game's model, its simulation step and its draw.
#include "game/model/world/game_world.h"

#include <algorithm>
#include <atomic>

#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/input/input_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/text/format_text.h"
#include "game/services/text/message_text.h"
#include "game/model/world/clock_step.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/world/world_effect_host.h"

namespace {

// The start-up loader makes the world on its worker thread; the main thread reads it.
std::atomic<GAME_CGameWorld*> g_world{nullptr};

constexpr std::size_t kNoticeLineLength = 255;
constexpr int kItemBalloonGroup = 100;

void FlushSprites()
{
    if (vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord()) device->textureRenderer.Flush();
    vesk::graphics::EndSpriteDraw();
}

std::unique_ptr<vesk::utility::particle::UTL_CEffectLayer> MakeEffectLayer()
{
    auto layer = std::make_unique<vesk::utility::particle::UTL_CEffectLayer>(GetWorldEffectHost());
    layer->LoadParticleScripts();
    return layer;
}

void ReleaseEffectLayer(std::unique_ptr<vesk::utility::particle::UTL_CEffectLayer>& layer)
{
    if (layer) layer->ReleaseParticleEffects();
    layer.reset();
}

}  // namespace

GAME_CGameWorld::~GAME_CGameWorld()
{
    SetGameWorldReady(false);
    // The stores go before the rooms they name.
    ammoStores.Clear();
    foodStores.Clear();
    ship.reset();
    background.reset();
    timeScale.reset();
    SetActiveUIPort(nullptr);
    ui.reset();
    if (tasks) tasks->Clear();
    tasks.reset();
    travel.reset();
    camera.reset();
    if (fieldObjects) fieldObjects->Clear();
    fieldObjects.reset();
    ReleaseEffectLayer(effects);
}

void GAME_CGameWorld::ClearViewFlags()
{
    inputBlocked = 0;
    shipHidden = 0;
    shipHidden2 = 0;
}

void GAME_CGameWorld::MakeTravelCameraEffects()
{
    travel = std::make_unique<GAME_CTravelController>();
    camera = std::make_unique<GAME_CCamera2D>();
    ReleaseEffectLayer(effects);
    effects = MakeEffectLayer();
}

void GAME_CGameWorld::CreateMembers()
{
    ClearViewFlags();
    SetGameWorldReady(false);
    fieldObjects = std::make_unique<GAME_CFieldObjectManager>();
    ship = std::make_unique<GAME_CShip>();
    background = std::make_unique<GAME_CBackgroundView>();
    timeScale = std::make_unique<TimeScale>();
    SetActiveUIPort(nullptr);
    ui = MakeUIPort(*this);
    SetActiveUIPort(ui.get());
    tasks = std::make_unique<GAME_CTaskManager>();
    MakeTravelCameraEffects();
    paused = 0;
    held = 0;
    SetGameWorldReady(true);
}

void GAME_CGameWorld::Reset()
{
    ClearViewFlags();
    SetGameWorldReady(false);
    MakeTravelCameraEffects();
    paused = 0;
    held = 0;
    SetGameWorldReady(true);
}

void GAME_CGameWorld::Step()
{
    if (ui->IsOpen(kSlotTitle)) return;
    fieldObjects->Update();
    background->Update();
    ship->Update();
    tasks->Update();
    travel->Step();
    effects->UpdateParticleEffects();
    if (ui->IsOpen(kSlotEvent)) return;
    StepGameClock(*GetGameClock());
}

void GAME_CGameWorld::SetFieldStick(bool field)
{
    fieldStick = field ? 1 : 0;
    vesk::input::SetIndependentGenericSticks(field);
}

void GAME_CGameWorld::Draw()
{
    background->DrawDistantView();
    background->DrawNearViews();
    background->DrawObjects();
    if (shipHidden == 0) ship->body->DrawBody();
    vesk::graphics::BeginSpriteDraw(2, 4);
    if (shipHidden == 0) ship->DrawRooms();
    fieldObjects->Draw();
    if (shipHidden == 0) ship->DrawEffectFields();
    FlushSprites();
    if (shipHidden == 0) ship->body->DrawFront();
    vesk::graphics::BeginSpriteDraw(3, 4);
    fieldObjects->DrawEnemies();
    FlushSprites();
    vesk::graphics::BeginSpriteDraw(2, 4);
    fieldObjects->DrawDropItemsAndPillars();
    FlushSprites();
    effects->DrawParticleEffects();
    background->DrawFrontLayer();
    fieldObjects->DrawDamageNumbers();
    ui->Draw();
}

void GAME_CGameWorld::DrawExtra()
{
    vesk::graphics::BeginSpriteDraw(2, 4);
    if (shipHidden == 0) ship->Draw(ShipDrawPosition{ship->scrollX, ship->scrollY, 1.0f});
    fieldObjects->DrawOverlay(FieldView{ship->scrollX, ship->scrollY, 1.0f});
    FlushSprites();
    ui->DrawMainOnly();
}

GAME_CGameWorld* GetGameWorld()
{
    if (g_world.load() == nullptr) {
        auto* world = new GAME_CGameWorld;
        g_world.store(world);
        world->CreateMembers();
    }
    return g_world.load();
}

GAME_CGameWorld* PeekGameWorld() { return g_world.load(); }

void DestroyGameWorld()
{
    delete g_world.exchange(nullptr);
}

bool IsUIScreenOpen(int slot)
{
    const GAME_CGameWorld* world = g_world.load();
    return world != nullptr && world->ui != nullptr && world->ui->IsOpen(slot);
}

bool HasNoticeLogText(const GAME_CGameWorld& world)
{
    return world.ui && world.ui->HasInfoBarText();
}

void FlagShipStatusRefresh()
{
    GAME_CGameWorld* world = g_world.load();
    if (IsGameWorldReady() && world != nullptr && world->ui) world->ui->FlagShipStatusRefresh();
}

void ShowItemGotNotice(GAME_CGameWorld& world, std::string_view itemKey)
{
    std::u16string line = vesk::text::FormatText(GetMessageTextExpanded("OLIF_GET_ITEM"),
                                                 {GetMessageTextExpanded(itemKey)});
    line.resize(std::min(line.size(), kNoticeLineLength));
    world.ui->PostLine(line, 0);
    const int speakers = std::clamp(static_cast<int>(world.fieldObjects->crew.size()), 1, 10);
    world.fieldObjects->ShowCrewBalloonGroup(kItemBalloonGroup, speakers, speakers);
    ++GetGameClock()->itemsFound;
}

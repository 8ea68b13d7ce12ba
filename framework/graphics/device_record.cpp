// The graphics device record's life, its render targets, the canvas pass, presenting and display-mode changes.
#include "framework/graphics/device_record.h"

#include <cmath>

#include "framework/camera/framework_camera.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/log/log.h"
#include "framework/process/canvas.h"
#include "framework/window/main_window.h"
#include "platform/window.h"

namespace vesk::graphics {

namespace {

std::unique_ptr<DeviceRecord> g_record;

constexpr int kStartClientWidth = 1280;
constexpr int kStartClientHeight = 720;
constexpr int kBackBufferWidth = static_cast<int>(process::kCanvasWidth);
constexpr int kBackBufferHeight = static_cast<int>(process::kCanvasHeight);

int CurrentClientWidth() { return static_cast<int>(process::GetCanvasView(0).clientWidth); }
int CurrentClientHeight() { return static_cast<int>(process::GetCanvasView(0).clientHeight); }

// (Re)creates a target's colour and depth at the given size.
bool BuildTarget(RenderTargetRecord& target, int width, int height)
{
    if (!target.color.CreateRenderTexture(width, height)) return false;
    target.depth = g_record->device.CreateDepthBuffer(width, height);
    return target.depth != nullptr;
}

bool BuildTargets()
{
    DeviceRecord& record = *g_record;
    for (int i = 0; i < record.targetSizeCount; ++i) {
        const int width = i == kBackBufferTarget ? kBackBufferWidth : record.targetSizes[i][0];
        const int height = i == kBackBufferTarget ? kBackBufferHeight : record.targetSizes[i][1];
        if (static_cast<int>(record.targets.size()) <= i) record.targets.push_back(std::make_unique<RenderTargetRecord>());
        if (!BuildTarget(*record.targets[i], width, height)) {
            log::Error("graphics: cannot make a render target of " + std::to_string(width) + " x " + std::to_string(height));
            return false;
        }
    }
    return true;
}

}  // namespace

void DeviceRecord::RecordBoundTexture(int stage, resource::SYS_CTexture* texture)
{
    if (stage >= 0 && stage < platform::gfx::kMaxTextureSlots) boundTextures[stage] = texture;
}

DeviceRecord* GetDeviceRecord() { return g_record.get(); }
platform::gfx::Device* GetDevice() { return g_record ? &g_record->device : nullptr; }

void RegisterOffscreenTarget()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record || record->offscreenIndex >= 0 || record->targetSizeCount >= kMaxRenderTargetSizes) return;
    record->targetSizes[record->targetSizeCount][0] = std::max(1, CurrentClientWidth());
    record->targetSizes[record->targetSizeCount][1] = std::max(1, CurrentClientHeight());
    record->offscreenIndex = 0;
    ++record->targetSizeCount;
}

bool CreateDevice()
{
    g_record = std::make_unique<DeviceRecord>();
    DeviceRecord& record = *g_record;
    window::SetActivationHook(&ReenterFullScreenIfLost);
    record.windowWidth = std::max(1, CurrentClientWidth());
    record.windowHeight = std::max(1, CurrentClientHeight());
    RegisterOffscreenTarget();
    if (!BuildTargets()) return false;
    if (platform::HasMainWindow() && !record.presenter.CreateForMainWindow()) {
        log::Warning("graphics: the window cannot show frames");
    }
    PlaceWindowOnMonitor(kStartClientWidth, kStartClientHeight, false);
    return true;
}

bool SetupPolygonRenderers()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return false;
    const bool color = InitPolygonRenderer(record->colorRenderer, GetShaderByName("vs_vp2_vc__ps_vc"));
    const bool texture = InitPolygonRenderer(record->textureRenderer, GetShaderByName("vs_vp2_vc_vt__ps_vc_tc"));
    return color && texture;
}

void ReleaseDevice()
{
    if (!g_record) return;
    window::SetActivationHook(nullptr);
    g_record->device.ClearState();
    g_record.reset();
}

void SetRenderTarget(int target)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record || target < 0 || target >= static_cast<int>(record->targets.size())) return;
    RenderTargetRecord& entry = *record->targets[target];
    for (int slot = 0; slot < platform::gfx::kMaxTextureSlots; ++slot) {
        record->device.SetTexture(slot, nullptr);
        record->boundTextures[slot] = nullptr;
    }
    record->currentTarget = &entry;
    record->device.SetRenderTarget(entry.color.DeviceTexture(), entry.depth.get());
    // A scissor belongs to the pass that set it; the present pass draws the whole canvas.
    record->device.ClearScissor();
    record->canvasScissor.reset();
    const process::CanvasView& view = process::GetCanvasView(record->currentPass == 1 ? 1 : 0);
    record->device.SetViewport({view.originX, view.originY, static_cast<float>(entry.color.GetWidth()),
                                static_cast<float>(entry.color.GetHeight()), 0.0f, 1.0f});
}

namespace {

void ClearDepthAndStencil(DeviceRecord& record)
{
    record.device.ClearDepth(1.0f);
    record.device.ClearStencil(0);
}

}  // namespace

void ClearRenderTarget(std::uint32_t rgba)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    const float color[4] = {static_cast<float>(rgba & 0xFF) / 255.0f, static_cast<float>((rgba >> 8) & 0xFF) / 255.0f,
                            static_cast<float>((rgba >> 16) & 0xFF) / 255.0f, static_cast<float>(rgba >> 24) / 255.0f};
    record->device.ClearRenderTarget(color);
    ClearDepthAndStencil(*record);
}

void BindOffscreenTarget(std::uint32_t clearColor)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    BeginFrame(record->colorRenderer);
    BeginFrame(record->textureRenderer);
    SetRenderTarget(kOffscreenTarget);
    ClearRenderTarget(clearColor);
    SetRasterizerState(record->currentRasterizerKey, true);
}

void BeginCanvasPass()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    process::SetCurrentViewIndex(0);
    record->currentPass = 0;
    const process::CanvasView& view = process::GetCanvasView(0);
    if (view.canvasWidth > 0.0f && view.canvasHeight > 0.0f) {
        record->device.SetViewport({view.originX, view.originY, view.canvasWidth, view.canvasHeight, 0.0f, 1.0f});
    }
}

void DrawOffscreenTarget()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record || static_cast<int>(record->targets.size()) <= kOffscreenTarget) return;
    SYSWIN_CPolygonRender_Texture& renderer = record->textureRenderer;
    InitDrawParam(renderer.drawParam);
    renderer.drawParam.scaleX = 1.0f;
    renderer.drawParam.scaleY = 1.0f;
    BeginSpriteDraw(-1, 0);
    renderer.AddSprite(renderer.drawParam, {0.0f, 0.0f}, &record->targets[kOffscreenTarget]->color);
    renderer.Flush();
    GetSpriteDrawState() = SpriteDrawState{-1, kBlendModeKeep};
}

namespace {

// The canvas target is drawn unblended, one texel a pixel, from the back buffer's corner: when it is at
// least the back buffer's size and the viewport starts at that corner, it covers every pixel, and a colour
// clear before it would only be painted over.
bool CanvasCoversBackBuffer(const DeviceRecord& record)
{
    if (static_cast<int>(record.targets.size()) <= kOffscreenTarget) return false;
    const resource::SYSWIN_CTexture& canvas = record.targets[kOffscreenTarget]->color;
    const resource::SYSWIN_CTexture& back = record.targets[kBackBufferTarget]->color;
    const process::CanvasView& view = process::GetCanvasView(0);
    return view.originX == 0.0f && view.originY == 0.0f && canvas.GetWidth() >= back.GetWidth() &&
           canvas.GetHeight() >= back.GetHeight();
}

}  // namespace

void PresentFrame(std::uint32_t clearColor)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    if (!record->targets.empty()) SetRenderTarget(kBackBufferTarget);
    if (CanvasCoversBackBuffer(*record)) {
        ClearDepthAndStencil(*record);
    } else {
        ClearRenderTarget(clearColor);
    }
    DrawOffscreenTarget();
    record->currentPass = 2;
    if (!record->targets.empty() && record->presenter.IsReady()) {
        record->presenter.Present(*record->targets[kBackBufferTarget]->color.DeviceTexture());
    }
    if (record->request.pending) {
        record->request.pending = false;
        PlaceWindowOnMonitor(record->request.width, record->request.height, record->request.fullScreen);
    }
}

void RequestDisplayMode(float width, float height, bool fullScreen)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    record->request = {true, width, height, fullScreen};
}

void PlaceWindowOnMonitor(float width, float height, bool fullScreen)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    record->savedClientWidth = CurrentClientWidth();
    record->savedClientHeight = CurrentClientHeight();
    const int askedWidth = static_cast<int>(width);
    const int askedHeight = static_cast<int>(height);
    if (record->fullScreen && fullScreen) return;
    if (!record->fullScreen && !fullScreen && askedWidth == record->savedClientWidth &&
        askedHeight == record->savedClientHeight) {
        return;
    }
    int newWidth = askedWidth;
    int newHeight = askedHeight;
    if (fullScreen) {
        const window::MonitorSize monitor = window::GetMonitorSize();
        if (monitor.width >= 1.0f && monitor.height >= 1.0f) {
            newWidth = static_cast<int>(monitor.width);
            newHeight = static_cast<int>(monitor.height);
        }
    }
    if (newWidth <= 0 || newHeight <= 0) return;
    record->fullScreen = fullScreen;
    // The window and the view record (client size, and rounded up to 32).
    window::SetFullScreen(fullScreen);
    if (!fullScreen) window::SetWindowedClientSize(newWidth, newHeight);
    process::SetCanvasClientSize(newWidth, newHeight);
    camera::SetupCamera();  // the camera takes the new aspect ratio
    record->windowWidth = newWidth;
    record->windowHeight = newHeight;
    record->device.SetRenderTarget(nullptr, nullptr);
    record->currentTarget = nullptr;
    if (record->offscreenIndex >= 0) {
        record->targetSizes[record->offscreenIndex + 1][0] = newWidth;
        record->targetSizes[record->offscreenIndex + 1][1] = newHeight;
    }
    BuildTargets();
    window::ShowMainWindow();
}

void ReenterFullScreenIfLost()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record || record->request.pending) return;
    if (record->fullScreen && !window::IsFullScreen()) window::SetFullScreen(true);
}

}  // namespace vesk::graphics

// The graphics device and everything drawn through it: render targets, renderers, the presenter, display modes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/graphics/polygon_render.h"
#include "framework/graphics/scissor.h"
#include "framework/graphics/texture.h"
#include "platform/graphics/device.h"
#include "platform/graphics/presenter.h"

namespace vesk::graphics {

// One colour target with its depth buffer. Entry 0 is the back buffer,
// entry 1 the off-screen canvas target (of the client size; the scene draws
// into its top-left 640 x 360 pixels). The back buffer holds the frame at the
// canvas's own size, whatever the window's: the presenter scales it to the
// window, on the GPU where there is one, so that a frame's own work does not
// grow with the window.
struct RenderTargetRecord {
    resource::SYSWIN_CTexture color;
    std::unique_ptr<platform::gfx::DepthBuffer> depth;
};

struct DisplayModeRequest {
    bool pending = false;
    float width = 0.0f;
    float height = 0.0f;
    bool fullScreen = false;
};

inline constexpr int kMaxRenderTargetSizes = 32;
inline constexpr int kBackBufferTarget = 0;
inline constexpr int kOffscreenTarget = 1;

// The graphics device and everything drawn through it; one per process.
struct DeviceRecord {
    platform::gfx::Device device;
    int windowWidth = 0;
    int windowHeight = 0;
    std::uint32_t currentRasterizerKey = 0;
    int currentPass = 0;  // 0 while the scene draws into the canvas, 2 while presenting
    std::vector<std::unique_ptr<RenderTargetRecord>> targets;
    RenderTargetRecord* currentTarget = nullptr;
    SYSWIN_CPolygonRender_Color colorRenderer;
    SYSWIN_CPolygonRender_Texture textureRenderer;
    DisplayModeRequest request;
    int savedClientWidth = 0;
    int savedClientHeight = 0;
    bool fullScreen = false;
    platform::gfx::Presenter presenter;
    // Render-target sizes at creation: entry k + 1 is off-screen target k.
    int targetSizes[kMaxRenderTargetSizes][2] = {};
    int targetSizeCount = 1;
    int offscreenIndex = -1;
    // The texture bound at each pixel-shader stage.
    resource::SYS_CTexture* boundTextures[platform::gfx::kMaxTextureSlots] = {};
    // The scissor in force, in canvas units (the device holds it in pixels).
    std::optional<CanvasRect> canvasScissor;

    void RecordBoundTexture(int stage, resource::SYS_CTexture* texture);
};

// Null before CreateDevice and after ReleaseDevice.
DeviceRecord* GetDeviceRecord();
platform::gfx::Device* GetDevice();

// Builds the record, its targets (the canvas target at the client size) and the
// presenter (when a main window exists), then sizes the window to 1280 x 720.
bool CreateDevice();
void ReleaseDevice();

// Sets up the two polygon renderers with their shaders (after the shader
// manager exists).
bool SetupPolygonRenderers();

// Records the current client size as the size of the one off-screen target.
void RegisterOffscreenTarget();

void SetRenderTarget(int target);
// RGBA bytes (red in the low byte); depth to 1.0 and stencil to 0.
void ClearRenderTarget(std::uint32_t rgba);
// Start of a frame's drawing: renderers to their next half, canvas target
// bound and cleared to the colour (RGBA), the current rasterizer state forced.
void BindOffscreenTarget(std::uint32_t clearColor);
// Pass 0 and the 640 x 360 canvas viewport at the letterbox origin.
void BeginCanvasPass();
// The canvas target drawn onto the back buffer as one sprite.
void DrawOffscreenTarget();
// End of a frame: the canvas onto the back buffer (first cleared to the colour, RGBA, unless the canvas
// covers it all), shown in the window; a pending display mode is applied after that.
void PresentFrame(std::uint32_t clearColor);

void RequestDisplayMode(float width, float height, bool fullScreen);
void PlaceWindowOnMonitor(float width, float height, bool fullScreen);
// After the window becomes active again: back to full screen when that is the wish
// and the window lost it, unless a display-mode change is about to run anyway.
void ReenterFullScreenIfLost();

}  // namespace vesk::graphics

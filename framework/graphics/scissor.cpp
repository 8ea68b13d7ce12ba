// The scissor of 2D drawing: a canvas rectangle outside which draws change no pixel.
#include "framework/graphics/scissor.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/device_record.h"
#include "framework/process/canvas.h"

namespace vesk::graphics {

namespace {

// Pixels whose centres lie at or right of (below) the edge, as the
// rasterizer counts them; far values are held to what an int keeps.
int PixelEdge(float position)
{
    return static_cast<int>(std::clamp(std::ceil(position - 0.5f), -1.0e8f, 1.0e8f));
}

void FlushPendingDraws(DeviceRecord& record)
{
    record.colorRenderer.Flush();
    record.textureRenderer.Flush();
}

}  // namespace

void SetCanvasScissor(const CanvasRect& rect)
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    FlushPendingDraws(*record);
    // The same canvas-to-pixel mapping the renderers' vertices go through.
    const process::CanvasView& view = process::GetCanvasView(process::GetCurrentViewIndex());
    const platform::gfx::Viewport& viewport = record->device.GetViewport();
    const float scaleX = view.baseWidth > 0.0f ? viewport.width / view.baseWidth : 1.0f;
    const float scaleY = view.baseHeight > 0.0f ? viewport.height / view.baseHeight : 1.0f;
    platform::gfx::PixelRect pixels;
    pixels.x0 = PixelEdge(viewport.x + rect.position.x * scaleX);
    pixels.y0 = PixelEdge(viewport.y + rect.position.y * scaleY);
    pixels.x1 = PixelEdge(viewport.x + (rect.position.x + rect.size.x) * scaleX);
    pixels.y1 = PixelEdge(viewport.y + (rect.position.y + rect.size.y) * scaleY);
    record->device.SetScissor(pixels);
    record->canvasScissor = rect;
}

void ClearCanvasScissor()
{
    DeviceRecord* record = GetDeviceRecord();
    if (!record) return;
    FlushPendingDraws(*record);
    record->device.ClearScissor();
    record->canvasScissor.reset();
}

std::optional<CanvasRect> CurrentCanvasScissor()
{
    const DeviceRecord* record = GetDeviceRecord();
    return record ? record->canvasScissor : std::nullopt;
}

}  // namespace vesk::graphics

// The framework's one camera and its set-up at the canvas aspect ratio.
#include "framework/camera/framework_camera.h"

#include "framework/process/canvas.h"

namespace vesk::camera {

namespace {
SYS_CCamera* g_camera = nullptr;
}  // namespace

SYS_CCamera* GetCamera()
{
    return g_camera;
}

void SetCamera(SYS_CCamera* camera)
{
    g_camera = camera;
}

void SetupCamera()
{
    if (!g_camera) return;
    const process::CanvasView& view = process::GetCanvasView(0);
    const float aspect = view.clientHeight > 0.0f ? view.clientWidth / view.clientHeight : 1.0f;
    g_camera->SetPerspective(kCameraFieldOfView, aspect, kCameraNear, kCameraFar);
}

}  // namespace vesk::camera

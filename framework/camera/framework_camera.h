// The framework's one camera, reached here, and its set-up at the canvas aspect ratio.
#pragma once

#include <bit>

#include "framework/camera/camera.h"

namespace vesk::camera {

// The camera's field of view (pi/4, as the float of bits 0x3F490FDB) and planes.
inline constexpr float kCameraFieldOfView = std::bit_cast<float>(0x3F490FDBu);
inline constexpr float kCameraNear = 1.0f;
inline constexpr float kCameraFar = 20000.0f;

// The framework manager's camera; null while there is no manager.
SYS_CCamera* GetCamera();
// The manager hands its camera over when it is made and takes it back (null) before
// it goes.
void SetCamera(SYS_CCamera* camera);

// The camera at the current client aspect ratio: perspective and view-projection
// computed. Nothing without a camera.
void SetupCamera();

}  // namespace vesk::camera

// The framework manager: the root object of the framework, and the frame's draw begin and end.
#pragma once

#include <cstdint>

#include "framework/camera/camera.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/text/font_manager.h"
#include "framework/utility/script/animation_registry.h"

namespace vesk::app {

// The framework's root object: one instance from start-up to shut-down. Its font
// manager, sprite registry, camera and animation registry are handed to their own
// modules while it lives (text::GetFontManager, resource::GetSpriteRegistry,
// camera::GetCamera, utility::script::GetAnimationRegistry); the current view index
// is the canvas's (process::GetCurrentViewIndex).
struct GAME_CFrameworkManager : memory::MainHeapObject {
    text::SYS_CFontManager fontManager;  // sixteen font slots, the text style and wrapping
    resource::SpriteRegistry spriteRegistry;  // sprite groups and texture slot groups
    camera::SYS_CCamera camera;  // the 3D camera of models and effects
    uint32_t clearColor = 0xFF000000u;  // back-buffer clear colour, RGBA: opaque black
    utility::script::AnimationRegistry animationRegistry;  // what the scripts' play-animation commands find
};

// Null before CreateFrameworkManager and after ReleaseFrameworkManager.
GAME_CFrameworkManager* GetFrameworkManager();

// Creates the manager, reads the platform language, titles and creates the window and
// the graphics device and builds the render states. False when no window could be made.
bool CreateFrameworkManager();

// Loads the shaders, prepares the polygon renderers and the sprite-group registry, and
// sets up the camera and the clear colour.
void SetupRenderResources();

// Called by the game frame before anything is drawn.
void BeginFrameDraw();
// Called by the game frame after the scenes drew: shows the frame, paced by the
// display's vertical sync (or 60 Hz without one).
void EndFrameDraw();

// Frees the manager; then the device and the window go.
void ReleaseFrameworkManager();
void ReleaseDeviceAndWindow();

}  // namespace vesk::app

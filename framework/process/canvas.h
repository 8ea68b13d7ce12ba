// The logical canvas and how it maps onto the window: the two view records and the initial window size.
#pragma once

namespace vesk::process {

// The game draws for a fixed logical canvas of 640 x 360 units, scaled to the window.
inline constexpr float kCanvasWidth = 640.0f;
inline constexpr float kCanvasHeight = 360.0f;

// How the canvas maps onto the window: sprite transforms and mouse scaling read it.
struct CanvasView {
    float canvasWidth = 0.0f;         // 640
    float canvasHeight = 0.0f;        // 360
    float clientWidth = 0.0f;         // the window's client size in pixels
    float clientHeight = 0.0f;
    float alignedClientWidth = 0.0f;  // the client size rounded up to a multiple of 32
    float alignedClientHeight = 0.0f;
    float baseWidth = 0.0f;           // 640 x 360, kept as set up
    float baseHeight = 0.0f;
    float centreX = 0.0f;             // the canvas centre
    float centreY = 0.0f;
    float originX = 0.0f;             // top-left of the letterboxed canvas in the window
    float originY = 0.0f;
};
static_assert(sizeof(CanvasView) == 12 * sizeof(float));

inline constexpr int kCanvasViewCount = 2;

// View record 0 is the one the game uses; record 1 exists for a second view and stays
// empty. Index 0 or 1.
CanvasView& GetCanvasView(int index);

struct WindowSize {
    float width = 0.0f;
    float height = 0.0f;
};

// The client size the window is created with.
WindowSize GetInitialWindowSize();

// Fills view record 0 and the initial window size for a 640 x 360 window.
void SetupCanvas();

// Takes a new client size into view record 0 (after the window was resized).
void SetCanvasClientSize(int width, int height);

// Which view record the 2D transform uses, 0 or 1; back to 0 at the start of every
// frame's drawing.
int GetCurrentViewIndex();
void SetCurrentViewIndex(int index);

}  // namespace vesk::process

// The window side of the viewers: the framework brought up as the game brings it up, and a frame loop.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The window side of the viewers (spriteview, scriptview, effectview): the
// framework brought up as the game brings it up, a frame loop, and the
// options they all take.
namespace tools {

struct ViewerOptions {
    std::string title;      // the window's title: the viewer's name
    std::string resources;  // the data folder holding the shader files
    long frames = -1;       // quits after that many frames; negative: when the window closes
};

ViewerOptions DefaultViewerOptions(std::string_view title);

// Takes "--resources DIR" or "--frames N" at argv[i], moving i past its value;
// false when argv[i] is neither.
bool ParseViewerOption(int argc, char** argv, int& i, ViewerOptions& options);

// Starts the framework through the game's start-up sequence, every system but
// the save folder and the storefront. False, with a line on stderr, when no
// window opens; the viewer then stops without CloseViewer.
bool OpenViewer(const ViewerOptions& options);

// Takes down everything OpenViewer brought up, the sprite packages with the
// framework manager.
void CloseViewer();

// Runs frames until the window closes, the program quits or the frame limit is
// reached: the input is refreshed, update (when given) gets the frame's number,
// then draw draws between the framework's frame begin and end.
void RunViewerFrames(const ViewerOptions& options, const std::function<void(long frame)>& update,
                     const std::function<void()>& draw);

}  // namespace tools

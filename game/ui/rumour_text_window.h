// The window a rumour's text is read in, seven lines at a time: the pub's and the rumour log's.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/text_line_buffer.h"
#include "game/ui/widget_builders.h"

// Its title is the rumour's name, its lines the rumour's description laid out in the line buffer; a
// mark above and below says that more lines lie that way. Decide (its enter button) and cancel (its
// corner button) both go back. It owns its widgets: a draw list of its own under a root of its own,
// which the screen updates and draws instead of its list while the text is read.
class UIRumourTextWindow {
public:
    static constexpr int kShownLines = 7;

    // Whether the cursor keys' steps through the text sound (the wheel and a drag on the bar always do).
    enum class Keys { kSilentSteps, kSoundedSteps };

    UIRumourTextWindow() = default;
    UIRumourTextWindow(const UIRumourTextWindow&) = delete;
    UIRumourTextWindow& operator=(const UIRumourTextWindow&) = delete;
    ~UIRumourTextWindow();

    void Build(UIIconCallback back, Keys keys);
    // Every widget shown again, as the screen opens.
    void ShowWidgets() const;
    // The window's tree takes the frame's input (none when !input); a scroll bar the wheel or a drag
    // moved then sounds and scrolls. True when the input was left free.
    bool Update(bool input);
    const std::vector<GAME_CUIObjectBase*>& Widgets() const { return widgets_; }

    // Lays out the rumour's description (its key when the text is missing or empty) from its first line.
    void Show(std::uint32_t rumourId);
    // Lines first .. first + 6 of the buffer, with the marks.
    void ShowFrom(std::int32_t first);
    // The cursor keys: up or down a line while there is one that way.
    void StepByKeys();

    GAME_CUINullObject* Root() const { return root_; }
    const GAME_CTextLineBuffer& Buffer() const { return buffer_; }
    GAME_CUIScrollBarObject* ScrollBar() const { return scrollBar_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const GAME_CUILabelObject* Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    const GAME_CUILabelObject* PreviousMark() const { return previousMark_; }
    const GAME_CUILabelObject* NextMark() const { return nextMark_; }

private:
    std::vector<GAME_CUIObjectBase*> widgets_;
    GAME_CUINullObject* root_ = nullptr;
    GAME_CTextLineBuffer buffer_;
    Keys keys_ = Keys::kSilentSteps;
    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    std::array<GAME_CUILabelObject*, kShownLines> lines_{};
    GAME_CUILabelObject* previousMark_ = nullptr;
    GAME_CUILabelObject* nextMark_ = nullptr;
};

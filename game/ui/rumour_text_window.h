// The window a rumour's text is read in, seven lines at a time: the pub's and the rumour log's.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/ui/text_line_buffer.h"
#include "game/ui/widget_builders.h"

// Its title is the rumour's name, its lines the rumour's description laid out in the line buffer; a
// mark above and below says that more lines lie that way. Decide (its enter button) and cancel (its
// corner button) both go back.
class UIRumourTextWindow {
public:
    static constexpr int kShownLines = 7;

    // Whether the cursor keys' steps through the text sound (the wheel and a drag on the bar always do).
    enum class Keys { kSilentSteps, kSoundedSteps };

    // The widgets under root, appended to the draw list in drawing order.
    void Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, UIIconCallback back, Keys keys);

    // Lays out the rumour's description (its key when the text is missing or empty) from its first line.
    void Show(std::uint32_t rumourId);
    // Lines first .. first + 6 of the buffer, with the marks.
    void ShowFrom(std::int32_t first);
    // After the window's tree took its input: a scroll bar moved by the wheel or a drag sounds and
    // scrolls. The value before the update is given.
    void FollowScrollBar(std::int32_t before);
    // The cursor keys: up or down a line while there is one that way.
    void StepByKeys();

    const GAME_CTextLineBuffer& Buffer() const { return buffer_; }
    GAME_CUIScrollBarObject* ScrollBar() const { return scrollBar_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const GAME_CUILabelObject* Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    const GAME_CUILabelObject* PreviousMark() const { return previousMark_; }
    const GAME_CUILabelObject* NextMark() const { return nextMark_; }

private:
    GAME_CTextLineBuffer buffer_;
    Keys keys_ = Keys::kSilentSteps;
    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    std::array<GAME_CUILabelObject*, kShownLines> lines_{};
    GAME_CUILabelObject* previousMark_ = nullptr;
    GAME_CUILabelObject* nextMark_ = nullptr;
};

// The shared yes/no dialog: a question by message text with one or two buttons.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/memory/heaps.h"

// Until the widget family exists the dialog has no buttons to point at:
// DECIDE answers the first choice and, with two buttons, CANCEL the second.
// It draws its message and its button texts in the middle of the canvas.
class GAME_CUIInDisplaySelectionObject : public vesk::memory::MainHeapObject {
public:
    static constexpr std::int32_t kNoAnswer = -1;
    static constexpr std::int32_t kAnswerYes = 0;
    static constexpr std::int32_t kAnswerNo = 1;

    // Resets the dialog (no answer, no message), sets the button mode and shows it.
    void Open(std::uint32_t ownerSlot, std::uint32_t ignored, bool yesNoMode);
    void SetYesNoMode(bool yesNo) { twoButtons = yesNo; }
    void SetButtonText(int index, const std::string& key);
    void SetMessageText(const char16_t* text);
    void Close() { visible = false; }
    void Draw() const;
    void UpdateTree(bool inputAllowed);

    bool visible = false;
    bool active = false;
    std::int32_t answer = kNoAnswer;
    bool twoButtons = false;
    std::uint32_t ownerSlot = 0;
    std::u16string message;
    std::array<std::string, 2> buttonKeys{};
    std::string enterKey;
};

// The one dialog, made on first use.
GAME_CUIInDisplaySelectionObject* GetInDisplaySelection();
void DestroyInDisplaySelection();

// The crew birth window (slot 42): a newborn and its parents announced over a darkened screen, a new name rolled, the birth posted.
#pragma once

#include <cstdint>
#include <string>

#include "game/ui/cursor_blink.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CObjectActor;

// A birth in a crew home sets the family and opens it. It stands in place and holds the game while it
// is open; the sentence names both parents and then the newborn, beside a rat picked at random (from
// the framework's generator, which tests seed). The rename button rolls a new name from the parents'
// names as often as the player likes; only the close button ends it (there is no cancel), posting the
// birth to the message log and the ticker.
class GAME_CUIActorBirth : public GAME_CUIScreen, public UIScreenSlot<kSlotActorBirth> {
public:
    static constexpr int kPictures = 5;
    // The picture lying on its side, drawn turned.
    static constexpr int kTurnedPicture = 3;
    static constexpr int kSpeedLineFrames = 3;
    static constexpr std::uint32_t kDarkLayer = 0x80000000u;
    static constexpr std::int32_t kMessageKind = 3;
    static constexpr std::size_t kSentenceLimit = 128;

    explicit GAME_CUIActorBirth(const UIScreenContext& context);

    // The opener's references, kept until the next opening.
    void SetFamily(GAME_CObjectActor* first, GAME_CObjectActor* second, GAME_CObjectActor* newborn)
    {
        parents[0] = first;
        parents[1] = second;
        child = newborn;
    }

    void Draw() override;

    // What the window shows, for those who look at it.
    int PictureIndex() const { return picture_; }
    int Cursor() const { return row_; }
    int SpeedLineFrame() const { return speedLine_; }
    const GAME_CUILabelObject* Sentence() const { return sentence_; }
    const GAME_CUIIconObject* RenameButton() const { return rename_; }
    const GAME_CUIIconObject* CloseButton() const { return close_; }

    GAME_CObjectActor* parents[2] = {nullptr, nullptr};
    GAME_CObjectActor* child = nullptr;

protected:
    // The cursor's blink and the speed lines run from the first frame of the opening on.
    void BeginFrame(bool input) override;
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void Build();
    // The message of the key over the parents' and the newborn's written-out names, in that order.
    std::u16string FamilyText(const char* key) const;
    void ShowSentence();
    void OnRename();
    void DrawPicture() const;

    GAME_CUINullObject* speedLines_ = nullptr;
    GAME_CUIIconObject* rename_ = nullptr;
    GAME_CUIIconObject* close_ = nullptr;
    GAME_CUILabelObject* sentence_ = nullptr;
    std::int32_t pictureSprites_[kPictures] = {kNoSprite, kNoSprite, kNoSprite, kNoSprite, kNoSprite};
    std::int32_t speedLineSprites_[kSpeedLineFrames] = {kNoSprite, kNoSprite, kNoSprite};

    // Its turn also steps the speed lines.
    UICursorBlink cursor_;
    int row_ = 0;
    int speedLine_ = 0;
    int picture_ = 0;
};

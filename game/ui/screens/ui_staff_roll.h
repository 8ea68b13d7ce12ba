// The staff roll (slot 47): the credit lines over black, the company logo, the autosave of the cleared game, the way back to the title.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/ui/ui_screen.h"

// Marks the game cleared as it opens, so the mark reaches the file with the autosave at its end.
// The credits are the texts of "STAFFLIST_000" on, up to the first missing or empty one; a text
// "WAIT<n>" leaves n empty rows (none without a number), "SPEED<n>" sets the scroll speed to n
// thousandths of a unit a frame. A failed save asks whether to try again; either way the title follows.
class GAME_CUIStaffRoll : public GAME_CUIScreen, public UIScreenSlot<kSlotStaffRoll> {
public:
    enum class Stage : std::int32_t { kFeed, kWaitForLines, kLogo, kBeforeSave, kSave, kRetry };
    using enum Stage;
    static constexpr int kLineRecords = 64;
    static constexpr std::int32_t kLogoFrames = 180;

    struct Line {
        std::string key;  // empty: a free record
        float x = 0.0f;
        float y = 0.0f;
    };

    explicit GAME_CUIStaffRoll(const UIScreenContext& context);

    void PreDraw() override;
    void Draw() override {}

    Stage GetStage() const { return pages_.Current(); }
    std::int32_t StageCounter() const { return counter_; }
    float Speed() const { return speed_; }
    const Line& GetLine(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    // The frames between two credit lines at the current speed, at least 1.
    std::int32_t Interval() const;

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void EnterStage(Stage stage);
    void ScrollLines();
    void StepFeed();
    void StepLogo(bool input);
    void StepSave();
    void StepRetry();
    void DrawLogo() const;

    std::array<Line, kLineRecords> lines_{};
    UIPages<Stage> pages_{kFeed};
    std::int32_t counter_ = 0;
    std::int32_t lineCounter_ = 0;
    float speed_ = 1.0f;
    std::int32_t companyLogo_ = -1;
    // The autosave asked for and not yet taken by the save machine.
    bool saveOwed_ = false;
};

// The engine-room screen (slot 18): the ship's speed and fuel rate, the lever of the room's engine mode, the mode options with their questions, and the room's task page.
#pragma once

#include <array>
#include <cstdint>

#include "game/model/world/tween.h"
#include "game/ui/room_screen.h"

class GAME_CRoomBase;

// The engine page shows the ship's live speed and fuel rate and the options the room's engine can be
// switched to (over the limit with the valve installed, connected, stopped); choosing one asks, and a
// yes changes the room's mode in the next frame, the lever swinging to it while the screen takes no
// input. The second page is the shared task page.
class GAME_CUIEngineRoom : public GAME_CUIRoomScreen, public UIScreenSlot<kSlotEngineRoom> {
public:
    // The page and its steps: the engine page, the three questions and their answers, the task page.
    enum class Page : std::int32_t {
        kEngine = 0,
        kAskConnect = 1,
        kConnected = 2,
        kAskStop = 3,
        kStopped = 4,
        kAskOverLimit = 5,
        kOverLimitSet = 6,
        kTasks = 7,
    };
    // The engine page's focus places.
    enum EngineFocus : std::int32_t {
        kFocusOptions = 1,
        kFocusTaskTab = 2,
        kFocusEngineTab = 3,
        kFocusSkipRight = 4,
        kFocusSkipLeft = 5,
    };
    static constexpr int kOptionRows = 3;
    static constexpr std::int32_t kLeverFrames = 10;
    // No option on the row.
    static constexpr std::int32_t kNoMode = -1;

    explicit GAME_CUIEngineRoom(const UIScreenContext& context);
    ~GAME_CUIEngineRoom() override;

    // The tab buttons: each acts only from the other page's resting step.
    void OnEngineTab();
    void OnTaskTab();

    // What the screen shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    std::int32_t RowCursor() const { return rowCursor_; }
    std::int32_t Focus() const { return focus_; }
    // The engine mode an option row offers, kNoMode when the row is empty.
    std::int32_t RowMode(int row) const { return rows_[static_cast<std::size_t>(row)].mode; }
    const GAME_CUILabelObject* OptionName(int row) const { return rows_[static_cast<std::size_t>(row)].name; }
    const GAME_CUILabelObject* OptionEffect(int row) const { return rows_[static_cast<std::size_t>(row)].effect; }
    const GAME_CUILabelObject* SpeedLabel() const { return speed_; }
    const GAME_CUILabelObject* FuelRateLabel() const { return fuelRate_; }
    float LeverAngle() const { return lever_->GetRotation(); }
    bool IsLeverMoving() const { return !IsTweenFinished(leverTween_); }

    // The lever's angle for an engine mode: stopped down, connected level, over the limit up.
    static float LeverAngleOf(std::int32_t mode);

protected:
    bool ShowsTaskPage() const override { return pages_.Is(Page::kTasks); }
    void OnEnterOpening() override;
    void OnEveryFrame() override;
    void UpdateMain(bool input) override;

private:
    struct OptionRow {
        GAME_CUINullObject* node = nullptr;
        GAME_CUINullObject* separator = nullptr;
        GAME_CUINullObject* icon = nullptr;
        GAME_CUILabelObject* name = nullptr;
        GAME_CUILabelObject* effect = nullptr;
        std::int32_t mode = kNoMode;
    };

    void BuildEnginePage();
    void BuildTaskPage();
    void EnterPage(Page page);

    // The live values, then the option rows from the room's mode words and its over-limit valve.
    void RefreshEnginePage();
    void RefreshLiveValues();
    void ShowOption(OptionRow& row, std::int32_t mode, const std::u16string& effect);
    std::int32_t CountOptions() const;

    // The engine page's pointer and keys (input: what the page's buttons left of the frame's input).
    void UpdateEngineInput(bool input);
    void ChooseOption(std::int32_t row);
    void MoveRowCursor(std::int32_t row);
    void PlaceEngineFocus();

    // A question's answer leads to `done`, a no or the dialog's going back to the page.
    void PollAnswer(Page done, const char* finishedKey);
    // A yes's change, at the start of the frame after it: the room's mode, the ship's figures, the lever.
    void ApplyMode(std::int32_t mode);
    void SetLeverAt(std::int32_t mode);

    GAME_CRoomBase* Room() const { return target; }

    UIPages<Page> pages_{Page::kEngine};
    std::array<OptionRow, kOptionRows> rows_{};
    GAME_CUINullObject* lever_ = nullptr;
    GAME_CUINullObject* highlight_ = nullptr;
    GAME_CUILabelObject* speed_ = nullptr;
    GAME_CUILabelObject* fuelRate_ = nullptr;
    Tween leverTween_{};
    std::int32_t rowCursor_ = 0;
    std::int32_t focus_ = kFocusOptions;
    std::uint32_t liveFrames_ = 0;
};

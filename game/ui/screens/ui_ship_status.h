// The ship-status panel (slot 1): hull, fuel and calorie gauges, the clock, money, crew and the route's distance meter along the top of play, the danger flash, and the one notice the game repeats into the log and the ticker.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/services/text/fixed_string.h"
#include "game/services/ui_port/ui_records.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

class GAME_CRouteManager;

// A row of digit pictures ("ui_text_num_0" to "_9") 6 units apart. A digit is hidden by the alpha of
// its colour, so the row keeps its place.
class UIStatusDigits {
public:
    static constexpr std::size_t kMostDigits = 9;

    void Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, float x, float y, std::size_t count,
               const std::array<std::int32_t, 10>& sprites);
    void HideAll();
    // The value right-aligned in the row's last digits, at least `leastDigits` of them (leading zeros
    // fill up to there), clamped to 0 and to what the row can hold; the digits before stay hidden.
    void Show(std::int64_t value, std::size_t leastDigits = 1);
    // What the row shows, a space for each hidden digit.
    std::string Shown() const;

private:
    std::array<GAME_CUINullObject*, kMostDigits> digits_{};
    std::size_t count_ = 0;
    const std::array<std::int32_t, 10>* sprites_ = nullptr;
};

// Open throughout play, it takes no input and lets the player move the view. Each frame it reads the
// ship, the route, the player's money, the crew and the clock; the calorie totals, which walk every
// food store, only when its refresh flag asks. While the ship is in danger (the hull at half or below,
// or under way without a working engine room or bridge) a red flash beats once a second over the
// canvas. The notice record is filled through the screen manager and shown here at its interval.
class GAME_CUIShipStatus : public GAME_CUIScreen, public UIScreenSlot<kSlotShipStatus> {
public:
    // The figures the panel shows, for those who look at it.
    enum class Figure { kHull, kHullMax, kFuel, kFuelCapacity, kCalories, kCalorieCapacity, kMoney, kCrew, kCrewCapacity, kClock };
    static constexpr std::int32_t kFlashPeriod = 60;
    static constexpr float kMeterLength = 58.0f;

    explicit GAME_CUIShipStatus(const UIScreenContext& context);

    // Replaces the notice with the record's key, interval, repeat count, log flag and argument key;
    // it shows at the next tick and the shown count starts again. The manager refuses bad records.
    void TakeNotice(const UINoticeRecord& record);
    void ClearNotice();
    void PreDraw() override;
    void Draw() override {}

    std::string Shown(Figure figure) const;
    // The sprite of the gauge plate: two rows, or three with the calorie row.
    std::int32_t PlateSprite() const { return plate_ != nullptr ? plate_->Sprite() : kNoSprite; }
    const GAME_CUINullObject* PositionIcon() const { return positionIcon_; }
    const GAME_CUINullObject* DirectionArrow() const { return arrow_; }
    // The share of a gauge's bar that is filled, 0 to 1.
    float BarShare(Figure figure) const;
    std::int32_t DangerCounter() const { return dangerCounter_; }
    // The red flash's alpha this frame: rising 20 frames, falling 20, dark 20.
    std::int32_t FlashAlpha() const;
    // Remaining hull over the maximum: 0 with none left, 1 at or above the maximum.
    float HullRatio() const;
    // Draws the marks of the drops and the enemies on the distance meter (its draw hook).
    void DrawRouteMarks();

    UINoticeRecord notice;
    // Raised by the food stores and the food-storage rooms whenever their figures change.
    std::uint32_t refreshFlag = 1;

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;

private:
    void Build();
    void BuildGauges();
    void BuildFigures();
    void RefreshCalorieGauge();
    void UpdateDistanceMeter(const GAME_CRouteManager* route);
    void UpdateDanger(const GAME_CRouteManager* route);
    void UpdateGauges();
    void UpdateFigures();
    void UpdateNotice();
    const std::u16string& NoticeText();

    std::array<std::int32_t, 10> digitSprites_{};
    std::int32_t markSprite_ = kNoSprite;
    std::int32_t twoRowPlate_ = kNoSprite;
    std::int32_t threeRowPlate_ = kNoSprite;
    GAME_CUINullObject* plate_ = nullptr;
    std::array<UIGaugeFill, 3> bars_{};  // hull, fuel, calories
    UIStatusDigits hull_, hullMax_, fuel_, fuelCapacity_, calories_, calorieCapacity_, money_, hours_, minutes_, crew_, crewCapacity_;
    GAME_CUINullObject* arrow_ = nullptr;
    GAME_CUINullObject* positionIcon_ = nullptr;
    std::int32_t dangerCounter_ = 0;

    // The notice's text, made at its first showing and kept while it repeats and the message table
    // stays the same.
    std::u16string noticeText_;
    bool noticeTextMade_ = false;
    std::uint32_t noticeGeneration_ = 0;
};

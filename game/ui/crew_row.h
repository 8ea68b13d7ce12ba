// One crew member as the room windows and the crew window show it: the name, meters in three-digit rows, and the skill, buff and debuff lines.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"

class GAME_CObjectActor;

// Three digit pictures ("ui_text_num_0" to "_9"), leading zeros shown. A value outside 0..999 shows
// its nearest end, so a maximum of 1,200 reads 999 rather than its last three digits.
class UIThreeDigits {
public:
    static constexpr std::int32_t kLargest = 999;

    // Under the parent at `at`, a digit every `step` units (0: the width of "ui_text_num_0").
    void Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at, float step = 0.0f);
    void Show(std::int64_t value);
    // The value the digits show, -1 before the first Show.
    std::int32_t Shown() const { return shown_; }

private:
    std::array<std::int32_t, 10> sprites_{};
    std::array<GAME_CUINullObject*, 3> digits_{};
    std::int32_t shown_ = -1;
};

enum class UICrewMeter : std::uint8_t { kHP, kStamina, kCalorie };
enum class UICrewTrait : std::uint8_t { kSkill, kBuff, kDebuff };
inline constexpr std::size_t kUICrewTraitKinds = 3;
inline constexpr std::size_t kUICrewTraitSlots = 2;

// Where a row puts its parts, relative to the row's node.
struct UICrewRowLayout {
    // A meter's current value (or its maximum) in three digits.
    struct Digits {
        UICrewMeter meter = UICrewMeter::kStamina;
        bool maximum = false;
        vesk::math::Vec2 at{};
        float step = 0.0f;
    };
    // kTakingTurns: one line per kind; with both slots filled, the two names take turns every
    // kTraitTurnFrames. kNamesAndDescriptions: each slot k its name at the kind's point + (0, slotStep k)
    // and its description one line below.
    enum class Traits : std::uint8_t { kTakingTurns, kNamesAndDescriptions };

    // The room windows' crew panel: its frame, face, meter and kind icons with the separators.
    bool panelPictures = false;
    vesk::math::Vec2 name{};
    std::vector<Digits> digits;
    Traits traits = Traits::kTakingTurns;
    std::array<vesk::math::Vec2, kUICrewTraitKinds> traitAt{};
    float slotStep = 0.0f;
    float lineStep = kUILineStep;

    // The panel of the task cancel and construction windows: frame at the node, stamina and calorie.
    static UICrewRowLayout Panel();
};

// Built once with its screen: BuildPictures with the sprites, BuildTexts after the screen's switch to
// texts. Show writes a member into it each frame the screen shows one.
class UICrewRow {
public:
    static constexpr std::int32_t kTraitTurnFrames = 120;
    // A description line keeps at most this many characters.
    static constexpr std::size_t kDescriptionLimit = 15;

    explicit UICrewRow(UICrewRowLayout layout) : layout_(std::move(layout)) {}

    // The row's node at `at` under the parent, the panel's pictures and the digits.
    void BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at);
    // The name and the trait lines (after BuildPictures).
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list);

    // The member's name, meters and traits; null empties the row and moves it off the canvas.
    void Show(const GAME_CObjectActor* actor);
    // No name, traits or meters (all digits 0), where the row stands.
    void Empty();
    // One frame of the trait turns.
    void StepTraitTurn();
    // The first trait of each kind shows next.
    void ResetTraitTurn();

    const GAME_CUINullObject* Node() const { return node_; }
    const GAME_CUILabelObject* NameLabel() const { return name_; }
    const UIThreeDigits& DigitsAt(std::size_t index) const { return digits_[index]; }
    // kTakingTurns: the kind's line (slot and description ignored).
    const GAME_CUILabelObject* TraitLabel(UICrewTrait kind, std::size_t slot = 0, bool description = false) const;

private:
    void ShowTraits(UICrewTrait kind, const std::array<std::uint32_t, kUICrewTraitSlots>& ids);

    UICrewRowLayout layout_;
    vesk::math::Vec2 at_{};
    GAME_CUINullObject* node_ = nullptr;
    GAME_CUILabelObject* name_ = nullptr;
    std::vector<UIThreeDigits> digits_;
    // [kind][slot][name 0, description 1]; kTakingTurns uses [kind][0][0].
    std::array<std::array<std::array<GAME_CUILabelObject*, 2>, kUICrewTraitSlots>, kUICrewTraitKinds> traits_{};
    std::int32_t turnFrames_ = 0;
    std::size_t turn_ = 0;
};

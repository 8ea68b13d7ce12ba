// One crew member as the room windows and the crew screens show it: the name, meters in three-digit rows or as "now/most" with a bar, and the skill, buff and debuff lines.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"

class GAME_CActorStatus;
class GAME_CObjectActor;
class UIInfoPanel;

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
    // A description line keeps what fits in this many canvas units: the room of fifteen full-width
    // characters, so that a text of narrower letters is not cut short.
    static constexpr float kDescriptionWidth = 180.0f;

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

// Where a meter row puts its parts, relative to its frame.
struct UIMeterRowLayout {
    vesk::math::Vec2 name{-28.0f, 0.0f};
    // The right end of the "now/most" text.
    vesk::math::Vec2 value{199.0f, 0.0f};
    // The bar's left top inside the frame, its sprite (its centre is stretched) and its full size.
    vesk::math::Vec2 bar{2.0f, 3.0f};
    const char* barSprite = "ui_room_hpbar_body";
    float barLength = 110.0f;
    float barHeight = 6.0f;
};

// One meter: its name, "now/most" in whole units with full-width digits, and a bar in a frame filled
// to now / most, clamped to 0..1.
class UIMeterRow {
public:
    void BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 frameAt,
                       const UIMeterRowLayout& layout, std::uint32_t barColor);
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list, const char* nameKey);
    // A meter kept in thousandths (1 to 999 show as 1) against its maximum in whole units.
    void Show(std::int32_t thousandths, std::int32_t maximum, std::uint32_t barColor);
    // Frame and bar hidden, name and value empty.
    void Hide();

    const GAME_CUILabelObject* ValueLabel() const { return value_; }
    const GAME_CUILabelObject* NameLabel() const { return name_; }
    std::uint32_t BarColor() const;
    // How full the bar is drawn: 0 to 1.
    float Share() const;

private:
    GAME_CUINullObject* frame_ = nullptr;
    UIGaugeFill bar_;
    GAME_CUILabelObject* name_ = nullptr;
    GAME_CUILabelObject* value_ = nullptr;
    const char* nameKey_ = "";
};

// HP, stamina and calorie one under the other. The stamina bar turns to the warning colour when
// nothing is left of it or the member is exhausted.
class UICrewMeters {
public:
    static constexpr std::uint32_t kStaminaColor = 0xFF77ECE0u;
    static constexpr std::uint32_t kStaminaWarningColor = 0xFF3B76E0u;

    struct Layout {
        UIMeterRowLayout row;
        vesk::math::Vec2 first{};
        float step = kUILineStep;
        // Each bar's colour (the stamina bar's while it does not warn).
        std::array<std::uint32_t, 3> colors{kUIWhite, kStaminaColor, kUIWhite};
    };

    explicit UICrewMeters(Layout layout) : layout_(std::move(layout)) {}

    void BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent);
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list);
    void Show(const GAME_CActorStatus& status);
    void Hide();

    const UIMeterRow& Row(UICrewMeter meter) const { return rows_[static_cast<std::size_t>(meter)]; }

private:
    Layout layout_;
    std::array<UIMeterRow, 3> rows_{};
};

// A filled trait slot: its kind and id.
struct UICrewTraitEntry {
    UICrewTrait kind = UICrewTrait::kSkill;
    std::uint32_t id = 0;
};

// A member's filled trait slots (an id with its record) in the order skill 1, skill 2, buff 1, buff 2,
// debuff 1, debuff 2.
struct UICrewTraits {
    std::array<UICrewTraitEntry, kUICrewTraitKinds * kUICrewTraitSlots> entries{};
    std::size_t count = 0;

    static UICrewTraits Of(const GAME_CActorStatus& status);
};

// How a trait takes its lines in a panel: its name (after its kind's icon, when shown), its
// description ("<id>_DISCRIPT"), and blank lines up to linesEach.
struct UICrewTraitLines {
    bool icons = false;
    int linesEach = 2;
};
void PutUICrewTrait(UIInfoPanel& panel, const UICrewTraitEntry& trait, const UICrewTraitLines& lines);

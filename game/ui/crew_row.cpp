// One crew member as the room windows and the crew screens show it: the name, meters in three-digit rows or as "now/most" with a bar, and the skill, buff and debuff lines.
#include "game/ui/crew_row.h"

#include <algorithm>
#include <string>

#include "game/model/object/object_actor.h"
#include "game/services/data/tag.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/message_text.h"
#include "game/ui/info_panel.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"

using vesk::math::Vec2;

void UIThreeDigits::Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, Vec2 at, float step)
{
    for (std::size_t digit = 0; digit < sprites_.size(); ++digit) sprites_[digit] = FindUISprite("ui_text_num_" + std::to_string(digit));
    if (step <= 0.0f) step = UISpriteSize(sprites_[0]).x;
    for (std::size_t k = 0; k < digits_.size(); ++k) {
        digits_[k] = MakeUIPictureUnder(parent, "ui_text_num_0", at.x + step * static_cast<float>(k), at.y);
        list.push_back(digits_[k]);
    }
}

void UIThreeDigits::Show(std::int64_t value)
{
    shown_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, kLargest));
    std::int32_t rest = shown_;
    for (std::size_t k = digits_.size(); k-- > 0;) {
        if (digits_[k] != nullptr) digits_[k]->SetSprite(sprites_[static_cast<std::size_t>(rest % 10)]);
        rest /= 10;
    }
}

UICrewRowLayout UICrewRowLayout::Panel()
{
    UICrewRowLayout layout;
    layout.panelPictures = true;
    layout.name = {24.0f, 3.0f};
    layout.digits = {{.meter = UICrewMeter::kStamina, .at = {28.0f, 19.0f}}, {.meter = UICrewMeter::kCalorie, .at = {28.0f, 25.0f}}};
    layout.traits = Traits::kTakingTurns;
    layout.traitAt = {Vec2{77.0f, 0.0f}, Vec2{77.0f, kUILineStep}, Vec2{77.0f, 2.0f * kUILineStep}};
    return layout;
}

namespace {

constexpr const char* kKindIcons[kUICrewTraitKinds] = {"ui_icon_skill", "ui_icon_buff", "ui_icon_nerf"};
// Rows off the canvas draw nothing and take no pointer.
constexpr float kOffCanvas = kCanvasWidth;

std::int32_t MeterValue(const GAME_CActorStatus& status, const UICrewRowLayout::Digits& digits)
{
    switch (digits.meter) {
    case UICrewMeter::kHP: return digits.maximum ? status.computed.maxHp : WholeUnits(status.hp);
    case UICrewMeter::kStamina: return digits.maximum ? status.computed.maxStamina : WholeUnits(status.stamina);
    case UICrewMeter::kCalorie: return digits.maximum ? status.computed.maxCalorie : WholeUnits(status.calorie);
    }
    return 0;
}

template <typename Slot>
std::array<std::uint32_t, kUICrewTraitSlots> SlotIds(const std::array<Slot, kUICrewTraitSlots>& slots)
{
    return {slots[0].id, slots[1].id};
}

}  // namespace

void UICrewRow::BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, Vec2 at)
{
    at_ = at;
    node_ = MakeUIGroupUnder(parent, at.x, at.y);
    list.push_back(node_);
    if (layout_.panelPictures) {
        list.push_back(MakeUIPictureUnder(node_, "ui_buildmanger_frame", 0.0f, 0.0f));
        list.push_back(MakeUIPictureUnder(node_, "ui_icon_actor", 9.0f, 2.0f));
        // Only the meter signs left of the digits.
        list.push_back(MakeUIPictureCut(node_, "ui_icon_stamina_calorie2", 10.0f, 19.0f, 17.0f, 13.0f));
        for (std::size_t kind = 0; kind < kUICrewTraitKinds; ++kind) {
            const float y = kUILineStep * static_cast<float>(kind);
            list.push_back(MakeUIPictureUnder(node_, kKindIcons[kind], 60.0f, y - 1.0f));
            if (kind + 1 < kUICrewTraitKinds) list.push_back(MakeUIPictureUnder(node_, "ui_buildmanger_separator_right", 77.0f, y + 15.0f));
        }
    }
    digits_.resize(layout_.digits.size());
    for (std::size_t i = 0; i < digits_.size(); ++i) digits_[i].Build(list, node_, layout_.digits[i].at, layout_.digits[i].step);
}

void UICrewRow::BuildTexts(std::vector<GAME_CUIObjectBase*>& list)
{
    name_ = MakeUILabel(node_, "", layout_.name.x, layout_.name.y);
    list.push_back(name_);
    const bool turns = layout_.traits == UICrewRowLayout::Traits::kTakingTurns;
    for (std::size_t kind = 0; kind < kUICrewTraitKinds; ++kind) {
        for (std::size_t slot = 0; slot < (turns ? 1 : kUICrewTraitSlots); ++slot) {
            for (std::size_t line = 0; line < (turns ? 1 : 2); ++line) {
                const float y = layout_.traitAt[kind].y + layout_.slotStep * static_cast<float>(slot) + layout_.lineStep * static_cast<float>(line);
                traits_[kind][slot][line] = MakeUILabel(node_, "", layout_.traitAt[kind].x, y);
                list.push_back(traits_[kind][slot][line]);
            }
        }
    }
}

const GAME_CUILabelObject* UICrewRow::TraitLabel(UICrewTrait kind, std::size_t slot, bool description) const
{
    const bool turns = layout_.traits == UICrewRowLayout::Traits::kTakingTurns;
    return traits_[static_cast<std::size_t>(kind)][turns ? 0 : std::min(slot, kUICrewTraitSlots - 1)][turns || !description ? 0 : 1];
}

void UICrewRow::StepTraitTurn()
{
    if (++turnFrames_ < kTraitTurnFrames) return;
    turnFrames_ = 0;
    turn_ ^= 1;
}

void UICrewRow::ResetTraitTurn()
{
    turnFrames_ = 0;
    turn_ = 0;
}

void UICrewRow::Empty()
{
    if (name_ != nullptr) name_->SetTextW(u"");
    for (UIThreeDigits& digits : digits_) digits.Show(0);
    for (auto& kind : traits_) {
        for (auto& slot : kind) {
            for (GAME_CUILabelObject* line : slot) {
                if (line != nullptr) line->SetTextW(u"");
            }
        }
    }
}

void UICrewRow::Show(const GAME_CObjectActor* actor)
{
    if (node_ == nullptr) return;
    Empty();
    const Vec2 at{actor != nullptr ? at_.x : at_.x + kOffCanvas, at_.y};
    node_->SetPosition(&at);
    if (actor == nullptr) return;
    const GAME_CActorStatus& status = actor->status;
    if (name_ != nullptr) name_->SetTextW(RomanizeKanaPair(std::u16string_view(status.name)).c_str());
    for (std::size_t i = 0; i < digits_.size(); ++i) digits_[i].Show(MeterValue(status, layout_.digits[i]));
    ShowTraits(UICrewTrait::kSkill, SlotIds(status.skills));
    ShowTraits(UICrewTrait::kBuff, SlotIds(status.buffs));
    ShowTraits(UICrewTrait::kDebuff, SlotIds(status.debuffs));
}

void UICrewRow::ShowTraits(UICrewTrait kind, const std::array<std::uint32_t, kUICrewTraitSlots>& ids)
{
    auto& lines = traits_[static_cast<std::size_t>(kind)];
    if (layout_.traits == UICrewRowLayout::Traits::kTakingTurns) {
        // A single trait stays; two take turns.
        const bool both = IsSlotIdSet(ids[0]) && IsSlotIdSet(ids[1]);
        const std::size_t slot = both ? turn_ : (IsSlotIdSet(ids[0]) ? 0 : 1);
        if (lines[0][0] != nullptr && IsSlotIdSet(ids[slot])) lines[0][0]->SetTextW(UITagName(ids[slot]).c_str());
        return;
    }
    for (std::size_t slot = 0; slot < kUICrewTraitSlots; ++slot) {
        if (!IsSlotIdSet(ids[slot]) || lines[slot][0] == nullptr) continue;
        lines[slot][0]->SetTextW(UITagName(ids[slot]).c_str());
        lines[slot][1]->SetTextW(UIFittedText(GetMessageTextExpanded(TagText(ids[slot]) + "_DISCRIPT"), kDescriptionWidth).c_str());
    }
}

void UIMeterRow::BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, Vec2 frameAt,
                               const UIMeterRowLayout& layout, std::uint32_t barColor)
{
    frame_ = MakeUIPictureUnder(parent, "ui_room_hpbar_frame", frameAt.x, frameAt.y);
    list.push_back(frame_);
    GAME_CUINullObject* anchor = MakeUIGroupUnder(frame_, layout.bar.x, layout.bar.y);
    list.push_back(anchor);
    bar_ = MakeUIGaugeFill(anchor, layout.barSprite, barColor, layout.barLength, layout.barHeight);
    list.push_back(bar_.picture);
    // The labels stand on the frame but are made with the texts.
    name_ = MakeUILabel(frame_, "", layout.name.x, layout.name.y);
    value_ = MakeUILabel(frame_, "", layout.value.x, layout.value.y, 1.0f);
}

void UIMeterRow::BuildTexts(std::vector<GAME_CUIObjectBase*>& list, const char* nameKey)
{
    nameKey_ = nameKey;
    list.push_back(name_);
    list.push_back(value_);
}

void UIMeterRow::Show(std::int32_t thousandths, std::int32_t maximum, std::uint32_t barColor)
{
    if (frame_ == nullptr) return;
    const std::int32_t now = WholeUnits(thousandths);
    frame_->SetColor(kUIWhite);
    name_->SetTextA(nameKey_);
    value_->SetTextW(vesk::text::FormatText(u"%ls/%ls", {UIFullWidthNumber(now), UIFullWidthNumber(maximum)}).c_str());
    // A maximum of 0 shows an empty bar rather than a division by it.
    const float share = maximum > 0 ? std::clamp(static_cast<float>(now) / static_cast<float>(maximum), 0.0f, 1.0f) : 0.0f;
    bar_.picture->SetColor(barColor);
    bar_.Show(share);
}

void UIMeterRow::Hide()
{
    if (frame_ == nullptr) return;
    frame_->SetColor(kUIHidden);
    bar_.picture->SetColor(kUIHidden);
    name_->SetTextW(u"");
    value_->SetTextW(u"");
}

std::uint32_t UIMeterRow::BarColor() const { return bar_.picture != nullptr ? bar_.picture->Color() : kUIHidden; }

float UIMeterRow::Share() const
{
    return bar_.picture != nullptr && bar_.fullScale > 0.0f ? bar_.picture->GetScale()->x / bar_.fullScale : 0.0f;
}

namespace {

constexpr std::array<const char*, 3> kMeterNames{"MINDCONTROL_ACTOR_HP", "MINDCONTROL_ACTOR_STAMINA", "MINDCONTROL_ACTOR_CALORIE"};

}  // namespace

void UICrewMeters::BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent)
{
    for (std::size_t meter = 0; meter < rows_.size(); ++meter) {
        const Vec2 at{layout_.first.x, layout_.first.y + layout_.step * static_cast<float>(meter)};
        rows_[meter].BuildPictures(list, parent, at, layout_.row, layout_.colors[meter]);
    }
}

void UICrewMeters::BuildTexts(std::vector<GAME_CUIObjectBase*>& list)
{
    for (std::size_t meter = 0; meter < rows_.size(); ++meter) rows_[meter].BuildTexts(list, kMeterNames[meter]);
}

void UICrewMeters::Show(const GAME_CActorStatus& status)
{
    rows_[0].Show(status.hp, status.computed.maxHp, layout_.colors[0]);
    const bool spent = WholeUnits(status.stamina) <= 0 || (status.flags & GAME_CActorStatus::kFlagExhausted) != 0;
    rows_[1].Show(status.stamina, status.computed.maxStamina, spent ? kStaminaWarningColor : layout_.colors[1]);
    rows_[2].Show(status.calorie, status.computed.maxCalorie, layout_.colors[2]);
}

void UICrewMeters::Hide()
{
    for (UIMeterRow& row : rows_) row.Hide();
}

UICrewTraits UICrewTraits::Of(const GAME_CActorStatus& status)
{
    UICrewTraits traits;
    const auto add = [&](UICrewTrait kind, std::uint32_t id, const void* record) {
        if (id != kNoId && record != nullptr) traits.entries[traits.count++] = {kind, id};
    };
    for (const auto& slot : status.skills) add(UICrewTrait::kSkill, slot.id, slot.record);
    for (const auto& slot : status.buffs) add(UICrewTrait::kBuff, slot.id, slot.record);
    for (const auto& slot : status.debuffs) add(UICrewTrait::kDebuff, slot.id, slot.record);
    return traits;
}

void PutUICrewTrait(UIInfoPanel& panel, const UICrewTraitEntry& trait, const UICrewTraitLines& lines)
{
    const std::int32_t icon = lines.icons ? FindUISprite(kKindIcons[static_cast<std::size_t>(trait.kind)]) : kNoSprite;
    panel.Put(UITagName(trait.id), lines.icons, icon);
    panel.Put(GetMessageTextExpanded(TagText(trait.id) + "_DISCRIPT"), lines.icons, kNoSprite);
    for (int line = 2; line < lines.linesEach; ++line) panel.Put(u"", lines.icons, kNoSprite);
}

// What most widgets keep of their own: the transform (position, pivot, size, scale, rotation), a shown and a decided flag.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_object_base.h"

// Where a description puts its widget: position in the parent's space, pivot as fractions of the size, scale.
struct UIPlacement {
    float positionX, positionY;
    float pivotX, pivotY;
    float scaleX, scaleY;
};
// At the parent's origin, pivot at the top left, unscaled.
inline constexpr UIPlacement kUIPlacementDefaults{0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f};

// A widget's description: the one given, or (for none) the defaults its Init function writes.
template <class Desc>
Desc UIDescOrDefaults(const Desc* desc, Desc* (*init)(Desc*))
{
    Desc defaults{};
    return desc != nullptr ? *desc : *init(&defaults);
}

// Answers the transform queries from its fields. A field a widget never sets keeps its start value, which
// is the shared answer of widgets without such a field: (0, 0) for position, pivot and size, (1, 1) for
// scale, 0 for rotation. Each widget names the setters it takes; the others do nothing, as in the base.
class GAME_CUIPlacedObject : public GAME_CUIObjectBase {
public:
    enum Takes : std::uint32_t {
        kTakesPosition = 1u << 0,
        kTakesPivot = 1u << 1,
        kTakesScale = 1u << 2,
        kTakesSize = 1u << 3,
        kTakesRotation = 1u << 4,
        // SetVisible sets a plain flag that IsVisible reports (clear at construction).
        kTakesVisible = 1u << 5,
    };

    // Set by the widget's update when it takes a press or changes its value.
    bool IsDecided() const override { return decided_ != 0; }
    bool IsVisible() const override { return visible_ != 0; }
    void SetVisible(bool visible) override { Take(kTakesVisible, visible_, visible ? 1u : 0u); }
    const vesk::math::Vec2* GetPosition() const override { return &position_; }
    const vesk::math::Vec2* GetPivot() const override { return &pivot_; }
    const vesk::math::Vec2* GetScale() const override { return &scale_; }
    const vesk::math::Vec2* GetSize() const override { return &size_; }
    float GetRotation() const override { return rotation_; }
    void SetPosition(const vesk::math::Vec2* position) override { Take(kTakesPosition, position_, *position); }
    void SetPivot(const vesk::math::Vec2* pivot) override { Take(kTakesPivot, pivot_, *pivot); }
    void SetScale(const vesk::math::Vec2* scale) override { Take(kTakesScale, scale_, *scale); }
    void SetSize(const vesk::math::Vec2* size) override { Take(kTakesSize, size_, *size); }
    void SetRotation(float degrees) override { Take(kTakesRotation, rotation_, degrees); }

protected:
    explicit GAME_CUIPlacedObject(std::uint32_t takes) : takes_(takes) {}
    // Position, pivot and scale from a description.
    void Place(const UIPlacement& placement)
    {
        position_ = {placement.positionX, placement.positionY};
        pivot_ = {placement.pivotX, placement.pivotY};
        scale_ = {placement.scaleX, placement.scaleY};
    }

    vesk::math::Vec2 position_{};
    vesk::math::Vec2 pivot_{};
    vesk::math::Vec2 size_{};
    vesk::math::Vec2 scale_{1.0f, 1.0f};
    float rotation_ = 0.0f;
    std::uint32_t visible_ = 0;
    std::uint32_t decided_ = 0;

private:
    template <class Value>
    void Take(std::uint32_t setter, Value& field, const Value& value)
    {
        if ((takes_ & setter) != 0) field = value;
    }

    std::uint32_t takes_;
};

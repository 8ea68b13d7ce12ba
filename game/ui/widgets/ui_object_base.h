// The root of the widget family: a node of a tree with a cached world transform and the tree update.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/math/matrix.h"
#include "framework/math/vector.h"
#include "framework/memory/heaps.h"
#include "framework/utility/non_copyable.h"

// A widget: one parent link (not owned), an ordered child list (not owned, no pointer twice) and a world
// matrix built from its own position and scale under its parent's. Screens update a root once a frame
// with UpdateTree, which hands the input flag down the tree in child order so that at most one widget
// takes a press, and draw the widgets from a list of their own.
class GAME_CUIObjectBase : public vesk::memory::MainHeapObject, private vesk::NonCopyable<GAME_CUIObjectBase> {
public:
    GAME_CUIObjectBase() = default;
    virtual ~GAME_CUIObjectBase() = default;

    virtual void Update(bool input) {}
    virtual void Draw() {}
    // The widget was activated (pressed, changed) and holds the input.
    virtual bool IsDecided() const { return false; }
    virtual bool IsMarked() const { return false; }
    virtual bool IsVisible() const { return false; }
    virtual void SetVisible(bool visible) {}
    // Animating or otherwise holding the input.
    virtual bool IsBusy() const { return false; }
    virtual const vesk::math::Vec2* GetPosition() const = 0;
    virtual const vesk::math::Vec2* GetPivot() const = 0;
    virtual const vesk::math::Vec2* GetScale() const = 0;
    virtual const vesk::math::Vec2* GetSize() const = 0;
    virtual float GetRotation() const = 0;
    virtual void SetPosition(const vesk::math::Vec2* position) {}
    virtual void SetPivot(const vesk::math::Vec2* pivot) {}
    virtual void SetScale(const vesk::math::Vec2* scale) {}
    virtual void SetSize(const vesk::math::Vec2* size) {}
    virtual void SetRotation(float degrees) {}

    // Called on a root once a frame: whether input is still free after the tree.
    bool UpdateTree(bool input);
    // One widget and its subtree.
    bool UpdateSubtree(bool input);
    // Moves the widget under another parent (null or itself: only leaves the old one).
    void SetParent(GAME_CUIObjectBase* parent);
    void AddChild(GAME_CUIObjectBase* child);
    void RemoveChild(GAME_CUIObjectBase* child);
    // This widget or any descendant reports IsDecided.
    bool IsAnyDecided() const;
    vesk::math::Mat4* GetWorldMatrix(vesk::math::Mat4* out);
    static vesk::math::Vec3* GetMatrixScale(const vesk::math::Mat4& matrix, vesk::math::Vec3* out);

    // The translation row of the world matrix, and its scale.
    vesk::math::Vec2 WorldPosition();
    vesk::math::Vec2 WorldScale();

    GAME_CUIObjectBase* Parent() const { return parent_; }
    const std::vector<GAME_CUIObjectBase*>& Children() const { return children_; }
    // The parent's IsVisible, true for a root.
    bool IsParentVisible() const { return parent_ == nullptr || parent_->IsVisible(); }

protected:
    // Shared answers of widgets that keep no field of their own.
    static const vesk::math::Vec2 kZero;
    static const vesk::math::Vec2 kOne;
    // Marks the world matrix as computed as it stands (a callback node keeps its identity).
    void KeepWorldMatrix() { matrixValid_ = 1; }

private:
    void ComputeWorldMatrix();

    GAME_CUIObjectBase* parent_ = nullptr;
    std::vector<GAME_CUIObjectBase*> children_;
    vesk::math::Mat4 world_ = vesk::math::GetIdentityMatrix();
    std::uint32_t matrixValid_ = 0;
};

// Deletes every widget of a draw list (screens own their widgets through such a list).
void DeleteWidgets(std::vector<GAME_CUIObjectBase*>& widgets);
// Draws each widget of a list that reports IsVisible.
void DrawWidgets(const std::vector<GAME_CUIObjectBase*>& widgets);

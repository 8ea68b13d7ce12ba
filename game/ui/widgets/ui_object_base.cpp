// The root of the widget family: a node of a tree with a cached world transform and the tree update.
#include "game/ui/widgets/ui_object_base.h"

#include <algorithm>
#include <cmath>

using vesk::math::Mat4;
using vesk::math::Vec2;
using vesk::math::Vec3;

const Vec2 GAME_CUIObjectBase::kZero{0.0f, 0.0f};
const Vec2 GAME_CUIObjectBase::kOne{1.0f, 1.0f};

namespace {

Mat4 ScaleTranslate(float sx, float sy, float tx, float ty)
{
    Mat4 m = vesk::math::GetIdentityMatrix();
    m(0, 0) = sx;
    m(1, 1) = sy;
    m(3, 0) = tx;
    m(3, 1) = ty;
    return m;
}

}  // namespace

bool GAME_CUIObjectBase::UpdateTree(bool input)
{
    if (IsAnyDecided()) input = false;
    matrixValid_ = 0;
    if (parent_ == nullptr) {
        Update(input);
        if (IsDecided()) input = false;
    }
    ComputeWorldMatrix();
    bool result = input;
    for (GAME_CUIObjectBase* child : children_) result = child->UpdateSubtree(result);
    return result;
}

bool GAME_CUIObjectBase::UpdateSubtree(bool input)
{
    matrixValid_ = 0;
    Update(input);
    bool pass = input && !IsDecided() && !IsBusy();
    ComputeWorldMatrix();
    for (GAME_CUIObjectBase* child : children_) {
        child->UpdateSubtree(pass);
        if (pass && (child->IsDecided() || child->IsBusy())) pass = false;
    }
    return pass;
}

void GAME_CUIObjectBase::SetParent(GAME_CUIObjectBase* parent)
{
    if (parent_ != nullptr) parent_->RemoveChild(this);
    // Detaching leaves the widget a root.
    parent_ = nullptr;
    if (parent != nullptr && parent != this) {
        parent->AddChild(this);
        parent_ = parent;
    }
    matrixValid_ = 0;
}

void GAME_CUIObjectBase::AddChild(GAME_CUIObjectBase* child)
{
    if (child == nullptr) return;
    if (std::find(children_.begin(), children_.end(), child) == children_.end()) children_.push_back(child);
}

void GAME_CUIObjectBase::RemoveChild(GAME_CUIObjectBase* child)
{
    if (child == nullptr) return;
    auto found = std::find(children_.begin(), children_.end(), child);
    if (found != children_.end()) children_.erase(found);
}

bool GAME_CUIObjectBase::IsAnyDecided() const
{
    if (IsDecided()) return true;
    for (const GAME_CUIObjectBase* child : children_) {
        if (child->IsAnyDecided()) return true;
    }
    return false;
}

void GAME_CUIObjectBase::ComputeWorldMatrix()
{
    if (matrixValid_ != 0) return;
    const Vec2 scale = *GetScale();
    const Vec2 position = *GetPosition();
    if (parent_ == nullptr) {
        world_ = ScaleTranslate(scale.x, scale.y, position.x, position.y);
    } else {
        Mat4 parentMatrix;
        parent_->GetWorldMatrix(&parentMatrix);
        const float tx = parentMatrix(3, 0);
        const float ty = parentMatrix(3, 1);
        const float tz = parentMatrix(3, 2);
        parentMatrix(3, 0) = 0.0f;
        parentMatrix(3, 1) = 0.0f;
        parentMatrix(3, 2) = 0.0f;
        Vec3 parentScale;
        GetMatrixScale(parentMatrix, &parentScale);
        world_ = vesk::math::MultiplyMatrix(
            parentMatrix, ScaleTranslate(scale.x, scale.y, scale.x * parentScale.x * position.x,
                                         scale.y * parentScale.y * position.y));
        world_(3, 0) += tx;
        world_(3, 1) += ty;
        world_(3, 2) += tz;
    }
    matrixValid_ = 1;
}

Mat4* GAME_CUIObjectBase::GetWorldMatrix(Mat4* out)
{
    ComputeWorldMatrix();
    *out = world_;
    return out;
}

Vec3* GAME_CUIObjectBase::GetMatrixScale(const Mat4& matrix, Vec3* out)
{
    auto rowLength = [&](int row) {
        return std::sqrt(matrix(row, 0) * matrix(row, 0) + matrix(row, 1) * matrix(row, 1) + matrix(row, 2) * matrix(row, 2));
    };
    out->x = rowLength(0);
    out->y = rowLength(1);
    out->z = rowLength(2);
    return out;
}

Vec2 GAME_CUIObjectBase::WorldPosition()
{
    ComputeWorldMatrix();
    return {world_(3, 0), world_(3, 1)};
}

Vec2 GAME_CUIObjectBase::WorldScale()
{
    ComputeWorldMatrix();
    Vec3 scale;
    GetMatrixScale(world_, &scale);
    return {scale.x, scale.y};
}

void DeleteWidgets(std::vector<GAME_CUIObjectBase*>& widgets)
{
    for (GAME_CUIObjectBase* widget : widgets) delete widget;
    widgets.clear();
}

void DrawWidgets(const std::vector<GAME_CUIObjectBase*>& widgets)
{
    for (GAME_CUIObjectBase* widget : widgets) {
        if (widget->IsVisible()) widget->Draw();
    }
}

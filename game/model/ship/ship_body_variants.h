// The hull variants: one class per kind of hull, each with its package, anchor, wheels and queries; and the null hull.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/model/ship/ship_body_render.h"

// One set of wheels: the sprite of each of the three wheel frames and the x offsets it is drawn at.
struct HullWheelSet {
    std::array<std::int32_t, 3> sprites{};
    std::array<float, 3> offsets{};
    std::int32_t count = 0;
};

// What tells one hull from another.
struct HullLayout {
    const char* tag = "";
    float anchorX = 0.0f;
    float anchorY = 0.0f;
    std::array<HullWheelSet, 2> wheels{};
    std::int32_t wheelSets = 0;
    std::int32_t bodySprite = 0;
    // The wheels of the alternative pose, at scale 2.
    std::array<float, 3> alternativeWheels{};
    std::int32_t alternativeWheelCount = 0;
};

// A hull drawn from the sprite package "ship/ship/<tag>/<tag>.pac" loaded into sprite group 4.
class GAME_CShipBodyRenderHull : public GAME_CShipBodyRender {
public:
    explicit GAME_CShipBodyRenderHull(const HullLayout& layout);

    void UpdateVariant() override;
    void DrawBody() override;
    void DrawFront() override;

    // "ship/ship/prot/prot.pac" for "PROT".
    static std::string PackagePath(const char* tag);
    const std::string& GetPackagePath() const { return packagePath_; }
    float GetCoverHeight() const { return coverHeight_; }

private:
    bool HasPackage() const;
    void DrawAlternativeBody();
    void DrawTurretWeapons(float cellHalfWidth, float cellHalfHeight);

    const HullLayout& layout_;
    std::string packagePath_;
    float coverHeight_ = 0.0f;
};

class GAME_CShipBodyRender_shp0 final : public GAME_CShipBodyRenderHull {
public:
    GAME_CShipBodyRender_shp0();
};

class GAME_CShipBodyRender_shp1 final : public GAME_CShipBodyRenderHull {
public:
    GAME_CShipBodyRender_shp1();
};

class GAME_CShipBodyRender_prot final : public GAME_CShipBodyRenderHull {
public:
    GAME_CShipBodyRender_prot();
    bool HasCoverPass() const override { return false; }
};

class GAME_CShipBodyRender_shp3 final : public GAME_CShipBodyRenderHull {
public:
    GAME_CShipBodyRender_shp3();
    bool IsSettledClose() const override { return currentState == kClose && targetState == kClose; }
    bool IsTallHull() const override { return true; }
    float GetViewLimit() const override;
    float GetViewShift(float value) const override;
};

class GAME_CShipBodyRender_shp4 final : public GAME_CShipBodyRenderHull {
public:
    GAME_CShipBodyRender_shp4();
    bool IsSettledClose() const override { return currentState == kClose && targetState == kClose; }
    float GetViewLimit() const override;
    float GetViewShift(float value) const override;
};

// For a tag without a hull: placed beside the grid, draws nothing.
class GAME_CShipBodyRender_null final : public GAME_CShipBodyRender {
public:
    GAME_CShipBodyRender_null() { UpdateVariant(); }
    void UpdateVariant() override;
    void DrawBody() override {}
    void DrawFront() override {}
};

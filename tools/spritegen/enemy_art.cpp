// The enemy sprites, drawn pixel by pixel: a crawler, a drone, the iron scorpion, the strider's parts and the ending's cow.
#include "tools/spritegen/enemy_art.h"

#include <utility>

#include "tools/spritegen/arcade_art.h"

#include <string>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen {
namespace {

using namespace world_palette;

constexpr Rgba kRustDark = Hex(0x6E3820);
constexpr Rgba kIron = Hex(0x4C5660);
constexpr Rgba kIronLight = Hex(0x71808C);
constexpr Rgba kIronDark = Hex(0x30373E);
constexpr Rgba kBrass = Hex(0xC9A24A);
constexpr Rgba kShadow = Hex(0x000000, 80);

// A segmented crawler with legs; frame 1 lifts the other pair of legs.
PixelArt Crawler(int frame)
{
    PixelArt art(40, 24);
    art.Fill(4, 22, 32, 2, kShadow);
    for (int leg = 0; leg < 4; ++leg) {
        const int x = 8 + leg * 7;
        const int lift = (leg + frame) % 2 == 0 ? 0 : 2;
        art.Line(x, 14, x - 2, 21 - lift, kOutline);
    }
    art.OutlinedRoundFill(4, 6, 30, 10, kOutline, kRust);
    art.Fill(6, 8, 26, 2, kRustLight);
    for (int seg = 1; seg < 4; ++seg) art.Fill(5 + seg * 7, 7, 1, 8, kOutline);
    art.OutlinedRoundFill(30, 5, 9, 9, kOutline, kRust);
    art.Dot(35, 8, kRed);
    art.Dot(36, 8, kYellow);
    return art;
}

PixelArt Drone()
{
    PixelArt art(32, 20);
    art.Fill(2, 3, 12, 1, kOutline);
    art.Fill(18, 3, 12, 1, kOutline);
    art.Fill(7, 3, 2, 4, kOutline);
    art.Fill(23, 3, 2, 4, kOutline);
    art.RoundFill(6, 6, 20, 9, kOutline);
    art.Bevel(7, 7, 18, 7, kSteel, kSteelLight, kOutline);
    art.OutlinedDisc(16.0f, 12.5f, 3.0f, kOutline, kRed);
    return art;
}

// A plated iron scorpion with claws to the right and its tail over its back;
// frame 1 raises the tail to strike.
PixelArt Scorpion(int frame)
{
    PixelArt art(72, 48);
    art.Fill(8, 45, 58, 3, kShadow);
    // Legs, four a side, drawn behind the body.
    for (int leg = 0; leg < 4; ++leg) {
        const int x = 20 + leg * 8;
        art.Line(x, 36, x - 5, 45, kOutline);
        art.Line(x + 1, 36, x - 4, 45, kIronDark);
    }
    // Body: three plates.
    art.RoundFill(14, 28, 40, 12, kOutline);
    art.Bevel(15, 29, 38, 10, kIron, kIronLight, kIronDark);
    for (int seam = 1; seam < 3; ++seam) art.Fill(15 + seam * 13, 29, 1, 10, kOutline);
    art.Fill(17, 31, 8, 1, kBrass);
    // Head with two eyes.
    art.OutlinedRoundFill(50, 30, 10, 9, kOutline, kIron);
    art.Dot(56, 33, kRed);
    art.Dot(57, 33, kYellow);
    // Claws: an arm and a pincer.
    for (int claw = 0; claw < 2; ++claw) {
        const int y = 28 + claw * 9;
        art.Line(56, y + 6, 63, y + 2, kOutline);
        art.OutlinedRoundFill(61, y - 2, 10, 7, kOutline, kRust);
        art.Fill(67, y + 1, 4, 1, kOutline);
    }
    // Tail: segments rising from the back, curling forward; the sting at its tip.
    const int lift = frame == 0 ? 0 : 5;
    const int segments[5][2] = {{12, 30}, {8, 24}, {8, 17 - lift / 2}, {13, 12 - lift}, {20, 10 - lift}};
    for (const auto& segment : segments) {
        art.Disc(static_cast<float>(segment[0]), static_cast<float>(segment[1]), 4.5f, kOutline);
        art.Disc(static_cast<float>(segment[0]), static_cast<float>(segment[1]), 3.3f, kIronLight);
    }
    const int stingX = 26;
    const int stingY = 12 - lift;
    art.Line(22, stingY - 1, stingX, stingY + 2, kOutline);
    art.Line(22, stingY, stingX, stingY + 3, kOutline);
    art.Dot(stingX, stingY + 3, kRed);
    return art;
}

// The strider's hull: an armoured box with a hatch and rivets.
PixelArt StriderBody()
{
    PixelArt art(36, 20);
    art.RoundFill(0, 2, 36, 17, kOutline);
    art.Bevel(1, 3, 34, 15, kRust, kRustLight, kRustDark);
    art.Fill(1, 12, 34, 1, kOutline);
    art.OutlinedFill(10, 5, 12, 5, kOutline, kIronLight);
    for (int rivet = 0; rivet < 5; ++rivet) art.Dot(4 + rivet * 7, 15, kBrass);
    art.Fill(14, 0, 8, 3, kOutline);
    return art;
}

// The cannon: a breech on the left (where it turns) and a barrel to the right.
PixelArt StriderGun()
{
    PixelArt art(24, 8);
    art.OutlinedRoundFill(0, 0, 8, 8, kOutline, kIron);
    art.Dot(3, 3, kIronLight);
    art.OutlinedFill(7, 2, 15, 4, kOutline, kSteelLight);
    art.Fill(21, 1, 3, 6, kOutline);
    return art;
}

// The sensor head: a dome with one red eye looking right.
PixelArt StriderHead()
{
    PixelArt art(16, 14);
    art.Fill(6, 11, 4, 3, kOutline);
    art.RoundFill(1, 2, 14, 10, kOutline);
    art.Bevel(2, 3, 12, 8, kIron, kIronLight, kIronDark);
    art.Disc(11.0f, 6.5f, 2.2f, kOutline);
    art.Disc(11.0f, 6.5f, 1.3f, kRed);
    art.Fill(4, 0, 1, 3, kOutline);
    return art;
}

// A leg: a hip joint at the top, a plated shin and a foot at the bottom.
PixelArt StriderLeg()
{
    PixelArt art(10, 28);
    art.Disc(4.5f, 3.5f, 3.5f, kOutline);
    art.Disc(4.5f, 3.5f, 2.2f, kBrass);
    art.OutlinedFill(3, 6, 4, 16, kOutline, kIronLight);
    art.Fill(1, 22, 9, 6, kOutline);
    art.Fill(2, 23, 7, 3, kIron);
    return art;
}

// The strider's own sprite, under its parts: the ground it covers, which is as large as the whole
// walker, with only its shadow drawn.
PixelArt StriderShadow()
{
    PixelArt art(44, 56);
    art.Fill(6, 53, 32, 3, kShadow);
    art.Fill(10, 52, 24, 1, kShadow);
    return art;
}

// The ending's cow, 32 x 24, facing left: 0 standing, 1 head down, 2 grazing, 3 head up, 4 lowing.
enum class CowPose { kStand, kHeadDown, kGrazing, kHeadUp, kLowing };

PixelArt Cow(CowPose pose)
{
    constexpr Rgba kHide = Hex(0xF2EEE6);
    constexpr Rgba kSpot = Hex(0x2B2622);
    constexpr Rgba kMuzzle = Hex(0xE7A9A0);
    PixelArt art(32, 24);
    // Legs, body and its spots, the tail on the right.
    for (const int x : {9, 13, 23, 27}) art.Fill(x, 17, 2, 7, kSpot);
    art.OutlinedRoundFill(7, 7, 24, 12, kSpot, kHide);
    art.Fill(12, 9, 5, 4, kSpot);
    art.Fill(22, 12, 4, 3, kSpot);
    art.Line(30, 9, 31, 16, kSpot);
    const bool down = pose == CowPose::kHeadDown || pose == CowPose::kGrazing;
    const int headY = down ? 12 : pose == CowPose::kStand ? 4 : 2;
    art.OutlinedRoundFill(1, headY, 9, 8, kSpot, kHide);
    art.Fill(2, headY - 1, 2, 2, kHide);  // horns
    art.Fill(7, headY - 1, 2, 2, kHide);
    art.Fill(3, headY + 3, 1, 1, kSpot);  // eye
    art.Fill(1, headY + 5, 5, 3, kMuzzle);
    if (pose == CowPose::kLowing) art.Fill(1, headY + 7, 4, 2, kSpot);
    if (pose == CowPose::kGrazing) {
        for (const int x : {0, 3, 6}) art.Line(x, 23, x + 1, 20, Hex(0x6FA04A));
    }
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawEnemySprites()
{
    std::vector<tools::NamedImage> sprites = {Named("enemy_crawler_01", Crawler(0)),    Named("enemy_crawler_02", Crawler(1)),
            Named("enemy_drone_01", Drone()),         Named("enemy_scorpion_01", Scorpion(0)),
            Named("enemy_scorpion_02", Scorpion(1)),  Named("enemy_strider_body", StriderBody()),
            Named("enemy_strider_gun", StriderGun()), Named("enemy_strider_head", StriderHead()),
            Named("enemy_strider_leg", StriderLeg()), Named("enemy_strider_shadow", StriderShadow())};
    for (auto& sprite : DrawArcadeEnemySprites()) sprites.push_back(std::move(sprite));
    // The cow the rat walks up to at the ending.
    sprites.push_back(Named("cow_01_01", Cow(CowPose::kStand)));
    sprites.push_back(Named("cow_02_01", Cow(CowPose::kHeadDown)));
    sprites.push_back(Named("cow_02_02", Cow(CowPose::kGrazing)));
    sprites.push_back(Named("cow_02_03", Cow(CowPose::kHeadUp)));
    sprites.push_back(Named("cow_02_04", Cow(CowPose::kLowing)));
    return sprites;
}

}  // namespace spritegen

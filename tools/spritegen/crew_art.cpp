// The rat's frames, the grab cursor and the sand pillar's frames, drawn pixel by pixel.
#include "tools/spritegen/crew_art.h"

#include <string>

#include "tools/spritegen/pixel_art.h"

namespace spritegen {
namespace {

constexpr int kRat = 16;

constexpr Rgba kOutline = Hex(0x2A2630);
constexpr Rgba kFur = Hex(0x9C9AA6);
constexpr Rgba kFurLight = Hex(0xC3C1CC);
constexpr Rgba kFurDark = Hex(0x6E6B7A);
constexpr Rgba kPink = Hex(0xF0A0B0);
constexpr Rgba kPinkDark = Hex(0xC46E84);
constexpr Rgba kEye = Hex(0x101014);
constexpr Rgba kWhite = Hex(0xFFFFFF);
constexpr Rgba kScarf = Hex(0xD9503F);
constexpr Rgba kSteel = Hex(0x8E9AA3);
constexpr Rgba kWood = Hex(0x9C6B3F);
constexpr Rgba kGold = Hex(0xF2C94C);
constexpr Rgba kShadow = Hex(0x000000, 70);
constexpr Rgba kSand = Hex(0xD8B878);
constexpr Rgba kSandLight = Hex(0xF0D8A0);
constexpr Rgba kSandDark = Hex(0xA88450);

// What the rat does in a frame.
enum class Pose { kStand, kCarry, kHeld, kHammerUp, kHammerDown };

// A rat facing left with its feet on row 15. `lift` raises the body (a step or
// a breath), `stride` picks the leg positions (0 together, 1 and 2 apart).
PixelArt Rat(int lift, int stride, Pose pose)
{
    PixelArt art(kRat, kRat);
    art.Fill(3, 15, 10, 1, kShadow);
    const int top = 6 - lift;
    // Tail: a pink curl to the right.
    art.Line(12, top + 6, 14, top + 5, kPinkDark);
    art.Line(14, top + 5, 15, top + 3, kPinkDark);
    // Body.
    art.OutlinedRoundFill(5, top + 1, 9, 7, kOutline, kFur);
    art.Fill(7, top + 2, 4, 1, kFurLight);
    art.Fill(6, top + 5, 7, 1, kFurDark);
    // Scarf: every crew member wears the ship's colour.
    art.Fill(5, top + 3, 2, 3, kScarf);
    // Head with a pointed snout and a pink nose.
    art.OutlinedRoundFill(1, top - 1, 6, 5, kOutline, kFur);
    art.Dot(1, top + 2, kOutline);
    art.Dot(0, top + 2, kPink);
    art.Dot(3, top + 1, kEye);
    art.Dot(4, top, kFurLight);
    // Ear.
    art.Fill(4, top - 3, 3, 2, kOutline);
    art.Dot(5, top - 2, kPink);
    // Legs.
    const int legY = top + 8;
    const int legs[3][2] = {{7, 10}, {6, 11}, {8, 9}};
    for (int foot : legs[stride]) art.Fill(foot, legY, 1, 15 - legY, kOutline);
    // Arms and what they hold.
    switch (pose) {
    case Pose::kStand:
        art.Dot(4, top + 4, kFurDark);
        break;
    case Pose::kCarry:  // both paws up, a find shining above the head
        art.Line(4, top + 3, 3, top - 2, kFurDark);
        art.Line(6, top + 3, 7, top - 2, kFurDark);
        art.Disc(5.0f, static_cast<float>(top - 4), 1.6f, kGold);
        art.Dot(5, top - 5, kWhite);
        break;
    case Pose::kHeld:  // both paws stretched up, as when the player lifts it by the scruff
        art.Line(4, top + 3, 3, top - 3, kFurDark);
        art.Line(6, top + 3, 7, top - 3, kFurDark);
        art.Dot(3, top - 3, kPink);
        art.Dot(7, top - 3, kPink);
        break;
    case Pose::kHammerUp:
        art.Line(4, top + 3, 2, top - 1, kFurDark);
        art.Line(2, top - 1, 2, top - 4, kWood);
        art.Fill(0, top - 5, 5, 2, kSteel);
        break;
    case Pose::kHammerDown:
        art.Line(4, top + 3, 2, top + 5, kFurDark);
        art.Line(2, top + 5, 0, top + 5, kWood);
        art.Fill(0, top + 6, 2, 3, kSteel);
        break;
    }
    return art;
}

// The rat on its side; the second frame flat, its eye crossed.
PixelArt RatDown(bool flat)
{
    PixelArt art(kRat, kRat);
    const int top = flat ? 11 : 9;
    const int height = flat ? 4 : 6;
    art.Fill(2, 15, 12, 1, kShadow);
    art.Line(12, top + height - 2, 15, top + height - 1, kPinkDark);
    art.OutlinedRoundFill(4, top, 9, height, kOutline, kFurDark);
    art.RoundFill(0, top + 1, 5, height - 1, kOutline);
    art.Fill(1, top + 2, 3, height - 3, kFur);
    art.Dot(0, top + height - 2, kPink);
    if (flat) {
        art.Dot(2, top + 1, kEye);
        art.Dot(3, top + 2, kEye);
    } else {
        art.Fill(2, top + 2, 2, 1, kEye);
    }
    art.Line(6, top - 1, 9, top - 1, kPinkDark);  // paws in the air
    return art;
}

// A paw that has caught something: shown over a crew member being moved.
PixelArt GrabCursor()
{
    PixelArt art(16, 16);
    art.OutlinedRoundFill(3, 5, 10, 9, kOutline, kWhite);
    for (int finger = 0; finger < 4; ++finger) {
        art.Fill(4 + finger * 2, 3, 2, 4, kOutline);
        art.Fill(5 + finger * 2, 4, 1, 3, kWhite);
    }
    art.Fill(1, 8, 3, 3, kOutline);
    art.Fill(2, 9, 2, 1, kWhite);
    art.Fill(6, 10, 4, 1, kPink);
    return art;
}

// Frame f of 0..5 of a sand pillar: it bursts out of the ground, stands tall,
// then falls apart into drifting grains.
PixelArt SandPillar(int frame)
{
    constexpr int kWidth = 24;
    constexpr int kHeight = 48;
    static constexpr int kHeights[6] = {10, 26, 44, 46, 36, 18};
    PixelArt art(kWidth, kHeight);
    const int height = kHeights[frame];
    const bool breaking = frame >= 4;
    const int width = frame == 0 ? 10 : (breaking ? 16 : 12);
    const int left = (kWidth - width) / 2;
    const int top = kHeight - height;
    art.Fill(2, kHeight - 2, kWidth - 4, 2, kSandDark);
    for (int y = top; y < kHeight; ++y) {
        const int sway = ((y + frame * 3) / 5) % 3 - 1;
        const int rowLeft = left + sway + (y < top + 4 ? 2 : 0);
        const int rowWidth = width - (y < top + 4 ? 4 : 0);
        if (breaking && (y * 7 + frame) % 5 == 0) continue;  // gaps as it comes apart
        art.Fill(rowLeft, y, rowWidth, 1, kSand);
        art.Dot(rowLeft, y, kSandDark);
        art.Dot(rowLeft + rowWidth - 1, y, kSandDark);
        if ((y + frame) % 4 == 0) art.Fill(rowLeft + 2, y, rowWidth / 3, 1, kSandLight);
    }
    if (breaking) {
        for (int grain = 0; grain < 10; ++grain) {
            const int x = (grain * 7 + frame * 5) % kWidth;
            const int y = top - 2 + (grain * 11) % (height / 2 + 2);
            art.Dot(x, y, kSandLight);
        }
    }
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawCrewSprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("rat_stand_01", Rat(0, 0, Pose::kStand)));
    sprites.push_back(Named("rat_stand_02", Rat(1, 0, Pose::kStand)));
    // Scurrying, thrown or held up by the player: paws up, legs kicking.
    sprites.push_back(Named("rat_held_01", Rat(1, 1, Pose::kHeld)));
    sprites.push_back(Named("rat_held_02", Rat(2, 0, Pose::kHeld)));
    sprites.push_back(Named("rat_held_03", Rat(1, 2, Pose::kHeld)));
    sprites.push_back(Named("rat_held_04", Rat(2, 0, Pose::kHeld)));
    sprites.push_back(Named("rat_carry_01", Rat(1, 0, Pose::kCarry)));
    sprites.push_back(Named("rat_repair_01", Rat(0, 0, Pose::kHammerUp)));
    sprites.push_back(Named("rat_repair_02", Rat(0, 0, Pose::kHammerDown)));
    sprites.push_back(Named("rat_down_01", RatDown(false)));
    sprites.push_back(Named("rat_down_02", RatDown(true)));
    // The rat beside the pause menu's quit dialog.
    sprites.push_back(Named("dot_rat3_2", Rat(1, 0, Pose::kStand)));
    sprites.push_back(Named("ui_cursor_grid_catch", GrabCursor()));
    for (int frame = 0; frame < 6; ++frame) {
        sprites.push_back(Named("sandpillar_00" + std::to_string(frame + 1), SandPillar(frame)));
    }
    return sprites;
}

std::vector<tools::NamedImage> DrawArcadeRatSprites()
{
    // The arcade rat: standing, two strides, paws up in the air; two hurt frames; on its side, flat.
    return {Named("dot_rat0_0", Rat(0, 0, Pose::kStand)), Named("dot_rat0_1", Rat(1, 1, Pose::kStand)),
            Named("dot_rat0_2", Rat(1, 2, Pose::kHeld)),  Named("dot_rat2_0", Rat(0, 1, Pose::kHeld)),
            Named("dot_rat2_1", Rat(2, 2, Pose::kHeld)),  Named("dot_rat3_0", RatDown(false)),
            Named("dot_rat3_1", RatDown(true))};
}

tools::NamedImage DrawWorkingRatSprite() { return Named("dot_rat1_0", Rat(0, 0, Pose::kHammerUp)); }

}  // namespace spritegen

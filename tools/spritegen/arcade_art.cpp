// The arcade mini-game's sprites: its package, its enemies, its pick-ups and its scenery.
#include "tools/spritegen/arcade_art.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "tools/artgen/artgen_scenery.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen {
namespace {

using namespace world_palette;

constexpr Rgba kNight = Hex(0x14102A);
constexpr Rgba kDusk = Hex(0x3B2452);
constexpr Rgba kSand = Hex(0xD9A55B);
constexpr Rgba kSandDark = Hex(0xA8733A);
constexpr Rgba kSandLight = Hex(0xF0C98A);
constexpr Rgba kCyan = Hex(0x4FD1C5);
constexpr Rgba kGreen = Hex(0x6CC26A);
constexpr Rgba kPurple = Hex(0x9A5CC6);
constexpr Rgba kCabinet = Hex(0x2A2F36);
constexpr Rgba kCabinetLight = Hex(0x434B55);
constexpr Rgba kGlass = Hex(0xFFFFFF, 18);
constexpr Rgba kScanLine = Hex(0xFFFFFF, 40);
constexpr Rgba kShade = Hex(0x000000, 90);
constexpr Rgba kIronRust = kRust;

// The picture scaled by a factor with box sampling (smooth art, not pixel art).
tools::NamedImage Scaled(const std::string& name, const tools::RgbaImage& source, float factor)
{
    const auto width = static_cast<uint32_t>(std::lround(static_cast<float>(source.width) * factor));
    const auto height = static_cast<uint32_t>(std::lround(static_cast<float>(source.height) * factor));
    tools::RgbaImage image(width, height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const auto x0 = static_cast<uint32_t>(static_cast<float>(x) / factor);
            const auto y0 = static_cast<uint32_t>(static_cast<float>(y) / factor);
            const auto x1 = std::max(x0 + 1, std::min(source.width, static_cast<uint32_t>(static_cast<float>(x + 1) / factor)));
            const auto y1 = std::max(y0 + 1, std::min(source.height, static_cast<uint32_t>(static_cast<float>(y + 1) / factor)));
            float sum[4] = {0, 0, 0, 0};
            float weight = 0;
            for (uint32_t sy = y0; sy < y1 && sy < source.height; ++sy) {
                for (uint32_t sx = x0; sx < x1 && sx < source.width; ++sx) {
                    const uint8_t* p = &source.rgba[(static_cast<std::size_t>(sy) * source.width + sx) * 4];
                    const float a = p[3] / 255.0f;
                    for (int c = 0; c < 3; ++c) sum[c] += p[c] * a;
                    sum[3] += a;
                    weight += 1;
                }
            }
            uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            if (sum[3] > 0) {
                for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(std::lround(sum[c] / sum[3]));
                out[3] = static_cast<uint8_t>(std::lround(255.0f * sum[3] / weight));
            }
        }
    }
    return {name + ".png", std::move(image)};
}

// The top-left part of a picture.
tools::NamedImage Cropped(const std::string& name, const tools::RgbaImage& source, uint32_t width, uint32_t height)
{
    tools::RgbaImage image(width, height);
    for (uint32_t y = 0; y < height && y < source.height; ++y) {
        for (uint32_t x = 0; x < width && x < source.width; ++x) {
            for (int c = 0; c < 4; ++c) {
                image.rgba[(static_cast<std::size_t>(y) * width + x) * 4 + c] = source.rgba[(static_cast<std::size_t>(y) * source.width + x) * 4 + c];
            }
        }
    }
    return {name + ".png", std::move(image)};
}

// The arcade field: a dusk sky in bands, far dunes, and the sand from row 240; the rat's feet are on row 255.
PixelArt Field()
{
    PixelArt art(640, 260);
    // The sky goes down behind the dunes: where the far dunes dip below row 200 it shows through.
    for (int y = 0; y < 260; ++y) {
        const int band = std::min(y / 25, 7);
        const Rgba colours[8] = {kNight, Hex(0x1E1638), Hex(0x2A1B46), kDusk, Hex(0x5A2F5E), Hex(0x83405E), Hex(0xB05A5A), Hex(0xD7805A)};
        art.Fill(0, y, 640, 1, colours[band]);
    }
    for (int star = 0; star < 40; ++star) art.Dot((star * 157) % 640, (star * 37) % 90, kCream);
    // The sun sets at the right, clear of where the ranking and the score entry write over the field.
    art.Disc(566.0f, 176.0f, 30.0f, Hex(0xF5D58A));
    for (int x = 0; x < 640; ++x) {
        const int far = 190 + static_cast<int>(10 * std::sin(x * 0.018) + 5 * std::sin(x * 0.05 + 1.0));
        art.Fill(x, far, 1, 260 - far, Hex(0x8E5A4A));
        const int near = 220 + static_cast<int>(8 * std::sin(x * 0.012 + 2.0) + 3 * std::sin(x * 0.07));
        art.Fill(x, near, 1, 260 - near, kSandDark);
    }
    art.Fill(0, 240, 640, 20, kSand);
    art.Fill(0, 240, 640, 1, kSandLight);
    for (int x = 0; x < 640; x += 23) art.Fill(x, 248 + (x / 23) % 3 * 3, 6, 1, kSandDark);
    return art;
}

PixelArt Round(int w, int h, Rgba body, Rgba light)
{
    PixelArt art(w, h);
    art.OutlinedRoundFill(0, 0, w, h, kOutline, body);
    art.Fill(2, 1, w - 4, 1, light);
    return art;
}

PixelArt Shell()
{
    PixelArt art(10, 10);
    art.OutlinedDisc(4.5f, 4.5f, 4.5f, kOutline, kSteelDark);
    art.Dot(3, 3, kSteelLight);
    art.Dot(4, 3, kSteelLight);
    return art;
}

PixelArt Laser()
{
    PixelArt art(28, 4);
    art.Fill(0, 0, 28, 4, Hex(0x4FD1C5, 120));
    art.Fill(0, 1, 28, 2, kCyan);
    art.Fill(2, 1, 24, 1, kWhite);
    return art;
}

// A HUD icon: a rounded tile with the weapon's silhouette.
PixelArt WeaponIcon(int kind)
{
    PixelArt art(24, 16);
    art.OutlinedRoundFill(0, 0, 24, 16, kOutline, kCabinetLight);
    const Rgba accent[3] = {kYellow, kRustLight, kCyan};
    art.Fill(4, 6, 12, 4, kSteelLight);
    art.Fill(6, 10, 3, 3, kSteel);
    if (kind == 0) {
        art.Fill(16, 7, 5, 1, accent[0]);
        art.Fill(16, 9, 5, 1, accent[0]);
    } else if (kind == 1) {
        art.OutlinedDisc(18.0f, 8.0f, 3.5f, kOutline, accent[1]);
    } else {
        art.Fill(16, 7, 6, 2, accent[2]);
    }
    return art;
}

// Pixel letters of a 3 x 5 font, scaled by a factor, with a dark rim.
PixelArt Word(const std::string& text, Rgba colour, int factor)
{
    static const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!";
    static const char* kGlyphs[] = {
        "010101111101101", "110101110101110", "011100100100011", "110101101101110", "111100110100111",
        "111100110100100", "011100101101011", "101101111101101", "111010010010111", "001001001101010",
        "101101110101101", "100100100100111", "101111111101101", "110101101101101", "010101101101010",
        "110101110100100", "010101101111011", "110101110101101", "011100010001110", "111010010010010",
        "101101101101111", "101101101101010", "101101111111101", "101101010101101", "101101010010010",
        "111001010100111", "010010010000010"};
    const int advance = 4 * factor;
    PixelArt art(static_cast<int>(text.size()) * advance + 2, 5 * factor + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto found = kLetters.find(text[i]);
        if (found == std::string::npos) continue;
        const char* glyph = kGlyphs[found];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (glyph[row * 3 + col] != '1') continue;
                const int x = 1 + static_cast<int>(i) * advance + col * factor;
                const int y = 1 + row * factor;
                art.Fill(x - 1, y - 1, factor + 2, factor + 2, kOutline);
            }
        }
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (glyph[row * 3 + col] == '1') art.Fill(1 + static_cast<int>(i) * advance + col * factor, 1 + row * factor, factor, factor, colour);
            }
        }
    }
    return art;
}

PixelArt Panel()
{
    PixelArt art(640, 100);
    art.Bevel(0, 0, 640, 100, kCabinet, kCabinetLight, kOutline);
    for (int x = 10; x < 640; x += 40) art.Fill(x, 92, 20, 2, kCabinetLight);
    art.Fill(0, 0, 640, 3, Hex(0x111418));
    return art;
}

PixelArt Keyhole()
{
    PixelArt art(14, 22);
    art.OutlinedRoundFill(0, 0, 14, 22, kOutline, kSteel);
    art.Disc(6.5f, 7.0f, 3.0f, kOutline);
    art.Fill(5, 8, 3, 8, kOutline);
    return art;
}

PixelArt CoinSlot()
{
    PixelArt art(40, 16);
    art.OutlinedRoundFill(0, 0, 40, 16, kOutline, kSteelDark);
    art.Fill(18, 3, 4, 10, kOutline);
    art.Fill(17, 2, 6, 1, kRed);
    return art;
}

PixelArt PushBar()
{
    PixelArt art(110, 12);
    art.OutlinedRoundFill(0, 0, 110, 12, kOutline, kRed);
    art.Fill(3, 2, 104, 2, Hex(0xF08080));
    return art;
}

PixelArt StickCover()
{
    PixelArt art(56, 34);
    art.OutlinedRoundFill(0, 0, 56, 34, kOutline, kSteelDark);
    art.Disc(27.5f, 17.0f, 9.0f, kOutline);
    return art;
}

PixelArt Stick()
{
    PixelArt art(20, 44);
    art.Fill(8, 14, 4, 30, kSteelLight);
    art.Fill(11, 14, 1, 30, kSteel);
    art.OutlinedDisc(9.5f, 8.5f, 8.5f, kOutline, kRed);
    art.Disc(7.0f, 6.0f, 2.5f, Hex(0xF08080));
    return art;
}

// Copies a picture's visible pixels onto another at (x, y).
void Stamp(PixelArt& target, const PixelArt& source, int x, int y)
{
    const tools::RgbaImage& image = source.Image();
    for (int row = 0; row < source.Height(); ++row) {
        for (int col = 0; col < source.Width(); ++col) {
            const uint8_t* pixel = &image.rgba[(static_cast<std::size_t>(row) * static_cast<std::size_t>(source.Width()) + static_cast<std::size_t>(col)) * 4];
            if (pixel[3] != 0) target.Dot(x + col, y + row, {pixel[0], pixel[1], pixel[2], pixel[3]});
        }
    }
}

// A raised plate under a button with the button's word below it. The cabinet places each plate's
// sprite by its corner, some way left of its button, so the plate stands where the button does
// (its centre at the sprite's x = plateLeft + 42) and the rest of the sprite is clear.
PixelArt ButtonPlate(int width, int plateLeft, const std::string& word)
{
    constexpr int kPlate = 84;
    PixelArt art(width, 100);
    art.Bevel(plateLeft, 8, kPlate, kPlate, kCabinetLight, Hex(0x59626D), kOutline);
    const PixelArt label = Word(word, kCream, 2);
    Stamp(art, label, plateLeft + (kPlate - label.Width()) / 2, 72);
    return art;
}

PixelArt Button(Rgba colour, bool pressed)
{
    PixelArt art(46, 46);
    art.OutlinedDisc(22.5f, 24.5f, 21.0f, kOutline, kOutline);
    const float top = pressed ? 24.5f : 21.5f;
    art.OutlinedDisc(22.5f, top, 19.0f, kOutline, colour);
    art.Disc(17.0f, top - 6.0f, 5.0f, Hex(0xFFFFFF, pressed ? 40 : 90));
    return art;
}

PixelArt Adjustment()
{
    PixelArt art(640, 260);
    art.Fill(0, 0, 640, 260, kGlass);
    for (int y = 0; y < 260; y += 3) art.Fill(0, y, 640, 1, Hex(0x000000, 18));
    return art;
}

PixelArt ScanLine()
{
    PixelArt art(640, 40);
    for (int y = 0; y < 40; ++y) art.Fill(0, y, 640, 1, Hex(0xFFFFFF, static_cast<uint8_t>(y * 40 / 40 / 2 + 2)));
    art.Fill(0, 38, 640, 2, kScanLine);
    return art;
}

PixelArt Cheese()
{
    PixelArt art(18, 14);
    art.Fill(1, 4, 16, 9, kOutline);
    art.Fill(2, 5, 14, 7, kYellow);
    art.Line(1, 4, 11, 0, kOutline);
    art.Line(11, 0, 17, 4, kOutline);
    art.Fill(4, 3, 10, 2, kYellow);
    art.Disc(6.0f, 8.0f, 1.5f, Hex(0xC9A24A));
    art.Disc(12.0f, 9.0f, 1.2f, Hex(0xC9A24A));
    return art;
}

PixelArt CheeseSymbol()
{
    PixelArt art = ItemSymbolBadge(kYellow);
    art.Fill(4, 7, 8, 4, kYellow);
    art.Line(4, 7, 9, 4, kYellow);
    art.Dot(6, 9, kSandDark);
    return art;
}

PixelArt ShieldSymbol()
{
    PixelArt art = ItemSymbolBadge(kBlue);
    art.Fill(5, 4, 6, 5, kCyan);
    art.Line(5, 9, 8, 12, kCyan);
    art.Line(10, 9, 8, 12, kCyan);
    return art;
}

PixelArt WeaponSymbol(int kind)
{
    const Rgba rims[3] = {kYellow, kRustLight, kCyan};
    PixelArt art = ItemSymbolBadge(rims[kind]);
    art.Fill(4, 6, 6, 3, kSteelLight);
    art.Fill(5, 9, 2, 2, kSteelLight);
    art.Fill(10, 7, 3, 1, rims[kind]);
    return art;
}

PixelArt ShieldOrb()
{
    PixelArt art(10, 10);
    art.Disc(4.5f, 4.5f, 4.5f, Hex(0x4FD1C5, 160));
    art.Disc(4.5f, 4.5f, 2.5f, kWhite);
    return art;
}

// Enemies face left like the rat, feet on the bottom row.
// Tall enough, ears up, for the rat's shots to meet it at their height.
PixelArt Hopper(int frame)
{
    PixelArt art(28, 32);
    const int lift = frame == 0 ? 0 : 4;
    art.Fill(4, 30, 20, 2, Hex(0x000000, 70));
    art.OutlinedRoundFill(6, 2 - lift / 2, 5, 9, kOutline, kGreen);
    art.OutlinedRoundFill(17, 2 - lift / 2, 5, 9, kOutline, kGreen);
    art.OutlinedRoundFill(3, 8 - lift, 22, 20, kOutline, kGreen);
    art.Fill(6, 10 - lift, 16, 2, Hex(0x9BE09A));
    art.Dot(8, 14 - lift, kWhite);
    art.Dot(9, 14 - lift, kOutline);
    art.Line(8, 27 - lift, 5, 31, kOutline);
    art.Line(20, 27 - lift, 23, 31, kOutline);
    return art;
}

PixelArt Walker(int frame)
{
    PixelArt art(36, 36);
    art.Fill(6, 34, 24, 2, Hex(0x000000, 70));
    const int stride = frame == 1 ? 3 : 0;
    art.Fill(12 - stride, 26, 3, 9, kOutline);
    art.Fill(22 + stride, 26, 3, 9, kOutline);
    art.OutlinedRoundFill(8, 8, 22, 20, kOutline, kPurple);
    art.Fill(10, 10, 18, 2, Hex(0xC49AE6));
    art.Fill(11, 14, 5, 3, kYellow);
    if (frame == 2) {  // the swipe: a claw thrown forward
        art.Line(8, 18, 0, 14, kOutline);
        art.Fill(0, 12, 4, 5, kRed);
    } else {
        art.Line(9, 18, 5, 22, kOutline);
    }
    return art;
}

PixelArt Heavy(int frame)
{
    PixelArt art(52, 44);
    art.Fill(4, 41, 44, 3, Hex(0x000000, 80));
    art.Fill(8, 32, 36, 10, kOutline);
    for (int wheel = 0; wheel < 4; ++wheel) art.OutlinedDisc(12.5f + wheel * 9.0f, 37.5f, 4.0f, kOutline, kSteel);
    art.OutlinedRoundFill(6, 12, 40, 22, kOutline, kIronRust);
    art.Fill(8, 14, 36, 3, kRustLight);
    const int recoil = frame == 1 ? 3 : 0;
    art.Fill(0 + recoil, 16, 12, 6, kOutline);
    art.Fill(1 + recoil, 17, 10, 4, kSteelLight);
    art.Dot(30, 20, kRed);
    return art;
}

// Arcade enemies are drawn facing left and packed facing right, as the field's enemies face.
tools::NamedImage FacingRight(const std::string& name, const PixelArt& art)
{
    tools::NamedImage named = Named(name, art);
    tools::RgbaImage& image = named.image;
    for (uint32_t y = 0; y < image.height; ++y) {
        for (uint32_t x = 0; x < image.width / 2; ++x) {
            const std::size_t a = (static_cast<std::size_t>(y) * image.width + x) * 4;
            const std::size_t b = (static_cast<std::size_t>(y) * image.width + (image.width - 1 - x)) * 4;
            for (int c = 0; c < 4; ++c) std::swap(image.rgba[a + c], image.rgba[b + c]);
        }
    }
    return named;
}

PixelArt SizeFrame()
{
    PixelArt art(32, 32);
    art.OutlinedRoundFill(6, 10, 20, 20, kOutline, kSteel);
    art.Fill(8, 12, 16, 2, kSteelLight);
    return art;
}

}  // namespace

PixelArt ItemSymbolBadge(Rgba rim)
{
    PixelArt art(16, 16);
    art.OutlinedDisc(7.5f, 7.5f, 7.5f, kOutline, rim);
    art.Disc(7.5f, 7.5f, 5.5f, kCabinet);
    return art;
}

std::vector<tools::NamedImage> DrawArcadeSprites()
{
    std::vector<tools::NamedImage> sprites;
    auto add = [&](const std::string& name, const PixelArt& art) { sprites.push_back(Named(name, art)); };
    add("minigame_bg", Field());
    add("minigame_bullet", Round(8, 4, kYellow, kWhite));
    add("minigame_shell", Shell());
    add("minigame_laser", Laser());
    add("ui_minigame_weapon_machingun", WeaponIcon(0));
    add("ui_minigame_weapon_canon", WeaponIcon(1));
    add("ui_minigame_weapon_lazer", WeaponIcon(2));
    sprites.push_back(Cropped("ui_minigame_frame", artgen::DrawMiniGameFrame(), 60, 200));
    add("ui_minigame_bg_controller", Panel());
    add("ui_minigame_keyhole", Keyhole());
    add("ui_minigame_insertcoin", CoinSlot());
    add("ui_minigame_pushbar", PushBar());
    add("ui_minigame_stick_cover", StickCover());
    add("ui_minigame_stick", Stick());
    // The right-hand plate holds the jump button 131 units right of its corner; the left-hand one
    // the fire button 19 units right of its own.
    add("ui_minigame_button_frame_left", ButtonPlate(200, 112, "JUMP"));
    add("ui_minigame_button_frame_right", ButtonPlate(84, 0, "FIRE"));
    add("ui_minigame_button_left", Button(kRed, false));
    add("ui_minigame_button_left_touch", Button(kRed, true));
    add("ui_minigame_button_right", Button(kBlue, false));
    add("ui_minigame_button_right_touch", Button(kBlue, true));
    add("ui_minigame_adjustment", Adjustment());
    add("ui_minigame_scan", ScanLine());
    sprites.push_back(Scaled("ui_minigame_title", artgen::DrawMiniGameTitleLogo(), 1.5f));
    sprites.push_back(Scaled("ui_minigame_copyright", artgen::DrawMiniGameLicence(), 0.8f));
    add("ui_minigame_cheese", Cheese());
    sprites.push_back(Scaled("ui_minigame_text_gameover", artgen::DrawMiniGameGameOver(), 0.75f));
    add("ui_minigame_text_insertcoin", Word("INSERT COIN", kYellow, 2));
    add("ui_minigame_text_score", Word("SCORE", kCyan, 2));
    add("ui_minigame_text_time", Word("TIME", kCyan, 2));
    add("ui_minigame_text_life", Word("LIFE", kCyan, 2));
    add("ui_minigame_text_weapon", Word("WEAPON", kCyan, 2));
    add("ui_minigame_text_pushenter", Word("PUSH ENTER", kYellow, 2));
    return sprites;
}

std::vector<tools::NamedImage> DrawArcadeEnemySprites()
{
    return {Named("enemy_07_11", SizeFrame()),
            FacingRight("enemy_arcade_hopper_01", Hopper(0)),
            FacingRight("enemy_arcade_hopper_02", Hopper(1)),
            FacingRight("enemy_arcade_walker_01", Walker(0)),
            FacingRight("enemy_arcade_walker_02", Walker(1)),
            FacingRight("enemy_arcade_walker_03", Walker(2)),
            FacingRight("enemy_arcade_heavy_01", Heavy(0)),
            FacingRight("enemy_arcade_heavy_02", Heavy(1))};
}

std::vector<tools::NamedImage> DrawArcadeItemSymbols()
{
    return {Named("dot_itemsymbol_03", CheeseSymbol()),   Named("dot_itemsymbol_88", ShieldOrb()),
            Named("dot_itemsymbol_112", WeaponSymbol(0)), Named("dot_itemsymbol_113", WeaponSymbol(1)),
            Named("dot_itemsymbol_114", WeaponSymbol(2)), Named("dot_itemsymbol_126", ShieldSymbol())};
}

// The near view lies over the whole play field, rat and enemies included, so it keeps to the field's
// foot: a lip of darker sand from the ground line down (row 31 is the field's row 255) with low stakes
// and tufts that hide no more than feet. It repeats every 320 units.
tools::NamedImage DrawArcadeNearView()
{
    constexpr int kGroundRow = 31;
    PixelArt art(320, 36);
    for (int x = 0; x < 320; ++x) {
        const int top = kGroundRow + static_cast<int>(std::lround(1.0 + std::sin(x * 2 * 3.14159265 / 320.0) * std::sin(x * 10 * 3.14159265 / 320.0)));
        art.Fill(x, top, 1, 36 - top, Hex(0x6E4A2E));
        art.Dot(x, top, Hex(0x8E6A46));
    }
    for (int x = 7; x < 320; x += 41) art.Fill(x, kGroundRow - 3, 3, 8, kShade);
    for (int x = 27; x < 320; x += 53) {
        art.Line(x, kGroundRow, x - 2, kGroundRow - 3, Hex(0x7A8A3A));
        art.Line(x + 1, kGroundRow, x + 1, kGroundRow - 4, Hex(0x7A8A3A));
        art.Line(x + 2, kGroundRow, x + 4, kGroundRow - 3, Hex(0x7A8A3A));
    }
    return Named("nearview_1_1", art);
}

}  // namespace spritegen

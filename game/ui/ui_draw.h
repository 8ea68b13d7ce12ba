// What every widget and screen shares: UI sprites by name, sprite and text draws, sound effects, pointer tests.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/graphics/polygon_render.h"
#include "framework/math/vector.h"

namespace vesk::resource {
class SYS_CTexture;
}

// The UI sprite package's group.
inline constexpr int kUISpriteGroup = 2;
inline constexpr std::int32_t kNoSprite = -1;
// Canvas size every view of the UI is laid out on.
inline constexpr float kCanvasWidth = 640.0f;
inline constexpr float kCanvasHeight = 360.0f;
// Shared sound effects of the screens.
inline constexpr std::int32_t kSeUIDecide = 0;
inline constexpr std::int32_t kSeUICancel = 2;
inline constexpr std::int32_t kSeUIError = 4;
inline constexpr std::int32_t kSeUICursor = 58;
// Entries of the UI colour table the screens share: a usable button and a greyed one, ordinary text
// and dimmed text (a choice that cannot be taken, a locked or unknown entry), the tint of the chosen
// row, and a material or ingredient the stores are short of.
inline constexpr int kUIColorUsable = 0;
inline constexpr int kUIColorGreyed = 1;
inline constexpr int kUIColorText = 4;
inline constexpr int kUIColorDimText = 5;
inline constexpr int kUIColorHighlight = 6;
inline constexpr int kUIColorShort = 7;
// The grey of disabled things outside the colour table.
inline constexpr std::uint32_t kUIGrey = 0xFF808080u;
inline constexpr std::uint32_t kUIWhite = 0xFFFFFFFFu;
// White without alpha: a picture that keeps its place but is not seen.
inline constexpr std::uint32_t kUIHidden = 0x00FFFFFFu;
// The text colour of a message line's kind, as the ticker and the message log draw it: kind 0 and
// any kind outside 1..4 take ordinary text's.
std::uint32_t UILineKindColor(std::int64_t kind);
// The lines of the room windows' lists and panels stand 18 units apart; a list row's pointer
// rectangle is 152 by 17 units.
inline constexpr float kUILineStep = 18.0f;
inline constexpr vesk::math::Vec2 kUIRowHitSize{152.0f, 17.0f};

// Index of the named sprite in the UI group, -1 when absent (or no sprite registry).
std::int32_t FindUISprite(std::string_view name);
// The sprite of an index of the UI group, null for -1 or an index it does not hold.
vesk::resource::SYS_CTexture* GetUISprite(std::int32_t index);
// Width and height of a UI sprite in canvas units; (0, 0) when it does not exist.
vesk::math::Vec2 UISpriteSize(std::int32_t index);

// Makes the UI group current for sprite draws (nothing when it already is).
void BeginUISprites();
// Flushes the sprites queued so far and forgets the current group.
void FlushUISprites();
// Draws a UI sprite with the given draw parameters; the renderer's parameters go back to their defaults.
void DrawUISprite(vesk::math::Vec2 position, std::int32_t index, const vesk::graphics::DrawParam& param);
// The same with scale 1, the colour given and the pivot at the top-left corner.
void DrawUISprite(vesk::math::Vec2 position, std::int32_t index, std::uint32_t color = kUIWhite);
// A sprite of another sprite group (-1: a texture by its id) with the draw parameters, drawn at once;
// the UI group is made current again by the next UI sprite.
void DrawGroupSprite(int group, vesk::math::Vec2 position, std::int32_t index, const vesk::graphics::DrawParam& param);
// One filled rectangle of the untextured renderer.
void DrawUIRect(vesk::math::Vec2 position, vesk::math::Vec2 size, std::uint32_t color);

// Until ClearUIClip, draws change only the canvas pixels inside the rectangle; what was drawn
// before is drawn unclipped.
void ClipUIDraws(vesk::math::Vec2 position, vesk::math::Vec2 size);
void ClearUIClip();

// A text drawn literally ("%" is a character) in the player's font, at whole canvas units.
// A font slot of -1 is the player's font.
void DrawUIText(vesk::math::Vec2 position, std::u16string_view text, std::uint32_t color, float scale = 1.0f,
                int fontSlot = -1);
// Width of a text in the player's font.
float MeasureUIText(std::u16string_view text);
// Width of a text in the font of a slot (-1 is the player's font).
float MeasureUIText(std::u16string_view text, int fontSlot);
// Line height of the player's font (cell height times the font's size).
float UILineHeight();
// The player's font slot.
int UIFontSlot();
// The slot to draw a text kept since it was written in a language: the player's font while that
// language is in force, else a font that still holds its characters.
int UIFontSlotForTextIn(std::uint32_t language);
// The language the player's texts are in now.
std::uint32_t UITextLanguage();

// A sound effect through the game's sound player; ids of 63 and above (and negative ones) play nothing.
void PlayUISE(std::int32_t id, float factor = 1.0f);

// A pointer pressed this frame inside the rectangle (bounds included); never while the ship departs
// or arrives.
bool IsUIClickInRect(vesk::math::Vec2 topLeft, vesk::math::Vec2 bottomRight);
// Which of a window's list rows (`count` of them a line step apart, the first's pointer rectangle of
// `size` at topLeft) a pointer pressed this frame, as IsUIClickInRect; -1 for none.
std::int32_t ClickedUIListRow(vesk::math::Vec2 topLeft, std::int32_t count, vesk::math::Vec2 size = kUIRowHitSize);
// A pointer held inside the rectangle; never while the ship departs or arrives.
bool IsUIHeldInRect(vesk::math::Vec2 topLeft, vesk::math::Vec2 bottomRight);
// A pointer down inside the rectangle: pressed this frame or held since. What acts for as long as
// the pointer stays down reads this, not the held test alone: a click pressed and released within
// one frame is down for its press frame only, and never held.
bool IsUIDownInRect(vesk::math::Vec2 topLeft, vesk::math::Vec2 bottomRight);
// Any pointer standing inside the rectangle, pressed or not (the mouse hovering).
bool IsUIPointerOverRect(vesk::math::Vec2 topLeft, vesk::math::Vec2 bottomRight);
// Any pointer held anywhere.
bool IsAnyUIPointerHeld();
// Where the first pointer pressed (else held) stands; (-100, -100) when there is none.
vesk::math::Vec2 FirstUIPointerPosition();
// A pointer pressed this frame within the radius of the centre.
bool IsUIClickInCircle(vesk::math::Vec2 centre, float radius);
// A pointer down within the radius of the centre: pressed this frame or held since (see IsUIDownInRect).
bool IsUIDownInCircle(vesk::math::Vec2 centre, float radius);
// The wheel's notches of this frame (positive away from the player).
std::int32_t UIWheelSteps();
// The input map's menu slots: the four directions the cursor keys, the pad and the stick move in.
enum UIMenuSlot : int { kUIMenuUp = 0, kUIMenuDown = 1, kUIMenuLeft = 2, kUIMenuRight = 3 };
// The input map's action tests and menu slots, false without an input map.
bool IsUIActionTriggered(int action);
bool IsUIActionHeld(int action);
bool IsUIActionRepeated(int action);
bool IsUIMenuSlot(int mode, int slot);
// A menu slot pressed this frame, or with `repeats` also repeating while it is held.
bool IsUIMenuPressed(int slot, bool repeats = false);
// The ship's travel state refuses pointer presses while it departs (1) or arrives (3).
bool IsUIPointerRefused();

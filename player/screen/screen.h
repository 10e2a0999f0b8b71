#pragma once
// The player's 640 × 480 picture and the off-screen pictures it is rebuilt from:
// the background CG, the character with its mask, and the darkened copies of
// novel mode. Only drawing lives here; the loops that pace it (typing, effects,
// prompts) belong to the interpreter, which sleeps and pumps events between steps.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/zorvex.h"
#include "player/screen/picture.h"

namespace pryx::player {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;

// The fonts text is drawn in, by pixel size so that nothing depends on the screen's DPI.
enum class TextFont {
  Message,       // normal-mode messages and the "▼" prompt (ＭＳ 明朝, 9 point)
  NovelMessage,  // novel-mode messages (22 point)
  NovelChoice,   // novel-mode choices (24 point)
};

// Point sizes at 96 dots per inch, so that text is laid out the same on every screen.
constexpr int pixelSizeForPoints(int points) { return (points * 96 + 36) / 72; }
int pointsOf(TextFont font);

// Reads a BMP or JPEG file (recognised by its contents) as 32-bit pixels. A missing
// file, a file that is not a picture of those formats, or one too large to be a game
// picture (over 8192 pixels a side or 16 million pixels) gives an empty picture.
Picture loadPicture(const std::string& path);
// The same for a file's bytes already in memory.
Picture decodePicture(std::span<const std::uint8_t> bytes);

class Screen {
 public:
  // A screen that does not draw has no picture (its surface is empty) and skips all
  // pixel work: for runs that need the interpreter's course but no pixels.
  explicit Screen(bool draws = true);

  // The persistent window picture; what the window shows on refresh. Empty on a
  // screen that does not draw.
  const Picture& picture() const { return picture_; }
  // The window picture as the display library's device context.
  ZorvexSurface surface();

  void clear();  // the whole window picture black

  // Background. showCg makes `cg` the CG copy, draws it stretched to 640 × 480 and
  // clears the darkened mark; removeCg empties the CG copy (the mark stays).
  void showCg(Picture cg);
  void removeCg();
  void drawCg();    // stretches the CG copy onto the window picture
  void darkenCg();  // novel mode: every channel of the CG copy down by 64, sets the mark
  bool cgDarkened() const { return cgDarkened_; }

  // Character. `transparentColour` is -1 (take the bottom-left pixel's colour) or
  // blue + 256·green + 65536·red. The dark image is built only in novel mode.
  void loadCharacter(Picture character, std::int32_t transparentColour, bool novelMode);
  void paintCharacter();      // mask with AND, image with OR, stretched to 640 × 480
  void paintDarkCharacter();  // the same with the dark image
  // False before the first character and after a character file that could not be
  // read: the paint functions then draw nothing (and the window needs no refresh).
  bool characterLoaded() const { return characterLoaded_; }

  // Rebuilds the picture for a new page of text (does not refresh). Novel mode: the
  // darkened CG and dark character, or black while the CG is not darkened. Normal
  // mode: the CG (black without one) and the character.
  void formRedraw(bool novelMode, bool cgShown, bool characterShown);

  // Transition effects that black the old picture out, one step at a time.
  static int effectStepCount(int effect);  // 0 for effects that just clear
  void drawEffectStep(int effect, int step);

  // Draws text with its cell's top-left corner at (x, y); two-colour, no antialiasing.
  void drawText(std::u32string_view text, int x, int y, Colour colour, TextFont font);

 private:
  bool draws_;
  Picture picture_;
  Picture cg_;
  bool cgDarkened_ = false;
  bool characterLoaded_ = false;
  Picture characterImage_;
  Picture characterMask_;
  Picture characterDark_;
};

// Every half-width character (ASCII and half-width katakana) replaced by its
// full-width form; CR and LF stay. The result holds one character per element.
std::u32string toFullWidth(std::string_view utf8);

// Novel-mode text: 30 pixels a character from x = 5, a new row once x passes 610,
// rows 29 pixels apart; a row wrapped by width starts at x = 0.
inline constexpr int kNovelTextLeft = 5;
inline constexpr int kNovelTextTop = 5;
inline constexpr int kNovelCharacterStep = 30;
inline constexpr int kNovelRightLimit = 610;
inline constexpr int kNovelWrapLeft = 0;
inline constexpr int kNovelLineHeight = 29;

// Messages break lines only at CR LF; a lone CR or LF is drawn like any character.
inline bool isLineBreakAt(std::u32string_view text, std::size_t i) {
  return text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n';
}

// Novel mode plans its pages before typing so that the choices that follow fit on
// the last page: page `lastFullPage` (from 0) breaks before its line `breakLine`
// (from 1). A last page too short for the choices is already accounted for: 12 rows
// give page 0, line 8.
struct NovelPagePlan {
  int lastFullPage = 0;  // P
  int breakLine = 0;     // B
};
NovelPagePlan planNovelPages(std::u32string_view fullWidthText);

}  // namespace pryx::player

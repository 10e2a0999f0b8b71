#include "player/screen/screen.h"
#include "player/screen/screen_fonts.h"

namespace pryx::player {

void Screen::drawText(std::u32string_view text, int x, int y, Colour colour, TextFont font) {
  if (!draws_) return;
  GlyphFont* face = glyphFontFor(font);
  if (!face) return;
  const Pixel ink = colour.pixel();
  // (x, y) is the top of the character cell; glyphs hang from the baseline.
  const int baseline = y + face->ascent();
  int pen = x;
  for (char32_t character : text) {
    const Glyph& glyph = face->glyph(character);
    const int left = pen + glyph.left;
    const int top = baseline - glyph.top;
    for (int row = 0; row < glyph.rows; ++row) {
      const int targetY = top + row;
      if (targetY < 0 || targetY >= picture_.height()) continue;
      Pixel* target = picture_.row(targetY);
      const std::uint8_t* source = glyph.ink.data() + static_cast<std::size_t>(row * glyph.width);
      for (int column = 0; column < glyph.width; ++column) {
        const int targetX = left + column;
        if (source[column] && targetX >= 0 && targetX < picture_.width()) target[targetX] = ink;
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace pryx::player

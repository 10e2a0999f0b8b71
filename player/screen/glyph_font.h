#pragma once
// One font file at one pixel size, drawn in two colours: FreeType's monochrome
// rendering with the font's hinting, each glyph rendered once and kept.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace pryx::player {

struct Glyph {
  int left = 0;     // from the pen position to the first column
  int top = 0;      // from the baseline up to the first row
  int width = 0;
  int rows = 0;
  int advance = 0;  // whole pixels to the next pen position
  std::vector<std::uint8_t> ink;  // width × rows, 1 where the glyph is drawn
};

class GlyphFont {
 public:
  // Null, with the reason in `error`, when the file is missing or no font.
  static std::unique_ptr<GlyphFont> open(const std::string& path, int pixelSize, std::string& error);
  ~GlyphFont();
  GlyphFont(const GlyphFont&) = delete;
  GlyphFont& operator=(const GlyphFont&) = delete;

  int ascent() const { return ascent_; }  // whole pixels from a cell's top to its baseline
  // A character the font lacks gives its empty "missing" glyph.
  const Glyph& glyph(char32_t character);

 private:
  struct Face;
  GlyphFont(std::unique_ptr<Face> face, int ascent);

  std::unique_ptr<Face> face_;
  int ascent_;
  std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace pryx::player

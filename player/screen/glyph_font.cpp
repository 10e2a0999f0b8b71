#include "player/screen/glyph_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace pryx::player {
namespace {

// One library for every font of the process; the engine draws on one thread.
FT_Library library() {
  static FT_Library shared = [] {
    FT_Library created = nullptr;
    return FT_Init_FreeType(&created) == 0 ? created : nullptr;
  }();
  return shared;
}

int wholePixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }  // 26.6 fixed point, rounded

}  // namespace

struct GlyphFont::Face {
  FT_Face face = nullptr;
  ~Face() {
    if (face) FT_Done_Face(face);
  }
};

GlyphFont::GlyphFont(std::unique_ptr<Face> face, int ascent) : face_(std::move(face)), ascent_(ascent) {}
GlyphFont::~GlyphFont() = default;

std::unique_ptr<GlyphFont> GlyphFont::open(const std::string& path, int pixelSize, std::string& error) {
  auto face = std::make_unique<Face>();
  if (!library() || FT_New_Face(library(), path.c_str(), 0, &face->face) != 0) {
    face->face = nullptr;
    error = "cannot read the font file " + path;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(face->face) || FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    error = "the font file " + path + " holds no scalable font";
    return nullptr;
  }
  // The design ascender at this size, rounded; FreeType's own size metrics round up.
  const int ascent = wholePixels(FT_MulFix(face->face->ascender, face->face->size->metrics.y_scale));
  return std::unique_ptr<GlyphFont>(new GlyphFont(std::move(face), ascent));
}

const Glyph& GlyphFont::glyph(char32_t character) {
  auto [found, added] = glyphs_.try_emplace(character);
  Glyph& glyph = found->second;
  if (!added) return glyph;
  FT_Face face = face_->face;
  if (FT_Load_Char(face, character, FT_LOAD_TARGET_MONO) != 0 ||
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
    return glyph;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.advance = wholePixels(slot->advance.x);
  glyph.ink.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows));
  for (int y = 0; y < glyph.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x)
      glyph.ink[static_cast<std::size_t>(y * glyph.width + x)] = row[x / 8] >> (7 - x % 8) & 1;
  }
  return glyph;
}

}  // namespace pryx::player

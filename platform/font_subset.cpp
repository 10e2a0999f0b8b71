#include "platform/font_subset.h"

#include <memory>
#include <set>

#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/utf8.h"

#ifdef PRYX_HAVE_HARFBUZZ_SUBSET
#include <hb-subset.h>
#endif

namespace pryx::platform {
namespace {

struct CharacterRange {
  char32_t first;
  char32_t last;
};

constexpr CharacterRange kAlwaysShown[] = {
    {U' ', U'~'},            // ASCII
    {U'\u3000', U'\u30FF'},  // Japanese punctuation, hiragana, katakana
    {U'\uFF00', U'\uFFEF'},  // full-width and half-width forms
    {U'▼', U'▼'},            // the page prompt
};

#ifdef PRYX_HAVE_HARFBUZZ_SUBSET
template <typename T, void (*Destroy)(T*)>
struct Deleter {
  void operator()(T* pointer) const { Destroy(pointer); }
};
using Blob = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
using Face = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
using SubsetInput = std::unique_ptr<hb_subset_input_t, Deleter<hb_subset_input_t, hb_subset_input_destroy>>;
#endif

}  // namespace

std::vector<char32_t> charactersOfGameFile(std::span<const std::uint8_t> gameFile) {
  std::set<char32_t> characters;
  for (const CharacterRange& range : kAlwaysShown) {
    for (char32_t c = range.first; c <= range.last; ++c) characters.insert(c);
  }
  for (std::size_t at = 0; at + 1 < gameFile.size(); ++at) {
    if (!isSjisLeadByte(gameFile[at])) continue;
    bool invalid = false;
    std::string utf8 = decodeSjis({reinterpret_cast<const char*>(gameFile.data() + at), 2}, &invalid);
    if (invalid) continue;
    for (char32_t c : decodeUtf8(utf8)) characters.insert(c);
  }
  return {characters.begin(), characters.end()};
}

#ifndef PRYX_HAVE_HARFBUZZ_SUBSET
std::optional<std::vector<std::uint8_t>> subsetFont(const std::string& fontPath, std::span<const char32_t>,
                                                    std::string* error) {
  return readWholeFile(fontPath, error);
}
#else
std::optional<std::vector<std::uint8_t>> subsetFont(const std::string& fontPath, std::span<const char32_t> characters,
                                                    std::string* error) {
  Blob file(hb_blob_create_from_file_or_fail(fontPath.c_str()));
  if (!file) {
    if (error) *error = "cannot read the font " + fontPath;
    return std::nullopt;
  }
  Face face(hb_face_create(file.get(), 0));
  SubsetInput input(hb_subset_input_create_or_fail());
  if (!input || hb_face_get_glyph_count(face.get()) == 0) {
    if (error) *error = fontPath + " is no font";
    return std::nullopt;
  }
  hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
  for (char32_t c : characters) hb_set_add(unicodes, c);
  Face subset(hb_subset_or_fail(face.get(), input.get()));
  if (!subset) {
    if (error) *error = "cannot cut the font " + fontPath;
    return std::nullopt;
  }
  Blob bytes(hb_face_reference_blob(subset.get()));
  unsigned int length = 0;
  const char* data = hb_blob_get_data(bytes.get(), &length);
  return std::vector<std::uint8_t>(data, data + length);
}
#endif

}  // namespace pryx::platform

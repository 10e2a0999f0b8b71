#include "platform/font_subset.h"

#include <set>

#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/utf8.h"

#ifdef PRYX_HAVE_HARFBUZZ_SUBSET
#include <dlfcn.h>
#include <hb-subset.h>

#include <type_traits>
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
// HarfBuzz's subsetter is loaded when a font is cut, not at every start of the kit's
// programs: it brings ten libraries with it.
struct SubsetLibrary {
  void* handle = nullptr;
#define PRYX_HB_FUNCTION(name) decltype(&::name) name = nullptr;
  PRYX_HB_FUNCTION(hb_blob_create_from_file_or_fail)
  PRYX_HB_FUNCTION(hb_blob_destroy)
  PRYX_HB_FUNCTION(hb_blob_get_data)
  PRYX_HB_FUNCTION(hb_face_create)
  PRYX_HB_FUNCTION(hb_face_destroy)
  PRYX_HB_FUNCTION(hb_face_get_glyph_count)
  PRYX_HB_FUNCTION(hb_face_reference_blob)
  PRYX_HB_FUNCTION(hb_set_add)
  PRYX_HB_FUNCTION(hb_subset_input_create_or_fail)
  PRYX_HB_FUNCTION(hb_subset_input_destroy)
  PRYX_HB_FUNCTION(hb_subset_input_unicode_set)
  PRYX_HB_FUNCTION(hb_subset_or_fail)
#undef PRYX_HB_FUNCTION
};

const SubsetLibrary* subsetLibrary() {
  static const SubsetLibrary library = [] {
    SubsetLibrary loaded;
    loaded.handle = dlopen("libharfbuzz-subset.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!loaded.handle) return loaded;
    bool complete = true;
    auto bind = [&](auto& function, const char* name) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(loaded.handle, name));
      complete = complete && function != nullptr;
    };
#define PRYX_HB_BIND(name) bind(loaded.name, #name);
    PRYX_HB_BIND(hb_blob_create_from_file_or_fail)
    PRYX_HB_BIND(hb_blob_destroy)
    PRYX_HB_BIND(hb_blob_get_data)
    PRYX_HB_BIND(hb_face_create)
    PRYX_HB_BIND(hb_face_destroy)
    PRYX_HB_BIND(hb_face_get_glyph_count)
    PRYX_HB_BIND(hb_face_reference_blob)
    PRYX_HB_BIND(hb_set_add)
    PRYX_HB_BIND(hb_subset_input_create_or_fail)
    PRYX_HB_BIND(hb_subset_input_destroy)
    PRYX_HB_BIND(hb_subset_input_unicode_set)
    PRYX_HB_BIND(hb_subset_or_fail)
#undef PRYX_HB_BIND
    if (!complete) loaded.handle = nullptr;
    return loaded;
  }();
  return library.handle ? &library : nullptr;
}

// Owns one HarfBuzz object and gives it back with the library's own call.
template <typename T>
class Owned {
 public:
  Owned(T* object, void (*destroy)(T*)) : object_(object), destroy_(destroy) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    if (object_) destroy_(object_);
  }
  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_;
  void (*destroy_)(T*);
};
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
  const SubsetLibrary* hb = subsetLibrary();
  if (!hb) return readWholeFile(fontPath, error);  // without the subsetter the font goes whole
  Owned<hb_blob_t> file(hb->hb_blob_create_from_file_or_fail(fontPath.c_str()), hb->hb_blob_destroy);
  if (!file) {
    if (error) *error = "cannot read the font " + fontPath;
    return std::nullopt;
  }
  Owned<hb_face_t> face(hb->hb_face_create(file.get(), 0), hb->hb_face_destroy);
  Owned<hb_subset_input_t> input(hb->hb_subset_input_create_or_fail(), hb->hb_subset_input_destroy);
  if (!input || hb->hb_face_get_glyph_count(face.get()) == 0) {
    if (error) *error = fontPath + " is no font";
    return std::nullopt;
  }
  hb_set_t* unicodes = hb->hb_subset_input_unicode_set(input.get());
  for (char32_t c : characters) hb->hb_set_add(unicodes, c);
  Owned<hb_face_t> subset(hb->hb_subset_or_fail(face.get(), input.get()), hb->hb_face_destroy);
  if (!subset) {
    if (error) *error = "cannot cut the font " + fontPath;
    return std::nullopt;
  }
  Owned<hb_blob_t> bytes(hb->hb_face_reference_blob(subset.get()), hb->hb_blob_destroy);
  unsigned int length = 0;
  const char* data = hb->hb_blob_get_data(bytes.get(), &length);
  return std::vector<std::uint8_t>(data, data + length);
}
#endif

}  // namespace pryx::platform

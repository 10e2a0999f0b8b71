#include "platform/font_subset.h"

#include <algorithm>
#include <iterator>
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

constexpr char kNoSubsetter[] = "HarfBuzz's subsetter is missing";

constexpr CharacterRange kAlwaysShown[] = {
    {U' ', U'~'},            // ASCII
    {U'\u3000', U'\u30FF'},  // Japanese punctuation, hiragana, katakana
    {U'\uFF00', U'\uFFEF'},  // full-width and half-width forms
    {U'▼', U'▼'},            // the page prompt
};

// The characters of the player's own texts (menus, message boxes, the history) that
// the ranges above lack. A test reads the player's texts and keeps this complete.
constexpr char32_t kPlayerTextCharacters[] = U"→上了保全告壊失存実度敗明普朝無画確示終行表見認読警通速遅面";

#ifdef PRYX_HAVE_HARFBUZZ_SUBSET
// HarfBuzz's subsetter is loaded when a font is cut, not at every start of the kit's
// programs: it brings ten libraries with it.
struct SubsetLibrary {
  void* handle = nullptr;
#define PRYX_HB_FUNCTIONS(X)                                                                                   \
  X(hb_blob_create) X(hb_blob_create_from_file_or_fail) X(hb_blob_destroy) X(hb_blob_get_data)               \
  X(hb_face_builder_add_table) X(hb_face_builder_create) X(hb_face_collect_unicodes) X(hb_face_create)        \
  X(hb_face_destroy) X(hb_face_get_glyph_count) X(hb_face_get_table_tags) X(hb_face_reference_blob)           \
  X(hb_face_reference_table) X(hb_set_add) X(hb_set_create) X(hb_set_destroy) X(hb_set_has)                   \
  X(hb_subset_input_create_or_fail) X(hb_subset_input_destroy) X(hb_subset_input_unicode_set)                 \
  X(hb_subset_or_fail)
#define PRYX_HB_FUNCTION(name) decltype(&::name) name = nullptr;
  PRYX_HB_FUNCTIONS(PRYX_HB_FUNCTION)
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
    PRYX_HB_FUNCTIONS(PRYX_HB_BIND)
#undef PRYX_HB_BIND
#undef PRYX_HB_FUNCTIONS
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
  std::set<char32_t> characters(std::begin(kPlayerTextCharacters), std::end(kPlayerTextCharacters) - 1);
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
std::optional<std::vector<std::uint8_t>> subsetFont(const std::string&, std::span<const char32_t>, const FontName&,
                                                    std::string* error) {
  if (error) *error = kNoSubsetter;
  return std::nullopt;
}

std::vector<char32_t> fontCharacters(const std::string&, std::span<const char32_t>) { return {}; }
#else
std::optional<std::vector<std::uint8_t>> subsetFont(const std::string& fontPath, std::span<const char32_t> characters,
                                                    const FontName& name, std::string* error) {
  auto fail = [&](std::string reason) -> std::optional<std::vector<std::uint8_t>> {
    if (error) *error = std::move(reason);
    return std::nullopt;
  };
  const SubsetLibrary* hb = subsetLibrary();
  if (!hb) return fail(kNoSubsetter);
  Owned<hb_blob_t> file(hb->hb_blob_create_from_file_or_fail(fontPath.c_str()), hb->hb_blob_destroy);
  if (!file) return fail("cannot read the font " + fontPath);
  Owned<hb_face_t> face(hb->hb_face_create(file.get(), 0), hb->hb_face_destroy);
  Owned<hb_subset_input_t> input(hb->hb_subset_input_create_or_fail(), hb->hb_subset_input_destroy);
  if (!input || hb->hb_face_get_glyph_count(face.get()) == 0) return fail(fontPath + " is no font");
  hb_set_t* unicodes = hb->hb_subset_input_unicode_set(input.get());
  for (char32_t c : characters) hb->hb_set_add(unicodes, c);
  Owned<hb_face_t> subset(hb->hb_subset_or_fail(face.get(), input.get()), hb->hb_face_destroy);
  if (!subset) return fail("cannot cut the font " + fontPath);

  // The cut font is put together again table by table, its name table renamed. (The
  // subsetter's own face does not list its tables: it is read back first.)
  Owned<hb_blob_t> cutBytes(hb->hb_face_reference_blob(subset.get()), hb->hb_blob_destroy);
  Owned<hb_face_t> cut(hb->hb_face_create(cutBytes.get(), 0), hb->hb_face_destroy);
  constexpr hb_tag_t kNameTable = HB_TAG('n', 'a', 'm', 'e');
  Owned<hb_blob_t> names(hb->hb_face_reference_table(cut.get(), kNameTable), hb->hb_blob_destroy);
  unsigned int length = 0;
  const char* data = hb->hb_blob_get_data(names.get(), &length);
  auto renamed = renamedNameTable({reinterpret_cast<const std::uint8_t*>(data), length}, name);
  if (!renamed) return fail(fontPath + " has no readable name table");
  Owned<hb_blob_t> renamedBlob(hb->hb_blob_create(reinterpret_cast<const char*>(renamed->data()),
                                                  static_cast<unsigned int>(renamed->size()), HB_MEMORY_MODE_READONLY,
                                                  nullptr, nullptr),
                               hb->hb_blob_destroy);
  Owned<hb_face_t> built(hb->hb_face_builder_create(), hb->hb_face_destroy);
  // Every table, however many: asked with no room, the call gives their number.
  unsigned int tagCount = hb->hb_face_get_table_tags(cut.get(), 0, nullptr, nullptr);
  std::vector<hb_tag_t> tags(tagCount);
  hb->hb_face_get_table_tags(cut.get(), 0, &tagCount, tags.data());
  for (hb_tag_t tag : std::span(tags.data(), tagCount)) {
    Owned<hb_blob_t> table(tag == kNameTable ? nullptr : hb->hb_face_reference_table(cut.get(), tag),
                           hb->hb_blob_destroy);
    hb->hb_face_builder_add_table(built.get(), tag, tag == kNameTable ? renamedBlob.get() : table.get());
  }
  Owned<hb_blob_t> bytes(hb->hb_face_reference_blob(built.get()), hb->hb_blob_destroy);
  data = hb->hb_blob_get_data(bytes.get(), &length);
  if (length == 0) return fail("cannot cut the font " + fontPath);
  return std::vector<std::uint8_t>(data, data + length);
}

std::vector<char32_t> fontCharacters(const std::string& fontPath, std::span<const char32_t> characters) {
  const SubsetLibrary* hb = subsetLibrary();
  if (!hb || !fileExists(fontPath)) return {};
  Owned<hb_blob_t> file(hb->hb_blob_create_from_file_or_fail(fontPath.c_str()), hb->hb_blob_destroy);
  if (!file) return {};
  Owned<hb_face_t> face(hb->hb_face_create(file.get(), 0), hb->hb_face_destroy);
  Owned<hb_set_t> mapped(hb->hb_set_create(), hb->hb_set_destroy);
  hb->hb_face_collect_unicodes(face.get(), mapped.get());
  std::vector<char32_t> held;
  std::copy_if(characters.begin(), characters.end(), std::back_inserter(held),
               [&](char32_t c) { return hb->hb_set_has(mapped.get(), c); });
  return held;
}
#endif

}  // namespace pryx::platform

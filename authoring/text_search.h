#pragma once
// "検索" and "置換": a text found in page names, messages, button captions, resource
// names and variable names, exactly as typed; replaced in messages and captions only.

#include "project/document.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::authoring {

enum class SearchPlace { PageName, Message, Caption, Cg, Chr, Bgm, Variable };

struct SearchHit {
  SearchPlace place = SearchPlace::PageName;
  int page = 0;        // the page, for a page's name, message and captions; else 0
  int slot = 0;        // Caption: the button slot, 0..4
  int entry = 0;       // Cg, Chr, Bgm, Variable: the list position
  std::size_t offset = 0;  // where the text starts in the field, in bytes
  std::size_t length = 0;  // the text's length, in bytes

  bool operator==(const SearchHit&) const = default;
};

// In page order (name, message, captions by slot), then the CG, character, music
// and variable lists; every occurrence in a field. An empty text finds nothing.
std::vector<SearchHit> findText(const project::Project& project, std::string_view text);

// The field a hit lies in; null when the project no longer has it.
const std::string* searchedField(const project::Project& project, const SearchHit& hit);
// The project may have changed since the search: whether the hit's field still holds its place.
bool stillFound(const project::Project& project, const SearchHit& hit);

// "CG 「夜」", "ページ 3「森」 ボタン2": where a hit is, for the results list.
std::string searchPlaceText(const project::Project& project, const SearchHit& hit);

inline constexpr std::string_view kReplaceStep = "置換";

// Replaces every occurrence in messages and captions as one undo step "置換";
// returns how many were replaced (no step when none).
int replaceText(project::ProjectDocument& document, std::string_view text, std::string_view replacement);

}  // namespace pryx::authoring

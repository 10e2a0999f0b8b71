#include "authoring/text_search.h"

namespace pryx::authoring {
namespace {

using project::Project;

void findIn(std::vector<SearchHit>& hits, const std::string& field, std::string_view text, SearchHit where) {
  for (std::size_t at = field.find(text); at != std::string::npos; at = field.find(text, at + text.size())) {
    where.offset = at;
    where.length = text.size();
    hits.push_back(where);
  }
}

// Every occurrence replaced, left to right; the count goes up by how many.
std::string replaced(const std::string& field, std::string_view text, std::string_view replacement, int& count) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = field.find(text); at != std::string::npos; at = field.find(text, from)) {
    result.append(field, from, at - from).append(replacement);
    from = at + text.size();
    ++count;
  }
  return result.append(field, from);
}

}  // namespace

std::vector<SearchHit> findText(const Project& project, std::string_view text) {
  std::vector<SearchHit> hits;
  if (text.empty()) return hits;
  for (int page = 1; page <= project.pageCount(); ++page) {
    const project::Page& shown = project.pages[page];
    findIn(hits, shown.name, text, {SearchPlace::PageName, page});
    findIn(hits, shown.text, text, {SearchPlace::Message, page});
    for (int slot = 0; slot < project::kButtonSlots; ++slot) {
      findIn(hits, shown.buttons[static_cast<std::size_t>(slot)].caption(), text, {SearchPlace::Caption, page, slot});
    }
  }
  const std::pair<SearchPlace, const project::NumberedList<project::Resource>*> lists[] = {
      {SearchPlace::Cg, &project.cgs}, {SearchPlace::Chr, &project.chrs}, {SearchPlace::Bgm, &project.bgms}};
  for (const auto& [place, list] : lists) {
    for (int entry = 1; entry <= list->count(); ++entry) findIn(hits, (*list)[entry].name, text, {place, 0, 0, entry});
  }
  for (int entry = 1; entry <= project.variables.count(); ++entry) {
    findIn(hits, project.variables[entry], text, {SearchPlace::Variable, 0, 0, entry});
  }
  return hits;
}

const std::string* searchedField(const Project& project, const SearchHit& hit) {
  const project::Page* page = project.pages.find(hit.page);
  auto resourceName = [&](const project::NumberedList<project::Resource>& list) {
    const project::Resource* found = list.find(hit.entry);
    return found != nullptr ? &found->name : nullptr;
  };
  switch (hit.place) {
    case SearchPlace::PageName: return page != nullptr ? &page->name : nullptr;
    case SearchPlace::Message: return page != nullptr ? &page->text : nullptr;
    case SearchPlace::Caption:
      return page != nullptr && hit.slot >= 0 && hit.slot < project::kButtonSlots
                 ? &page->buttons[static_cast<std::size_t>(hit.slot)].caption()
                 : nullptr;
    case SearchPlace::Cg: return resourceName(project.cgs);
    case SearchPlace::Chr: return resourceName(project.chrs);
    case SearchPlace::Bgm: return resourceName(project.bgms);
    case SearchPlace::Variable: return project.variables.find(hit.entry);
  }
  return nullptr;
}

bool stillFound(const Project& project, const SearchHit& hit) {
  const std::string* field = searchedField(project, hit);
  return field != nullptr && hit.offset + hit.length <= field->size();
}

std::string searchPlaceText(const Project& project, const SearchHit& hit) {
  auto quoted = [](const std::string& name) { return "「" + name + "」"; };
  std::string page = hit.page >= 1 && hit.page <= project.pageCount()
                         ? "ページ " + std::to_string(hit.page) + quoted(project.pages[hit.page].name)
                         : std::string();
  auto entry = [&](const char* list, const std::string* name) {
    return std::string(list) + " " + std::to_string(hit.entry) + (name != nullptr ? quoted(*name) : std::string());
  };
  auto resource = [&](const char* list, const project::NumberedList<project::Resource>& resources) {
    const project::Resource* found = resources.find(hit.entry);
    return entry(list, found != nullptr ? &found->name : nullptr);
  };
  switch (hit.place) {
    case SearchPlace::PageName: return page + " ページ名";
    case SearchPlace::Message: return page + " メッセージ";
    case SearchPlace::Caption: return page + " ボタン" + std::to_string(hit.slot + 1);
    case SearchPlace::Cg: return resource("ＣＧファイル", project.cgs);
    case SearchPlace::Chr: return resource("キャラクターファイル", project.chrs);
    case SearchPlace::Bgm: return resource("ＢＧＭファイル", project.bgms);
    case SearchPlace::Variable: return entry("変数", project.variables.find(hit.entry));
  }
  return page;
}

int replaceText(project::ProjectDocument& document, std::string_view text, std::string_view replacement) {
  if (text.empty() || findText(document.project(), text).empty()) return 0;
  int count = 0;
  document.step(kReplaceStep, [&] {
    for (int page = 1; page <= document.project().pageCount(); ++page) {
      const project::Page& shown = document.project().pages[page];
      if (shown.text.find(text) != std::string::npos) document.setPageText(page, replaced(shown.text, text, replacement, count));
      for (int slot = 0; slot < project::kButtonSlots; ++slot) {
        const std::string& caption = shown.buttons[static_cast<std::size_t>(slot)].caption();
        if (caption.find(text) == std::string::npos) continue;
        document.setButtonField(page, slot, project::ButtonField::Caption, replaced(caption, text, replacement, count));
      }
    }
  });
  return count;
}

}  // namespace pryx::authoring

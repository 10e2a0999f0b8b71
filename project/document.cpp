#include "project/document.h"

#include <algorithm>

namespace pryx::project {

Aspect listAspect(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return Aspect::CgList;
    case ResourceKind::Chr: return Aspect::ChrList;
    case ResourceKind::Bgm: return Aspect::BgmList;
  }
  return Aspect::CgList;
}

ProjectDocument::ProjectDocument(Project project, std::string path) : project_(std::move(project)), path_(std::move(path)) {}

void ProjectDocument::markSaved(std::string path) {
  path_ = std::move(path);
  modified_ = false;
  changed(changeOf(Aspect::FileState));
}

int ProjectDocument::subscribe(Observer observer) {
  observers_.emplace_back(nextObserverId_, std::move(observer));
  return nextObserverId_++;
}

void ProjectDocument::unsubscribe(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void ProjectDocument::changed(const Change& change) {
  if (change.aspects & ~static_cast<std::uint32_t>(Aspect::FileState)) modified_ = true;
  // A copy, so that an observer may subscribe or unsubscribe while being told.
  auto observers = observers_;
  for (const auto& [id, observer] : observers) observer(change);
}

void ProjectDocument::setButtonField(int page, int slot, ButtonField field, std::string text) {
  change(changeOf(Aspect::PageContent, page),
         [&](Project& project) { project.pages[page].buttons.at(static_cast<std::size_t>(slot))[field] = std::move(text); });
}

void ProjectDocument::setPageText(int page, std::string text) {
  change(changeOf(Aspect::PageContent, page), [&](Project& project) { project.pages[page].text = std::move(text); });
}

void ProjectDocument::setPageReference(int page, ResourceKind kind, PageReference reference) {
  change(changeOf(Aspect::PageContent, page),
         [&](Project& project) { referenceTo(project.pages[page], kind) = std::move(reference); });
}

void ProjectDocument::setPageOptions(int page, const PageOptions& options) {
  change(changeOf(Aspect::PageContent, page), [&](Project& project) { project.pages[page].options = options; });
}

void ProjectDocument::setProjectOption(ProjectOption option, std::string text) {
  change(changeOf(Aspect::ProjectOptions), [&](Project& project) { project.option(option) = std::move(text); });
}

}  // namespace pryx::project

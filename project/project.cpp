#include "project/project.h"

#include "platform/number_text.h"
#include "platform/paths.h"

#include <filesystem>

namespace pryx::project {

std::int64_t numericValue(std::string_view text) { return platform::leadingWholeNumber(text); }

std::string resourceFilePath(std::string_view projectPath, std::string_view resourcePath) {
  if (resourcePath.empty()) return {};
  return platform::resolvePath(platform::folderOf(projectPath), resourcePath);
}

std::string storedResourcePath(std::string_view projectPath, std::string_view chosenPath) {
  if (projectPath.empty() || !platform::isAbsolutePath(chosenPath)) return std::string(chosenPath);
  std::filesystem::path folder = std::filesystem::absolute(platform::toFsPath(platform::folderOf(projectPath)));
  std::filesystem::path inside = platform::toFsPath(chosenPath).lexically_normal().lexically_relative(folder.lexically_normal());
  if (inside.empty() || *inside.begin() == "..") return std::string(chosenPath);
  return platform::fromFsPath(inside);
}

PageReference PageReference::number(std::int64_t value) {
  PageReference reference;
  reference.value_ = value;
  return reference;
}

PageReference PageReference::text(std::string text) {
  PageReference reference;
  reference.value_ = std::move(text);
  return reference;
}

std::int64_t PageReference::value() const {
  if (const auto* number = asNumber()) return *number;
  if (const auto* text = asText()) return numericValue(*text);
  return 0;
}

PageReference& referenceTo(Page& page, ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return page.backgroundCg;
    case ResourceKind::Chr: return page.character;
    case ResourceKind::Bgm: return page.music;
  }
  return page.backgroundCg;
}

const PageReference& referenceTo(const Page& page, ResourceKind kind) { return referenceTo(const_cast<Page&>(page), kind); }

NumberedList<Resource>& Project::resources(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return cgs;
    case ResourceKind::Chr: return chrs;
    case ResourceKind::Bgm: return bgms;
  }
  return cgs;
}

const NumberedList<Resource>& Project::resources(ResourceKind kind) const {
  return const_cast<Project*>(this)->resources(kind);
}

Project newProject() {
  Project project;
  Page first;
  first.name = kFirstPageName;
  project.pages.append(std::move(first));
  project.options = {"50", "Default", "Default", "1", "0", "-1"};
  return project;
}

}  // namespace pryx::project

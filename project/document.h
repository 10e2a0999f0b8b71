#pragma once
// The open project and its observers. Every change goes through `change`, which
// tells each observer what changed, so that the editor's windows can follow.

#include "project/project.h"

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace pryx::project {

enum class Aspect : std::uint32_t {
  PageList = 1u << 0,     // pages added, removed or renamed
  PageContent = 1u << 1,  // texts, references, buttons or options of pages
  CgList = 1u << 2,
  ChrList = 1u << 3,
  BgmList = 1u << 4,
  Variables = 1u << 5,
  ProjectOptions = 1u << 6,
  FileState = 1u << 7,  // the project path or the saved state
};

struct Change {
  std::uint32_t aspects = 0;
  int page = 0;  // the one page whose content changed; 0 when any number of pages did

  bool touches(Aspect aspect) const { return (aspects & static_cast<std::uint32_t>(aspect)) != 0; }
  Change operator|(Aspect aspect) const { return {aspects | static_cast<std::uint32_t>(aspect), page}; }
};

inline Change changeOf(Aspect aspect, int page = 0) { return {static_cast<std::uint32_t>(aspect), page}; }
Aspect listAspect(ResourceKind kind);

class ProjectDocument {
 public:
  using Observer = std::function<void(const Change&)>;

  explicit ProjectDocument(Project project = newProject(), std::string path = {});

  const Project& project() const { return project_; }

  // The project file's path; empty while the project was never saved.
  const std::string& path() const { return path_; }
  // True when the project changed since it was opened or saved.
  bool isModified() const { return modified_; }
  void markSaved(std::string path);

  // Runs `edit` on the project, then tells every observer about `change`.
  template <typename Edit>
  auto change(const Change& change, Edit&& edit) {
    if constexpr (std::is_void_v<std::invoke_result_t<Edit, Project&>>) {
      std::forward<Edit>(edit)(project_);
      changed(change);
    } else {
      auto result = std::forward<Edit>(edit)(project_);
      changed(change);
      return result;
    }
  }

  // Observers are called in the order they subscribed; the id unsubscribes.
  int subscribe(Observer observer);
  void unsubscribe(int id);

  // The edits of the page event settings window, one field at a time.
  void setButtonField(int page, int slot, ButtonField field, std::string text);
  void setPageText(int page, std::string text);
  void setPageReference(int page, ResourceKind kind, PageReference reference);
  void setPageOptions(int page, const PageOptions& options);
  void setProjectOption(ProjectOption option, std::string text);

 private:
  void changed(const Change& change);

  Project project_;
  std::string path_;
  bool modified_ = false;
  int nextObserverId_ = 1;
  std::vector<std::pair<int, Observer>> observers_;
};

}  // namespace pryx::project

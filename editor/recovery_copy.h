#pragma once
// A copy of the open project in the user's cache folder, kept while the project has
// unsaved changes, so that a crash or a power cut loses at most the last 30 seconds
// of editing. It goes when the project is saved, undone back to its saved state or
// closed in order; opening a project whose copy is newer than the file offers it.

#include "project/document.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pryx::editor {

class RecoveryCopy {
 public:
  using Clock = std::function<std::int64_t()>;  // milliseconds, never going back
  static constexpr std::int64_t kInterval = 30000;

  // An empty folder keeps no copies.
  RecoveryCopy(std::string folder, Clock clock);

  // After every change of the project. With unsaved changes the copy is written
  // unless the last write is younger than the interval; then the milliseconds until
  // a write is due are returned (call again then). Without, the copy goes. 0: nothing pending.
  std::int64_t keep(const project::ProjectDocument& document);
  // The project went in order: its copy goes.
  void discard();

  // Where the copy of the project file at `projectPath` lies ("" for a project never saved).
  std::string copyPathOf(std::string_view projectPath) const;
  // That copy, if it is newer than the project file.
  std::optional<std::string> newerCopyOf(std::string_view projectPath) const;

 private:
  std::string folder_;
  Clock clock_;
  std::optional<std::int64_t> lastWrite_;
  std::string written_;  // the copy on disk; empty when there is none
};

}  // namespace pryx::editor

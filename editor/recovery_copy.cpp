#include "editor/recovery_copy.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/stable_hash.h"
#include "project/project_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace pryx::editor {
namespace {

std::optional<std::filesystem::file_time_type> modified(const std::string& path) {
  std::error_code error;
  auto time = std::filesystem::last_write_time(platform::toFsPath(path), error);
  if (error) return std::nullopt;
  return time;
}

}  // namespace

RecoveryCopy::RecoveryCopy(std::string folder, Clock clock) : folder_(std::move(folder)), clock_(std::move(clock)) {}

std::string RecoveryCopy::copyPathOf(std::string_view projectPath) const {
  if (projectPath.empty()) return platform::GetPath(folder_, "untitled.PXK");
  std::string absolute = platform::fromFsPath(std::filesystem::absolute(platform::toFsPath(projectPath)));
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(platform::stableHash(absolute)));
  std::string stem = platform::fromFsPath(platform::toFsPath(absolute).stem());
  return platform::GetPath(folder_, stem + "-" + hash + ".PXK");
}

std::int64_t RecoveryCopy::keep(const project::ProjectDocument& document) {
  if (folder_.empty()) return 0;
  if (!document.isModified()) {
    discard();
    return 0;
  }
  std::int64_t now = clock_();
  if (lastWrite_ && now - *lastWrite_ < kInterval) return kInterval - (now - *lastWrite_);
  std::string path = copyPathOf(document.path());
  if (path != written_) discard();  // saved under another name meanwhile
  // A failed write is tried again at the next change; the author's file is never touched.
  if (platform::createDirectories(folder_) &&
      platform::writeFileReplacing(path, project::encodeProjectFile(document.project()).bytes)) {
    written_ = path;
  }
  lastWrite_ = now;
  return 0;
}

void RecoveryCopy::discard() {
  if (!written_.empty()) (void)platform::removeFile(written_);
  written_.clear();
  lastWrite_.reset();
}

std::optional<std::string> RecoveryCopy::newerCopyOf(std::string_view projectPath) const {
  if (folder_.empty() || projectPath.empty()) return std::nullopt;
  std::string copy = copyPathOf(projectPath);
  auto copyTime = modified(copy);
  auto fileTime = modified(std::string(projectPath));
  if (!copyTime || (fileTime && *copyTime <= *fileTime)) return std::nullopt;
  return copy;
}

}  // namespace pryx::editor

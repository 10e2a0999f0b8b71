#pragma once
// The file a replacing write goes through: created new beside its target, flushed to
// the disk and only then renamed over the target, so that a failed write, a kill or a
// power cut leaves the old file or the new one, never a torn or empty one.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace pryx::platform {

// How the temporary file takes over from the target.
struct Replacement {
  // The permissions the new file gets; without them it keeps the target's (mode and,
  // where allowed, group), and a target that cannot be written is refused.
  std::optional<std::filesystem::perms> permissions;
};

class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path target);
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  bool write(const void* data, std::size_t size);
  // Flushes the file to the disk, renames it over the target and flushes the folder;
  // false with the reason otherwise (the temporary file is then gone).
  bool commit(std::string& reason, const Replacement& replacement = {});

 private:
  std::filesystem::path target_;
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::string failure_;
  bool created_ = false;
  bool committed_ = false;
};

// Whether `name` is a temporary file of the kit's (a name a TemporaryFile gives).
bool isTemporaryFileName(const std::string& name);

// Removes the kit's temporary files in `folder` that a process left behind when it
// ended before it could finish them (killed, or a power cut): their process no longer
// runs and they have not been written to for a while.
void removeAbandonedTemporaryFiles(const std::filesystem::path& folder);

}  // namespace pryx::platform

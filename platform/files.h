#pragma once
// Whole-file reading and writing, copies and folders. Every function reports a
// failure instead of throwing; paths are UTF-8 and may use either separator.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_pages.h"

namespace pryx::platform {

using Bytes = std::vector<std::uint8_t>;

// No file the kit reads (game file, script, project) is larger than this.
inline constexpr std::uint64_t kMostBytesRead = std::uint64_t{256} << 20;

// The whole file, or nullopt with a readable reason in `error`. Only regular files are
// read (a FIFO or a device would block or never end), and none above `mostBytes`.
std::optional<Bytes> readWholeFile(std::string_view path, std::string* error = nullptr,
                                   std::uint64_t mostBytes = kMostBytesRead);
// The same in a buffer on large pages, for a file of megabytes worked through at once
// (a script to build).
std::optional<LargeBytes> readWholeFileOnLargePages(std::string_view path, std::string* error = nullptr,
                                                    std::uint64_t mostBytes = kMostBytesRead);

// Writes the file through a temporary file in the same folder that is then renamed
// over the target, so a failed write leaves any previous file intact and no
// temporary file behind, and a symbolic link at the target is replaced, never
// written through.
bool writeFileReplacing(std::string_view path, const Bytes& bytes, std::string* error = nullptr);
bool writeFileReplacing(std::string_view path, std::string_view bytes, std::string* error = nullptr);

enum class CopyOutcome { Copied, KeptExisting, Failed };

// Copies a file as writeFileReplacing writes one, so an interrupted copy never takes
// the target's name; with `failIfExists` an existing regular file at the target is
// kept. `error` names the file at fault: "SOURCE: reason" or "could not write TARGET:
// reason".
CopyOutcome copyFile(std::string_view from, std::string_view to, bool failIfExists,
                     std::string* error = nullptr);

// One copy of a build and how it went, so that the author can be shown the list.
struct FileCopy {
  std::string source;
  std::string target;
  CopyOutcome outcome = CopyOutcome::Failed;
  std::string error;  // why a copy failed, naming the file at fault
  bool targetFault = false;  // it failed in the distribution folder, not for want of a source
};

FileCopy recordedCopy(std::string from, std::string to, bool failIfExists);

bool fileExists(std::string_view path);
bool isDirectory(std::string_view path);
bool removeFile(std::string_view path);
// True when both paths name one existing file (through links, too).
bool sameFile(std::string_view a, std::string_view b);
bool createDirectories(std::string_view path, std::string* error = nullptr);

// The path of the file `name` inside `folder`: the exact name if it exists, else the
// first entry whose name differs only in the case of ASCII letters.
std::optional<std::string> findFileIgnoringCase(std::string_view folder, std::string_view name);

}  // namespace pryx::platform

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

// What a replacing write does with a symbolic link at its target.
enum class SymbolicLinks {
  Replace,           // files written into a folder the kit fills (distributions, saves)
  WriteTheirTarget,  // the author's own files (projects, scripts), opened through a link
};

// Writes the file through a temporary file in the same folder (the link's target's
// folder, when links are followed) that is flushed to the disk and then renamed over
// the target, so a failed write, a kill or a power cut leaves the previous file
// intact. The new file keeps the mode (and, where allowed, the group) of the file it
// replaces; a target that is read-only is refused. Temporary files that an ended
// process left in that folder are removed.
bool writeFileReplacing(std::string_view path, const Bytes& bytes, std::string* error = nullptr,
                        SymbolicLinks links = SymbolicLinks::Replace);
bool writeFileReplacing(std::string_view path, std::string_view bytes, std::string* error = nullptr,
                        SymbolicLinks links = SymbolicLinks::Replace);

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
// Writes `bytes` made from `from` to `to` as writeFileReplacing does, recorded as a copy.
FileCopy recordedWrite(std::string from, std::string to, std::string_view bytes);
FileCopy recordedWrite(std::string from, std::string to, const Bytes& bytes);

bool fileExists(std::string_view path);
bool isDirectory(std::string_view path);
bool removeFile(std::string_view path);
// True when both paths name one existing file (through links, too).
bool sameFile(std::string_view a, std::string_view b);
bool createDirectories(std::string_view path, std::string* error = nullptr);

// The path of the file `name` inside `folder`, spelt as on disk: the exact name if
// the folder holds it, else the first entry whose name differs only in the case of
// ASCII letters (also on a file system that ignores case).
std::optional<std::string> findFileIgnoringCase(std::string_view folder, std::string_view name);

}  // namespace pryx::platform

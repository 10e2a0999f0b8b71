#include "platform/files.h"

#include "platform/ascii.h"
#include "platform/paths.h"
#include "platform/temporary_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace pryx::platform {
namespace fs = std::filesystem;
namespace {

void setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
}

std::string describe(const std::error_code& code) { return code.message(); }


// Why a file cannot be read, or empty when it is a regular file (links followed).
std::string unreadableReason(const fs::path& path) {
  std::error_code code;
  fs::file_status status = fs::status(path, code);
  if (status.type() == fs::file_type::not_found) return "does not exist";
  if (fs::is_directory(status)) return "is a folder, not a file";
  if (!fs::is_regular_file(status)) return code ? describe(code) : "is not a regular file";
  return {};
}

// Whether `target` already holds `source`'s bytes and permissions, so that a rebuild
// need not write it again.
bool holdsSameFile(const fs::path& source, const fs::path& target) {
  std::error_code code;
  if (fs::status(source, code).permissions() != fs::status(target, code).permissions() || code) return false;
  std::uintmax_t size = fs::file_size(source, code);
  if (code || fs::file_size(target, code) != size || code) return false;
  std::ifstream a(source, std::ios::binary), b(target, std::ios::binary);
  char blockA[1 << 14], blockB[1 << 14];
  while (a && b) {
    a.read(blockA, sizeof blockA);
    b.read(blockB, sizeof blockB);
    if (a.gcount() != b.gcount() || std::memcmp(blockA, blockB, static_cast<std::size_t>(a.gcount())) != 0) {
      return false;
    }
  }
  return a.eof() && b.eof();
}

template <typename Buffer>
std::optional<Buffer> readWhole(std::string_view path, std::string* error, std::uint64_t mostBytes) {
  fs::path fsPath = toFsPath(path);
  if (std::string reason = unreadableReason(fsPath); !reason.empty()) {
    setError(error, reason);
    return std::nullopt;
  }
  std::ifstream in(fsPath, std::ios::binary);
  if (!in) {
    setError(error, "cannot be opened for reading");
    return std::nullopt;
  }
  // Scripts and pictures run to megabytes: the size the file has now is read in one
  // go, straight into place.
  Buffer bytes;
  std::error_code code;
  std::uintmax_t expected = fs::file_size(fsPath, code);
  if (!code && expected <= mostBytes) {
    bytes.resize(static_cast<std::size_t>(expected));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
  }
  // A file that grew meanwhile is read on to its end, in blocks.
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    bytes.insert(bytes.end(), block, block + in.gcount());
    if (bytes.size() > mostBytes) {
      setError(error, "is larger than " + std::to_string(mostBytes) + " bytes");
      return std::nullopt;
    }
  }
  if (in.bad()) {
    setError(error, "could not be read to its end");
    return std::nullopt;
  }
  return bytes;
}

// The file a chain of symbolic links ends at (the link itself when it loops or
// cannot be read), so that a save through a link changes what the link points to.
fs::path linkTarget(fs::path path) {
  constexpr int kMostLinks = 40;
  std::error_code code;
  for (int step = 0; step < kMostLinks && fs::is_symlink(fs::symlink_status(path, code)); ++step) {
    fs::path next = fs::read_symlink(path, code);
    if (code) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

}  // namespace

std::optional<Bytes> readWholeFile(std::string_view path, std::string* error, std::uint64_t mostBytes) {
  return readWhole<Bytes>(path, error, mostBytes);
}

std::optional<LargeBytes> readWholeFileOnLargePages(std::string_view path, std::string* error,
                                                    std::uint64_t mostBytes) {
  return readWhole<LargeBytes>(path, error, mostBytes);
}

bool writeFileReplacing(std::string_view path, std::string_view bytes, std::string* error, SymbolicLinks links) {
  fs::path target = toFsPath(path);
  if (links == SymbolicLinks::WriteTheirTarget) target = linkTarget(target);
  removeAbandonedTemporaryFiles(target.parent_path());
  TemporaryFile file(target);
  std::string reason;
  file.write(bytes.data(), bytes.size());
  if (file.commit(reason)) return true;
  setError(error, reason);
  return false;
}

bool writeFileReplacing(std::string_view path, const Bytes& bytes, std::string* error, SymbolicLinks links) {
  return writeFileReplacing(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error, links);
}

CopyOutcome copyFile(std::string_view from, std::string_view to, bool failIfExists, std::string* error) {
  std::error_code code;
  fs::path source = toFsPath(from);
  fs::path target = toFsPath(to);
  if (std::string reason = unreadableReason(source); !reason.empty()) {
    setError(error, std::string(from) + ": " + reason);
    return CopyOutcome::Failed;
  }
  if (fs::is_regular_file(target, code)) {
    if (failIfExists) return CopyOutcome::KeptExisting;
    if (!fs::is_symlink(target, code) && (fs::equivalent(source, target, code) || holdsSameFile(source, target))) {
      return CopyOutcome::Copied;
    }
  }
  std::ifstream in(source, std::ios::binary);
  TemporaryFile out(target);
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    if (!out.write(block, static_cast<std::size_t>(in.gcount()))) break;
  }
  if (!in && !in.eof()) {
    setError(error, std::string(from) + ": could not be read to its end");
    return CopyOutcome::Failed;
  }
  std::string reason;
  if (!out.commit(reason, {fs::status(source, code).permissions()})) {
    setError(error, "could not write " + std::string(to) + ": " + reason);
    return CopyOutcome::Failed;
  }
  return CopyOutcome::Copied;
}

FileCopy recordedCopy(std::string from, std::string to, bool failIfExists) {
  FileCopy record{std::move(from), std::move(to), CopyOutcome::Failed, {}, false};
  record.outcome = copyFile(record.source, record.target, failIfExists, &record.error);
  record.targetFault = record.outcome == CopyOutcome::Failed && fileExists(record.source);
  return record;
}

FileCopy recordedWrite(std::string from, std::string to, std::string_view bytes) {
  FileCopy written{std::move(from), std::move(to), CopyOutcome::Copied, {}, false};
  if (!writeFileReplacing(written.target, bytes, &written.error)) {
    written.outcome = CopyOutcome::Failed;
    written.error = written.target + ": " + written.error;
    written.targetFault = true;
  }
  return written;
}

FileCopy recordedWrite(std::string from, std::string to, const Bytes& bytes) {
  return recordedWrite(std::move(from), std::move(to),
                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool fileExists(std::string_view path) {
  std::error_code code;
  return fs::is_regular_file(toFsPath(path), code);
}

bool isDirectory(std::string_view path) {
  std::error_code code;
  return fs::is_directory(toFsPath(path), code);
}

bool removeFile(std::string_view path) {
  std::error_code code;
  return fs::remove(toFsPath(path), code);
}

bool sameFile(std::string_view a, std::string_view b) {
  std::error_code code;
  return fs::equivalent(toFsPath(a), toFsPath(b), code) && !code;
}

bool createDirectories(std::string_view path, std::string* error) {
  std::error_code code;
  fs::path folder = toFsPath(path);
  fs::create_directories(folder, code);
  if (code || !fs::is_directory(folder, code)) {
    setError(error, code ? describe(code) : "is not a folder");
    return false;
  }
  return true;
}

std::optional<std::string> findFileIgnoringCase(std::string_view folder, std::string_view name) {
  // The folder is listed even when the name exists as asked: a file system that
  // ignores case finds "FOREST.BMP" for Forest.bmp, and the name on disk is wanted.
  std::optional<std::string> found;
  std::error_code code;
  for (fs::directory_iterator it(toFsPath(folder), code), end; !code && it != end; it.increment(code)) {
    const std::string entry = fromFsPath(it->path().filename());
    std::error_code entryCode;
    if (!equalsIgnoringAsciiCase(entry, name) || !it->is_regular_file(entryCode)) continue;
    if (entry == name) return fromFsPath(it->path());
    if (!found) found = fromFsPath(it->path());
  }
  if (!found && fileExists(GetPath(folder, name))) return GetPath(folder, name);  // a folder that cannot be listed
  return found;
}

}  // namespace pryx::platform

#include "platform/temporary_file.h"

#include "platform/paths.h"

#include <cerrno>
#include <chrono>
#include <charconv>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pryx::platform {
namespace fs = std::filesystem;
namespace {

// "NAME.PXK.1234-567890.pryx.tmp": the process that writes it, so that a later save
// can tell a file still being written from one left behind.
constexpr std::string_view kSuffix = ".pryx.tmp";

// A leftover untouched this long is not being written by anyone on another machine
// sharing the folder either.
constexpr auto kAbandonedAfter = std::chrono::minutes(1);

long currentProcess() {
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(::getpid());
#endif
}

bool processRuns(long process) {
#ifdef _WIN32
  HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
  if (!handle) return GetLastError() != ERROR_INVALID_PARAMETER;
  bool running = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
  CloseHandle(handle);
  return running;
#else
  return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
#endif
}

// The process named in a temporary file's name, or nullopt for any other name.
std::optional<long> writingProcess(std::string_view name) {
  if (name.size() <= kSuffix.size() || name.substr(name.size() - kSuffix.size()) != kSuffix) return std::nullopt;
  name.remove_suffix(kSuffix.size());
  std::size_t dot = name.rfind('.');
  std::size_t dash = name.rfind('-');
  if (dot == std::string_view::npos || dash == std::string_view::npos || dash < dot) return std::nullopt;
  std::string_view process = name.substr(dot + 1, dash - dot - 1);
  std::string_view serial = name.substr(dash + 1);
  auto digits = [](std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(process) || !digits(serial)) return std::nullopt;
  long value = 0;
  auto [end, error] = std::from_chars(process.data(), process.data() + process.size(), value);
  if (error != std::errc() || end != process.data() + process.size()) return std::nullopt;
  return value;
}

// Creates the file only where no file or link of that name is, or sets `failure`.
std::FILE* createNewFile(const fs::path& path, std::string& failure) {
#ifdef _WIN32
  // Through the system's own call: msvcrt's "x" mode is not known to every msvcrt.dll.
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    failure = systemErrorText(GetLastError());
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) {
    failure = std::strerror(errno);
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "wb");
  if (!file) {
    failure = std::strerror(errno);
    _close(descriptor);
  }
  return file;
#else
  std::FILE* file = std::fopen(path.c_str(), "wbx");  // "x": never through an existing name or link
  if (!file) failure = std::strerror(errno);
  return file;
#endif
}

// Puts the finished file in the target's place, replacing what was there, or sets
// `failure`.
void moveOver(const fs::path& from, const fs::path& to, std::string& failure) {
#ifdef _WIN32
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    failure = systemErrorText(GetLastError());
  }
#else
  std::error_code code;
  fs::rename(from, to, code);
  if (code) failure = code.message();
#endif
}

bool flushToDisk(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return ::fsync(::fileno(file)) == 0;
#endif
}

// The rename is itself only durable once the folder's entry is on the disk. Some file
// systems cannot flush a folder; the file is in place all the same.
void flushFolder(const fs::path& folder) {
#ifndef _WIN32
  int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
#else
  (void)folder;
#endif
}

bool writable(const fs::path& path, fs::perms permissions) {
  constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((permissions & kAnyWrite) == fs::perms::none) return false;
#ifdef _WIN32
  (void)path;
  return true;
#else
  return ::access(path.c_str(), W_OK) == 0;
#endif
}

// Gives the new file what the target it replaces had, or sets `failure` when the
// target may not be replaced.
void takeOverTarget(const fs::path& temporary, const fs::path& target, std::string& failure) {
  std::error_code code;
  fs::file_status status = fs::symlink_status(target, code);
  if (code || !fs::is_regular_file(status)) return;  // a new file, or a link that is replaced
  if (!writable(target, status.permissions())) {
    failure = "is read-only";
    return;
  }
  fs::permissions(temporary, status.permissions(), code);
  if (code) {
    failure = code.message();
    return;
  }
#ifndef _WIN32
  // Only a member of the group may give it; otherwise the file keeps the writer's
  // group, as any newly written file would.
  struct stat targetStat;
  if (::stat(target.c_str(), &targetStat) == 0) {
    [[maybe_unused]] int groupGiven = ::chown(temporary.c_str(), static_cast<uid_t>(-1), targetStat.st_gid);
  }
#endif
}

}  // namespace

TemporaryFile::TemporaryFile(fs::path target) : target_(std::move(target)) {
  std::random_device seed;
  std::string prefix = fromFsPath(target_.filename()) + "." + std::to_string(currentProcess()) + "-";
  for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
    path_ = target_.parent_path() / toFsPath(prefix + std::to_string(seed() % 1000000) + std::string(kSuffix));
    failure_.clear();
    file_ = createNewFile(path_, failure_);
  }
  created_ = file_ != nullptr;
  if (!file_) failure_ = "cannot create a file in " + fromFsPath(target_.parent_path()) + ": " + failure_;
}

TemporaryFile::~TemporaryFile() {
  if (file_) std::fclose(file_);
  if (created_ && !committed_) {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
}

bool TemporaryFile::write(const void* data, std::size_t size) {
  if (!file_ || !failure_.empty()) return false;
  if (size > 0 && std::fwrite(data, 1, size, file_) != size) failure_ = std::strerror(errno);
  return failure_.empty();
}

bool TemporaryFile::commit(std::string& reason, const Replacement& replacement) {
  if (file_) {
    std::FILE* file = std::exchange(file_, nullptr);
    if (std::fflush(file) != 0 && failure_.empty()) failure_ = std::strerror(errno);
    if (failure_.empty() && !flushToDisk(file)) failure_ = std::strerror(errno);
    if (std::fclose(file) != 0 && failure_.empty()) failure_ = std::strerror(errno);
  }
  if (failure_.empty()) {
    if (replacement.permissions) {
      std::error_code code;
      fs::permissions(path_, *replacement.permissions, code);
      if (code) failure_ = code.message();
    } else {
      takeOverTarget(path_, target_, failure_);
    }
  }
  if (failure_.empty()) moveOver(path_, target_, failure_);
  committed_ = failure_.empty();
  if (committed_) flushFolder(target_.parent_path());
  reason = failure_;
  return committed_;
}

bool isTemporaryFileName(const std::string& name) { return writingProcess(name).has_value(); }

void removeAbandonedTemporaryFiles(const fs::path& folder) {
  std::error_code code;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, code), end; !code && it != end;
       it.increment(code)) {
    std::optional<long> process = writingProcess(fromFsPath(it->path().filename()));
    if (!process || *process == currentProcess() || processRuns(*process)) continue;
    std::error_code entryCode;
    if (!it->is_regular_file(entryCode) || it->is_symlink(entryCode)) continue;
    auto written = it->last_write_time(entryCode);
    if (entryCode || now - written < kAbandonedAfter) continue;
    fs::remove(it->path(), entryCode);
  }
}

}  // namespace pryx::platform

#include "platform/files.h"

#include "platform/paths.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace pryx::platform {
namespace fs = std::filesystem;
namespace {

void setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
}

std::string describe(const std::error_code& code) { return code.message(); }

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string temporarySibling(const fs::path& target) {
  std::random_device seed;
  std::string name = fromFsPath(target.filename()) + ".tmp" + std::to_string(seed() % 1000000);
  return fromFsPath(target.parent_path() / toFsPath(name));
}

}  // namespace

std::optional<Bytes> readWholeFile(std::string_view path, std::string* error) {
  std::error_code code;
  fs::path fsPath = toFsPath(path);
  if (fs::is_directory(fsPath, code)) {
    setError(error, "is a folder, not a file");
    return std::nullopt;
  }
  std::ifstream in(fsPath, std::ios::binary);
  if (!in) {
    setError(error, fs::exists(fsPath, code) ? "cannot be opened for reading" : "does not exist");
    return std::nullopt;
  }
  // Read in blocks rather than by character: scripts and pictures run to megabytes.
  Bytes bytes;
  std::size_t expected = static_cast<std::size_t>(fs::file_size(fsPath, code));
  bytes.reserve(code ? 0 : expected);
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    bytes.insert(bytes.end(), block, block + in.gcount());
  }
  if (in.bad()) {
    setError(error, "could not be read to its end");
    return std::nullopt;
  }
  return bytes;
}

bool writeFileReplacing(std::string_view path, std::string_view bytes, std::string* error) {
  fs::path target = toFsPath(path);
  fs::path temporary = toFsPath(temporarySibling(target));
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      setError(error, "cannot create a file in " + fromFsPath(target.parent_path()));
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      setError(error, "could not write all of the file (is the disk full?)");
      return false;
    }
  }
  std::error_code code;
  fs::rename(temporary, target, code);
  if (code) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    setError(error, describe(code));
    return false;
  }
  return true;
}

bool writeFileReplacing(std::string_view path, const Bytes& bytes, std::string* error) {
  return writeFileReplacing(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

CopyOutcome copyFile(std::string_view from, std::string_view to, bool failIfExists, std::string* error) {
  std::error_code code;
  fs::path source = toFsPath(from);
  fs::path target = toFsPath(to);
  if (!fs::is_regular_file(source, code)) {
    setError(error, "does not exist");
    return CopyOutcome::Failed;
  }
  if (fs::exists(target, code)) {
    if (failIfExists) return CopyOutcome::KeptExisting;
    if (fs::equivalent(source, target, code)) return CopyOutcome::Copied;
  }
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, code);
  if (code) {
    setError(error, describe(code));
    return CopyOutcome::Failed;
  }
  return CopyOutcome::Copied;
}

FileCopy recordedCopy(std::string from, std::string to, bool failIfExists) {
  FileCopy record{std::move(from), std::move(to), CopyOutcome::Failed, {}};
  record.outcome = copyFile(record.source, record.target, failIfExists, &record.error);
  return record;
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
  std::string exact = GetPath(folder, name);
  if (fileExists(exact)) return exact;
  std::error_code code;
  for (fs::directory_iterator it(toFsPath(folder), code), end; !code && it != end; it.increment(code)) {
    if (equalIgnoringAsciiCase(fromFsPath(it->path().filename()), name) && it->is_regular_file(code)) {
      return fromFsPath(it->path());
    }
  }
  return std::nullopt;
}

}  // namespace pryx::platform

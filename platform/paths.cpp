#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <vector>

namespace pryx::platform {

std::string playerProgramFileName() {
  return std::string(kPlayerProgramBaseName) + std::string(kExecutableSuffix);
}

std::string GetPath(std::string_view folder, std::string_view fileName) {
  std::string joined(folder);
  if (joined.empty() || !isPathSeparator(joined.back())) joined += kNativeSeparator;
  joined += fileName;
  return joined;
}

std::string GetFileX(std::string_view folder, std::string_view fileName) {
  if (fileName.empty()) return {};
  return GetPath(folder, fileName);
}

std::string GetFileName(std::string_view folder, std::string_view path) {
  std::string_view searched = path;
  if (!searched.empty() && isPathSeparator(searched.back())) searched.remove_suffix(1);
  auto cut = searched.find_last_of("\\/");
  std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
  return GetPath(folder, name);
}

std::string fileNameOf(std::string_view path) {
  auto cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string folderOf(std::string_view path) {
  auto cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) return {};
  if (cut == 0) return std::string(1, path[0]);
  return std::string(path.substr(0, cut));
}

std::string toNativeSeparators(std::string_view path) {
  std::string native(path);
  std::replace_if(native.begin(), native.end(), isPathSeparator, kNativeSeparator);
  return native;
}

bool isAbsolutePath(std::string_view path) {
  if (!path.empty() && isPathSeparator(path.front())) return true;
  return path.size() >= 3 && path[1] == ':' && isPathSeparator(path[2]) &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string resolvePath(std::string_view baseFolder, std::string_view path) {
  if (path.empty() || isAbsolutePath(path) || baseFolder.empty()) return toNativeSeparators(path);
  return toNativeSeparators(GetPath(baseFolder, path));
}

std::filesystem::path toFsPath(std::string_view path) {
  std::string native = toNativeSeparators(path);
  return std::filesystem::path(std::u8string(native.begin(), native.end()));
}

std::string fromFsPath(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string currentExecutablePath() {
#ifdef _WIN32
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return fromFsPath(std::filesystem::path(std::wstring(buffer.data(), length)));
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : fromFsPath(path);
#endif
}

}  // namespace pryx::platform

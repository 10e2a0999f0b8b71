#pragma once
// Paths in memory are UTF-8. Paths read from files may use "\" (they were written on
// Windows) or "/"; both count as separators everywhere, and paths handed to the
// file system use the native one.

#include <filesystem>
#include <string>
#include <string_view>

namespace pryx::platform {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
inline constexpr std::string_view kExecutableSuffix = ".exe";
inline constexpr std::string_view kDisplayLibraryFileName = "ZORVEX.dll";
#else
inline constexpr char kNativeSeparator = '/';
inline constexpr std::string_view kExecutableSuffix = "";
#ifdef __APPLE__
inline constexpr std::string_view kDisplayLibraryFileName = "libZORVEX.dylib";
#else
inline constexpr std::string_view kDisplayLibraryFileName = "libZORVEX.so";
#endif
#endif

inline constexpr std::string_view kPlayerProgramBaseName = "PRYXPlayer";

constexpr bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

// The player program's file name on this platform ("PRYXPlayer" or "PRYXPlayer.exe").
std::string playerProgramFileName();

// A folder and a file name joined with exactly one separator.
std::string GetPath(std::string_view folder, std::string_view fileName);

// As GetPath, but an empty file name gives an empty result.
std::string GetFileX(std::string_view folder, std::string_view fileName);

// The text after the last separator of `path` (a separator at its very end does not
// count), joined to `folder`. A path without a separator is a file name of its own.
std::string GetFileName(std::string_view folder, std::string_view path);

// The text after the last separator; the whole path if it has none.
std::string fileNameOf(std::string_view path);

// Everything before the last separator; empty if there is none.
std::string folderOf(std::string_view path);

// `path` with every separator turned into the native one.
std::string toNativeSeparators(std::string_view path);

// True for "/x", "\x", "C:\x" and "C:/x".
bool isAbsolutePath(std::string_view path);

// An absolute path stays as it is; a relative one is taken inside `baseFolder`.
std::string resolvePath(std::string_view baseFolder, std::string_view path);

// A std::filesystem path for a UTF-8 path that may use either separator.
std::filesystem::path toFsPath(std::string_view path);

// A UTF-8 text for a std::filesystem path.
std::string fromFsPath(const std::filesystem::path& path);

// The full path of the running program.
std::string currentExecutablePath();

}  // namespace pryx::platform

#pragma once
// progcompile: a script file into a playable distribution. It writes the game file
// and copies the player, the display library and every resource the script defines
// into the distribution folder. Once the script has been read nothing stops it: a
// copy that fails is skipped, an unknown name gives 0.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/distribution_files.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "script/definitions.h"
#include "script/findings.h"

namespace pryx::script {

// What the passes tell the caller on their way; every member may stay empty.
struct CompileHooks {
  platform::Progress* progress = nullptr;
  Findings* findings = nullptr;
  ResourceHook onResource;                // each resource definition, during the collecting pass
  std::function<void()> afterCollecting;  // between the two passes (the build copies the player)
};

// Cuts, collects and translates script bytes into a whole game file.
std::vector<std::uint8_t> compileScriptText(std::string_view script, const CompileHooks& hooks = {});
// The same file as the writer left it, on large pages: a build writes it out
// without copying megabytes first.
platform::LargeBytes compileScriptTextInPlace(std::string_view script, const CompileHooks& hooks = {});

// Where a resource path written in a script points: relative paths lie in the
// script's folder. UTF-8.
std::string resolveResourcePath(std::string_view scriptFolder, std::string_view sjisPath);

struct CompileRequest {
  std::string scriptPath;          // UTF-8, either separator
  std::string distributionFolder;  // created when missing
  std::string name;                // of the game file and the player copy
  bool failIfExists = true;        // keep resource files already in the distribution folder
  std::string programFolder;       // holds the runtime folder the player and its files are taken from (and web/)
  platform::DistributionKind kind = platform::DistributionKind::Desktop;
};

using platform::FileCopy;

struct CompileResult {
  bool scriptRead = false;  // false: nothing was written, `error` says why
  bool gameFileWritten = false;
  std::string error;
  std::string gameFilePath;
  std::size_t gameFileBytes = 0;
  std::vector<FileCopy> resourceCopies;  // in definition order
  std::vector<FileCopy> programCopies;   // the player, the display library and their runtime (web: the page's files and list)
};

CompileResult progcompile(const CompileRequest& request, platform::Progress& progress);

// The caption and texts that the compiler shows in the progress window.
namespace progress_text {
inline constexpr std::string_view kCaption = "配布ファイルの作成";
inline constexpr std::string_view kPreparing = "配布ファイルの作成準備をしています...";
inline constexpr std::string_view kCollecting = "配布ファイルの情報を集めています...";
inline constexpr std::string_view kCreating = "配布ファイルの作成中...";
}  // namespace progress_text

}  // namespace pryx::script

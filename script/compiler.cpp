#include "script/compiler.h"

#include "platform/distribution_files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "script/translator.h"

namespace pryx::script {

using platform::GetPath;

platform::LargeBytes compileScriptTextInPlace(std::string_view script, const CompileHooks& hooks) {
  platform::Progress* progress = hooks.progress;
  // Each pass moves the bar along the script's bytes.
  int maximum = static_cast<int>(std::min<std::size_t>(script.size(), INT32_MAX));
  if (progress) {
    progress->setLabel(progress_text::kCollecting);
    progress->setMaximum(maximum);
    progress->setValue(0);
  }
  const std::function<void()> betweenPasses = [&] {
    if (hooks.afterCollecting) hooks.afterCollecting();
    if (progress) {
      progress->setValue(maximum);
      progress->setLabel(progress_text::kCreating);
      progress->setValue(0);
    }
  };
  PassProgress collecting(progress);
  PassProgress creating(progress);
  platform::LargeBytes gameFile;
  if (hooks.findings) {
    // Findings come in script order pass by pass, so a check reads the script twice.
    Definitions definitions = collectDefinitions(script, collecting, hooks.onResource, hooks.findings);
    betweenPasses();
    gameFile = translate(script, definitions, creating, hooks.findings);
    sortByLine(*hooks.findings);
  } else {
    gameFile = translateInOnePass(script, collecting, hooks.onResource, betweenPasses, creating);
  }
  if (progress) progress->setValue(maximum);
  return gameFile;
}

std::vector<std::uint8_t> compileScriptText(std::string_view script, const CompileHooks& hooks) {
  platform::LargeBytes gameFile = compileScriptTextInPlace(script, hooks);
  return {gameFile.begin(), gameFile.end()};
}

std::string resolveResourcePath(std::string_view scriptFolder, std::string_view sjisPath) {
  return platform::resolvePath(scriptFolder, platform::decodeSjis(sjisPath));
}

CompileResult progcompile(const CompileRequest& request, platform::Progress& progress) {
  CompileResult result;
  progress.show(progress_text::kCaption);
  progress.setLabel(progress_text::kPreparing);

  auto script = platform::readWholeFileOnLargePages(request.scriptPath, &result.error);
  if (!script) {
    result.error = request.scriptPath + ": " + result.error;
    progress.hide();
    return result;
  }
  result.scriptRead = true;
  const std::string folder = request.distributionFolder.empty() ? "." : request.distributionFolder;
  const std::string programFolder =
      request.programFolder.empty() ? platform::folderOf(platform::currentExecutablePath()) : request.programFolder;
  platform::createDirectories(folder);
  std::string scriptFolder = platform::folderOf(request.scriptPath);

  platform::DistributionFiles distribution(folder, request.name, programFolder, request.kind);
  std::vector<std::string> musicFiles;  // as the distribution holds them
  CompileHooks hooks;
  hooks.progress = &progress;
  hooks.onResource = [&](const ResourceDefinition& resource) {
    if (resource.fileName.empty()) return;
    result.resourceCopies.push_back(distribution.copyResource(resolveResourcePath(scriptFolder, resource.path),
                                                              platform::decodeSjis(resource.fileName),
                                                              request.failIfExists));
    const FileCopy& copy = result.resourceCopies.back();
    if (resource.kind == gamefile::ResourceKind::Bgm && copy.outcome != platform::CopyOutcome::Failed) {
      musicFiles.push_back(copy.target);
    }
  };
  // The player and its runtime already in the folder are never replaced by a script build.
  constexpr bool kKeepRuntime = true;
  hooks.afterCollecting = [&] {
    result.programCopies = distribution.copyProgramFiles(kKeepRuntime, scriptFolder, musicFiles);
  };
  std::string_view text(reinterpret_cast<const char*>(script->data()), script->size());
  platform::LargeBytes gameFile = compileScriptTextInPlace(text, hooks);

  result.gameFilePath = distribution.gameFilePath();
  result.gameFileBytes = gameFile.size();
  result.gameFileWritten = platform::writeFileReplacing(
      result.gameFilePath, {reinterpret_cast<const char*>(gameFile.data()), gameFile.size()}, &result.error);
  if (!result.gameFileWritten) result.error = result.gameFilePath + ": " + result.error;
  for (FileCopy& copy :
       distribution.finishFolder(result.resourceCopies, {gameFile.data(), gameFile.size()}, kKeepRuntime)) {
    result.programCopies.push_back(std::move(copy));
  }
  progress.hide();
  return result;
}

}  // namespace pryx::script

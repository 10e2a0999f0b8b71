#include "project/distribution.h"

#include "project/game_file_build.h"

#include "platform/distribution_files.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <algorithm>

namespace pryx::project {
namespace {

constexpr std::string_view kCaption = "配布用ファイルの作成";
constexpr std::string_view kCollectingLabel = "データを収集しています...";
constexpr std::string_view kWritingLabel = "配布用プログラムファイルの作成中...";
constexpr std::size_t kMostFailuresListed = 20;

}  // namespace

Message distributionMessage(const std::vector<FailedStep>& failures) {
  if (failures.empty()) return {"作成完了", "完成", MessageIcon::Information, MessageButtons::Ok};
  std::string text = "配布用ファイルを作成しましたが、次のファイルはコピーまたは作成できませんでした。";
  std::size_t listed = std::min(failures.size(), kMostFailuresListed);
  for (std::size_t i = 0; i < listed; ++i) {
    text += std::string(kLineBreak) + failures[i].target + "（" + failures[i].reason + "）";
  }
  if (failures.size() > listed) text += std::string(kLineBreak) + "ほか " + std::to_string(failures.size() - listed) + " 件";
  return {text, std::string(kWarningTitle), MessageIcon::Warning, MessageButtons::Ok};
}

std::vector<FailedStep> failedCopies(std::span<const platform::FileCopy> copies) {
  std::vector<FailedStep> failed;
  for (const platform::FileCopy& copy : copies) {
    if (copy.outcome != platform::CopyOutcome::Failed) continue;
    // A file the kit writes itself (the page's list, the fonts' note) has no source either.
    const bool noFileGiven = copy.source.empty() && !copy.targetFault;
    failed.push_back({copy.target, noFileGiven ? "ファイルが指定されていません" : copy.error});
  }
  return failed;
}

std::vector<FailedStep> DistributionResult::failures() const {
  std::vector<FailedStep> failed = failedCopies(copies);
  if (!gameFileWritten) failed.push_back({gameFilePath, gameFileError});
  return failed;
}

DistributionResult buildDistribution(const Project& project, const DistributionRequest& request,
                                     platform::Progress& progress) {
  DistributionResult result;
  platform::DistributionFiles distribution(request.folder, request.name, request.programFolder, request.kind);

  progress.show(kCaption);
  progress.setLabel(kCollectingLabel);
  progress.setMaximum(std::max(1, project.cgs.count() + project.bgms.count()));
  progress.setValue(0);
  int copied = 0;
  std::vector<std::string> musicFiles;  // as the distribution holds them
  for (ResourceKind kind : kResourceKinds) {
    for (const Resource& resource : project.resources(kind)) {
      result.copies.push_back(distribution.copyResource(resourceFilePath(request.projectPath, resource.path),
                                                        platform::fileNameOf(resource.path), !request.overwrite));
      if (kind == ResourceKind::Bgm && result.copies.back().outcome != platform::CopyOutcome::Failed) {
        musicFiles.push_back(result.copies.back().target);
      }
      if (kind != ResourceKind::Chr) progress.setValue(++copied);
    }
  }
  const std::string projectFolder = platform::folderOf(request.projectPath);
  const std::size_t resourceCopies = result.copies.size();
  for (platform::FileCopy& copy : distribution.copyProgramFiles(!request.overwrite, projectFolder, musicFiles)) {
    result.copies.push_back(std::move(copy));
  }

  progress.setLabel(kWritingLabel);
  progress.setMaximum(project.pageCount());
  progress.setValue(0);
  std::vector<std::uint8_t> gameFile = buildGameFile(project, progress);
  result.gameFilePath = distribution.gameFilePath();
  result.gameFileBytes = gameFile.size();
  result.gameFileWritten = platform::writeFileReplacing(result.gameFilePath, gameFile, &result.gameFileError);
  std::vector<platform::FileCopy> lastFiles =
      distribution.finishFolder(std::span(result.copies).first(resourceCopies), gameFile, !request.overwrite);
  result.copies.insert(result.copies.end(), lastFiles.begin(), lastFiles.end());
  progress.hide();

  result.message = distributionMessage(result.failures());
  return result;
}

std::string runningProgramFolder() { return platform::folderOf(platform::currentExecutablePath()); }

}  // namespace pryx::project

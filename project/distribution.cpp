#include "project/distribution.h"

#include "project/game_file_build.h"

#include "platform/files.h"
#include "platform/paths.h"

#include <algorithm>

namespace pryx::project {
namespace {

constexpr std::string_view kCaption = "配布用ファイルの作成";
constexpr std::string_view kCollectingLabel = "データを収集しています...";
constexpr std::string_view kWritingLabel = "配布用プログラムファイルの作成中...";
constexpr std::string_view kGameFileSuffix = ".PRY";
constexpr std::size_t kMostFailuresListed = 20;

class Build {
 public:
  Build(const DistributionRequest& request, std::vector<FailedStep>& failures) : request_(request), failures_(failures) {}

  void copy(const std::string& from, std::string_view targetName) {
    std::string target = platform::GetPath(request_.folder, targetName);
    std::string error;
    if (platform::copyFile(from, target, !request_.overwrite, &error) == platform::CopyOutcome::Failed) {
      failures_.push_back({target, from.empty() ? "ファイルが指定されていません" : from + ": " + error});
    }
  }

  void write(std::string_view targetName, const std::vector<std::uint8_t>& bytes) {
    std::string target = platform::GetPath(request_.folder, targetName);
    std::string error;
    if (!platform::writeFileReplacing(target, bytes, &error)) failures_.push_back({target, error});
  }

 private:
  const DistributionRequest& request_;
  std::vector<FailedStep>& failures_;
};

Message resultMessage(const std::vector<FailedStep>& failures) {
  if (failures.empty()) return {"作成完了", "完成", MessageIcon::Information, MessageButtons::Ok};
  std::string text = "配布用ファイルを作成しましたが、次のファイルはコピーまたは作成できませんでした。";
  std::size_t listed = std::min(failures.size(), kMostFailuresListed);
  for (std::size_t i = 0; i < listed; ++i) {
    text += std::string(kLineBreak) + failures[i].target + "（" + failures[i].reason + "）";
  }
  if (failures.size() > listed) text += std::string(kLineBreak) + "ほか " + std::to_string(failures.size() - listed) + " 件";
  return {text, std::string(kWarningTitle), MessageIcon::Warning, MessageButtons::Ok};
}

}  // namespace

DistributionResult buildDistribution(const Project& project, const DistributionRequest& request,
                                     platform::Progress& progress) {
  DistributionResult result;
  Build build(request, result.failures);

  progress.show(kCaption);
  progress.setLabel(kCollectingLabel);
  progress.setMaximum(std::max(1, project.cgs.count() + project.bgms.count()));
  progress.setValue(0);
  int copied = 0;
  for (ResourceKind kind : kResourceKinds) {
    for (const Resource& resource : project.resources(kind)) {
      build.copy(resourceFilePath(request.projectPath, resource.path), platform::fileNameOf(resource.path));
      if (kind != ResourceKind::Chr) progress.setValue(++copied);
    }
  }
  build.copy(platform::GetPath(request.programFolder, platform::playerProgramFileName()),
             request.name + std::string(platform::kExecutableSuffix));
  build.copy(platform::GetPath(request.programFolder, platform::kDisplayLibraryFileName),
             platform::kDisplayLibraryFileName);

  progress.setLabel(kWritingLabel);
  progress.setMaximum(project.pageCount());
  progress.setValue(0);
  build.write(request.name + std::string(kGameFileSuffix), buildGameFile(project, progress));
  progress.hide();

  result.message = resultMessage(result.failures);
  return result;
}

std::string runningProgramFolder() { return platform::folderOf(platform::currentExecutablePath()); }

}  // namespace pryx::project

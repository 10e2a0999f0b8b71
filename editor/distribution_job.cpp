#include "editor/distribution_job.h"

#include "project/distribution.h"
#include "script/compiler.h"

#include "platform/files.h"

#include <vector>

namespace pryx::editor {
namespace {

using project::FailedStep;

// The compiler puts the path in front of its reasons; the list shows it once.
FailedStep failedFile(const std::string& path, const std::string& error) {
  std::string prefix = path + ": ";
  return {path, error.starts_with(prefix) ? error.substr(prefix.size()) : error};
}

std::vector<FailedStep> buildScript(const DistributionJob& job, const std::string& scriptPath,
                                    platform::Progress& progress) {
  script::CompileResult result =
      script::progcompile({scriptPath, job.folder, job.name, !job.overwrite, job.programFolder, job.kind}, progress);
  if (!result.scriptRead) return {failedFile(scriptPath, result.error)};
  std::vector<FailedStep> failed = project::failedCopies(result.resourceCopies);
  for (FailedStep& step : project::failedCopies(result.programCopies)) failed.push_back(std::move(step));
  if (!result.gameFileWritten) failed.push_back(failedFile(result.gameFilePath, result.error));
  return failed;
}

std::vector<FailedStep> buildProject(const DistributionJob& job, const project::ProjectDocument* document,
                                     platform::Progress& progress) {
  if (document == nullptr) return {{"", "プロジェクトが開かれていません"}};
  std::string error;
  if (!platform::createDirectories(job.folder, &error)) return {{job.folder, error}};
  return project::buildDistribution(document->project(),
                                    {job.folder, job.name, job.overwrite, document->path(), job.programFolder, job.kind},
                                    progress)
      .failures();
}

}  // namespace

project::InputRequest newFolderRequest() {
  return {"ディレクトリ名を入力してください。", "新しいディレクトリの作成", "NoTitle"};
}

project::InputRequest gameNameRequest() { return {"配布するファイルに名前を付けてください。", "ファイル名の設定", ""}; }

project::Message overwriteQuestion() {
  return {"同名のファイルが現在のディレクトリに存在する場合、上書きコピーを行いますか",
          std::string(project::kQuestionTitle), project::MessageIcon::Question, project::MessageButtons::YesNo};
}

project::Message nameRefusal() { return project::warning("ファイル名として使えない名前です。"); }

bool isPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string_view::npos;
}

project::Message buildDistribution(const DistributionJob& job, const project::ProjectDocument* document,
                                   const std::string& scriptPath, platform::Progress& progress) {
  std::vector<FailedStep> failed = job.source == BuildSource::Script ? buildScript(job, scriptPath, progress)
                                                                     : buildProject(job, document, progress);
  return project::distributionMessage(failed);
}

}  // namespace pryx::editor

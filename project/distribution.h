#pragma once
// The distribution: a folder holding the game file, the player under the game's
// name, the display library and their runtime, and copies of every picture and
// music file. A step that
// fails is passed over and the build goes on; the result lists what failed.

#include "project/message.h"
#include "project/project.h"

#include "platform/distribution_files.h"
#include "platform/files.h"
#include "platform/progress.h"

#include <span>
#include <string>
#include <vector>

namespace pryx::project {

struct DistributionRequest {
  std::string folder;         // the distribution folder; it must exist
  std::string name;           // the game's name: NAME.PRY and the player NAME (+ executable suffix)
  bool overwrite = false;     // copies replace files of the same name; the game file is always replaced
  std::string projectPath;    // relative resource paths count from this file's folder
  std::string programFolder;  // holds the runtime folder the player and its files are taken from (and web/)
  platform::DistributionKind kind = platform::DistributionKind::Desktop;  // or a folder for a web server
};

struct FailedStep {
  std::string target;  // the file that could not be copied or written
  std::string reason;

  bool operator==(const FailedStep&) const = default;
};

struct DistributionResult {
  std::vector<platform::FileCopy> copies;  // the CG, CHR and BGM files, then the player and its runtime
  std::string gameFilePath;
  std::size_t gameFileBytes = 0;
  bool gameFileWritten = false;
  std::string gameFileError;  // why the game file could not be written
  Message message;            // "作成完了" only when every step succeeded

  // The copies and the write that failed, in the order of the build.
  std::vector<FailedStep> failures() const;
  bool succeeded() const { return failures().empty(); }
};

// The copies that failed, each with the reason shown to the author.
std::vector<FailedStep> failedCopies(std::span<const platform::FileCopy> copies);
// "作成完了" when nothing failed, else the warning that lists the failures.
Message distributionMessage(const std::vector<FailedStep>& failures);

DistributionResult buildDistribution(const Project& project, const DistributionRequest& request,
                                      platform::Progress& progress);

// The folder of the running program, whose runtime folder holds the player and the display library.
std::string runningProgramFolder();

}  // namespace pryx::project

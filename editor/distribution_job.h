#pragma once
// What the distribution window builds and where: the open project through the
// builder, or a script file through the compiler. The final message lists every
// step that failed; "作成完了" only when none did.

#include "editor/editor_state.h"

#include "platform/distribution_files.h"
#include "platform/progress.h"
#include "project/document.h"
#include "project/message.h"

#include <string>
#include <string_view>

namespace pryx::editor {

struct DistributionJob {
  BuildSource source = BuildSource::Project;
  std::string folder;         // the distribution folder
  std::string name;           // the game's name, a plain file name
  bool overwrite = false;     // copies replace files of the same name
  std::string programFolder;  // holds the runtime folder the player and its files are taken from (and web/)
  platform::DistributionKind kind = platform::DistributionKind::Desktop;  // or a folder for a web server
};

// The questions the window asks before a build.
project::InputRequest newFolderRequest();
project::InputRequest gameNameRequest();
project::Message overwriteQuestion();
// A name that would put the game's files outside the chosen folder, or nowhere.
project::Message nameRefusal();

// A name usable as one file name inside a folder.
bool isPlainFileName(std::string_view name);

// Builds the open project (`document`; null while none is open) or the script at
// `scriptPath`, as `job.source` says, and gives the message to show.
project::Message buildDistribution(const DistributionJob& job, const project::ProjectDocument* document,
                                   const std::string& scriptPath, platform::Progress& progress);

}  // namespace pryx::editor

#pragma once
// The files of a distribution folder, written alike by the script compiler and the
// project builder: the game file, the player copied under the game's name, the
// display library, and the resources under their own file names. The kit's three
// files always come from the kit: a resource named like one of them is never copied.

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace pryx::platform {

inline constexpr std::string_view kGameFileSuffix = ".PRY";
inline constexpr std::string_view kResourceNameTakenText = "リソースのファイル名が配布用ファイルと重なっています: ";

class DistributionFiles {
 public:
  DistributionFiles(std::string folder, std::string gameName);

  const std::string& folder() const { return folder_; }
  std::string gameFilePath() const;

  // True for the file name of the game file, the player copy or the display library,
  // in any letter case.
  bool isKitFileName(std::string_view fileName) const;

  // Copies a resource file to `fileName` in the folder; a kit file name is refused.
  FileCopy copyResource(std::string source, std::string_view fileName, bool keepExisting) const;

  // The player (under the game's name) and the display library from `programFolder`.
  std::vector<FileCopy> copyProgramFiles(std::string_view programFolder, bool keepExisting) const;

 private:
  std::string playerCopyName() const;

  std::string folder_;
  std::string gameName_;
};

}  // namespace pryx::platform

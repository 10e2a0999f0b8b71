#pragma once
// The files of a distribution folder, written alike by the script compiler and the
// project builder: the game file, the player copied under the game's name, the
// display library, and the resources under their own file names. The kit's three
// files always come from the kit: a resource named like one of them is never copied.
// A web distribution holds the browser player's files instead of the player and the
// library, and the list of the files the page loads (a folder on a web server
// cannot be searched).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace pryx::platform {

inline constexpr std::string_view kGameFileSuffix = ".PRY";
inline constexpr std::string_view kResourceNameTakenText = "リソースのファイル名が配布用ファイルと重なっています: ";

enum class DistributionKind { Desktop, Web };

// Where the browser player's files lie: this folder beside the kit's programs.
inline constexpr std::string_view kWebPlayerFolder = "web";
inline constexpr std::string_view kWebFileList = "files.json";

class DistributionFiles {
 public:
  DistributionFiles(std::string folder, std::string gameName, DistributionKind kind = DistributionKind::Desktop);

  const std::string& folder() const { return folder_; }
  std::string gameFilePath() const;

  // True for the file name of the game file, the player copy or the display library
  // (of a web distribution: the browser player's files and the file list), in any
  // letter case.
  bool isKitFileName(std::string_view fileName) const;

  // Copies a resource file to `fileName` in the folder; a kit file name is refused.
  FileCopy copyResource(std::string source, std::string_view fileName, bool keepExisting) const;

  // The player (under the game's name) and the display library from `programFolder`;
  // for the web, the browser player's files from its web folder.
  std::vector<FileCopy> copyProgramFiles(std::string_view programFolder, bool keepExisting) const;

  // A web folder's last files: the list of the files the page loads (the game file,
  // the resources that are in the folder, the font and the SoundFont) and the font
  // cut down to the characters of `gameFile`. Nothing for the desktop.
  std::vector<FileCopy> finishWebFolder(std::string_view programFolder, std::span<const FileCopy> resourceCopies,
                                        std::span<const std::uint8_t> gameFile) const;

 private:
  std::string playerCopyName() const;

  std::string folder_;
  std::string gameName_;
  DistributionKind kind_;
};

}  // namespace pryx::platform

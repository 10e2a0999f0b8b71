#pragma once
// The files of a distribution folder, written alike by the script compiler and the
// project builder: the game file, the resources under their own file names, and
// the kit's runtime. A desktop distribution's runtime is the player copied under
// the game's name, the display library and what they need to play on a machine
// without the kit (libraries, Qt's plugins, the SoundFont, the fonts and their
// licences); it lies in the folder `runtime` beside the kit's programs, and its list
// `files.txt` names every file of it. A SoundFont the author put beside the script
// or project travels instead of the runtime's; either is cut down to the instruments
// the game's music plays. A web distribution holds the browser player's page and
// engine instead, the files its folder's `files.txt` names, and the list of the
// files the page loads (a folder on a web server cannot be searched). The fonts of either go cut down to the characters the game and the
// player show (platform/cut_fonts.h). The kit's files always come from the kit: a
// resource named like one of them (or like a folder of them) is never copied.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace pryx::platform {

inline constexpr std::string_view kGameFileSuffix = ".PRY";
inline constexpr std::string_view kResourceNameTakenText = "リソースのファイル名が配布用ファイルと重なっています: ";
inline constexpr std::string_view kRuntimeFolderName = "runtime";
inline constexpr std::string_view kRuntimeListName = "files.txt";

// The runtime's files as paths inside `runtimeFolder` ("/" between folders): the
// player and the display library always, then every other file its list names.
// Entries that would lead outside the folder are left out.
std::vector<std::string> runtimeFiles(std::string_view runtimeFolder);

enum class DistributionKind { Desktop, Web };

// Where the browser player's files lie: this folder beside the kit's programs, with
// its list `files.txt` of the SoundFont, the fonts and their licences.
inline constexpr std::string_view kWebPlayerFolder = "web";
inline constexpr std::string_view kWebFileList = "files.json";

class DistributionFiles {
 public:
  // `programFolder` holds the kit's programs, their runtime folder and the browser
  // player's folder.
  DistributionFiles(std::string folder, std::string gameName, std::string_view programFolder,
                    DistributionKind kind = DistributionKind::Desktop);

  const std::string& folder() const { return folder_; }
  std::string gameFilePath() const;

  // True for the file name of the game file, the player copy, a file or folder of
  // the runtime at the top of the distribution (of a web distribution: the browser
  // player's files and the file list), a cut font or its note, in any letter case.
  bool isKitFileName(std::string_view fileName) const;

  // Copies a resource file to `fileName` in the folder; a kit file name is refused.
  FileCopy copyResource(std::string source, std::string_view fileName, bool keepExisting) const;

  // Every runtime file but the fonts, the player under the game's name; the
  // SoundFonts in `sourceFolder` (the script's or project's) in place of the
  // runtime's, each cut down to what the game's MIDI files `musicFiles` can play. A
  // link where a runtime folder belongs is replaced by a folder, never written
  // through. For the web, the browser player's files from its folder.
  std::vector<FileCopy> copyProgramFiles(bool keepExisting, std::string_view sourceFolder,
                                         std::span<const std::string> musicFiles);

  // The folder's last files, once the game file is known: the fonts cut down to the
  // characters of `gameFile` and of the player's own texts (whole where they cannot
  // be cut) with the cut fonts' note, and for the web the list of the files the page
  // loads (the game file, the resources that are in the folder, the fonts and the
  // SoundFont copyProgramFiles chose). A cut font kept by `keepExisting` must hold
  // every character.
  std::vector<FileCopy> finishFolder(std::span<const FileCopy> resourceCopies, std::span<const std::uint8_t> gameFile,
                                     bool keepExisting) const;

 private:
  std::string playerCopyName() const;
  // The path in the distribution of a runtime file.
  std::string targetName(const std::string& runtimeFile) const;
  FileCopy writeFont(const std::string& file, std::span<const char32_t> characters, bool keepExisting) const;

  std::string folder_;
  std::string gameName_;
  DistributionKind kind_;
  std::string kitFolder_;               // the runtime, or the browser player's folder
  std::vector<std::string> kitFiles_;   // what copyProgramFiles and finishFolder take from it
  std::string soundFontName_;           // the one a web page plays with
};

}  // namespace pryx::platform

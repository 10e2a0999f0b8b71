#include "platform/distribution_files.h"

#include "platform/ascii.h"
#include "platform/distribution_soundfont.h"
#include "platform/font_subset.h"
#include "platform/json_text.h"
#include "platform/paths.h"
#include "platform/soundfont_files.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace pryx::platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWebFont = "ipam.ttf";
constexpr std::string_view kWebSoundFont = "TimGM6mb.sf2";
// Everything the page needs besides the game's own files, with the licences of what
// it ships. The font is written cut down to the game's characters.
constexpr std::array<std::string_view, 15> kWebPlayerFiles = {
    "index.html", "page.js", "host.js", "route.js", "saves.js", "music.js",
    "pryx-web-player.js", "pryx-web-player.wasm",
    "js-synthesizer.min.js", "js-synthesizer.worklet.min.js", "libfluidsynth-2.3.0.js", "LICENSE.fluidsynth.txt",
    "IPA_Font_License.txt", kWebSoundFont, "TimGM6mb-copyright.txt",
};

// A relative path that stays inside its folder.
bool staysInside(std::string_view path) {
  if (path.empty() || isAbsolutePath(path)) return false;
  for (const fs::path& part : fs::path(std::string(path))) {
    if (part == ".." || part == ".") return false;
  }
  return true;
}

std::string firstPart(std::string_view path) { return std::string(path.substr(0, path.find('/'))); }

// Makes the folders of `relativeFile` inside `folder` real folders: a link among them
// (to anywhere) is removed, so that nothing is written through it.
void makeRealFolders(const std::string& folder, const std::string& relativeFile) {
  fs::path at = toFsPath(folder);
  const fs::path parents = fs::path(relativeFile).parent_path();
  for (const fs::path& part : parents) {
    at /= part;
    std::error_code code;
    if (fs::is_symlink(at, code)) fs::remove(at, code);
    fs::create_directory(at, code);
  }
}

}  // namespace

std::vector<std::string> runtimeFiles(std::string_view runtimeFolder) {
  std::vector<std::string> files{playerProgramFileName(), std::string(kDisplayLibraryFileName)};
  auto list = readWholeFile(GetPath(runtimeFolder, kRuntimeListName));
  if (!list) return files;
  std::string_view text(reinterpret_cast<const char*>(list->data()), list->size());
  while (!text.empty()) {
    std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!line.starts_with('#') && staysInside(line) && std::find(files.begin(), files.end(), line) == files.end()) {
      files.emplace_back(line);
    }
  }
  return files;
}

DistributionFiles::DistributionFiles(std::string folder, std::string gameName, std::string_view programFolder,
                                     DistributionKind kind)
    : folder_(std::move(folder)),
      gameName_(std::move(gameName)),
      programFolder_(programFolder),
      kind_(kind),
      runtimeFolder_(GetPath(programFolder, kRuntimeFolderName)),
      runtimeFiles_(kind == DistributionKind::Desktop ? runtimeFiles(runtimeFolder_) : std::vector<std::string>{}),
      soundFontName_(kWebSoundFont) {}

std::string DistributionFiles::playerCopyName() const { return gameName_ + std::string(kExecutableSuffix); }

std::string DistributionFiles::targetName(const std::string& runtimeFile) const {
  return runtimeFile == playerProgramFileName() ? playerCopyName() : runtimeFile;
}

std::string DistributionFiles::gameFilePath() const {
  return GetPath(folder_, gameName_ + std::string(kGameFileSuffix));
}

bool DistributionFiles::isKitFileName(std::string_view fileName) const {
  if (equalsIgnoringAsciiCase(fileName, gameName_ + std::string(kGameFileSuffix))) return true;
  if (kind_ == DistributionKind::Web) {
    return equalsIgnoringAsciiCase(fileName, kWebFileList) || equalsIgnoringAsciiCase(fileName, kWebFont) ||
           std::any_of(kWebPlayerFiles.begin(), kWebPlayerFiles.end(),
                       [&](std::string_view kitFile) { return equalsIgnoringAsciiCase(fileName, kitFile); });
  }
  return std::any_of(runtimeFiles_.begin(), runtimeFiles_.end(), [&](const std::string& file) {
    return equalsIgnoringAsciiCase(fileName, firstPart(targetName(file)));
  });
}

FileCopy DistributionFiles::copyResource(std::string source, std::string_view fileName, bool keepExisting) const {
  std::string target = GetPath(folder_, fileName);
  if (isKitFileName(fileName)) {
    return {std::move(source), std::move(target), CopyOutcome::Failed,
            std::string(kResourceNameTakenText) + std::string(fileName), true};
  }
  return recordedCopy(std::move(source), std::move(target), keepExisting);
}

std::vector<FileCopy> DistributionFiles::copyProgramFiles(bool keepExisting, std::string_view sourceFolder,
                                                         std::span<const std::string> musicFiles) {
  std::vector<FileCopy> copies;
  const std::vector<std::string> ownSoundFonts = soundFontFilesIn(sourceFolder);
  for (const std::string& soundFont : ownSoundFonts) {
    copies.push_back(copySoundFontFor(soundFont, GetPath(folder_, fileNameOf(soundFont)), keepExisting, musicFiles));
  }
  if (kind_ == DistributionKind::Web) {
    soundFontName_ = ownSoundFonts.empty() ? std::string(kWebSoundFont) : fileNameOf(ownSoundFonts.front());
    const std::string webFolder = GetPath(programFolder_, kWebPlayerFolder);
    for (std::string_view file : kWebPlayerFiles) {
      if (file != kWebSoundFont) {
        copies.push_back(recordedCopy(GetPath(webFolder, file), GetPath(folder_, file), keepExisting));
      } else if (ownSoundFonts.empty()) {
        copies.push_back(copySoundFontFor(GetPath(webFolder, file), GetPath(folder_, file), keepExisting, musicFiles));
      }
    }
    return copies;
  }
  for (const std::string& file : runtimeFiles_) {
    const bool soundFont = isSoundFontName(file);
    if (!ownSoundFonts.empty() && soundFont) continue;
    const std::string target = targetName(file);
    makeRealFolders(folder_, target);
    copies.push_back(soundFont ? copySoundFontFor(GetPath(runtimeFolder_, file), GetPath(folder_, target), keepExisting, musicFiles)
                               : recordedCopy(GetPath(runtimeFolder_, file), GetPath(folder_, target), keepExisting));
  }
  return copies;
}

std::vector<FileCopy> DistributionFiles::finishWebFolder(std::span<const FileCopy> resourceCopies,
                                                        std::span<const std::uint8_t> gameFile) const {
  std::vector<FileCopy> written;
  if (kind_ != DistributionKind::Web) return written;
  std::string files = jsonString(fileNameOf(gameFilePath()));
  for (const FileCopy& copy : resourceCopies) {
    if (copy.outcome != CopyOutcome::Failed) files += "," + jsonString(fileNameOf(copy.target));
  }
  std::string list = "{\"name\":" + jsonString(gameName_) + ",\"files\":[" + files + "],\"fonts\":[" +
                     jsonString(kWebFont) + "],\"soundFont\":" + jsonString(soundFontName_) + "}\n";
  written.push_back(recordedWrite({}, GetPath(folder_, kWebFileList), list));

  std::string font = GetPath(GetPath(programFolder_, kWebPlayerFolder), kWebFont);
  std::string error;
  auto subset = subsetFont(font, charactersOfGameFile(gameFile), &error);
  if (!subset) {
    written.push_back({font, GetPath(folder_, kWebFont), CopyOutcome::Failed, error, false});
  } else {
    written.push_back(recordedWrite(font, GetPath(folder_, kWebFont),
                                  {reinterpret_cast<const char*>(subset->data()), subset->size()}));
  }
  return written;
}

}  // namespace pryx::platform

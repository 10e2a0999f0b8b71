#include "platform/distribution_files.h"

#include <algorithm>
#include <array>

#include "platform/ascii.h"
#include "platform/font_subset.h"
#include "platform/json_text.h"
#include "platform/paths.h"

namespace pryx::platform {
namespace {

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

FileCopy writtenFile(std::string source, std::string target, std::string_view bytes) {
  FileCopy written{std::move(source), std::move(target), CopyOutcome::Copied, {}, false};
  if (!writeFileReplacing(written.target, bytes, &written.error)) {
    written.outcome = CopyOutcome::Failed;
    written.error = written.target + ": " + written.error;
    written.targetFault = true;
  }
  return written;
}

}  // namespace

DistributionFiles::DistributionFiles(std::string folder, std::string gameName, DistributionKind kind)
    : folder_(std::move(folder)), gameName_(std::move(gameName)), kind_(kind) {}

std::string DistributionFiles::playerCopyName() const { return gameName_ + std::string(kExecutableSuffix); }

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
  return equalsIgnoringAsciiCase(fileName, playerCopyName()) ||
         equalsIgnoringAsciiCase(fileName, kDisplayLibraryFileName);
}

FileCopy DistributionFiles::copyResource(std::string source, std::string_view fileName, bool keepExisting) const {
  std::string target = GetPath(folder_, fileName);
  if (isKitFileName(fileName)) {
    return {std::move(source), std::move(target), CopyOutcome::Failed,
            std::string(kResourceNameTakenText) + std::string(fileName), true};
  }
  return recordedCopy(std::move(source), std::move(target), keepExisting);
}

std::vector<FileCopy> DistributionFiles::copyProgramFiles(std::string_view programFolder, bool keepExisting) const {
  std::vector<FileCopy> copies;
  if (kind_ == DistributionKind::Web) {
    std::string webFolder = GetPath(programFolder, kWebPlayerFolder);
    for (std::string_view file : kWebPlayerFiles) {
      copies.push_back(recordedCopy(GetPath(webFolder, file), GetPath(folder_, file), keepExisting));
    }
    return copies;
  }
  copies.push_back(
      recordedCopy(GetPath(programFolder, playerProgramFileName()), GetPath(folder_, playerCopyName()), keepExisting));
  copies.push_back(recordedCopy(GetPath(programFolder, kDisplayLibraryFileName),
                                GetPath(folder_, kDisplayLibraryFileName), keepExisting));
  return copies;
}

std::vector<FileCopy> DistributionFiles::finishWebFolder(std::string_view programFolder,
                                                        std::span<const FileCopy> resourceCopies,
                                                        std::span<const std::uint8_t> gameFile) const {
  std::vector<FileCopy> written;
  if (kind_ != DistributionKind::Web) return written;
  std::string files = jsonString(fileNameOf(gameFilePath()));
  for (const FileCopy& copy : resourceCopies) {
    if (copy.outcome != CopyOutcome::Failed) files += "," + jsonString(fileNameOf(copy.target));
  }
  std::string list = "{\"name\":" + jsonString(gameName_) + ",\"files\":[" + files + "],\"fonts\":[" +
                     jsonString(kWebFont) + "],\"soundFont\":" + jsonString(kWebSoundFont) + "}\n";
  written.push_back(writtenFile({}, GetPath(folder_, kWebFileList), list));

  std::string font = GetPath(GetPath(programFolder, kWebPlayerFolder), kWebFont);
  std::string error;
  auto subset = subsetFont(font, charactersOfGameFile(gameFile), &error);
  if (!subset) {
    written.push_back({font, GetPath(folder_, kWebFont), CopyOutcome::Failed, error, false});
  } else {
    written.push_back(writtenFile(font, GetPath(folder_, kWebFont),
                                  {reinterpret_cast<const char*>(subset->data()), subset->size()}));
  }
  return written;
}

}  // namespace pryx::platform

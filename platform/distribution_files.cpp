#include "platform/distribution_files.h"

#include "platform/ascii.h"
#include "platform/cut_fonts.h"
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

// FluidSynth for the page: the build with libsndfile, four times larger, only for a
// SoundFont with compressed samples, which the other cannot read.
constexpr std::string_view kWebSynthesizer = "libfluidsynth-2.3.0.js";
constexpr std::string_view kWebSynthesizerForSf3 = "libfluidsynth-2.3.0-with-libsndfile.js";

// The page and the engine; the SoundFont, the fonts and their licences come from the
// web folder's list, as the runtime's do.
constexpr std::array<std::string_view, 14> kWebPageFiles = {
    "index.html", "page.js", "host.js", "route.js", "saves.js", "music.js", "speech.js",
    "pryx-web-player.js", "pryx-web-player.wasm", "js-synthesizer.min.js", "js-synthesizer.worklet.min.js",
    kWebSynthesizer, kWebSynthesizerForSf3, "LICENSE.fluidsynth.txt",
};

std::string_view webSynthesizerFor(std::string_view soundFont) {
  return endsWithIgnoringAsciiCase(soundFont, ".sf3") ? kWebSynthesizerForSf3 : kWebSynthesizer;
}

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

// `files` and then every file the list in `folder` names.
std::vector<std::string> withListedFiles(std::vector<std::string> files, std::string_view folder) {
  auto list = readWholeFile(GetPath(folder, kRuntimeListName));
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

}  // namespace

std::vector<std::string> runtimeFiles(std::string_view runtimeFolder) {
  return withListedFiles({playerProgramFileName(), std::string(kDisplayLibraryFileName)}, runtimeFolder);
}

DistributionFiles::DistributionFiles(std::string folder, std::string gameName, std::string_view programFolder,
                                     DistributionKind kind)
    : folder_(std::move(folder)),
      gameName_(std::move(gameName)),
      kind_(kind),
      kitFolder_(GetPath(programFolder, kind == DistributionKind::Desktop ? kRuntimeFolderName : kWebPlayerFolder)),
      kitFiles_(kind == DistributionKind::Desktop
                    ? runtimeFiles(kitFolder_)
                    : withListedFiles({kWebPageFiles.begin(), kWebPageFiles.end()}, kitFolder_)) {}

std::string DistributionFiles::playerCopyName() const { return gameName_ + std::string(kExecutableSuffix); }

std::string DistributionFiles::targetName(const std::string& runtimeFile) const {
  return runtimeFile == playerProgramFileName() ? playerCopyName() : runtimeFile;
}

std::string DistributionFiles::gameFilePath() const {
  return GetPath(folder_, gameName_ + std::string(kGameFileSuffix));
}

bool DistributionFiles::isKitFileName(std::string_view fileName) const {
  auto named = [&](std::string_view kitFile) { return equalsIgnoringAsciiCase(fileName, kitFile); };
  if (named(gameName_ + std::string(kGameFileSuffix)) || named(kCutFontNoteName)) return true;
  if (kind_ == DistributionKind::Web && named(kWebFileList)) return true;
  return std::any_of(kitFiles_.begin(), kitFiles_.end(), [&](const std::string& file) {
    const CutFont* cut = cutFontOf(file);
    return named(firstPart(targetName(file))) || (cut && named(cut->file));
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
  // Of the author's SoundFonts the players take the first by name: only it travels.
  const std::vector<std::string> ownSoundFonts = soundFontFilesIn(sourceFolder);
  if (!ownSoundFonts.empty()) {
    const std::string& own = ownSoundFonts.front();
    copies.push_back(copySoundFontFor(own, GetPath(folder_, fileNameOf(own)), keepExisting, musicFiles));
  }
  const auto kitSoundFont = std::find_if(kitFiles_.begin(), kitFiles_.end(), isSoundFontName);
  soundFontName_ = !ownSoundFonts.empty()          ? fileNameOf(ownSoundFonts.front())
                   : kitSoundFont != kitFiles_.end() ? *kitSoundFont
                                                     : std::string();
  for (const std::string& file : kitFiles_) {
    const bool soundFont = isSoundFontName(file);
    if (soundFont && !ownSoundFonts.empty()) continue;
    if (cutFontOf(file)) continue;  // written by finishFolder, cut down to the game's characters
    if ((file == kWebSynthesizer || file == kWebSynthesizerForSf3) && file != webSynthesizerFor(soundFontName_)) {
      continue;
    }
    const std::string target = targetName(file);
    makeRealFolders(folder_, target);
    const std::string source = GetPath(kitFolder_, file);
    if (soundFont) {
      copies.push_back(copySoundFontFor(source, GetPath(folder_, target), keepExisting, musicFiles));
    } else {
      copies.push_back(recordedCopy(source, GetPath(folder_, target), keepExisting));
    }
  }
  return copies;
}

FileCopy DistributionFiles::writeFont(const std::string& file, std::span<const char32_t> characters,
                                      bool keepExisting) const {
  const CutFont& cut = *cutFontOf(file);
  const std::string source = GetPath(kitFolder_, file);
  const std::string target = GetPath(folder_, cut.file);
  // A cut font is kept as other runtime files are, but only while it holds what this
  // game shows: the game may have changed since it was cut.
  if (keepExisting) {
    const std::vector<char32_t> wanted = fontCharacters(source, characters);
    if (!wanted.empty() && fontCharacters(target, wanted) == wanted) {
      return {source, target, CopyOutcome::KeptExisting, {}, false};
    }
  }
  auto subset = subsetFont(source, characters, cut.name, nullptr);
  if (!subset) return recordedCopy(source, GetPath(folder_, file), keepExisting);  // the whole font, as it was staged
  return recordedWrite(source, target, {reinterpret_cast<const char*>(subset->data()), subset->size()});
}

std::vector<FileCopy> DistributionFiles::finishFolder(std::span<const FileCopy> resourceCopies,
                                                      std::span<const std::uint8_t> gameFile,
                                                      bool keepExisting) const {
  std::vector<FileCopy> written;
  const std::vector<char32_t> characters = charactersOfGameFile(gameFile);
  std::vector<const CutFont*> cutFonts;
  std::string fonts;
  for (const std::string& file : kitFiles_) {
    if (!cutFontOf(file)) continue;
    written.push_back(writeFont(file, characters, keepExisting));
    if (written.back().outcome == CopyOutcome::Failed) continue;
    fonts += (fonts.empty() ? "" : ",") + jsonString(fileNameOf(written.back().target));
    if (fileNameOf(written.back().target) != file) cutFonts.push_back(cutFontOf(file));
  }
  if (!cutFonts.empty()) {
    // The note is the kit's own text: kept only while it names the fonts cut now.
    const std::string note = GetPath(folder_, kCutFontNoteName);
    const std::string text = cutFontNote(cutFonts);
    const std::optional<Bytes> kept = keepExisting ? readWholeFile(note) : std::nullopt;
    if (kept && std::string_view(reinterpret_cast<const char*>(kept->data()), kept->size()) == text) written.push_back({{}, note, CopyOutcome::KeptExisting, {}, false});
    else written.push_back(recordedWrite({}, note, text));
  }
  if (kind_ != DistributionKind::Web) return written;

  std::string files = jsonString(fileNameOf(gameFilePath()));
  for (const FileCopy& copy : resourceCopies) {
    if (copy.outcome != CopyOutcome::Failed) files += "," + jsonString(fileNameOf(copy.target));
  }
  std::string list = "{\"name\":" + jsonString(gameName_) + ",\"files\":[" + files + "],\"fonts\":[" + fonts +
                     "],\"soundFont\":" + jsonString(soundFontName_) +
                     ",\"synthesizer\":" + jsonString(webSynthesizerFor(soundFontName_)) + "}\n";
  written.push_back(recordedWrite({}, GetPath(folder_, kWebFileList), list));
  return written;
}

}  // namespace pryx::platform

#include "player/game_files.h"

#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "player/gamefile/layout_check.h"

namespace pryx::player {
namespace {

constexpr std::string_view kGameFileExtension = ".PRY";
constexpr std::string_view kSaveFileExtension = ".SAV";

std::string withoutSuffix(std::string fileName, std::string_view suffix) {
  if (platform::endsWithIgnoringAsciiCase(fileName, suffix) && fileName.size() > suffix.size()) {
    fileName.resize(fileName.size() - suffix.size());
  }
  return fileName;
}

}  // namespace

GameLocation locationOfExecutable(std::string_view executablePath) {
  GameLocation location;
  location.folder = platform::folderOf(executablePath);
  location.name = withoutSuffix(platform::fileNameOf(executablePath), platform::kExecutableSuffix);
  location.saveFolder = location.folder;
  return location;
}

GameLocation locationOfGameFile(std::string_view gameFilePath) {
  GameLocation location;
  location.folder = platform::folderOf(gameFilePath);
  if (location.folder.empty()) location.folder = ".";
  location.name = withoutSuffix(platform::fileNameOf(gameFilePath), kGameFileExtension);
  location.saveFolder = location.folder;
  return location;
}

std::string gameFilePath(const GameLocation& location) {
  std::string fileName = location.name + std::string(kGameFileExtension);
  if (auto found = platform::findFileIgnoringCase(location.folder, fileName)) return *found;
  return platform::GetFileX(location.folder, fileName);
}

std::optional<gamefile::GameImage> readGameFile(const std::string& path) {
  auto bytes = platform::readWholeFile(path);
  if (!bytes) return std::nullopt;
  gamefile::GameImage image(std::move(*bytes));
  if (!image.hasMagic() || gamefile::layoutFault(image)) return std::nullopt;
  return image;
}

std::string saveFilePath(const GameLocation& location, int slot) {
  return platform::GetFileX(location.saveFolder,
                            location.name + std::to_string(slot) + std::string(kSaveFileExtension));
}

std::optional<std::string> resourceFileName(std::string_view sjisName, std::string_view extension) {
  if (sjisName.empty()) return std::nullopt;
  std::string name = platform::decodeSjis(sjisName);
  for (char c : name) {
    if (platform::isPathSeparator(c) || c == ':') return std::nullopt;
  }
  if (name.find("..") != std::string::npos) return std::nullopt;
  return name + std::string(extension);
}

std::optional<std::string> findResourceFile(const std::string& folder, std::string_view sjisName,
                                            std::string_view extension) {
  auto name = resourceFileName(sjisName, extension);
  if (!name) return std::nullopt;
  return platform::findFileIgnoringCase(folder, *name);
}

}  // namespace pryx::player

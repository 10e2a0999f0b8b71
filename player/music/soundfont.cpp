#include "player/music/soundfont.h"

#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace pryx::player {
namespace {

// A name that is only an extension (".sf2") names no SoundFont.
bool isSoundFontName(std::string_view name) {
  return name.size() > 4 &&
         (platform::endsWithIgnoringAsciiCase(name, ".sf2") || platform::endsWithIgnoringAsciiCase(name, ".sf3"));
}

std::vector<std::string> soundFontsIn(const std::string& folder) {
  std::vector<std::string> found;
  std::error_code code;
  for (std::filesystem::directory_iterator it(platform::toFsPath(folder), code), end; !code && it != end;
       it.increment(code)) {
    std::error_code kindCode;
    if (it->is_regular_file(kindCode) && isSoundFontName(platform::fromFsPath(it->path().filename()))) {
      found.push_back(platform::fromFsPath(it->path()));
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

const std::vector<std::string>& usualSystemSoundFonts() {
  static const std::vector<std::string> paths{
      "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/soundfonts/default.sf2",    "/usr/share/soundfonts/FluidR3_GM.sf2",
      "/usr/share/soundfonts/FluidR3_GM.sf3",
  };
  return paths;
}

std::vector<std::string> soundFontCandidates(const std::string& programFolder,
                                             const std::vector<std::string>& systemSoundFonts) {
  std::vector<std::string> candidates = soundFontsIn(programFolder);
  for (const std::string& path : systemSoundFonts) {
    if (!platform::fileExists(path)) continue;
    if (std::find(candidates.begin(), candidates.end(), path) == candidates.end()) candidates.push_back(path);
  }
  return candidates;
}

bool looksLikeSoundFont(const std::string& path) {
  std::ifstream file(platform::toFsPath(path), std::ios::binary);
  std::array<char, 12> start{};
  if (!file.read(start.data(), start.size())) return false;
  const std::string_view text(start.data(), start.size());
  return text.substr(0, 4) == "RIFF" && text.substr(8, 4) == "sfbk";
}

}  // namespace pryx::player

#include "player/music/soundfont.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/soundfont_files.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace pryx::player {

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
  std::vector<std::string> candidates = platform::soundFontFilesIn(programFolder);
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

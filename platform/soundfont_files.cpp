#include "platform/soundfont_files.h"

#include "platform/ascii.h"
#include "platform/paths.h"

#include <algorithm>
#include <filesystem>

namespace pryx::platform {

bool isSoundFontName(std::string_view name) {
  // A name that is only an extension (".sf2") names no SoundFont.
  return name.size() > 4 && (endsWithIgnoringAsciiCase(name, ".sf2") || endsWithIgnoringAsciiCase(name, ".sf3"));
}

std::vector<std::string> soundFontFilesIn(std::string_view folder) {
  std::vector<std::string> found;
  std::error_code code;
  const std::filesystem::path listed = toFsPath(folder.empty() ? "." : folder);
  for (std::filesystem::directory_iterator it(listed, code), end; !code && it != end; it.increment(code)) {
    std::error_code kindCode;
    if (it->is_regular_file(kindCode) && isSoundFontName(fromFsPath(it->path().filename()))) {
      found.push_back(fromFsPath(it->path()));
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace pryx::platform

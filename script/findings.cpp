#include "script/findings.h"

#include <algorithm>

#include "platform/sjis.h"

namespace pryx::script {

void sortByLine(Findings& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string quoted(std::string_view sjisText) {
  constexpr std::size_t kShown = 60;
  std::string_view shown = sjisText.substr(0, platform::sjisPrefixLength(sjisText, kShown));
  std::string text = "\"" + platform::decodeSjis(shown);
  if (shown.size() < sjisText.size()) text += "...";
  return text + "\"";
}

}  // namespace pryx::script

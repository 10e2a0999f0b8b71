#include "platform/ascii.h"

#include <algorithm>

namespace pryx::platform {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string asciiUpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), asciiUpper);
  return text;
}

}  // namespace pryx::platform

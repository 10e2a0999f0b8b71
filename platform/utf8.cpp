#include "platform/utf8.h"

namespace pryx::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string text;
  text.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0                 ? 4
                                                                       : 0;
    char32_t character = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool valid = length != 0 && i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = isContinuation(next);
      character = character << 6 | (next & 0x3F);
    }
    // Over-long forms, surrogates and values past U+10FFFF are no characters.
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && character >= kSmallest[length] && character <= 0x10FFFF &&
            !(character >= 0xD800 && character <= 0xDFFF);
    text.push_back(valid ? character : kReplacement);
    i += valid ? length : 1;
  }
  return text;
}

}  // namespace pryx::platform

#include "platform/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <stdexcept>

namespace pryx::platform {
namespace {

// glibc names Windows' code page 932 "CP932"; "SHIFT_JIS" would turn 0x5C into a yen sign.
constexpr const char* kCodePage = "CP932";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; returns false on an invalid or incomplete
  // sequence, leaving `in` at the offending byte.
  bool convert(const char*& in, std::size_t& inLeft, std::string& out) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      std::size_t result = iconv(handle_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

Converter& decoder() {
  thread_local Converter converter("UTF-8", kCodePage);
  return converter;
}

Converter& encoder() {
  thread_local Converter converter(kCodePage, "UTF-8");
  return converter;
}

// Single bytes that iconv refuses but Windows maps to characters of their own; they
// map back, so that every byte a Japanese system wrote survives decoding and encoding.
struct LoneByte {
  char byte;
  std::string_view utf8;
};
constexpr LoneByte kLoneBytes[] = {
    {'\x80', "\xC2\x80"},          // U+0080
    {'\xA0', "\xEF\xA3\xB0"},      // U+F8F0
    {'\xFD', "\xEF\xA3\xB1"},      // U+F8F1
    {'\xFE', "\xEF\xA3\xB2"},      // U+F8F2
    {'\xFF', "\xEF\xA3\xB3"},      // U+F8F3
};

std::size_t utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

std::string decodeSjis(std::string_view bytes, bool* hadInvalidBytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  const char* in = bytes.data();
  std::size_t left = bytes.size();
  bool invalid = false;
  while (!decoder().convert(in, left, out)) {
    const auto lone = std::find_if(std::begin(kLoneBytes), std::end(kLoneBytes),
                                   [&](const LoneByte& entry) { return entry.byte == *in; });
    if (lone != std::end(kLoneBytes)) {
      out += lone->utf8;
    } else {
      // A lead byte without its partner: one replacement character, then go on.
      out += kReplacementUtf8;
      invalid = true;
    }
    ++in;
    --left;
  }
  if (hadInvalidBytes) *hadInvalidBytes = invalid;
  return out;
}

std::string encodeSjis(std::string_view utf8, bool* lossy) {
  std::string out;
  out.reserve(utf8.size());
  const char* in = utf8.data();
  std::size_t left = utf8.size();
  bool replaced = false;
  while (!encoder().convert(in, left, out)) {
    const std::string_view rest(in, left);
    const auto lone = std::find_if(std::begin(kLoneBytes), std::end(kLoneBytes),
                                   [&](const LoneByte& entry) { return rest.starts_with(entry.utf8); });
    if (lone != std::end(kLoneBytes)) {
      out += lone->byte;
      in += lone->utf8.size();
      left -= lone->utf8.size();
      continue;
    }
    std::size_t skip = utf8SequenceLength(static_cast<unsigned char>(*in));
    if (skip > left) skip = left;
    out += '?';
    in += skip;
    left -= skip;
    replaced = true;
  }
  if (lossy) *lossy = replaced;
  return out;
}

std::size_t sjisPrefixLength(std::string_view bytes, std::size_t maxBytes) {
  if (bytes.size() <= maxBytes) return bytes.size();
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t width = isSjisLeadByte(static_cast<std::uint8_t>(bytes[i])) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return i;
}

std::size_t sjisLastPathSeparator(std::string_view bytes) {
  std::size_t found = std::string_view::npos;
  std::size_t i = 0;
  while (i < bytes.size()) {
    auto b = static_cast<std::uint8_t>(bytes[i]);
    if (isSjisLeadByte(b)) {
      i += 2;
      continue;
    }
    if (b == '\\' || b == '/') found = i;
    ++i;
  }
  return found;
}

}  // namespace pryx::platform

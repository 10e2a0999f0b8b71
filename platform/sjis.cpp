#include "platform/sjis.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/sjis_cp932.h"

// Code page 932 from tables (platform/sjis_cp932.h, generated from glibc's iconv "CP932"
// by tools/make-sjis-tables): the same on every platform, and no iconv at run time.

namespace pryx::platform {
namespace {

constexpr std::size_t kLeadRows = std::size(cp932::kPairs);
constexpr std::size_t kTrails = cp932::kLastTrail - cp932::kFirstTrail + 1;

constexpr std::size_t leadRow(std::uint8_t lead) { return lead < 0xE0 ? lead - 0x81u : lead - 0xE0u + 0x1Fu; }

constexpr bool isWritten(std::uint16_t code) {
  for (const cp932::CodeRange& range : cp932::kNotWritten) {
    if (code >= range.first && code <= range.last) return false;
  }
  return true;
}

// Calls `visit(code, character)` for every code above ASCII whose character is
// written with that code (ASCII is written as itself).
template <typename Visit>
constexpr void forEachWrittenCode(Visit visit) {
  for (int b = 0x80; b < 0x100; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    if (!isSjisLeadByte(byte)) visit(static_cast<std::uint16_t>(byte), cp932::kSingleBytes[byte]);
  }
  for (int lead = 0x81; lead < 0x100; ++lead) {
    const auto leadByte = static_cast<std::uint8_t>(lead);
    if (!isSjisLeadByte(leadByte)) continue;
    for (std::size_t t = 0; t < kTrails; ++t) {
      const std::uint16_t character = cp932::kPairs[leadRow(leadByte)][t];
      const auto code = static_cast<std::uint16_t>(lead << 8 | (cp932::kFirstTrail + static_cast<int>(t)));
      if (character != 0 && isWritten(code)) visit(code, character);
    }
  }
}

constexpr std::size_t countEncodePages() {
  std::array<bool, 256> used{};
  forEachWrittenCode([&](std::uint16_t, std::uint16_t character) { used[character >> 8] = true; });
  std::size_t pages = 0;
  for (bool u : used) pages += u ? 1 : 0;
  return pages;
}

constexpr std::size_t kEncodePages = countEncodePages();

// The code of every character of the BMP, in pages of 256 characters: the code for a
// character is codes[pageOf[c >> 8]][c & 0xFF]; page 0 is empty. A code below 0x100 is
// one byte, 0 means none.
struct EncodeTable {
  std::array<std::uint8_t, 256> pageOf{};
  std::array<std::array<std::uint16_t, 256>, kEncodePages + 1> codes{};
  bool twoCodesForOneCharacter = false;  // kNotWritten misses one of them
};

constexpr EncodeTable buildEncodeTable() {
  EncodeTable table{};
  std::size_t pages = 0;
  forEachWrittenCode([&](std::uint16_t code, std::uint16_t character) {
    std::uint8_t& page = table.pageOf[character >> 8];
    if (page == 0) page = static_cast<std::uint8_t>(++pages);
    std::uint16_t& entry = table.codes[page][character & 0xFF];
    if (entry != 0) table.twoCodesForOneCharacter = true;
    entry = code;
  });
  return table;
}

constexpr EncodeTable kEncode = buildEncodeTable();

static_assert(kLeadRows == 60 && kTrails == 189);
static_assert(kEncodePages < 255);
static_assert(!kEncode.twoCodesForOneCharacter);

constexpr char kQuestionMark = '?';

// Writes `c` (at most U+FFFF) as UTF-8.
inline char* putUtf8(char* out, std::uint32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Eight bytes at `p`, all of them ASCII.
inline bool eightAscii(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080u) == 0;
}

// Copies the ASCII run at `in` (up to `end`) to `out`: both conversions keep ASCII as
// it is, and most of a game's bytes are ASCII.
inline void copyAscii(const unsigned char*& in, const unsigned char* end, char*& out) {
  while (end - in >= 8 && eightAscii(in)) {
    std::memcpy(out, in, 8);
    in += 8;
    out += 8;
  }
  while (in < end && *in < 0x80) *out++ = static_cast<char>(*in++);
}

// The bytes a broken UTF-8 sequence that starts with `lead` takes up, as its lead claims.
constexpr std::size_t utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

constexpr bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Both conversions write into a small buffer and append it to the result, which is
// reserved once: only the memory the result takes up is touched (on a virtual machine
// every page touched for the first time costs a page fault).
constexpr std::size_t kBufferSize = 8192;

}  // namespace

std::string decodeSjis(std::string_view bytes, bool* hadInvalidBytes) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = in + bytes.size();
  bool invalid = false;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  char buffer[kBufferSize];
  while (in < end) {
    // A chunk of input that fills the buffer at most: three UTF-8 bytes for each
    // character begun in it.
    const unsigned char* const chunkEnd = in + std::min<std::size_t>(static_cast<std::size_t>(end - in), kBufferSize / 3);
    char* o = buffer;
    while (in < chunkEnd) {
      copyAscii(in, chunkEnd, o);
      if (in == chunkEnd) break;
      const unsigned char b = *in;
      if (!isSjisLeadByte(b)) {
        o = putUtf8(o, cp932::kSingleBytes[b]);
        ++in;
      } else {
        std::uint16_t c = 0;
        if (end - in >= 2) {
          const unsigned trail = in[1] - static_cast<unsigned>(cp932::kFirstTrail);
          if (trail < kTrails) c = cp932::kPairs[leadRow(b)][trail];
        }
        if (c != 0) {
          in += 2;
        } else {
          // A lead byte without its partner: one replacement character, and the
          // byte after it is read on its own.
          c = 0xFFFD;
          invalid = true;
          ++in;
        }
        o = putUtf8(o, c);
      }
    }
    out.append(buffer, static_cast<std::size_t>(o - buffer));
  }
  if (hadInvalidBytes) *hadInvalidBytes = invalid;
  return out;
}

std::string encodeSjis(std::string_view utf8, bool* lossy) {
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = in + utf8.size();
  bool replaced = false;
  std::string out;
  out.reserve(utf8.size());
  char buffer[kBufferSize];
  while (in < end) {
    // No character is written longer than it is in UTF-8, nor "?" longer than what
    // it replaces: a chunk of input never overfills the buffer.
    const unsigned char* const chunkEnd = in + std::min<std::size_t>(static_cast<std::size_t>(end - in), kBufferSize - 8);
    char* o = buffer;
    while (in < chunkEnd) {
      copyAscii(in, chunkEnd, o);
      if (in == chunkEnd) break;
      const unsigned char b = *in;
      const auto left = static_cast<std::size_t>(end - in);
      std::uint32_t c = 0x110000;  // not a character: a broken sequence
      std::size_t length = 1;
      if (b >= 0xC2 && b < 0xE0) {
        if (left >= 2 && isContinuation(in[1])) {
          c = (b & 0x1Fu) << 6 | (in[1] & 0x3Fu);
          length = 2;
        }
      } else if (b >= 0xE0 && b < 0xF0) {
        if (left >= 3 && isContinuation(in[1]) && isContinuation(in[2])) {
          const std::uint32_t v = (b & 0x0Fu) << 12 | (in[1] & 0x3Fu) << 6 | (in[2] & 0x3Fu);
          if (v >= 0x800 && (v < 0xD800 || v > 0xDFFF)) {
            c = v;
            length = 3;
          }
        }
      } else if (b >= 0xF0 && b < 0xF5) {
        if (left >= 4 && isContinuation(in[1]) && isContinuation(in[2]) && isContinuation(in[3])) {
          const std::uint32_t v = (b & 0x07u) << 18 | (in[1] & 0x3Fu) << 12 | (in[2] & 0x3Fu) << 6 | (in[3] & 0x3Fu);
          if (v >= 0x10000 && v <= 0x10FFFF) {
            c = v;  // beyond the BMP: no character there has a code
            length = 4;
          }
        }
      }
      std::uint16_t code = 0;
      if (c <= 0xFFFF) code = kEncode.codes[kEncode.pageOf[c >> 8]][c & 0xFF];
      if (code == 0) {
        // A character without a code, or a broken sequence: "?" for as many bytes
        // as its first byte claims.
        if (c > 0x10FFFF) length = std::min(utf8SequenceLength(b), left);
        *o++ = kQuestionMark;
        replaced = true;
      } else if (code < 0x100) {
        *o++ = static_cast<char>(code);
      } else {
        *o++ = static_cast<char>(code >> 8);
        *o++ = static_cast<char>(code & 0xFF);
      }
      in += length;
    }
    out.append(buffer, static_cast<std::size_t>(o - buffer));
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

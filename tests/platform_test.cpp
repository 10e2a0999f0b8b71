#include "platform/ascii.h"
#include "platform/base_name.h"
#include "platform/files.h"
#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "platform/temporary_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

// glibc's iconv, which the code page 932 tables are generated from, is only the
// tests' reference; the kit itself never calls iconv.
#if defined(__GLIBC__) && __has_include(<iconv.h>)
#define PRYX_GLIBC_ICONV 1
#include <iconv.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace pryx::platform {
namespace {

TEST(ShiftJis, DecodesTheWindowsCodePage) {
  // 0x5C is a backslash (not a yen sign), 0xB1 half-width katakana, 0x8740 NEC "①".
  EXPECT_EQ(decodeSjis("C:\\a"), "C:\\a");
  EXPECT_EQ(decodeSjis("\xB1"), "ｱ");
  EXPECT_EQ(decodeSjis("\x87\x40"), "①");
  EXPECT_EQ(decodeSjis("\x82\xA0\x82\xA2"), "あい");
}

TEST(ShiftJis, ReplacesALeadByteWithoutItsPartnerAndSaysSo) {
  bool invalid = false;
  EXPECT_EQ(decodeSjis("\x82", &invalid), "\xEF\xBF\xBD");
  EXPECT_TRUE(invalid);
  EXPECT_EQ(decodeSjis("a\x81\x7F", &invalid), "a\xEF\xBF\xBD\x7F");
  EXPECT_TRUE(invalid);
  decodeSjis("plain", &invalid);
  EXPECT_FALSE(invalid);
}

// Whatever a Japanese system wrote survives decoding and encoding: every single byte
// and every two-byte code the platform decodes comes back as it was, or (for the
// characters the code page holds twice) as the other code of the same character.
TEST(ShiftJis, EveryDecodableCodeRoundTrips) {
  const auto roundTrips = [](const std::string& code) {
    bool invalid = true;
    bool lossy = true;
    const std::string text = decodeSjis(code, &invalid);
    if (invalid) return true;  // not a character: nothing to keep
    const std::string again = encodeSjis(text, &lossy);
    return !lossy && (again == code || decodeSjis(again) == text);
  };
  std::string everySingleByte;
  for (int b = 0; b < 256; ++b) {
    const std::string code(1, static_cast<char>(b));
    if (!isSjisLeadByte(static_cast<std::uint8_t>(b))) {
      bool invalid = true;
      const std::string text = decodeSjis(code, &invalid);
      EXPECT_FALSE(invalid) << "byte " << b;
      EXPECT_EQ(encodeSjis(text), code) << "byte " << b;
      everySingleByte += code;
    }
    for (int trail = 0x40; trail <= 0xFC && isSjisLeadByte(static_cast<std::uint8_t>(b)); ++trail) {
      const std::string pair{static_cast<char>(b), static_cast<char>(trail)};
      EXPECT_TRUE(roundTrips(pair)) << "code " << b << " " << trail;
    }
  }
  EXPECT_EQ(encodeSjis(decodeSjis(everySingleByte)), everySingleByte);
  // The bytes glibc's iconv refuses map as the Windows code page maps them.
  EXPECT_EQ(decodeSjis("\x80\xA0\xFD\xFE\xFF"), "\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
}

TEST(ShiftJis, EncodesAndReportsCharactersWithoutACode) {
  bool lossy = true;
  EXPECT_EQ(encodeSjis("表示\\", &lossy), "\x95\x5C\x8E\xA6\\");
  EXPECT_FALSE(lossy);
  EXPECT_EQ(encodeSjis("a😀b", &lossy), "a?b");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(encodeSjis("\xE3\x81", &lossy), "?");  // cut UTF-8 sequence
}

#ifdef PRYX_GLIBC_ICONV
// The kit's conversion as it was through glibc's iconv "CP932" (which its tables are
// generated from), with the Windows code page's lone bytes on top: the reference the
// tables must equal.
class IconvReference {
 public:
  IconvReference() : decoder_(iconv_open("UTF-8", "CP932")), encoder_(iconv_open("CP932", "UTF-8")) {}
  ~IconvReference() {
    if (usable()) {
      iconv_close(decoder_);
      iconv_close(encoder_);
    }
  }
  IconvReference(const IconvReference&) = delete;
  IconvReference& operator=(const IconvReference&) = delete;

  bool usable() const { return decoder_ != kFailed && encoder_ != kFailed; }

  std::string decode(std::string_view bytes, bool* hadInvalidBytes) {
    std::string out;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    bool invalid = false;
    while (!convert(decoder_, in, left, out)) {
      const auto lone = std::find_if(std::begin(kLoneBytes), std::end(kLoneBytes),
                                     [&](const LoneByte& entry) { return entry.byte == *in; });
      if (lone != std::end(kLoneBytes)) {
        out += lone->utf8;
      } else {
        out += "\xEF\xBF\xBD";
        invalid = true;
      }
      ++in;
      --left;
    }
    *hadInvalidBytes = invalid;
    return out;
  }

  std::string encode(std::string_view utf8, bool* lossy) {
    std::string out;
    const char* in = utf8.data();
    std::size_t left = utf8.size();
    bool replaced = false;
    while (!convert(encoder_, in, left, out)) {
      const std::string_view rest(in, left);
      const auto lone = std::find_if(std::begin(kLoneBytes), std::end(kLoneBytes),
                                     [&](const LoneByte& entry) { return rest.starts_with(entry.utf8); });
      if (lone != std::end(kLoneBytes)) {
        out += lone->byte;
        in += lone->utf8.size();
        left -= lone->utf8.size();
        continue;
      }
      const auto lead = static_cast<unsigned char>(*in);
      std::size_t skip = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
      skip = std::min(skip, left);
      out += '?';
      in += skip;
      left -= skip;
      replaced = true;
    }
    *lossy = replaced;
    return out;
  }

 private:
  struct LoneByte {
    char byte;
    std::string_view utf8;
  };
  static constexpr LoneByte kLoneBytes[] = {
      {'\x80', "\xC2\x80"}, {'\xA0', "\xEF\xA3\xB0"}, {'\xFD', "\xEF\xA3\xB1"},
      {'\xFE', "\xEF\xA3\xB2"}, {'\xFF', "\xEF\xA3\xB3"},
  };
  static inline const iconv_t kFailed = reinterpret_cast<iconv_t>(-1);

  static bool convert(iconv_t handle, const char*& in, std::size_t& inLeft, std::string& out) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(handle, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

  iconv_t decoder_;
  iconv_t encoder_;
};

// The characters Windows has no code for where glibc has one (or drops them), each
// with a character of the same UTF-8 length that neither has a code for: given to
// iconv in their place, they turn glibc's answer into Windows'.
std::string withoutGlibcsCodes(std::string_view utf8) {
  static const std::pair<std::string_view, std::string_view> kNoCode[] = {
      {"¢", "¦"}, {"£", "¦"}, {"¥", "¦"}, {"¬", "¦"}, {"—", "\uFFFD"}, {"‖", "\uFFFD"},
      {"‾", "\uFFFD"}, {"−", "\uFFFD"}, {"〜", "\uFFFD"},
  };
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::string_view rest = utf8.substr(i);
    const auto found = std::find_if(std::begin(kNoCode), std::end(kNoCode),
                                    [&](const auto& entry) { return rest.starts_with(entry.first); });
    if (found != std::end(kNoCode)) {
      out += found->second;
      i += found->first.size();
    } else if (rest.size() >= 4 && rest.substr(0, 2) == "\xF3\xA0" && (rest[2] == '\x80' || rest[2] == '\x81') &&
               (static_cast<unsigned char>(rest[3]) & 0xC0) == 0x80) {
      out += "😀";  // a tag character U+E0000-U+E007F
      i += 4;
    } else {
      out += utf8[i++];
    }
  }
  return out;
}

std::string utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string hexOf(std::string_view bytes) {
  std::string out;
  char hex[4];
  for (char c : bytes) {
    std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(c));
    out += hex;
  }
  return out;
}

#endif

// The tables equal glibc's iconv "CP932" everywhere but in the differences settled
// for Windows (withoutGlibcsCodes): every single byte, every pair of bytes, every
// character of the BMP, the planes beyond it, and random texts and bytes.
TEST(ShiftJis, EqualsGlibcsIconvButWhereWindowsDiffers) {
#ifndef PRYX_GLIBC_ICONV
  GTEST_SKIP() << "the reference is glibc's iconv, which this system lacks";
#else
  IconvReference iconv;
  if (!iconv.usable()) GTEST_SKIP() << "this C library's iconv does not know CP932";
  int failures = 0;
  const auto checkDecode = [&](std::string_view bytes) {
    bool invalid = false;
    bool expectedInvalid = false;
    const std::string expected = iconv.decode(bytes, &expectedInvalid);
    const std::string got = decodeSjis(bytes, &invalid);
    if (got != expected || invalid != expectedInvalid) {
      ADD_FAILURE() << "decoding " << hexOf(bytes) << ": " << hexOf(got) << (invalid ? " (invalid)" : "")
                    << ", iconv settled " << hexOf(expected) << (expectedInvalid ? " (invalid)" : "");
      return ++failures < 20;
    }
    return true;
  };
  const auto checkEncode = [&](std::string_view utf8) {
    bool lossy = false;
    bool expectedLossy = false;
    const std::string expected = iconv.encode(withoutGlibcsCodes(utf8), &expectedLossy);
    const std::string got = encodeSjis(utf8, &lossy);
    if (got != expected || lossy != expectedLossy) {
      ADD_FAILURE() << "encoding " << hexOf(utf8) << ": " << hexOf(got) << (lossy ? " (lossy)" : "")
                    << ", iconv settled " << hexOf(expected) << (expectedLossy ? " (lossy)" : "");
      return ++failures < 20;
    }
    return true;
  };

  for (int a = 0; a < 256; ++a) {
    if (!checkDecode(std::string(1, static_cast<char>(a)))) return;
    for (int b = 0; b < 256; ++b) {
      if (!checkDecode(std::string{static_cast<char>(a), static_cast<char>(b)})) return;
    }
  }
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (!checkEncode(utf8Of(c))) return;
  }
  for (char32_t c = 0x10000; c < 0x110000; c += (c >= 0xDFF00 && c < 0xE0200) ? 1 : 97) {
    if (!checkEncode(utf8Of(c))) return;
  }
  // glibc writes the nine, and drops the tag characters: the differences are real.
  bool lossy = true;
  EXPECT_NE(iconv.encode("〜", &lossy), "?");
  EXPECT_EQ(iconv.encode("\U000E0041", &lossy), "");
  EXPECT_FALSE(lossy);

  std::mt19937 random(932);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const auto randomBytes = [&]() {
    std::string bytes;
    const int length = pick(48);
    for (int i = 0; i < length; ++i) {
      switch (pick(6)) {
        case 0: bytes += std::string(static_cast<std::size_t>(1 + pick(12)), static_cast<char>('a' + pick(26))); break;
        case 1: bytes += static_cast<char>(0x81 + pick(0x1F)); break;  // lead bytes
        case 2: bytes += static_cast<char>(0xE0 + pick(0x1D)); break;
        case 3: bytes += static_cast<char>(0x40 + pick(0xBD)); break;  // trail bytes
        default: bytes += static_cast<char>(pick(256)); break;
      }
    }
    return bytes;
  };
  // Characters and broken sequences: a tag, a truncated or overlong sequence, a surrogate.
  const char* const kPieces[] = {"\xC2", "\xE3\x81", "\xF0\x9F\x98", "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80",
                                 "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80",
                                 "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80", "\xFE", "\xFF", "\x80", "\xBF",
                                 "¢", "¥", "—", "〜", "\U000E0020", "\U000E007F", "\U000E0080", "\uFFFE"};
  const auto randomText = [&]() {
    std::string text;
    const int length = pick(32);
    for (int i = 0; i < length; ++i) {
      switch (pick(6)) {
        case 0: text += std::string(static_cast<std::size_t>(1 + pick(12)), static_cast<char>(' ' + pick(95))); break;
        case 1: text += decodeSjis(std::string{static_cast<char>(0x88 + pick(0x18)), static_cast<char>(0x40 + pick(0xBD))}); break;
        case 2: text += utf8Of(static_cast<char32_t>(0x80 + pick(0xD800 - 0x80))); break;
        case 3: text += utf8Of(static_cast<char32_t>(0xE000 + pick(0x2000))); break;
        case 4: text += kPieces[pick(static_cast<int>(std::size(kPieces)))]; break;
        default: text += static_cast<char>(pick(256)); break;
      }
    }
    return text;
  };
  for (int i = 0; i < 4000; ++i) {
    if (!checkDecode(randomBytes())) return;
    if (!checkEncode(randomText())) return;
  }
  // Long texts, past the lengths the conversion works in.
  std::string bytes;
  std::string text;
  while (bytes.size() < 300000) bytes += randomBytes();
  while (text.size() < 300000) text += randomText();
  checkDecode(bytes);
  checkEncode(text);
  checkDecode(std::string(65535, 'a') + "\x82\xA0" + std::string(65535, '\x82') + "\xA0");
#endif
}

TEST(ShiftJis, CutsAndSearchesOnCharacterBoundaries) {
  std::string text = "a\x82\xA0\x82\xA2";  // "aあい"
  EXPECT_EQ(sjisPrefixLength(text, 2), 1u);
  EXPECT_EQ(sjisPrefixLength(text, 3), 3u);
  EXPECT_EQ(sjisPrefixLength(text, 10), 5u);
  // "表" ends in 0x5C: it is not a separator.
  EXPECT_EQ(sjisLastPathSeparator("dir\\\x95\x5C.BMP"), 3u);
  EXPECT_EQ(sjisLastPathSeparator("\x95\x5C"), std::string_view::npos);
  EXPECT_EQ(sjisLastPathSeparator("a/b\\c"), 3u);
}

TEST(Ascii, FoldsOnlyTheAsciiLetters) {
  struct Case {
    std::string_view a, b;
    bool equal;
  };
  const Case cases[] = {
      {"@text", "@TEXT", true},
      {"True", "TRUE", true},
      {"@", "`", false},  // 0x40 and 0x60 differ by the case bit, as do [ and {
      {"[", "{", false},
      {"\\", "|", false},
      {"\xC0", "\xE0", false},                   // Latin-1 À and à: no ASCII letters
      {"\xC3\x89", "\xC3\xA9", false},           // UTF-8 É and é
      {"\xEF\xBC\xA1", "\xEF\xBD\x81", false},  // full-width Ａ and ａ
      {"abc", "abcd", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(equalsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(equalsIgnoringAsciiCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    EXPECT_EQ(endsWithIgnoringAsciiCase(std::string("x/") + std::string(c.a), c.b), c.equal) << c.a;
    EXPECT_EQ(asciiUpperCase(std::string(c.a)) == asciiUpperCase(std::string(c.b)), c.equal) << c.a;
  }
  EXPECT_TRUE(endsWithIgnoringAsciiCase("game.pxk", ".PXK"));
  EXPECT_FALSE(endsWithIgnoringAsciiCase("xk", ".PXK"));
  EXPECT_TRUE(endsWithIgnoringAsciiCase("PRYXPlayer", ""));
}

TEST(BaseName, DropsTheLastFourCharactersOfTheFileNameInEitherEncoding) {
  // The same rule in both encodings: the Shift-JIS form of each path gives the
  // Shift-JIS form of the same base name.
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"C:\\a\\b\\forest.bmp", "forest"},
      {"dir/森の中.JPG", "森の中"},
      {"森.mid", "森"},
      {"あいうえお", "あ"},
      {"a.jpeg", "a."},
      {".bmp", ""},
      {"ab", ""},
      {"pic\\", ""},
      {"cg\\表示.BMP", "表示"},  // 表 ends in 0x5C in Shift-JIS: no separator
      {"ｱｲ.BMP", "ｱｲ"},            // half-width katakana: one byte each in Shift-JIS
  };
  for (auto [path, base] : cases) {
    EXPECT_EQ(resourceBaseName(path, TextEncoding::Utf8), base) << path;
    EXPECT_EQ(resourceBaseName(encodeSjis(path), TextEncoding::ShiftJis), encodeSjis(base)) << path;
  }
  // Broken bytes still cut whole characters: a stray UTF-8 continuation byte is one,
  // a Shift-JIS lead byte at the end stands alone.
  EXPECT_EQ(resourceBaseName("a/\x80" "bcde", TextEncoding::Utf8), "\x80");
  EXPECT_EQ(resourceBaseName("abcde\x82", TextEncoding::ShiftJis), "ab");
}

TEST(Paths, JoinWithExactlyOneSeparator) {
  const std::string sep(1, kNativeSeparator);
  EXPECT_EQ(GetFileX("C:\\", "a.BMP"), "C:\\a.BMP");
  EXPECT_EQ(GetFileX("C:\\game", "a.BMP"), "C:\\game" + sep + "a.BMP");
  EXPECT_EQ(GetFileX("/srv/", "a.BMP"), "/srv/a.BMP");
  EXPECT_EQ(GetFileX("/srv", ""), "");
  EXPECT_EQ(GetPath("/srv", ""), "/srv" + sep);
}

TEST(Paths, TakeFileNamesAfterEitherSeparator) {
  EXPECT_EQ(fileNameOf("C:\\pics\\forest.BMP"), "forest.BMP");
  EXPECT_EQ(fileNameOf("pics/forest.BMP"), "forest.BMP");
  EXPECT_EQ(fileNameOf("forest.BMP"), "forest.BMP");
  const std::string sep(1, kNativeSeparator);
  EXPECT_EQ(GetFileName("out", "C:\\pics\\forest.BMP"), "out" + sep + "forest.BMP");
  EXPECT_EQ(GetFileName("out", "forest.BMP"), "out" + sep + "forest.BMP");
  EXPECT_EQ(GetFileName("out", "C:\\pics\\"), "out" + sep + "pics\\");
  EXPECT_EQ(folderOf("a/b\\c.txt"), "a/b");
}

TEST(Paths, ResolveRelativePathsInsideABaseFolder) {
  EXPECT_TRUE(isAbsolutePath("C:\\x"));
  EXPECT_TRUE(isAbsolutePath("/x"));
  EXPECT_FALSE(isAbsolutePath("x\\y"));
  EXPECT_EQ(resolvePath("/game", "cg\\a.BMP"), toNativeSeparators("/game/cg/a.BMP"));
  EXPECT_EQ(resolvePath("/game", "/abs/a.BMP"), toNativeSeparators("/abs/a.BMP"));
}

TEST(NumberText, ReadsTheLeadingNumber) {
  EXPECT_EQ(leadingNumber(" 100"), 100);
  EXPECT_EQ(leadingNumber(""), 0);
  EXPECT_EQ(leadingNumber("abc"), 0);
  EXPECT_EQ(leadingNumber("12abc"), 12);
  EXPECT_EQ(leadingNumber("-3 "), -3);
  EXPECT_EQ(leadingNumber(" 1.5 "), 1.5);
  EXPECT_EQ(leadingNumber(".5"), 0.5);
  EXPECT_EQ(leadingNumber("1e3"), 1000);
  EXPECT_EQ(leadingNumber("1e"), 1);
  EXPECT_FALSE(hasLeadingNumber("-"));
  EXPECT_TRUE(hasLeadingNumber("  7x"));
}

// Whole numbers are read without the C library; every digit count and sign must
// give what strtod gives, the negative zero included.
TEST(NumberText, WholeNumbersReadAsTheCLibraryReadsThem) {
  std::mt19937_64 random(7);
  for (int digits = 1; digits <= 18; ++digits) {
    for (std::string_view sign : {"", "+", "-"}) {
      for (int sample = 0; sample < 50; ++sample) {
        std::string text(sign);
        for (int i = 0; i < digits; ++i) text += static_cast<char>('0' + random() % 10);
        double expected = std::strtod(text.c_str(), nullptr);
        double read = leadingNumber(" " + text + ",");
        EXPECT_EQ(read, expected) << text;
        EXPECT_EQ(std::signbit(read), std::signbit(expected)) << text;
      }
    }
  }
  EXPECT_TRUE(std::signbit(leadingNumber("-0")));
}

TEST(NumberText, RoundsHalvesToEvenAndFormatsWithSignPadding) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(leadingWholeNumber("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(wholePart(-1.5), -2);
  EXPECT_EQ(signPaddedDecimal(5), " 5");
  EXPECT_EQ(signPaddedDecimal(0), " 0");
  EXPECT_EQ(signPaddedDecimal(-3), "-3");
  EXPECT_EQ(saturate<std::uint8_t>(300), 255);
  EXPECT_EQ(saturate<std::int16_t>(-40000), -32768);
}

// The id of a process that ran and has ended.
long endedProcess() {
#ifdef _WIN32
  wchar_t command[] = L"cmd.exe /c exit 0";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(process.dwProcessId);
#else
  pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  if (ended > 0) ::waitpid(ended, nullptr, 0);
  return static_cast<long>(ended);
#endif
}

long thisProcess() {
#ifdef _WIN32
  return static_cast<long>(GetCurrentProcessId());
#else
  return static_cast<long>(::getpid());
#endif
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("pryx-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string path(const std::string& name) const { return fromFsPath(folder_ / name); }
  std::filesystem::path folder_;
};

TEST_F(FilesTest, ReplacingWriteKeepsTheOldFileWhenItCannotWrite) {
  ASSERT_TRUE(writeFileReplacing(path("a.SAV"), std::string_view("old")));
  ASSERT_TRUE(writeFileReplacing(path("a.SAV"), std::string_view("new!")));
  EXPECT_EQ(readWholeFile(path("a.SAV"))->size(), 4u);
  std::string error;
  EXPECT_FALSE(writeFileReplacing(path("missing-folder/a.SAV"), std::string_view("x"), &error));
  EXPECT_FALSE(error.empty());
  // Only the target remains: no temporary files are left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);
}

// A FIFO would block the reader and a device may never end: only regular files are
// read, and none beyond the size a file of its kind can have.
TEST_F(FilesTest, ReadsOnlyRegularFilesUpToTheirKindsSize) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no FIFOs, no /dev/zero and, without privileges, no symbolic links";
#else
  ASSERT_EQ(mkfifo(path("fifo.SAV").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", path("zero.PRY"));
  std::filesystem::create_symlink("nowhere", path("dangling.PXJ"));
  ASSERT_TRUE(writeFileReplacing(path("game.SAV"), std::string(100, 'x')));
  std::filesystem::create_symlink("game.SAV", path("linked.SAV"));
  std::string error;
  EXPECT_FALSE(readWholeFile(path("fifo.SAV"), &error));
  EXPECT_EQ(error, "is not a regular file");
  EXPECT_FALSE(readWholeFile(path("zero.PRY"), &error));
  EXPECT_EQ(error, "is not a regular file");
  EXPECT_FALSE(readWholeFile(path("dangling.PXJ"), &error));
  EXPECT_EQ(error, "does not exist");
  EXPECT_EQ(readWholeFile(path("linked.SAV"), &error, 100)->size(), 100u);
  EXPECT_FALSE(readWholeFile(path("game.SAV"), &error, 99));
  EXPECT_EQ(error, "is larger than 99 bytes");
  EXPECT_EQ(copyFile(path("fifo.SAV"), path("copy.SAV"), false, &error), CopyOutcome::Failed);
  EXPECT_EQ(error, path("fifo.SAV") + ": is not a regular file");
#endif
}

TEST_F(FilesTest, CopyHonoursFailIfExists) {
  ASSERT_TRUE(writeFileReplacing(path("src"), std::string_view("new")));
  ASSERT_TRUE(writeFileReplacing(path("dst"), std::string_view("old")));
  EXPECT_EQ(copyFile(path("src"), path("dst"), true), CopyOutcome::KeptExisting);
  EXPECT_EQ(readWholeFile(path("dst"))->size(), 3u);
  EXPECT_EQ(copyFile(path("src"), path("dst"), false), CopyOutcome::Copied);
  EXPECT_EQ(copyFile(path("nothing"), path("dst2"), false), CopyOutcome::Failed);
  EXPECT_EQ(copyFile(path("src"), path("src"), false), CopyOutcome::Copied);
  EXPECT_EQ(readWholeFile(path("src"))->size(), 3u);
}

// A rebuild rewrites only targets that differ from their source in bytes or
// permissions; one that already matches keeps its inode.
TEST_F(FilesTest, CopyLeavesATargetThatAlreadyMatchesAlone) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows gives no inode numbers to tell a rewritten file by, and no execute bits";
#endif
  namespace fs = std::filesystem;
  auto inode = [&](const char* name) {
    struct stat status {};
    return ::stat(path(name).c_str(), &status) == 0 ? status.st_ino : 0;
  };
  ASSERT_TRUE(writeFileReplacing(path("src"), std::string(70000, 'a') + "b"));
  ASSERT_EQ(copyFile(path("src"), path("dst"), false), CopyOutcome::Copied);
  auto first = inode("dst");
  EXPECT_EQ(copyFile(path("src"), path("dst"), false), CopyOutcome::Copied);
  EXPECT_EQ(inode("dst"), first);
  auto replaced = [&] {
    auto before = inode("dst");
    return copyFile(path("src"), path("dst"), false) == CopyOutcome::Copied && inode("dst") != before &&
           readWholeFile(path("dst")) == readWholeFile(path("src"));
  };
  ASSERT_TRUE(writeFileReplacing(path("dst"), std::string(70000, 'a') + "c"));
  EXPECT_TRUE(replaced()) << "the last byte differs";
  fs::permissions(path("src"), fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_TRUE(replaced()) << "the permissions differ";
}

// A save replaces the file the author has: its mode and group stay, a read-only file
// is refused as it stands, and through a link the linked file changes.
TEST_F(FilesTest, ReplacingWriteKeepsWhatTheTargetWas) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no mode bits or groups and, without privileges, no symbolic links";
#else
  namespace fs = std::filesystem;
  auto mode = [&](const char* name) { return fs::status(path(name)).permissions(); };
  ASSERT_TRUE(writeFileReplacing(path("private.PXK"), std::string_view("old")));
  fs::permissions(path("private.PXK"), fs::perms::owner_read | fs::perms::owner_write);
  struct stat before {};
  ASSERT_EQ(::stat(path("private.PXK").c_str(), &before), 0);
  const bool mayGiveGroups = ::getuid() == 0;
  const gid_t otherGroup = before.st_gid + 1;
  if (mayGiveGroups) {
    ASSERT_EQ(::chown(path("private.PXK").c_str(), static_cast<uid_t>(-1), otherGroup), 0);
  }
  ASSERT_TRUE(writeFileReplacing(path("private.PXK"), std::string_view("new")));
  EXPECT_EQ(mode("private.PXK"), fs::perms::owner_read | fs::perms::owner_write);
  struct stat after {};
  ASSERT_EQ(::stat(path("private.PXK").c_str(), &after), 0);
  if (mayGiveGroups) {
    EXPECT_EQ(after.st_gid, otherGroup);
  }

  fs::permissions(path("private.PXK"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string error;
  EXPECT_FALSE(writeFileReplacing(path("private.PXK"), std::string_view("newer"), &error));
  EXPECT_EQ(error, "is read-only");
  EXPECT_EQ(readWholeFile(path("private.PXK"))->size(), 3u);

  fs::create_directories(path("real"));
  ASSERT_TRUE(writeFileReplacing(path("real/game.PXK"), std::string_view("old")));
  fs::create_symlink("real/game.PXK", path("link.PXK"));
  ASSERT_TRUE(writeFileReplacing(path("link.PXK"), std::string_view("through"), nullptr,
                                 SymbolicLinks::WriteTheirTarget));
  EXPECT_TRUE(fs::is_symlink(path("link.PXK")));
  EXPECT_EQ(readWholeFile(path("real/game.PXK"))->size(), 7u);
  ASSERT_TRUE(writeFileReplacing(path("link.PXK"), std::string_view("replaced")));
  EXPECT_FALSE(fs::is_symlink(path("link.PXK")));
  EXPECT_EQ(readWholeFile(path("real/game.PXK"))->size(), 7u);
#endif
}

// Temporary files of a save that was killed go at the next save into their folder;
// those of a process still writing stay.
TEST_F(FilesTest, ASaveRemovesTheTemporaryFilesOfEndedProcesses) {
  namespace fs = std::filesystem;
  const long ended = endedProcess();
  ASSERT_GT(ended, 0);
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  auto leave = [&](const std::string& name, bool old) {
    ASSERT_TRUE(writeFileReplacing(path(name), std::string_view("partial")));
    if (old) fs::last_write_time(path(name), longAgo);
  };
  const std::string abandoned = "game.PXK." + std::to_string(ended) + "-42.pryx.tmp";
  const std::string ours = "game.PXK." + std::to_string(thisProcess()) + "-42.pryx.tmp";
  const std::string fresh = "game.SAV." + std::to_string(ended) + "-7.pryx.tmp";
  const std::string authors = "notes." + std::to_string(ended) + "-1.tmp";
  leave(abandoned, true);
  leave(ours, true);
  leave(fresh, false);
  leave(authors, true);
  EXPECT_TRUE(isTemporaryFileName(abandoned));
  EXPECT_FALSE(isTemporaryFileName(authors));
  ASSERT_TRUE(writeFileReplacing(path("game.PXK"), std::string_view("whole")));
  EXPECT_FALSE(fs::exists(path(abandoned)));
  for (const std::string& kept : {ours, fresh, authors}) EXPECT_TRUE(fs::exists(path(kept))) << kept;
}

// Buffers move from the ordinary allocator onto large pages as they grow: their
// bytes survive every move, and a file read onto large pages reads as any other.
TEST_F(FilesTest, LargePageBuffersHoldWhatOrdinaryOnesHold) {
  LargeBytes grown;
  Bytes expected;
  for (std::size_t i = 0; i < (std::size_t{3} << 20); ++i) {
    grown.push_back(static_cast<std::uint8_t>(i % 251));
    expected.push_back(static_cast<std::uint8_t>(i % 251));
  }
  LargeBytes copy = grown;
  grown.resize(grown.size() + 10, 7);
  expected.resize(expected.size() + 10, 7);
  EXPECT_TRUE(std::equal(grown.begin(), grown.end(), expected.begin(), expected.end()));
  EXPECT_TRUE(std::equal(copy.begin(), copy.end(), expected.begin(), expected.end() - 10));
  for (std::size_t size : {std::size_t{100}, std::size_t{700} << 10}) {
    std::string bytes(size, 'x');
    bytes.back() = 'y';
    ASSERT_TRUE(writeFileReplacing(path("big"), bytes));
    auto read = readWholeFileOnLargePages(path("big"));
    ASSERT_TRUE(read);
    EXPECT_EQ(std::string(read->begin(), read->end()), bytes);
  }
}

TEST_F(FilesTest, FindsFilesIgnoringLetterCaseAndReportsUnreadableOnes) {
  ASSERT_TRUE(writeFileReplacing(path("Forest.bmp"), std::string_view("x")));
  EXPECT_EQ(findFileIgnoringCase(fromFsPath(folder_), "FOREST.BMP"), path("Forest.bmp"));
  EXPECT_EQ(findFileIgnoringCase(fromFsPath(folder_), "Forest.bmp"), path("Forest.bmp"));
  EXPECT_FALSE(findFileIgnoringCase(fromFsPath(folder_), "forest.jpg"));
#ifndef _WIN32
  // Where letter case counts, the name asked for wins over another spelling.
  ASSERT_TRUE(writeFileReplacing(path("FOREST.BMP"), std::string_view("y")));
  EXPECT_EQ(findFileIgnoringCase(fromFsPath(folder_), "FOREST.BMP"), path("FOREST.BMP"));
  EXPECT_EQ(findFileIgnoringCase(fromFsPath(folder_), "Forest.bmp"), path("Forest.bmp"));
#endif
  std::string error;
  EXPECT_FALSE(readWholeFile(path("none"), &error));
  EXPECT_EQ(error, "does not exist");
  EXPECT_FALSE(readWholeFile(fromFsPath(folder_), &error));
  EXPECT_TRUE(createDirectories(path("x/y")));
  EXPECT_TRUE(isDirectory(path("x/y")));
}

}  // namespace
}  // namespace pryx::platform

#include <array>

#include "platform/utf8.h"
#include "player/screen/screen.h"

namespace pryx::player {

namespace {

constexpr char32_t kHalfWidthFirst = U'\uFF61';  // ｡
constexpr char32_t kHalfWidthLast = U'\uFF9F';   // ﾟ
constexpr char32_t kHalfWidthVoicedMark = U'\uFF9E';
constexpr char32_t kHalfWidthSemiVoicedMark = U'\uFF9F';

// U+FF61 .. U+FF9F in order: punctuation, small kana, the long vowel mark, the kana
// from ｱ to ﾝ and the two sound marks.
constexpr std::array<char32_t, kHalfWidthLast - kHalfWidthFirst + 1> kFullWidthKana = {
    U'。', U'「', U'」', U'、', U'・', U'ヲ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ャ', U'ュ', U'ョ', U'ッ', U'ー',
    U'ア', U'イ', U'ウ', U'エ', U'オ', U'カ', U'キ', U'ク', U'ケ', U'コ', U'サ', U'シ', U'ス', U'セ', U'ソ', U'タ',
    U'チ', U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ', U'ネ', U'ノ', U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ', U'マ', U'ミ',
    U'ム', U'メ', U'モ', U'ヤ', U'ユ', U'ヨ', U'ラ', U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン', U'゛', U'゜'};

bool isHalfWidthKana(char32_t c) { return c >= kHalfWidthFirst && c <= kHalfWidthLast; }

char32_t fullWidthKana(char32_t c) { return kFullWidthKana[c - kHalfWidthFirst]; }

// ｶﾞ is one character to the reader: the full-width kana with its sound mark built in
// (ガ), where such a character exists; 0 when the pair does not combine. Every voiced
// kana directly follows its plain one (カ ガ, ハ バ パ).
char32_t combinedKana(char32_t kana, char32_t mark) {
  const bool voicable = (kana >= U'ｶ' && kana <= U'ﾄ') || (kana >= U'ﾊ' && kana <= U'ﾎ');
  const bool semiVoicable = kana >= U'ﾊ' && kana <= U'ﾎ';
  if (mark == kHalfWidthVoicedMark) {
    if (kana == U'ｳ') return U'ヴ';
    if (voicable) return fullWidthKana(kana) + 1;
  }
  if (mark == kHalfWidthSemiVoicedMark && semiVoicable) return fullWidthKana(kana) + 2;
  return 0;
}

}  // namespace

std::u32string toFullWidth(std::string_view utf8) {
  const std::u32string text = platform::decodeUtf8(utf8);
  std::u32string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c == U' ') {
      result.push_back(U'\u3000');
    } else if (c > U' ' && c <= U'~') {
      result.push_back(c - U'!' + U'！');
    } else if (isHalfWidthKana(c)) {
      const char32_t combined = i + 1 < text.size() ? combinedKana(c, text[i + 1]) : 0;
      if (combined != 0) {
        result.push_back(combined);
        ++i;
      } else {
        result.push_back(fullWidthKana(c));
      }
    } else {
      result.push_back(c);  // already full width, or a control character such as CR and LF
    }
  }
  return result;
}

}  // namespace pryx::player

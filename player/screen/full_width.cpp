#include <array>

#include "player/screen/screen.h"

namespace pryx::player {

namespace {

constexpr char16_t kHalfWidthFirst = u'\uFF61';  // ｡
constexpr char16_t kHalfWidthLast = u'\uFF9F';   // ﾟ
constexpr char16_t kHalfWidthVoicedMark = u'\uFF9E';
constexpr char16_t kHalfWidthSemiVoicedMark = u'\uFF9F';

// U+FF61 .. U+FF9F in order: punctuation, small kana, the long vowel mark, the kana
// from ｱ to ﾝ and the two sound marks.
constexpr std::array<char16_t, kHalfWidthLast - kHalfWidthFirst + 1> kFullWidthKana = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

bool isHalfWidthKana(char16_t c) { return c >= kHalfWidthFirst && c <= kHalfWidthLast; }

char16_t fullWidthKana(char16_t c) { return kFullWidthKana[c - kHalfWidthFirst]; }

// ｶﾞ is one character to the reader: the full-width kana with its sound mark built in
// (ガ), where such a character exists; 0 when the pair does not combine. Every voiced
// kana directly follows its plain one (カ ガ, ハ バ パ).
char16_t combinedKana(char16_t kana, char16_t mark) {
  const bool voicable = (kana >= u'ｶ' && kana <= u'ﾄ') || (kana >= u'ﾊ' && kana <= u'ﾎ');
  const bool semiVoicable = kana >= u'ﾊ' && kana <= u'ﾎ';
  if (mark == kHalfWidthVoicedMark) {
    if (kana == u'ｳ') return u'ヴ';
    if (voicable) return static_cast<char16_t>(fullWidthKana(kana) + 1);
  }
  if (mark == kHalfWidthSemiVoicedMark && semiVoicable) return static_cast<char16_t>(fullWidthKana(kana) + 2);
  return 0;
}

}  // namespace

QString toFullWidth(const QString& text) {
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == u' ') {
      result.append(QChar(u'\u3000'));
    } else if (c > u' ' && c <= u'~') {
      result.append(QChar(static_cast<char16_t>(c - u'!' + u'！')));
    } else if (isHalfWidthKana(c)) {
      const char16_t combined = i + 1 < text.size() ? combinedKana(c, text[i + 1].unicode()) : 0;
      if (combined != 0) {
        result.append(QChar(combined));
        ++i;
      } else {
        result.append(QChar(fullWidthKana(c)));
      }
    } else {
      result.append(QChar(c));  // already full width, or a control character such as CR and LF
    }
  }
  return result;
}

}  // namespace pryx::player

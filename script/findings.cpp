#include "script/findings.h"

#include <algorithm>

#include "platform/sjis.h"

namespace pryx::script {
namespace {

struct Texts {
  FindingKind kind;
  std::string_view english;
  std::string_view japanese;
};

// "{1}" stands for the first argument; "{1:operand}" in English for it with the
// noun after it, in the plural unless it is 1.
constexpr Texts kTexts[] = {
    {FindingKind::NotShiftJis, "the line holds bytes that are no Shift-JIS (code page 932) text",
     "この行には Shift-JIS（コードページ932）の文字でないバイトがあります"},
    {FindingKind::LooksLikeUtf8, "the file looks like UTF-8 text; scripts are Shift-JIS (code page 932)",
     "ファイルは UTF-8 のテキストのようです。スクリプトは Shift-JIS（コードページ932）で書きます"},
    {FindingKind::ResourceOutsideFolder, "resource file {1} lies outside the script's folder: the build copies it from there",
     "リソースファイル {1} はスクリプトのフォルダの外にあります。配布用ファイルの作成ではそこからコピーします"},
    {FindingKind::ResourceSameFileName,
     "resource file {1} has the same file name as {2} (line {3}): the distribution holds one file of that name for both",
     "リソースファイル {1} は {2}（{3}行目）と同じファイル名です。配布先にはその名前のファイルが両方で一つしか入りません"},
    {FindingKind::ResourceMissing, "resource file {1} does not exist: the build copies nothing",
     "リソースファイル {1} がありません。配布用ファイルの作成では何もコピーされません"},
    {FindingKind::TextOutsideCommand, "message lines outside a @TEXT command are skipped",
     "@TEXT コマンドの外にあるメッセージの行は読み飛ばされます"},
    {FindingKind::UnknownCommand, "unknown command {1} is skipped", "不明なコマンド {1} は読み飛ばされます"},
    {FindingKind::UnknownCommandWithBlanks,
     "unknown command {1} is skipped (blanks after a command word are part of it)",
     "不明なコマンド {1} は読み飛ばされます（コマンド名の後の空白もコマンド名の一部です）"},
    {FindingKind::TextAfterBlockEnd,
     "a message line of only \"}\" ends the text block: the message is cut here and the lines after it are read as "
     "commands",
     "「}」だけのメッセージの行でテキストブロックが終わります。メッセージはここで切れ、後の行はコマンドとして読まれます"},
    {FindingKind::DefinitionKindUnknown, "@DEF kind {1} is not CG, CHR, BGM or PARAM (in capitals): nothing is defined",
     "@DEF の種類 {1} は CG、CHR、BGM、PARAM（大文字）のどれでもありません。何も定義されません"},
    {FindingKind::DefinitionAtEnd, "@DEF at the end of the script defines nothing",
     "スクリプトの最後の @DEF は何も定義しません"},
    {FindingKind::TextAtEnd, "@TEXT at the end of the script has no text block: its message is empty",
     "スクリプトの最後の @TEXT にはテキストブロックがありません。メッセージは空になります"},
    {FindingKind::TextWithoutBlock, "@TEXT is not followed by \"{\": its message is empty and {1} is taken as its operand",
     "@TEXT の後に「{」がありません。メッセージは空になり、{1} がオペランドとして読まれます"},
    {FindingKind::TextBlockUnclosed, "the text block has no closing \"}\": the message runs to the end of the script",
     "テキストブロックを閉じる「}」がありません。メッセージはスクリプトの最後まで続きます"},
    {FindingKind::OperandsMissing, "{1} at the end of the script lacks {2:operand} of {3}",
     "スクリプトの最後の {1} にはオペランドが {3} 個のうち {2} 個足りません"},
    {FindingKind::RanIntoNextCommand,
     "{1} takes {2:operand}: it ran into the next command {3} on line {4}, which is taken as an operand and lost",
     "{1} のオペランドは {2} 個です。{4}行目の次のコマンド {3} までがオペランドとして読まれ、そのコマンドは失われます"},
    {FindingKind::LabelAgain, "label {1} is defined again (first on line {2}): jumps reach the first",
     "ラベル {1} がもう一度定義されています（最初は{2}行目）。ジャンプは最初のラベルへ行きます"},
    {FindingKind::TooManyLabels,
     "more than {1} labels: the player knows only the first ones, jumps to later labels go nowhere",
     "ラベルが {1} 個を超えています。プレイヤーは最初の {1} 個しか知らず、後のラベルへのジャンプはどこへも行きません"},
    {FindingKind::VariableAgain, "variable {1} is declared again (first on line {2}): its name reaches the first",
     "変数 {1} がもう一度宣言されています（最初は{2}行目）。その名前は最初の変数を指します"},
    {FindingKind::TooManyVariables, "more than {1} variables: the player keeps only the first ones",
     "変数が {1} 個を超えています。プレイヤーは最初の {1} 個しか持ちません"},
    {FindingKind::ResourceEmptyName, "{1} {2} has an empty name, which no command can refer to",
     "{1} {2} の名前が空です。どのコマンドからも指定できません"},
    {FindingKind::ResourceNameAgain, "{1} name {2} is defined again (first on line {3}): the name reaches the first",
     "{1} の名前 {2} がもう一度定義されています（最初は{3}行目）。その名前は最初の定義を指します"},
    {FindingKind::ResourceWithoutFileName, "{1} {2} has no file name in its path {3}",
     "{1} {2} のパス {3} にファイル名がありません"},
    {FindingKind::ResourceFileNameTooShort,
     "{1} file name {2} is too short for a name and an extension: the player finds no file",
     "{1} のファイル名 {2} は名前と拡張子には短すぎます。プレイヤーはファイルを見つけられません"},
    {FindingKind::TooManyResources, "more than {1} {2} definitions: the player keeps only the first ones",
     "{2} の定義が {1} 個を超えています。プレイヤーは最初の {1} 個しか持ちません"},
    {FindingKind::QuoteUnclosed, "a double quote is not closed on its line: the element runs to the line end",
     "ダブルクォートがその行で閉じていません。要素は行末まで続きます"},
    {FindingKind::TextAfterQuote, "text after a closing double quote is ignored: {1}",
     "閉じたダブルクォートの後の文字は無視されます: {1}"},
    {FindingKind::SlotOutside, "{1} slot {2} is outside 1 to 99: the command is left out",
     "{1} のスロット {2} は 1～99 の外です。コマンドは書き出されません"},
    {FindingKind::NoComparison, "{1} is no comparison (=, >, <, <> or !=): the condition is never true",
     "{1} は比較演算子（=、>、<、<>、!=）ではありません。条件は成り立ちません"},
    {FindingKind::NoLogic, "{1} is no logic (&&, || or !!): the command never jumps",
     "{1} は論理演算子（&&、||、!!）ではありません。コマンドはジャンプしません"},
    {FindingKind::NoOperation, "{1} is no operation (=, +, -, *, /, \\ or RND): nothing happens",
     "{1} は演算子（=、+、-、*、/、\\、RND）ではありません。何も起こりません"},
    {FindingKind::GameModeUnknown, "@GAMEMODE {1} is neither 1 (normal) nor 2 (novel): normal mode is used",
     "@GAMEMODE {1} は 1（ノーマル）でも 2（ノベル）でもありません。ノーマルモードになります"},
    {FindingKind::NotANumber, "{1} operand {2} is not a number: 0 is used",
     "{1} のオペランド {2} は数値ではありません。0 になります"},
    {FindingKind::ValueOutside, "{1} value {2} is outside {3} to {4}: {5} is stored",
     "{1} の値 {2} は {3}～{4} の外です。{5} が書き込まれます"},
    {FindingKind::ReadAsMinusOne16, "{1} value {2} is read by the player as -1 (16-bit values from -2 to -256 are)",
     "{1} の値 {2} はプレイヤーには -1 と読まれます（16ビットの -2～-256 はそうなります）"},
    {FindingKind::Outside16BitField,
     "{1} value {2} lies outside what a 16-bit game-file field may hold (-1 and 0 to 32767)",
     "{1} の値 {2} はゲームファイルの16ビットの欄に入る値（-1 と 0～32767）の外です"},
    {FindingKind::ReadAsMinusOne32, "{1} value {2} is read by the player as -1 (32-bit values from -2 to -16777216 are)",
     "{1} の値 {2} はプレイヤーには -1 と読まれます（32ビットの -2～-16777216 はそうなります）"},
    {FindingKind::UnknownResourceName, "unknown {1} name {2}: {1} 0 (none) is used",
     "不明な {1} の名前 {2} です。{1} 0（なし）になります"},
    {FindingKind::UnknownLabel, "unknown label {1}: label 0, which goes nowhere",
     "不明なラベル {1} です。ラベル 0 になり、どこへも行きません"},
    {FindingKind::UnknownVariable, "unknown variable {1}: variable 0, so the command does nothing",
     "不明な変数 {1} です。変数 0 になり、コマンドは何もしません"},
    {FindingKind::TooManyMessages, "more than {1} @TEXT messages: the player shows only the first ones",
     "@TEXT のメッセージが {1} 個を超えています。プレイヤーは最初の {1} 個しか表示しません"},
    {FindingKind::MessageTooLong, "the message is {1} bytes long: only its first {2} bytes are kept (at most {3})",
     "メッセージは {1} バイトあります。最初の {2} バイトだけが残ります（最大 {3} バイト）"},
    {FindingKind::MessageCutHere, "the message is cut in this line: the rest of it is lost",
     "メッセージはこの行で切れます。残りは失われます"},
    {FindingKind::ButtonSlotOutside, "button slot {1} is not 1 to 5: slot 1 is used",
     "ボタンのスロット {1} は 1～5 ではありません。スロット 1 になります"},
    {FindingKind::CaptionOpensText,
     "the caption {1} before \"{\" opens a text block: the lines up to a line \"}\" are read as a message, not as the "
     "button body",
     "「{」の前のキャプション {1} でテキストブロックが始まります。「}」の行までがボタンの本体ではなくメッセージとして読まれます"},
    {FindingKind::CaptionTooLong, "the caption is {1} bytes long: only its first {2} bytes are kept (at most {3})",
     "キャプションは {1} バイトあります。最初の {2} バイトだけが残ります（最大 {3} バイト）"},
    {FindingKind::TooManyButtons, "more than {1} buttons: the player knows only the first ones",
     "ボタンが {1} 個を超えています。プレイヤーは最初の {1} 個しか知りません"},
    {FindingKind::TooManyButtonGroups,
     "more than {1} button groups (@EVTWAIT): the player shows no captions beyond them",
     "ボタンのまとまり（@EVTWAIT）が {1} 個を超えています。プレイヤーはそれより後のキャプションを表示しません"},
    {FindingKind::BlockOpenInBody, "{1} in a button body: the player ends the body at the first \"}\"",
     "ボタンの本体の中に {1} があります。プレイヤーは最初の「}」で本体を終えます"},
    {FindingKind::UnsafeInBody,
     "{1} in a button body: the player does not step over its operands, which may end the body early or run past its "
     "end",
     "ボタンの本体の中に {1} があります。プレイヤーはそのオペランドを読み飛ばさないので、本体が早く終わったり終わりを越えたりします"},
    {FindingKind::CaptionQuoteUnclosed,
     "the caption's double quote is not closed: the caption runs to the line end, so the button has no body \"{\" ... "
     "\"}\" and the player stops with \"{1}\" at this button",
     "キャプションのダブルクォートが閉じていません。キャプションが行末まで続くのでボタンに本体「{」…「}」がなく、"
     "プレイヤーはこのボタンで「{1}」と表示して止まります"},
    {FindingKind::ButtonWithoutBody, "@BTN is not followed by \"{\": the player stops with \"{1}\" at this button",
     "@BTN の後に「{」がありません。プレイヤーはこのボタンで「{1}」と表示して止まります"},
    {FindingKind::LastButtonWithoutBody, "the last @BTN has no body \"{\" ... \"}\"",
     "最後の @BTN に本体「{」…「}」がありません"},
    {FindingKind::NoLabel, "the script has no label (#): the player cannot start a game without one",
     "スクリプトにラベル（#）がありません。ラベルがないとプレイヤーはゲームを始められません"},
};

const Texts& textsOf(FindingKind kind) {
  return *std::find_if(std::begin(kTexts), std::end(kTexts), [kind](const Texts& texts) { return texts.kind == kind; });
}

// The template with its placeholders filled in.
std::string filled(std::string_view text, const std::vector<std::string>& arguments) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t close = text.find('}', at);
    bool placeholder = text[at] == '{' && at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9' &&
                       close != std::string_view::npos;
    if (!placeholder) {
      out += text[at++];
      continue;
    }
    auto index = static_cast<std::size_t>(text[at + 1] - '1');
    const std::string argument = index < arguments.size() ? arguments[index] : std::string();
    std::string_view noun = text.substr(at + 2, close - at - 2);
    out += argument;
    if (noun.starts_with(':')) {
      out += ' ';
      out += noun.substr(1);
      if (argument != "1") out += 's';
    }
    at = close + 1;
  }
  return out;
}

}  // namespace

Finding finding(int line, FindingKind kind, std::vector<std::string> arguments) {
  std::string message = filled(textsOf(kind).english, arguments);
  return {line, kind, std::move(arguments), std::move(message)};
}

std::string findingText(const Finding& finding, Language language) {
  return language == Language::English ? finding.message : filled(textsOf(finding.kind).japanese, finding.arguments);
}

Language languageOf(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
  }
  return Language::English;
}

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

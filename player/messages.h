#pragma once
// The player's own texts, exactly as users see them.

#include "player/gamefile/code_error.h"

namespace pryx::player::text {

using gamefile::text::kCodeError;

inline constexpr char kWarningTitle[] = "警告";
inline constexpr char kConfirmTitle[] = "確認のメッセージ";
inline constexpr char kEndConfirmTitle[] = "終了の確認";

inline constexpr char kLoadFailed[] = "ファイルの読みこみに失敗しました。";
inline constexpr char kNewerVersionNeeded[] = "このバージョンのプレイヤーでは実行できません。";
inline constexpr char kSubOverflow[] = "プログラムにエラーがあります。(@SUB)";
inline constexpr char kSubrOverflow[] = "プログラムにエラーがあります。(@SUBR)";

// "セーブ" + Str(slot) + ...: Str puts a blank where a minus sign would stand.
inline constexpr char kSlotPrefix[] = "セーブ";
inline constexpr char kSaveQuestionTail[] = "にデータを保存しますか。";
inline constexpr char kLoadQuestionTail[] = "をロードしますか。";
inline constexpr char kSaved[] = "セーブしました";
inline constexpr char kLoaded[] = "ロードしました";
inline constexpr char kSaveFailed[] = "セーブに失敗しました。";

inline constexpr char kCloseQuestion[] = "終了しますか？";
inline constexpr char kEndQuestion[] = "ゲームを終了しますか。";

inline constexpr char kPagePrompt[] = "▼";

}  // namespace pryx::player::text

#pragma once
// The player's message for code that breaks the format, which the script checker
// also quotes where a script would lead to it.

namespace pryx::gamefile::text {

inline constexpr char kCodeError[] = "コードにエラーが見つかりました。";

}  // namespace pryx::gamefile::text

#pragma once
// What an operation asks the editor to show: a message box or an input box, with
// the system's own texts. The operations never show anything themselves.

#include <string>
#include <string_view>

namespace pryx::project {

inline constexpr std::string_view kLineBreak = "\r\n";

enum class MessageIcon { Information, Warning, Error, Question };

// Questions put the negative answer (Cancel or No) on the default button.
// SaveDiscardCancel offers 保存する (answered Yes), 保存しない (No) and キャンセル.
enum class MessageButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };

struct Message {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::Information;
  MessageButtons buttons = MessageButtons::Ok;
  bool positiveDefault = false;  // the rare question whose default button is OK or Yes

  bool operator==(const Message&) const = default;
};

// An input box; an empty answer (or Cancel) ends the operation that asked.
struct InputRequest {
  std::string prompt;
  std::string title;
  std::string defaultAnswer;

  bool operator==(const InputRequest&) const = default;
};

// An open-file dialog: its title and its filter ("description|*.BMP;*.JPG").
struct FileDialogRequest {
  std::string title;
  std::string filter;

  bool operator==(const FileDialogRequest&) const = default;
};

inline constexpr std::string_view kWarningTitle = "警告";
inline constexpr std::string_view kQuestionTitle = "確認のメッセージ";

inline Message warning(std::string_view text) {
  return {std::string(text), std::string(kWarningTitle), MessageIcon::Error, MessageButtons::Ok};
}

inline Message question(std::string_view text, std::string_view title = kQuestionTitle) {
  return {std::string(text), std::string(title), MessageIcon::Question, MessageButtons::OkCancel};
}

}  // namespace pryx::project

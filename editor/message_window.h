#pragma once
// "メッセージウインドウ": the page's message in the text box `Text1`, in the font the
// player types it in. Every change of the text becomes the current page's text,
// its lines joined by CR LF; without a current page it changes nothing. During a
// test run the box belongs to the run: a double-click continues it, and what the
// author changes while the run waits goes into the page being played.

#include "editor/child_window.h"
#include "editor/dialogs.h"
#include "editor/editor_state.h"

#include "project/document.h"

#include <QPlainTextEdit>

namespace pryx::editor {

class MessageWindow final : public ChildWindow {
  Q_OBJECT

 public:
  explicit MessageWindow(EditorState& state, QWidget* parent = nullptr);

  // The open project; null while none is open.
  void setDocument(project::ProjectDocument* document);
  QPlainTextEdit* textBox() const { return text_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Text1_Change();
  void Text1_DblClick();
  void storeText(int page);
  void showPageText();

  EditorState& state_;
  project::ProjectDocument* document_ = nullptr;
  QPlainTextEdit* text_;
  platform::Subscription documentSubscription_;
  platform::Subscription stateSubscription_;
};

// Texts in the model break lines with CR LF; the text box with "\n".
QString toTextBox(const std::string& text);
std::string fromTextBox(const QString& text);

}  // namespace pryx::editor

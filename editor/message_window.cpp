#include "editor/message_window.h"

#include "editor/accessible.h"
#include "editor/undo_keys.h"
#include "player/window/window_fonts.h"

#include <QEvent>
#include <QSignalBlocker>

namespace pryx::editor {

QString toTextBox(const std::string& text) {
  QString box = QString::fromStdString(text);
  box.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.replace(u'\r', u'\n');
  return box;
}

std::string fromTextBox(const QString& text) {
  QString model = text;
  model.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return model.toStdString();
}

MessageWindow::MessageWindow(EditorState& state, QWidget* parent)
    : ChildWindow(QStringLiteral("メッセージウインドウ"), parent), state_(state), text_(new QPlainTextEdit) {
  text_->setObjectName("Text1");
  text_->setFont(player::screenFont(player::TextFont::Message));
  text_->setMinimumSize(456, 96);
  // Undo belongs to the project, so that the Edit menu takes back typing like any edit.
  text_->setUndoRedoEnabled(false);
  leaveUndoKeysToTheProject(text_);
  describe(text_, windowTitle());
  text_->viewport()->installEventFilter(this);
  setWidget(text_);
  connect(text_, &QPlainTextEdit::textChanged, this, &MessageWindow::Text1_Change);
  stateSubscription_ = state_.subscribe([this](StateItem item) {
    bool runEnded = item == StateItem::RunState && state_.runState() == 0;
    if (item == StateItem::CurrentPage || runEnded) showPageText();
  });
}

void MessageWindow::setDocument(project::ProjectDocument* document) {
  document_ = document;
  documentSubscription_.reset();
  if (document_ != nullptr) {
    documentSubscription_ = document_->subscribe([this](const project::Change& change) {
      if (change.kind == project::Change::Kind::PageContent && change.field == project::PageField::Text &&
          change.first == state_.currentPage()) {
        showPageText();
      }
    });
  }
  showPageText();
}

void MessageWindow::showPageText() {
  if (state_.runState() != 0) return;  // a test run writes the box itself
  const project::Page* page = document_ != nullptr ? document_->project().pages.find(state_.currentPage()) : nullptr;
  QString text = page != nullptr ? toTextBox(page->text) : QString();
  if (text == text_->toPlainText()) return;  // typing comes back as the same text: keep the cursor
  QSignalBlocker quiet(text_);
  text_->setPlainText(text);
}

void MessageWindow::startRunText() {
  show();
  QSignalBlocker quiet(text_);
  text_->clear();
  text_->setFocus();
}

void MessageWindow::appendRunText(std::string_view characters) {
  QSignalBlocker quiet(text_);
  text_->moveCursor(QTextCursor::End);
  text_->insertPlainText(toTextBox(std::string(characters)));
}

void MessageWindow::setRunText(const std::string& text) {
  QSignalBlocker quiet(text_);
  text_->setPlainText(toTextBox(text));
  text_->moveCursor(QTextCursor::End);
}

void MessageWindow::storeText(int page) {
  if (document_ == nullptr || !document_->project().pages.contains(page)) return;
  document_->setPageText(page, fromTextBox(text_->toPlainText()));
}

void MessageWindow::Text1_Change() {
  switch (state_.runState()) {
    case 0: storeText(state_.currentPage()); break;
    case 2: storeText(state_.runPage()); break;
    default: break;  // the test run is typing
  }
}

void MessageWindow::Text1_DblClick() {
  if (state_.runState() == 2) {
    state_.setRunChoice(7);
    state_.setRunState(1);
    storeText(state_.runPage());
  } else if (state_.runState() == 1) {
    state_.setRunChoice(7);  // the run shows the rest of the message at once
  }
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_->viewport() && event->type() == QEvent::MouseButtonDblClick) Text1_DblClick();
  return ChildWindow::eventFilter(watched, event);
}

}  // namespace pryx::editor

#include "editor/command_window.h"

#include "editor/accessible.h"
#include "editor/editor_texts.h"

#include <QVBoxLayout>

namespace pryx::editor {

CommandWindow::CommandWindow(EditorState& state, Dialogs& dialogs, QWidget* parent)
    : ChildWindow(QStringLiteral("コマンド入力"), parent), state_(state), dialogs_(dialogs) {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  for (int slot = 0; slot < project::kButtonSlots; ++slot) {
    auto* button = new QPushButton;
    button->setObjectName(QStringLiteral("Command1_%1").arg(slot));
    button->setFixedSize(177, 25);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, slot] { Command1_Click(slot); });
    buttons_[static_cast<std::size_t>(slot)] = button;
  }
  setWidget(content);
  showCaptions();
  stateSubscription_ = state_.subscribe([this](StateItem item) {
    bool runEnded = item == StateItem::RunState && state_.runState() == 0;
    if (item == StateItem::CurrentPage || runEnded) showCaptions();
  });
}

void CommandWindow::setDocument(project::ProjectDocument* document) {
  document_ = document;
  documentSubscription_.reset();
  if (document_ != nullptr) {
    documentSubscription_ = document_->subscribe([this](const project::Change& change) {
      if (change.kind == project::Change::Kind::PageContent && change.field == project::PageField::Button &&
          change.button == project::ButtonField::Caption && change.first == state_.currentPage()) {
        showCaptions();
      }
    });
  }
  showCaptions();
}

void CommandWindow::showRunButtons(const std::array<std::string, project::kButtonSlots>& captions) {
  for (int slot = 0; slot < project::kButtonSlots; ++slot) {
    QString caption = QString::fromStdString(captions[static_cast<std::size_t>(slot)]);
    QPushButton* button = buttons_[static_cast<std::size_t>(slot)];
    button->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
    describe(button, caption);
    button->setVisible(!caption.isEmpty());
  }
  show();
}

void CommandWindow::showCaptions() {
  if (state_.runState() != 0) return;  // the run shows its own buttons
  const project::Page* page = document_ != nullptr ? document_->project().pages.find(state_.currentPage()) : nullptr;
  for (int slot = 0; slot < project::kButtonSlots; ++slot) {
    QString caption = page != nullptr ? QString::fromStdString(page->buttons[static_cast<std::size_t>(slot)].caption())
                                      : QString();
    QPushButton* button = buttons_[static_cast<std::size_t>(slot)];
    button->setText(QString(caption).replace(u'&', QStringLiteral("&&")));  // a caption is never a mnemonic
    describe(button, caption.isEmpty() ? QStringLiteral("コマンドボタン%1").arg(slot + 1) : caption);
    button->setVisible(true);
  }
}

void CommandWindow::Command1_Click(int slot) {
  if (state_.runState() == 1 || state_.runState() == 2) {
    state_.setRunChoice(slot + 1);
    return;
  }
  int page = state_.currentPage();
  if (document_ == nullptr || !document_->project().pages.contains(page)) {
    dialogs_.show(noPageWarning());
    return;
  }
  const std::string& caption = document_->project().pages[page].buttons[static_cast<std::size_t>(slot)].caption();
  auto answer = dialogs_.input({"コマンドボタンに表示する文字を入力してください", "コマンドの設定", caption});
  // Cancel keeps the caption; an empty answer frees the slot. The page may have gone
  // while the box was open.
  if (!answer || document_ == nullptr || !document_->project().pages.contains(page)) return;
  document_->setButtonField(page, slot, project::ButtonField::Caption, *answer);
}

}  // namespace pryx::editor

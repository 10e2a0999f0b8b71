#include "editor/qt_dialogs.h"

#include "editor/colour_sample.h"

#include "player/qt_host/dialog_message_boxes.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace pryx::editor {
namespace {

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

player::MessageIcon iconOf(project::MessageIcon icon) {
  switch (icon) {
    case project::MessageIcon::Information: return player::MessageIcon::Information;
    case project::MessageIcon::Warning:
    case project::MessageIcon::Error: return player::MessageIcon::Critical;
    case project::MessageIcon::Question: return player::MessageIcon::Question;
  }
  return player::MessageIcon::None;
}

struct Buttons {
  player::MessageButtons buttons;
  player::MessageAnswer positive;
  player::MessageAnswer negative;
};

Buttons buttonsOf(project::MessageButtons buttons) {
  switch (buttons) {
    case project::MessageButtons::Ok:
      return {player::MessageButtons::Ok, player::MessageAnswer::Ok, player::MessageAnswer::Ok};
    case project::MessageButtons::OkCancel:
      return {player::MessageButtons::OkCancel, player::MessageAnswer::Ok, player::MessageAnswer::Cancel};
    case project::MessageButtons::YesNo:
    case project::MessageButtons::SaveDiscardCancel:  // asked by askToSave
      return {player::MessageButtons::YesNo, player::MessageAnswer::Yes, player::MessageAnswer::No};
  }
  return {player::MessageButtons::Ok, player::MessageAnswer::Ok, player::MessageAnswer::Ok};
}

Answer answerOf(player::MessageAnswer answer) {
  switch (answer) {
    case player::MessageAnswer::Ok: return Answer::Ok;
    case player::MessageAnswer::Cancel: return Answer::Cancel;
    case player::MessageAnswer::Yes: return Answer::Yes;
    case player::MessageAnswer::No: return Answer::No;
  }
  return Answer::Cancel;
}

// 保存する, 保存しない, キャンセル: the player's boxes have no third button.
Answer askToSave(QWidget* parent, const project::Message& message) {
  QMessageBox box(QMessageBox::Question, fromUtf8(message.title), fromUtf8(message.text), QMessageBox::NoButton, parent);
  box.setTextFormat(Qt::PlainText);
  QPushButton* save = box.addButton(QStringLiteral("保存する"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return Answer::Yes;
  if (box.clickedButton() == discard) return Answer::No;
  return Answer::Cancel;
}

std::optional<std::string> chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QString qtFileFilter(std::string_view filter) {
  QString text = fromUtf8(filter);
  qsizetype bar = text.indexOf(u'|');
  if (bar < 0) return text;
  QStringList patterns;
  for (const QString& pattern : text.mid(bar + 1).split(u';', Qt::SkipEmptyParts)) {
    patterns << pattern;
    if (pattern.toLower() != pattern) patterns << pattern.toLower();
  }
  return text.left(bar) + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

Answer QtDialogs::show(const project::Message& message) {
  if (message.buttons == project::MessageButtons::SaveDiscardCancel) return askToSave(parent_, message);
  Buttons buttons = buttonsOf(message.buttons);
  player::MessageBoxRequest request;
  request.text = message.text;
  request.title = message.title;
  request.icon = iconOf(message.icon);
  request.buttons = buttons.buttons;
  request.defaultAnswer = message.positiveDefault ? buttons.positive : buttons.negative;
  player::DialogMessageBoxes boxes;
  boxes.setParent(parent_);
  return answerOf(boxes.show(request));
}

std::optional<std::string> QtDialogs::input(const project::InputRequest& request) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(fromUtf8(request.title));
  dialog.setLabelText(fromUtf8(request.prompt));
  dialog.setTextValue(fromUtf8(request.defaultAnswer));
  // The buttons of the message boxes.
  dialog.setOkButtonText(player::answerCaption(player::MessageAnswer::Ok));
  dialog.setCancelButtonText(player::answerCaption(player::MessageAnswer::Cancel));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

std::optional<std::string> QtDialogs::openFile(const project::FileDialogRequest& request) {
  return chosen(QFileDialog::getOpenFileName(parent_, fromUtf8(request.title), {}, qtFileFilter(request.filter)));
}

std::optional<std::string> QtDialogs::saveFile(const project::FileDialogRequest& request) {
  QFileDialog dialog(parent_, fromUtf8(request.title), {}, qtFileFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without extension gets the filter's.
  QString pattern = fromUtf8(request.filter).section(u'|', 1).section(u';', 0, 0);
  dialog.setDefaultSuffix(pattern.section(u'.', -1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return chosen(dialog.selectedFiles().constFirst());
}

std::optional<std::int32_t> QtDialogs::chooseColour(std::int32_t initial) {
  QColor colour = QColorDialog::getColor(colourOf(initial), parent_);
  if (!colour.isValid()) return std::nullopt;
  return static_cast<std::int32_t>(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

}  // namespace pryx::editor

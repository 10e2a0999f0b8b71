#include "player/qt_host/dialog_message_boxes.h"

#include <QPushButton>
#include <QMessageBox>

namespace pryx::player {
namespace {

QMessageBox::Icon iconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton buttonOf(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

struct ButtonSet {
  MessageAnswer positive;
  MessageAnswer negative;  // also what closing the box answers
};

ButtonSet buttonSetOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return {MessageAnswer::Ok, MessageAnswer::Ok};
    case MessageButtons::OkCancel: return {MessageAnswer::Ok, MessageAnswer::Cancel};
    case MessageButtons::YesNo: return {MessageAnswer::Yes, MessageAnswer::No};
  }
  return {MessageAnswer::Ok, MessageAnswer::Ok};
}

}  // namespace

QString answerCaption(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QStringLiteral("OK");
    case MessageAnswer::Cancel: return QStringLiteral("キャンセル");
    case MessageAnswer::Yes: return QStringLiteral("はい(&Y)");
    case MessageAnswer::No: return QStringLiteral("いいえ(&N)");
  }
  return {};
}

MessageAnswer DialogMessageBoxes::show(const MessageBoxRequest& request) {
  QMessageBox box(iconOf(request.icon), QString::fromStdString(request.title), QString::fromStdString(request.text),
                  QMessageBox::NoButton, parent_);
  box.setTextFormat(Qt::PlainText);  // a message is never markup
  ButtonSet set = buttonSetOf(request.buttons);
  for (MessageAnswer answer : {set.positive, set.negative}) {
    if (box.button(buttonOf(answer)) == nullptr) box.addButton(buttonOf(answer))->setText(answerCaption(answer));
  }
  box.setDefaultButton(buttonOf(request.defaultAnswer));
  box.setEscapeButton(buttonOf(set.negative));
  int result = box.exec();
  for (MessageAnswer answer : {set.positive, set.negative}) {
    if (result == buttonOf(answer)) return answer;
  }
  return set.negative;
}

}  // namespace pryx::player

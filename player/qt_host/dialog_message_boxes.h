#pragma once
// The engine's message boxes and questions as modal Qt message boxes, with the
// button captions of a Japanese system.

#include <QPointer>
#include <QWidget>

#include "player/host.h"

namespace pryx::player {

// The caption of an answer's button: "OK", "キャンセル", "はい(&Y)", "いいえ(&N)".
QString answerCaption(MessageAnswer answer);

class DialogMessageBoxes final : public MessageBoxes {
 public:
  // The window the boxes are centred on; none before the window exists.
  void setParent(QWidget* parent) { parent_ = parent; }

  MessageAnswer show(const MessageBoxRequest& request) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace pryx::player

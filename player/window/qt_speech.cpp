#include "player/window/qt_speech.h"

#include <QLocale>

namespace pryx::player {

QtSpeech::QtSpeech() = default;
QtSpeech::~QtSpeech() = default;

void QtSpeech::say(const std::string& text) {
  if (!engine_) {
    engine_ = std::make_unique<QTextToSpeech>();
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    if (engine_->availableLocales().contains(japanese)) engine_->setLocale(japanese);
    connect(engine_.get(), &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
      if (state == QTextToSpeech::Ready) speakNext();
    });
  }
  waiting_.push_back(QString::fromStdString(text));
  if (engine_->state() == QTextToSpeech::Ready) speakNext();
}

void QtSpeech::stop() {
  waiting_.clear();
  if (engine_) engine_->stop();
}

bool QtSpeech::speaking() const {
  if (!engine_ || engine_->state() == QTextToSpeech::Error) return false;
  return engine_->state() == QTextToSpeech::Speaking || !waiting_.empty();
}

void QtSpeech::speakNext() {
  if (waiting_.empty()) return;
  QString text = waiting_.front();
  waiting_.pop_front();
  engine_->say(text);
}

}  // namespace pryx::player

#pragma once
// Reading aloud through Qt TextToSpeech: the platform's speech service, in Japanese
// where it has a voice for it. Qt speaks one text at a time, so the texts wait in
// a queue. The engine is made only at the first text: most players never use it.

#include <QObject>
#include <QString>
#include <QTextToSpeech>

#include <deque>
#include <memory>

#include "player/speech.h"

namespace pryx::player {

class QtSpeech final : public QObject, public Speech {
  Q_OBJECT

 public:
  QtSpeech();
  ~QtSpeech() override;

  void say(const std::string& text) override;
  void stop() override;
  bool speaking() const override;

 private:
  void speakNext();

  std::unique_ptr<QTextToSpeech> engine_;
  std::deque<QString> waiting_;
};

}  // namespace pryx::player

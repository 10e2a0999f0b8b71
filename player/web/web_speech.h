#pragma once
// Reading aloud in a web page: the texts go to the page's speech object (speech.js,
// on the browser's speech synthesis), which speaks them in the order given.

#include <string>

#include "player/speech.h"

namespace pryx::player::web {

class WebSpeech final : public Speech {
 public:
  void say(const std::string& text) override;
  void stop() override;
  bool speaking() const override;
};

}  // namespace pryx::player::web

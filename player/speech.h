#pragma once
// The platform's speech service, as the engine reads messages and choices aloud
// through it: texts are spoken one after another in the order given.

#include <string>

namespace pryx::player {

class Speech {
 public:
  virtual ~Speech() = default;
  // Speaks `text` (UTF-8) after what was given before.
  virtual void say(const std::string& text) = 0;
  // Stops speaking and forgets what was still to be said.
  virtual void stop() = 0;
  virtual bool speaking() const = 0;
};

}  // namespace pryx::player

#pragma once
// What happens in a run, told as it happens: the events of the trace that authors
// read, the waits for input (where the headless host answers and takes frames),
// and the end of the run.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::player {

enum class EndReason {
  End,          // @END
  CodeEnd,      // the end-of-code byte
  PastEnd,      // the code ran off the end of the file
  NoButton,     // @EVTWAIT without a button
  Error,        // a fault in the game file, shown with its message
  Version,      // the game needs a newer player
  Closed,       // the user closed the window or chose to end
  NoMoreInput,  // the headless host has no input left for a wait
  StepLimit,    // the instruction limit of a bounded run was reached
};

// "END", "code-end", ... as the trace writes them.
std::string_view endReasonText(EndReason reason);

// A run that ended on an error or version message, or at a bounded run's instruction
// limit, failed; every other end is the game's own (the exit status of both programs
// follows this).
bool endedInFailure(EndReason reason);

enum class WaitKind {
  PagePrompt,    // the blinking "▼" of a full message box
  NovelPage,     // a full novel-mode text page
  SingleButton,  // a normal-mode page with one button: a click anywhere
  Choice,        // a list of choices: push buttons, or text lines in novel mode
};

class PlayObserver {
 public:
  virtual ~PlayObserver() = default;
  // `pc` is the position of the instruction that caused the event.
  virtual void label(std::int32_t /*pc*/, int /*label*/) {}
  virtual void cg(std::int32_t /*pc*/, int /*cg*/) {}
  virtual void chr(std::int32_t /*pc*/, int /*chr*/) {}
  virtual void bgm(std::int32_t /*pc*/, int /*bgm*/) {}
  virtual void text(std::int32_t /*pc*/, int /*message*/, const std::string& /*text*/) {}
  // Captions by slot from slot 1 up to the last one used; unused slots are empty.
  virtual void choices(std::int32_t /*pc*/, const std::vector<std::string>& /*captions*/) {}
  virtual void choose(std::int32_t /*pc*/, int /*slot*/) {}  // slot from 1
  virtual void variable(std::int32_t /*pc*/, int /*variable*/, std::int32_t /*value*/) {}
  virtual void save(std::int32_t /*pc*/, int /*slot*/, bool /*done*/) {}
  virtual void load(std::int32_t /*pc*/, int /*slot*/, bool /*done*/) {}
  virtual void waitStarted(std::int32_t /*pc*/, WaitKind /*kind*/) {}
  virtual void waitEnded() {}
  virtual void ended(std::int32_t /*pc*/, EndReason /*reason*/, const std::string& /*message*/) {}
};

}  // namespace pryx::player

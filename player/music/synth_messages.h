#pragma once
// FluidSynth and the ALSA library below it print their errors to standard error by
// themselves. The player routes them here instead, so that a missing audio device
// makes one notice with its reason rather than a stream of library messages.

#include <string>

namespace pryx::player {

// Routes the libraries' messages to the kept reason from now on (once per program).
void routeSynthesizerMessages();

// The last error either library reported since the previous call; empty if none.
std::string takeSynthesizerError();

}  // namespace pryx::player

#include "player/music/synth_messages.h"

#include <fluidsynth.h>

#ifdef __linux__
#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#endif

#include <mutex>
#include <utility>

namespace pryx::player {
namespace {

std::mutex keptErrorMutex;  // the audio thread reports too
std::string keptError;

void keepError(std::string message) {
  std::lock_guard lock(keptErrorMutex);
  keptError = std::move(message);
}

void keepFluidError(int, const char* message, void*) { keepError(message != nullptr ? message : ""); }

#ifdef __linux__
// A machine without a sound card gets eight lines from ALSA. The library is reached
// only through FluidSynth, so its handler is looked up rather than linked.
void keepAlsaError(const char*, int, const char*, int, const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  keepError(text);
}

void routeAlsaMessages() {
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  void* setHandler = dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler");
  if (setHandler != nullptr) reinterpret_cast<int (*)(Handler)>(setHandler)(keepAlsaError);
}
#else
void routeAlsaMessages() {}
#endif

}  // namespace

void routeSynthesizerMessages() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, keepFluidError, nullptr);
    fluid_set_log_function(FLUID_ERR, keepFluidError, nullptr);
    for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
    routeAlsaMessages();
  });
}

std::string takeSynthesizerError() {
  std::lock_guard lock(keptErrorMutex);
  return std::exchange(keptError, std::string());
}

}  // namespace pryx::player

#include "player/headless/frame_writer.h"

#include <cstdio>

#include "platform/paths.h"

namespace pryx::player::headless {
namespace {

const char* kindName(WaitKind kind) {
  switch (kind) {
    case WaitKind::PagePrompt: return "prompt";
    case WaitKind::NovelPage: return "page";
    case WaitKind::SingleButton: return "click";
    case WaitKind::Choice: return "choice";
  }
  return "wait";
}

}  // namespace

void FrameWriter::waitStarted(std::int32_t, WaitKind kind) {
  if (!screen_) return;
  char name[32];
  std::snprintf(name, sizeof name, "%04d-%s.png", ++waits_, kindName(kind));
  std::string path = platform::GetPath(folder_, name);
  if (screen_->picture().save(QString::fromStdString(platform::toNativeSeparators(path)), "PNG")) {
    ++written_;
  } else if (failure_.empty()) {
    failure_ = path;
  }
}

}  // namespace pryx::player::headless

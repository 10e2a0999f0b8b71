#include "player/web/web_read_marks.h"

#include <emscripten.h>

#include <iostream>

// clang-format off
EM_JS(void, pryx_read_marks_written, (const char* path), { Module.pryxHost.saved(UTF8ToString(path)); });
// clang-format on

namespace pryx::player::web {

// What cannot be used is said on the browser's console.
WebReadMarks::WebReadMarks(const GameLocation& location)
    : path_(readMarksFilePath(location)), file_(path_, std::cerr) {}

bool WebReadMarks::keep(const ReadMarks& marks) {
  if (!file_.keep(marks)) return false;
  pryx_read_marks_written(path_.c_str());
  return true;
}

}  // namespace pryx::player::web

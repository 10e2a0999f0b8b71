#pragma once
// The read marks and switches in a web page: NAME.READ in the engine's file system,
// where the page has put the bytes the browser kept for the game, read and written
// as the desktop's file is; each time it is written the page keeps its bytes again.

#include <string>

#include "player/game_files.h"
#include "player/read_marks.h"

namespace pryx::player::web {

class WebReadMarks final : public ReadMarksStore {
 public:
  explicit WebReadMarks(const GameLocation& location);
  ReadMarks load(std::uint64_t game) override { return file_.load(game); }
  bool keep(const ReadMarks& marks) override;

 private:
  std::string path_;
  ReadMarksFile file_;
};

}  // namespace pryx::player::web

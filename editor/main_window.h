#pragma once
// "メインウインドウ": the stage. It previews the page's background CG stretched to
// 640 × 480 and, while blending is on (the pop-up item "ZORVEX"), the character
// blended over it through the display library; it owns the music device. The
// preview scales with the window, keeping its proportions.

#include "editor/child_window.h"

#include "platform/zorvex/display_library.h"
#include "player/sequencer.h"

#include <QImage>

#include "player/screen/picture.h"
#include <string>

namespace pryx::player {
class PictureView;
}

namespace pryx::editor {

class MainWindow final : public ChildWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  MainWindow(player::Sequencer& music, platform::DisplayLibrary& display, QWidget* parent = nullptr);

  // The background picture `BGCG`; an empty path clears it. False when the file
  // cannot be loaded (the stage is then cleared).
  bool showBackground(const std::string& path);
  // The character `CHRCG`, drawn on its own surface; an empty path clears it.
  bool showCharacter(const std::string& path);
  // Blending of the character over the background, as the pop-up item says.
  void setBlending(bool blending);

  // The music device: "Close", then the file, "Open" and "Play". False when it
  // cannot be opened.
  bool playMusic(const std::string& path);
  void closeMusic();
  bool musicOpen() const { return !musicFile_.empty(); }

  // What the stage shows, 640 × 480.
  const QImage& picture() const;

 signals:
  // The right button was released at `position` (global): the frame shows its pop-up menu.
  void popUpMenuRequested(const QPoint& position);
  // The left button was released over the stage.
  void stageClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Loads the picture at `path` into `holder`, stretched; an empty path empties it.
  bool load(const std::string& path, player::Picture& holder);
  void redraw();

  player::Sequencer& music_;
  platform::DisplayLibrary& display_;
  player::PictureView* stage_;
  player::Picture background_;
  player::Picture character_;  // the character drawing surface's inner 640 × 480; null when cleared
  player::Picture shown_;      // what the stage shows, its pixels wrapped by the view
  bool blending_ = false;
  std::string musicFile_;
};

}  // namespace pryx::editor

#include "editor/main_window.h"

#include "editor/accessible.h"
#include "player/screen/screen.h"
#include "player/screen/stretch.h"
#include "player/window/picture_view.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pryx::editor {
namespace {

// A picture stretched to the stage, pixel for pixel as the player stretches it.
player::Picture stretched(const player::Picture& picture) {
  player::Picture stage(MainWindow::kWidth, MainWindow::kHeight);
  player::stretchOverWindow(stage, picture, player::RasterOperation::Copy);
  return stage;
}

ZorvexSurface surfaceOf(player::Picture& picture) {
  return {picture.pixels(), picture.width(), picture.height(), picture.bytesPerLine()};
}

}  // namespace

MainWindow::MainWindow(player::Sequencer& music, platform::DisplayLibrary& display, QWidget* parent)
    : ChildWindow(QStringLiteral("メインウインドウ"), parent),
      music_(music),
      display_(display),
      stage_(new player::PictureView(nullptr)) {
  stage_->setObjectName("BGCG");
  stage_->setMinimumSize(kWidth, kHeight);
  describe(stage_, QStringLiteral("ページのプレビュー"));
  stage_->installEventFilter(this);
  setWidget(stage_);
  redraw();
}

const QImage& MainWindow::picture() const { return stage_->picture(); }

bool MainWindow::showBackground(const std::string& path) { return load(path, background_); }

bool MainWindow::showCharacter(const std::string& path) { return load(path, character_); }

bool MainWindow::load(const std::string& path, player::Picture& holder) {
  holder = path.empty() ? player::Picture() : player::loadPicture(path);
  bool loaded = path.empty() || !holder.isNull();
  if (!holder.isNull()) holder = stretched(holder);
  redraw();
  return loaded;
}

void MainWindow::setBlending(bool blending) {
  blending_ = blending;
  redraw();
}

void MainWindow::redraw() {
  shown_ = background_.isNull() ? player::Picture(kWidth, kHeight) : background_;
  if (blending_ && !character_.isNull()) {
    ZorvexSurface destination = surfaceOf(shown_);
    ZorvexSurface source = surfaceOf(character_);
    // A missing library leaves the preview without its character; the player reports it when it runs.
    (void)display_.Blend(destination, kWidth, kHeight, source, 0, 0, kWidth, kHeight);
  }
  stage_->setPicture(shown_);
}

bool MainWindow::playMusic(const std::string& path) {
  closeMusic();
  if (!music_.open(path)) return false;
  musicFile_ = path;
  music_.play();
  return true;
}

void MainWindow::closeMusic() {
  if (musicFile_.empty()) return;
  music_.close();
  musicFile_.clear();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == stage_ && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) emit popUpMenuRequested(mouse->globalPosition().toPoint());
    if (mouse->button() == Qt::LeftButton) emit stageClicked();
  }
  return ChildWindow::eventFilter(watched, event);
}

}  // namespace pryx::editor

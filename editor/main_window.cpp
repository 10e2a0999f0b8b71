#include "editor/main_window.h"

#include "editor/accessible.h"
#include "player/screen/screen.h"
#include "player/window/picture_view.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pryx::editor {
namespace {

QImage blankPicture() {
  QImage picture(MainWindow::kWidth, MainWindow::kHeight, QImage::Format_RGB32);
  picture.fill(Qt::black);
  return picture;
}

// A picture stretched to the stage, pixel for pixel as the player stretches it.
QImage stretched(const QImage& picture) {
  return picture.scaled(MainWindow::kWidth, MainWindow::kHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .convertToFormat(QImage::Format_RGB32);
}

ZorvexSurface surfaceOf(QImage& picture) {
  return {reinterpret_cast<std::uint32_t*>(picture.bits()), picture.width(), picture.height(),
          static_cast<std::int32_t>(picture.bytesPerLine())};
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

bool MainWindow::load(const std::string& path, QImage& holder) {
  holder = path.empty() ? QImage() : player::loadPicture(path);
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
  QImage picture = background_.isNull() ? blankPicture() : background_.copy();
  if (blending_ && !character_.isNull()) {
    ZorvexSurface destination = surfaceOf(picture);
    ZorvexSurface source = surfaceOf(character_);
    // A missing library leaves the preview without its character; the player reports it when it runs.
    (void)display_.Blend(destination, kWidth, kHeight, source, 0, 0, kWidth, kHeight);
  }
  stage_->setPicture(picture);
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

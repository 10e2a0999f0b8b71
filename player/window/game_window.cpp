#include "player/window/game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShortcut>

#include "player/window/window_fonts.h"
#include "player/screen/screen.h"

namespace pryx::player {
namespace {

constexpr int kWindowFontPoints = 9;

}  // namespace

GameWindow::GameWindow() {
  setObjectName(QStringLiteral("Form1"));
  registerFontSubstitutions();
  setFont(QFont(QString::fromUtf8(kWindowFontFamily), kWindowFontPoints));
  setMouseTracking(true);

  view_ = new PictureView(this);
  menuBar_ = new PlayerMenuBar(this);
  // Menus look as the desktop's do, not in the window's font.
  menuBar_->setFont(QApplication::font(menuBar_));
  buttons_ = std::make_unique<ChoiceButtonPanel>(view_, [this](int slot) {
    if (input_ != nullptr) input_->buttonClicked(slot);
  });
  fixWindowSize();
  placeChildren();
}

GameWindow::~GameWindow() = default;

void GameWindow::attach(PlayerInput& input) {
  input_ = &input;
  connect(view_, &PictureView::clicked, this, [this] { input_->windowClicked(); });
  connect(view_, &PictureView::pointerMoved, this, &GameWindow::onPointerMoved);
  connect(menuBar_, &PlayerMenuBar::saveChosen, this, [this](int slot) { input_->saveChosen(slot); });
  connect(menuBar_, &PlayerMenuBar::loadChosen, this, [this](int slot) { input_->loadChosen(slot); });
  connect(menuBar_, &PlayerMenuBar::speedChosen, this, [this](Speed speed) { input_->speedChosen(speed); });
  connect(menuBar_, &PlayerMenuBar::endChosen, this, [this] { input_->endChosen(); });
  // Esc anywhere in the window, also on a focused button, asks as the close box does.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] { input_->keyPressed(kEscapeKey); });
}

void GameWindow::refresh(const Picture& picture) { view_->setPicture(picture); }

// The frame goes now; the display library then makes the window cover the screen.
void GameWindow::enterNovelMode() {
  novelMode_ = true;
  showMenuBar(false);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  bool wasVisible = isVisible();
  setWindowFlag(Qt::FramelessWindowHint, true);
  if (wasVisible) show();
  placeChildren();
}

void GameWindow::setTyping(bool typing) {
  typing_ = typing;
  // The bar would cover the first line of the text.
  if (typing && novelMode_) showMenuBar(false);
}

void GameWindow::closeEvent(QCloseEvent* event) {
  if (closingAllowed_ || input_ == nullptr) {
    event->accept();
    return;
  }
  // The engine ends the run itself after the question; the window closes after it.
  event->ignore();
  input_->closeRequested();
}

void GameWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeChildren();
}

// The menu bar's height is final once the window is polished for showing.
void GameWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (novelMode_) return;
  fixWindowSize();
  placeChildren();
}

void GameWindow::fixWindowSize() {
  setFixedSize(kScreenWidth, menuBar_->sizeHint().height() + kScreenHeight);
}

void GameWindow::placeChildren() {
  const int barHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), barHeight);
  if (novelMode_) {
    view_->setGeometry(rect());
    menuBar_->raise();
  } else {
    view_->setGeometry(0, barHeight, kScreenWidth, kScreenHeight);
  }
}

void GameWindow::showMenuBar(bool shown) {
  menuBarShown_ = shown;
  menuBar_->setVisible(shown);
  if (shown) menuBar_->raise();
}

void GameWindow::onPointerMoved(QPoint viewPoint, QPoint picturePoint) {
  if (novelMode_ && !typing_) {
    // Over the picture again below the bar: the bar goes.
    if (!menuBarShown_ && viewPoint.y() < kMenuBarTriggerHeight) showMenuBar(true);
    else if (menuBarShown_ && viewPoint.y() >= menuBar_->height()) showMenuBar(false);
  }
  input_->pointerMoved(picturePoint.x(), picturePoint.y());
}

}  // namespace pryx::player

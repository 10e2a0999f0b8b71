#include "player/window/game_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

#include "player/window/window_fonts.h"
#include "player/screen/screen.h"

namespace pryx::player {
namespace {

constexpr int kWindowFontPoints = 9;

// The keys the engine takes as they are, by its codes.
int engineKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kEnterKey;
    case Qt::Key_Space: return kSpaceKey;
    case Qt::Key_Right: return kRightKey;
    case Qt::Key_Up: return kUpKey;
    case Qt::Key_Down: return kDownKey;
    default: break;
  }
  if (qtKey >= Qt::Key_1 && qtKey < Qt::Key_1 + kChoiceButtons) return kDigitOneKey + (qtKey - Qt::Key_1);
  return 0;
}

}  // namespace

GameWindow::GameWindow() {
  setObjectName(QStringLiteral("Form1"));
  registerFontSubstitutions();
  setFont(QFont(QString::fromUtf8(kWindowFontFamily), kWindowFontPoints));
  setMouseTracking(true);

  view_ = new PictureView(this);
  view_->setObjectName(QStringLiteral("picture"));
  view_->setWholeMultiples(true);
  menuBar_ = new PlayerMenuBar(this);
  // Menus look as the desktop's do, not in the window's font.
  menuBar_->setFont(QApplication::font(menuBar_));
  buttons_ = std::make_unique<ChoiceButtonPanel>(view_, [this](int slot) {
    if (input_ != nullptr) input_->buttonClicked(slot);
  });
  choiceLines_ = new ChoiceLines(view_);
  historyView_ = new HistoryView(view_);
  fixWindowSize();
  placeChildren();
}

GameWindow::~GameWindow() { delete choiceLines_; }

void GameWindow::attach(PlayerInput& input) {
  input_ = &input;
  connect(view_, &PictureView::clicked, this, [this] { input_->windowClicked(); });
  connect(view_, &PictureView::pointerMoved, this, &GameWindow::onPointerMoved);
  connect(view_, &PictureView::wheeledUp, this, &GameWindow::openHistory);
  connect(menuBar_, &PlayerMenuBar::saveChosen, this, [this](int slot) { input_->saveChosen(slot); });
  connect(menuBar_, &PlayerMenuBar::loadChosen, this, [this](int slot) { input_->loadChosen(slot); });
  connect(menuBar_, &PlayerMenuBar::speedChosen, this, [this](Speed speed) { input_->speedChosen(speed); });
  connect(menuBar_, &PlayerMenuBar::endChosen, this, [this] { input_->endChosen(); });
  connect(menuBar_, &PlayerMenuBar::historyChosen, this, &GameWindow::openHistory);
  connect(menuBar_, &PlayerMenuBar::autoChosen, this, [this] { input_->autoToggled(); });
  connect(menuBar_, &PlayerMenuBar::skipChosen, this, [this] { input_->skipToggled(); });
  connect(menuBar_, &PlayerMenuBar::readAloudChosen, this, [this] { input_->readAloudToggled(); });
  connect(menuBar_, &PlayerMenuBar::fullScreenChosen, this, &GameWindow::toggleFullScreen);
  connect(historyView_, &HistoryView::closed, this, [this] {
    input_->historyShown(false);
    view_->setFocus();
  });
  // Esc anywhere in the window, also on a focused button, asks as the close box does;
  // over the history it only closes the history.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    if (historyView_->isVisible()) historyView_->dismiss();
    else input_->keyPressed(kEscapeKey);
  });
  qApp->installEventFilter(this);
}

void GameWindow::refresh(const Picture& picture) { view_->setPicture(picture); }

void GameWindow::describe(const std::string& message, const std::vector<std::string>& choices) {
  view_->setAccessibleName(QString::fromStdString(message));
  view_->setAccessibleDescription(QString::fromStdString(messageWithChoices(message, choices)));
}

void GameWindow::showChoiceLines(const std::vector<ChoiceLine>& lines, int highlighted) {
  choiceLines_->show(lines, highlighted);
}

void GameWindow::openHistory() {
  if (history_ == nullptr || historyView_->isVisible() || input_ == nullptr) return;
  input_->historyShown(true);
  historyView_->open(*history_, view_->pictureRect());
}

void GameWindow::toggleFullScreen() {
  if (novelMode_) return;  // novel mode covers the screen already
  if (isFullScreen()) showNormal();
  else showFullScreen();
  menuBar_->setFullScreenChecked(isFullScreen());
}

// The frame goes now; the display library then makes the window cover the screen.
void GameWindow::enterNovelMode() {
  novelMode_ = true;
  showMenuBar(false);
  view_->setWholeMultiples(false);
  menuBar_->fullScreenItem()->setEnabled(false);
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

// The window opens at the picture's own size and may grow from there.
void GameWindow::fixWindowSize() {
  const QSize least(kScreenWidth, menuBar_->sizeHint().height() + kScreenHeight);
  setMinimumSize(least);
  if (!isVisible()) resize(least);
}

void GameWindow::placeChildren() {
  const int barHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), barHeight);
  if (novelMode_) {
    view_->setGeometry(rect());
    menuBar_->raise();
  } else {
    view_->setGeometry(0, barHeight, width(), std::max(height() - barHeight, 0));
  }
  const QRect picture = view_->pictureRect();
  buttons_->place(picture);
  choiceLines_->place(picture);
  if (historyView_->isVisible()) historyView_->setGeometry(picture);
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

// Keys reach the window wherever its focus is (the picture or a choice button);
// those of open menus and message boxes stay theirs, and so do those of the history
// and of the menu bar while the keyboard is in it (Alt, F10). Ctrl is always the
// window's: a release it missed would leave skip on.
bool GameWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool pressed = event->type() == QEvent::KeyPress;
  if (!pressed && event->type() != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this || input_ == nullptr) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const bool theirs = historyView_->isVisible() || widget == menuBar_ || menuBar_->isAncestorOf(widget);
  if (theirs && key->key() != Qt::Key_Control) return false;
  return keyEvent(key, pressed);
}

void GameWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // A Ctrl let go in another window never comes here.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && input_ != nullptr) input_->skipHeld(false);
  // Full screen may also change by the window manager's hand.
  if (event->type() == QEvent::WindowStateChange) menuBar_->setFullScreenChecked(isFullScreen());
}

bool GameWindow::keyEvent(QKeyEvent* event, bool pressed) {
  const int key = event->key();
  if (key == Qt::Key_Control) {
    // Taken here, so that the parents it would travel up to do not see it again.
    if (!event->isAutoRepeat()) input_->skipHeld(pressed);
    return true;
  }
  if (!pressed) return false;
  const bool alt = event->modifiers().testFlag(Qt::AltModifier);
  if (key == Qt::Key_F11 || (alt && (key == Qt::Key_Return || key == Qt::Key_Enter))) {
    toggleFullScreen();
    return true;
  }
  if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) return false;
  // A focused choice button takes Enter and Space as a click on it.
  if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget()); button != nullptr && button->isVisible() &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    button->click();
    return true;
  }
  switch (key) {
    case Qt::Key_PageUp: openHistory(); return true;
    case Qt::Key_A: input_->autoToggled(); return true;
    case Qt::Key_R: input_->readAloudToggled(); return true;
    default: break;
  }
  if (int engine = engineKey(key); engine != 0) {
    input_->keyPressed(engine);
    return true;
  }
  return false;
}

}  // namespace pryx::player

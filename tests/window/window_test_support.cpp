#include "window_test_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/paths.h"
#include "player/player.h"
#include "script_test_support.h"

namespace pryx::player::testing {
namespace {

// A run that has not ended by then never will: it is ended and reported.
constexpr int kWatchdogMilliseconds = 60000;
constexpr int kClickInterval = 50;

}  // namespace

MessageAnswer AnsweringDialogs::show(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (request.buttons == MessageButtons::Ok || answers_.empty()) return request.defaultAnswer;
  MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

QStringList AnsweringDialogs::texts() const {
  QStringList texts;
  for (const MessageBoxRequest& request : shown_) texts.append(QString::fromStdString(request.text));
  return texts;
}

bool NotedSequencer::open(const std::string& path) {
  opened.push_back(path);
  open_ = true;
  return true;
}

GameFolder::GameFolder(std::string_view utf8Script, std::string name, bool withDisplayLibrary)
    : name_(std::move(name)) {
  std::vector<std::uint8_t> game = script::testing::compiled(utf8Script);
  write(name_ + ".PRY", QByteArray(reinterpret_cast<const char*>(game.data()), static_cast<qsizetype>(game.size())));
  if (withDisplayLibrary) {
    QFile::copy(QStringLiteral(PRYX_ZORVEX_LIBRARY),
                QString::fromStdString(path(std::string(platform::kDisplayLibraryFileName))));
  }
}

std::unique_ptr<GameFolder> GameFolder::builtFrom(const std::string& source, std::string name) {
  std::unique_ptr<GameFolder> folder(new GameFolder(Empty{}, std::move(name)));
  QProcess build;
  build.start(QStringLiteral(PRYX_TOOL), {QStringLiteral("build"), QString::fromStdString(source), QStringLiteral("--out"),
                                         folder->dir_.path(), QStringLiteral("--name"),
                                         QString::fromStdString(folder->name_), QStringLiteral("--overwrite")});
  bool built = build.waitForFinished() && build.exitStatus() == QProcess::NormalExit && build.exitCode() == 0;
  return built ? std::move(folder) : nullptr;
}

std::string GameFolder::path(const std::string& fileName) const {
  return platform::GetPath(dir_.path().toStdString(), fileName);
}

void GameFolder::write(const std::string& fileName, const QByteArray& bytes) const {
  QFile file(QString::fromStdString(path(fileName)));
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

bool GameFolder::exists(const std::string& fileName) const { return QFile::exists(QString::fromStdString(path(fileName))); }

WindowRun::WindowRun(const GameFolder& folder)
    : program_({folder.executablePath(), &dialogs, &music, this, nullptr, {}}) {}

void WindowRun::atWait(WaitKind kind, Action action) { actions_.push_back({kind, std::move(action)}); }

int WindowRun::run() {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [this] {
    timedOut_ = true;
    if (program_.player() != nullptr) program_.player()->endRequested(EndReason::NoMoreInput);
  });
  watchdog.start(kWatchdogMilliseconds);
  return program_.run();
}

void WindowRun::label(std::int32_t, int label) { labels.push_back(label); }

void WindowRun::text(std::int32_t, int, const std::string& text) {
  texts.push_back(QString::fromStdString(text));
  if (!typingAction_) return;
  // The first pump inside the typing runs it.
  QTimer::singleShot(0, [this, action = std::move(typingAction_)] { action(*this); });
  typingAction_ = nullptr;
}

void WindowRun::waitStarted(std::int32_t, WaitKind kind) {
  Action action;
  if (!actions_.empty() && actions_.front().kind == kind) {
    action = std::move(actions_.front().action);
    actions_.pop_front();
  } else if (kind != WaitKind::Choice) {
    action = [](WindowRun& run) { run.clickPicture(); };
  } else {
    action = [](WindowRun& run) { run.player().endRequested(EndReason::NoMoreInput); };
  }
  // Actions run as the window's events do: from the wait's own pumping.
  QTimer::singleShot(0, [this, action = std::move(action)] { action(*this); });
}

void WindowRun::clickPicture(QPoint picturePoint) {
  PictureView& view = window().view();
  QRect shown = view.pictureRect();
  QPoint viewPoint(shown.x() + picturePoint.x() * shown.width() / kScreenWidth,
                   shown.y() + picturePoint.y() * shown.height() / kScreenHeight);
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, viewPoint);
}

void WindowRun::keepClickingPicture(QPoint picturePoint) {
  QObject::disconnect(&clicking_, nullptr, nullptr, nullptr);
  QObject::connect(&clicking_, &QTimer::timeout, [this, picturePoint] { clickPicture(picturePoint); });
  clicking_.start(kClickInterval);
}

void WindowRun::clickButton(int slot) {
  auto* button = window().findChild<QPushButton*>(QStringLiteral("Command1(%1)").arg(slot));
  if (button != nullptr && button->isVisible()) QTest::mouseClick(button, Qt::LeftButton);
}

bool WindowRun::trigger(const char* itemName) {
  auto* item = window().findChild<QAction*>(QLatin1String(itemName));
  if (item == nullptr || !item->isEnabled()) return false;
  // An item inside a disabled submenu cannot be reached.
  for (QObject* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
    if (auto* menu = qobject_cast<QMenu*>(parent); menu != nullptr && !menu->menuAction()->isEnabled()) return false;
  }
  item->trigger();
  return true;
}

// Keys go to the active window.
void WindowRun::pressEscape() {
  if (!QTest::qWaitForWindowActive(&window())) return;
  QTest::keyClick(&window(), Qt::Key_Escape);
}

void WindowRun::movePointer(QPoint viewPoint) {
  PictureView& view = window().view();
  QMouseEvent move(QEvent::MouseMove, viewPoint, view.mapToGlobal(viewPoint), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&view, &move);
}

}  // namespace pryx::player::testing

// The parts of the player's window on their own: the picture view, the message
// boxes, and the window with a recording stand-in for the engine.

#include <QAccessible>
#include <QApplication>
#include <QWheelEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "player/qt_host/dialog_message_boxes.h"
#include "player/screen/screen.h"
#include "player/window/game_window.h"
#include "player/window/picture_view.h"
#include "window_test_classes.h"

namespace pryx::player::testing {
namespace {

// An engine picture of one colour; the view shows its pixels, so it must outlive the view.
Picture filledPicture(QRgb colour) { return Picture(kScreenWidth, kScreenHeight, colour); }

// The engine's side of the window's events, written down.
class RecordedInput final : public PlayerInput {
 public:
  int clicks = 0;
  std::vector<int> buttons, keys, saves, loads;
  std::vector<Speed> speeds;
  std::vector<QPoint> pointer;
  int ends = 0;
  int closeRequests = 0;

  void windowClicked() override { ++clicks; }
  void buttonClicked(int slot) override { buttons.push_back(slot); }
  void pointerMoved(int x, int y) override { pointer.emplace_back(x, y); }
  void keyPressed(int key) override { keys.push_back(key); }
  void saveChosen(int slot) override { saves.push_back(slot); }
  void loadChosen(int slot) override { loads.push_back(slot); }
  void speedChosen(Speed speed) override { speeds.push_back(speed); }
  void endChosen() override { ++ends; }
  bool closeRequested() override {
    ++closeRequests;
    return false;
  }
  void endRequested(EndReason) override {}
  void skipHeld(bool held) override { skips.push_back(held); }
  void skipToggled() override {}
  void autoToggled() override { ++autoToggles; }
  void readAloudToggled() override {}
  void historyShown(bool shown) override { historyToggles.push_back(shown); }
  std::vector<bool> historyToggles;
  std::vector<bool> skips;
  int autoToggles = 0;
};

void moveOver(PictureView& view, QPoint point) {
  QMouseEvent move(QEvent::MouseMove, point, view.mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&view, &move);
}

// Runs `inspect` on the message box once it is up, then answers it with `button`.
void whenTheBoxIsUp(std::function<void(QMessageBox&)> inspect, QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [inspect, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box != nullptr);
    inspect(*box);
    if (button == QMessageBox::NoButton) box->reject();
    else box->button(button)->click();
  });
}

}  // namespace

void PictureViewTest::fitsThePictureWithItsProportions_data() {
  QTest::addColumn<QSize>("area");
  QTest::addColumn<QRect>("fitted");
  QTest::newRow("its own size") << QSize(640, 480) << QRect(0, 0, 640, 480);
  QTest::newRow("a 4:3 screen") << QSize(1024, 768) << QRect(0, 0, 1024, 768);
  QTest::newRow("a wide screen") << QSize(1920, 1080) << QRect(240, 0, 1440, 1080);
  QTest::newRow("a tall area") << QSize(1024, 1024) << QRect(0, 128, 1024, 768);
  QTest::newRow("an odd width") << QSize(1367, 768) << QRect(171, 0, 1024, 768);
  QTest::newRow("nothing") << QSize(0, 0) << QRect();
}

void PictureViewTest::fitsThePictureWithItsProportions() {
  QFETCH(QSize, area);
  QFETCH(QRect, fitted);
  QCOMPARE(fittedRect(QSize(640, 480), area), fitted);
}

void PictureViewTest::showsThePictureScaledBetweenBlackBorders() {
  PictureView view(nullptr);
  view.resize(1280, 600);
  const Picture filled = filledPicture(qRgb(200, 100, 50));
  view.setPicture(filled);
  QCOMPARE(view.pictureRect(), QRect(240, 0, 800, 600));
  QImage shown = view.grab().toImage();
  QCOMPARE(shown.pixel(0, 300), qRgb(0, 0, 0));
  QCOMPARE(shown.pixel(239, 599), qRgb(0, 0, 0));
  QCOMPARE(shown.pixel(1040, 0), qRgb(0, 0, 0));
  QCOMPARE(shown.pixel(240, 0), qRgb(200, 100, 50));
  QCOMPARE(shown.pixel(1039, 599), qRgb(200, 100, 50));

  // At its own size every pixel is the picture's.
  Picture stripes(kScreenWidth, kScreenHeight);
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) stripes.row(y)[x] = (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 255);
  view.resize(640, 480);
  view.setPicture(stripes);
  QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_RGB32), view.picture());
  QCOMPARE(view.picture().constBits(), reinterpret_cast<const uchar*>(stripes.pixels()));  // wrapped, not copied
}

void PictureViewTest::mapsPointsIntoThePicture() {
  PictureView view(nullptr);
  view.resize(1280, 600);
  QCOMPARE(view.toPicture(QPoint(240, 0)), QPoint(0, 0));
  QCOMPARE(view.toPicture(QPoint(1039, 599)), QPoint(639, 479));
  QCOMPARE(view.toPicture(QPoint(640, 300)), QPoint(320, 240));
  // On a border the point lies outside the picture, never on its edge.
  QCOMPARE(view.toPicture(QPoint(239, 10)).x(), -1);
  QVERIFY(view.toPicture(QPoint(1100, 10)).x() >= 640);

  QSignalSpy moves(&view, &PictureView::pointerMoved);
  moveOver(view, QPoint(640, 300));
  QCOMPARE(moves.size(), 1);
  QCOMPARE(moves.at(0).at(0).toPoint(), QPoint(640, 300));
  QCOMPARE(moves.at(0).at(1).toPoint(), QPoint(320, 240));
}

void PictureViewTest::aClickIsALeftPressAndReleaseOnTheView() {
  PictureView view(nullptr);
  view.resize(640, 480);
  view.show();
  QSignalSpy clicks(&view, &PictureView::clicked);
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QCOMPARE(clicks.size(), 1);
  QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  QCOMPARE(clicks.size(), 1);
  QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));  // no press before it
  QCOMPARE(clicks.size(), 1);
  QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(700, 10));  // let go outside
  QCOMPARE(clicks.size(), 1);
}

void DialogMessageBoxesTest::questionsPutTheNegativeAnswerOnTheDefaultButton() {
  DialogMessageBoxes dialogs;
  MessageBoxRequest request{"ゲームを終了しますか。", "終了の確認", MessageIcon::Question,
                            MessageButtons::YesNo, MessageAnswer::No};
  whenTheBoxIsUp(
      [](QMessageBox& box) {
        QCOMPARE(box.windowTitle(), QStringLiteral("終了の確認"));
        QCOMPARE(box.text(), QStringLiteral("ゲームを終了しますか。"));
        QCOMPARE(box.icon(), QMessageBox::Question);
        QCOMPARE(box.buttons().size(), 2);
        QCOMPARE(box.defaultButton(), box.button(QMessageBox::No));
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
      },
      QMessageBox::Yes);
  QCOMPARE(dialogs.show(request), MessageAnswer::Yes);

  request = {"終了しますか？", "確認のメッセージ", MessageIcon::Question,
             MessageButtons::OkCancel, MessageAnswer::Cancel};
  whenTheBoxIsUp(
      [](QMessageBox& box) {
        QCOMPARE(box.defaultButton(), box.button(QMessageBox::Cancel));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
      },
      QMessageBox::Ok);
  QCOMPARE(dialogs.show(request), MessageAnswer::Ok);
}

void DialogMessageBoxesTest::closingAQuestionAnswersNegatively() {
  DialogMessageBoxes dialogs;
  whenTheBoxIsUp([](QMessageBox&) {}, QMessageBox::NoButton);
  QCOMPARE(dialogs.show({"セーブ 1をロードしますか。", "確認のメッセージ",
                         MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No}),
           MessageAnswer::No);
  whenTheBoxIsUp([](QMessageBox&) {}, QMessageBox::NoButton);
  QCOMPARE(dialogs.show({"終了しますか？", "確認のメッセージ", MessageIcon::Question,
                         MessageButtons::OkCancel, MessageAnswer::Cancel}),
           MessageAnswer::Cancel);
}

void DialogMessageBoxesTest::messagesShowTheirTitleTextAndIcon() {
  QWidget parent;
  DialogMessageBoxes dialogs;
  dialogs.setParent(&parent);
  whenTheBoxIsUp(
      [&parent](QMessageBox& box) {
        QCOMPARE(box.parentWidget(), &parent);
        QCOMPARE(box.windowTitle(), QStringLiteral("警告"));
        QCOMPARE(box.icon(), QMessageBox::Critical);
        QCOMPARE(box.buttons().size(), 1);
      },
      QMessageBox::Ok);
  QCOMPARE(dialogs.show({"ファイルの読みこみに失敗しました。", "警告",
                         MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok}),
           MessageAnswer::Ok);
  whenTheBoxIsUp([](QMessageBox& box) { QCOMPARE(box.icon(), QMessageBox::NoIcon); }, QMessageBox::Ok);
  dialogs.show({"プログラムにエラーがあります。(@SUB)", "b", MessageIcon::None,
                MessageButtons::Ok, MessageAnswer::Ok});
}

void GameWindowTest::hasAClientAreaOf640By480UnderItsMenuBar() {
  GameWindow window;
  window.show();
  const int barHeight = window.menus().height();
  QVERIFY(barHeight > 0);
  QCOMPARE(window.menus().geometry().topLeft(), QPoint(0, 0));
  QCOMPARE(window.view().geometry(), QRect(0, barHeight, 640, 480));
  QCOMPARE(window.size(), QSize(640, barHeight + 480));
  QCOMPARE(window.minimumSize(), window.size());  // it opens at its least size and may grow
  QCOMPARE(window.font().family(), QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(window.font().pointSize(), 9);
  window.setCaption("mystery");
  QCOMPARE(window.windowTitle(), QStringLiteral("mystery"));

  const Picture filled = filledPicture(qRgb(10, 20, 30));
  window.refresh(filled);
  QCOMPARE(window.view().picture().pixel(0, 0), qRgb(10, 20, 30));

  for (int slot = 0; slot < kChoiceButtons; ++slot) {
    auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1(%1)").arg(slot));
    QVERIFY(button != nullptr);
    QCOMPARE(button->parentWidget(), &window.view());
    QCOMPARE(button->geometry(), QRect(456, 24 + 32 * slot, 177, 25));
    QCOMPARE(button->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(button->font().pointSize(), 9);
    QVERIFY(button->isHidden());
  }
  window.choiceButtons().setCaption(3, "南へ");
  window.choiceButtons().setVisible(3, true);
  auto* fourth = window.findChild<QPushButton*>(QStringLiteral("Command1(3)"));
  QVERIFY(fourth->isVisible());
  QCOMPARE(fourth->text(), QStringLiteral("南へ"));
  window.choiceButtons().setVisible(7, true);  // no such slot: nothing happens
}

void GameWindowTest::offersEveryMenuItem() {
  GameWindow window;
  PlayerMenuBar& menus = window.menus();
  QCOMPARE(menus.actions().size(), 3);
  QCOMPARE(menus.fileMenu()->title(), QStringLiteral("システム(&S)"));
  QCOMPARE(menus.speedMenu()->title(), QStringLiteral("メッセージ速度(&S)"));
  QCOMPARE(menus.actions().at(2), menus.viewMenu()->menuAction());
  QCOMPARE(menus.viewMenu()->title(), QStringLiteral("表示(&V)"));
  QStringList viewItems;
  for (QAction* item : menus.viewMenu()->actions()) viewItems << item->text();
  QCOMPARE(viewItems, QStringList({"バックログ\tPgUp", "オート\tA", "スキップ\tCtrl", "読み上げ\tR",
                                   "全画面表示\tF11"}));
  // Their marks follow the player, as the speed's do.
  menus.setSwitchesChecked({.autoMode = true, .readAloud = false}, true);
  menus.readAloudItem()->trigger();
  QVERIFY(menus.autoItem()->isChecked());
  QVERIFY(menus.skipItem()->isChecked());
  QVERIFY(!menus.readAloudItem()->isChecked());

  QStringList fileItems;
  for (QAction* item : menus.fileMenu()->actions()) fileItems << (item->isSeparator() ? "-" : item->text());
  QCOMPARE(fileItems, QStringList({"セーブ(&S)", "ロード(&L)", "-", "終了"}));
  for (int slot = 1; slot <= kMenuSaveSlots; ++slot) {
    QString caption = QStringLiteral("セーブ") + QChar(u'０' + slot);
    QCOMPARE(menus.saveItem(slot)->text(), caption);
    QCOMPARE(menus.loadItem(slot)->text(), caption);
    QCOMPARE(menus.saveItem(slot)->objectName(), QStringLiteral("save(%1)").arg(slot));
    QCOMPARE(menus.loadItem(slot)->objectName(), QStringLiteral("load(%1)").arg(slot));
  }
  QStringList speedItems;
  for (QAction* item : menus.speedMenu()->actions()) speedItems << item->text();
  QCOMPARE(speedItems, QStringList({"ウエイト無し", "速い", "普通", "遅い"}));
  QVERIFY(menus.speedItem(Speed::Normal)->isChecked());

  // Only the player moves the check mark, exactly one at a time.
  menus.setSpeedChecked(Speed::Slow);
  for (Speed speed : {Speed::NoWait, Speed::Quick, Speed::Normal, Speed::Slow})
    QCOMPARE(menus.speedItem(speed)->isChecked(), speed == Speed::Slow);
  menus.speedItem(Speed::Quick)->trigger();
  QVERIFY(!menus.speedItem(Speed::Quick)->isChecked());
  QVERIFY(menus.speedItem(Speed::Slow)->isChecked());

  // Outside a choice: no saving, loading or speed, but the system menu and its end.
  menus.setChoiceMenusEnabled(false);
  QVERIFY(!window.findChild<QAction*>("file_save")->isEnabled());
  QVERIFY(!window.findChild<QAction*>("file_load")->isEnabled());
  QVERIFY(!menus.speedMenu()->menuAction()->isEnabled());
  QVERIFY(menus.fileMenu()->menuAction()->isEnabled());
  QVERIFY(menus.endItem()->isEnabled());
  menus.setChoiceMenusEnabled(true);
  QVERIFY(window.findChild<QAction*>("file_save")->isEnabled());
  QVERIFY(menus.speedMenu()->menuAction()->isEnabled());

  menus.setLoadItemEnabled(4, false);
  QVERIFY(!menus.loadItem(4)->isEnabled());
  QVERIFY(menus.loadItem(3)->isEnabled());
  menus.setLoadItemEnabled(0, false);  // no such item
  menus.setLoadItemEnabled(6, false);
}

void GameWindowTest::turnsClicksKeysAndMenusIntoInput() {
  GameWindow window;
  RecordedInput input;
  window.attach(input);
  window.show();

  QTest::mouseClick(&window.view(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  QCOMPARE(input.clicks, 1);
  window.choiceButtons().setCaption(2, "東へ");
  window.choiceButtons().setVisible(2, true);
  auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1(2)"));
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(input.buttons, std::vector<int>{2});
  QCOMPARE(input.clicks, 1);  // a button click is not a click on the picture

  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_Escape);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Escape);
  QCOMPARE(input.keys, std::vector<int>({kEscapeKey, kEscapeKey}));
  QCOMPARE(input.buttons.size(), 1u);

  window.menus().saveItem(2)->trigger();
  window.menus().loadItem(5)->trigger();
  window.menus().speedItem(Speed::NoWait)->trigger();
  window.menus().endItem()->trigger();
  QCOMPARE(input.saves, std::vector<int>{2});
  QCOMPARE(input.loads, std::vector<int>{5});
  QCOMPARE(input.speeds, std::vector<Speed>{Speed::NoWait});
  QCOMPARE(input.ends, 1);

  moveOver(window.view(), QPoint(30, 40));
  QCOMPARE(input.pointer, std::vector<QPoint>{QPoint(30, 40)});

  // The keys of the picture, also while a choice button has the focus; Enter and
  // Space on a focused button press it.
  input.keys.clear();
  window.view().setFocus();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Right, Qt::Key_1, Qt::Key_5, Qt::Key_Up, Qt::Key_Down,
                      Qt::Key_6, Qt::Key_Left}) {
    QTest::keyClick(&window.view(), key);
  }
  QCOMPARE(input.keys, std::vector<int>({kEnterKey, kSpaceKey, kRightKey, kDigitOneKey, kDigitOneKey + 4, kUpKey,
                                         kDownKey}));
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Return);
  QTest::keyClick(button, Qt::Key_Space);
  QTest::keyClick(button, Qt::Key_2);
  QCOMPARE(input.buttons, std::vector<int>({2, 2, 2}));
  QCOMPARE(input.keys.back(), kDigitOneKey + 1);
  QTest::keyPress(button, Qt::Key_Control);
  QTest::keyRelease(button, Qt::Key_Control);
  QTest::keyClick(button, Qt::Key_A);
  QCOMPARE(input.skips, std::vector<bool>({true, false}));
  QCOMPARE(input.autoToggles, 1);

  // Another window taking the activation lets skip go, as its Ctrl release never
  // comes here; Ctrl is the window's also over the menu bar.
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTest::keyPress(&window.menus(), Qt::Key_Control);
  QWidget other;
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QCOMPARE(input.skips, std::vector<bool>({true, false, true, false}));
}

void GameWindowTest::growsThePictureByWholeMultiplesWhereTheyFit() {
  GameWindow window;
  RecordedInput input;
  window.attach(input);
  window.show();
  const int bar = window.menus().height();
  const struct {
    QSize client;
    QRect picture;
  } cases[] = {
      {{640, 480}, {0, 0, 640, 480}},
      {{1000, 700}, {180, 110, 640, 480}},
      {{1400, 1000}, {60, 20, 1280, 960}},
      {{2000, 1500}, {40, 30, 1920, 1440}},
  };
  for (const auto& c : cases) {
    window.resize(c.client.width(), c.client.height() + bar);
    QCOMPARE(window.view().geometry(), QRect(QPoint(0, bar), c.client));
    QCOMPARE(window.view().pictureRect(), c.picture);
    const int times = c.picture.width() / 640;
    auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1(1)"));
    QCOMPARE(button->geometry(), QRect(c.picture.x() + 456 * times, c.picture.y() + 56 * times, 177 * times, 25 * times));
  }
  QCOMPARE(wholeMultipleRect(QSize(640, 480), QSize(320, 480)), QRect(0, 120, 320, 240));  // smaller: fitted

  QTest::keyClick(&window.view(), Qt::Key_F11);
  QVERIFY(window.isFullScreen());
  QVERIFY(window.menus().fullScreenItem()->isChecked());
  QTest::keyClick(&window.view(), Qt::Key_Return, Qt::AltModifier);
  QVERIFY(!window.isFullScreen());
}

void GameWindowTest::theHistoryOpensOverThePictureScrollsAndCloses() {
  GameWindow window;
  RecordedInput input;
  window.attach(input);
  MessageHistory history;
  for (int i = 1; i <= 60; ++i) {
    history.addMessage("message " + std::to_string(i));
    if (i % 10 == 0) history.addChoice("choice " + std::to_string(i));
  }
  window.showHistoryOf(history);
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  HistoryView& view = window.historyView();
  auto wheel = [](QWidget* widget, int steps) {
    QWheelEvent event(QPointF(50, 50), widget->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120 * steps),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
  };
  wheel(&window.view(), 1);
  QVERIFY(view.isVisible());
  QCOMPARE(view.geometry(), window.view().pictureRect());
  const int end = view.firstShown();
  QVERIFY(end > 0 && end < 66);
  wheel(&view, 3);
  QCOMPARE(view.firstShown(), end - 3);
  QTest::keyClick(&view, Qt::Key_PageDown);
  QCOMPARE(view.firstShown(), end);
  wheel(&view, -1);  // past the end
  QVERIFY(!view.isVisible());

  QTest::keyClick(&window.view(), Qt::Key_PageUp);
  QVERIFY(view.isVisible());
  QTest::keyClick(&view, Qt::Key_Escape);
  QVERIFY(!view.isVisible());
  QCOMPARE(input.keys, std::vector<int>{});  // Esc over the history asks nothing
  window.menus().historyItem()->trigger();
  QTest::mouseClick(&view, Qt::LeftButton);
  QVERIFY(!view.isVisible());
  QCOMPARE(input.historyToggles, std::vector<bool>({true, false, true, false, true, false}));
}

void GameWindowTest::screenReadersReadTheMessageAndTheChoiceLines() {
  GameWindow window;
  window.show();
  window.describe("月が綺麗ですね。", {"はい", "", "いいえ"});
  QCOMPARE(window.view().accessibleName(), QStringLiteral("月が綺麗ですね。"));
  QCOMPARE(window.view().accessibleDescription(), QStringLiteral("月が綺麗ですね。\nはい\nいいえ"));

  window.showChoiceLines({{0, "はい", 290, 29}, {2, "いいえ", 348, 29}}, 2);
  const auto& items = window.choiceLines().items();
  QCOMPARE(items.size(), 2u);
  QStringList names;
  for (ChoiceLineItem* item : items) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(item);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), QAccessible::ListItem);
    QVERIFY(accessible->state().selectable);
    QCOMPARE(accessible->state().selected, item->line().slot == 2);
    names << accessible->text(QAccessible::Name);
  }
  QCOMPARE(names, QStringList({"はい", "いいえ"}));
  QCOMPARE(items[1]->geometry(), QRect(0, 348, 640, 29));
  window.showChoiceLines({}, -1);
  QVERIFY(window.choiceLines().items().empty());
}

void GameWindowTest::asksBeforeClosingUntilTheRunHasEnded() {
  GameWindow window;
  RecordedInput input;
  window.attach(input);
  window.show();
  QVERIFY(!window.close());
  QCOMPARE(input.closeRequests, 1);
  QVERIFY(window.isVisible());
  window.allowClosing();
  QVERIFY(window.close());
  QCOMPARE(input.closeRequests, 1);
  QVERIFY(!window.isVisible());
}

void GameWindowTest::novelModeShowsTheMenuBarAtTheTopEdgeOnly() {
  GameWindow window;
  RecordedInput input;
  window.attach(input);
  window.show();

  // In a window the bar is always there, whatever the pointer does.
  moveOver(window.view(), QPoint(300, 2));
  moveOver(window.view(), QPoint(300, 200));
  QVERIFY(window.menus().isVisible());

  window.enterNovelMode();
  QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  window.showFullScreen();  // what the display library does next
  QVERIFY(!window.menus().isVisible());
  QCOMPARE(window.view().geometry(), window.rect());
  const QRect pictureOnScreen(window.view().mapToGlobal(window.view().pictureRect().topLeft()),
                              window.view().pictureRect().size());
  const QPoint above(window.width() / 2, kMenuBarTriggerHeight - 1);
  const QPoint below(window.width() / 2, window.height() / 2);

  moveOver(window.view(), QPoint(300, kMenuBarTriggerHeight));
  QVERIFY(!window.menuBarShown());
  moveOver(window.view(), above);
  QVERIFY(window.menuBarShown());
  QVERIFY(window.menus().isVisible());
  QCOMPARE(window.menus().geometry().topLeft(), QPoint(0, 0));
  QCOMPARE(window.menus().width(), window.width());
  // The bar lies over the picture: nothing under it moves.
  QCOMPARE(window.view().geometry(), window.rect());
  QCOMPARE(QRect(window.view().mapToGlobal(window.view().pictureRect().topLeft()), window.view().pictureRect().size()),
           pictureOnScreen);
  moveOver(window.view(), QPoint(300, window.menus().height() - 1));  // still on the bar's rows
  QVERIFY(window.menuBarShown());
  moveOver(window.view(), below);
  QVERIFY(!window.menuBarShown());
  QVERIFY(!window.menus().isVisible());

  // Not while a message is typed; and typing puts a shown bar away.
  moveOver(window.view(), above);
  QVERIFY(window.menuBarShown());
  window.setTyping(true);
  QVERIFY(!window.menuBarShown());
  moveOver(window.view(), above);
  QVERIFY(!window.menuBarShown());
  window.setTyping(false);
  moveOver(window.view(), above);
  QVERIFY(window.menuBarShown());
  // Every move also reached the engine, in the picture's own pixels.
  QCOMPARE(input.pointer.size(), 9u);
  QCOMPARE(input.pointer.back(), window.view().toPicture(above));
}

}  // namespace pryx::player::testing

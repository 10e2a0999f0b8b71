// PRYXPlayer as users meet it: the real window started on small games in temporary
// folders, its questions answered by the test, its music written down.

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "player/messages.h"
#include "player/player.h"
#include "window_test_classes.h"
#include "window_test_support.h"

namespace pryx::player::testing {
namespace {

const std::string kHeader = "@VERSION,1,5\n@WAIT,0\n@GAMEMODE,1\n";

// Three ways from the first page; each leads to a page with a single button that ends.
const std::string kThreeWays = kHeader +
                               "@DEF,PARAM,way\n"
                               "#,ask\n@TEXT,{\nどうする？\n}\n"
                               "@BTN,1,北へ,{\n@,way,=,1\n@JMP,north\n}\n"
                               "@BTN,2,南へ,{\n@,way,=,2\n@JMP,south\n}\n"
                               "@BTN,3,東へ,{\n@,way,=,3\n@JMP,east\n}\n@EVTWAIT\n"
                               "#,north\n@TEXT,{\n北\n}\n@BTN,1,終わり,{\n@END\n}\n@EVTWAIT\n"
                               "#,south\n@TEXT,{\n南\n}\n@BTN,1,終わり,{\n@END\n}\n@EVTWAIT\n"
                               "#,east\n@TEXT,{\n東\n}\n@BTN,1,終わり,{\n@END\n}\n@EVTWAIT\n";

QPushButton* choiceButton(WindowRun& run, int slot) {
  return run.window().findChild<QPushButton*>(QStringLiteral("Command1(%1)").arg(slot));
}

bool itemEnabled(WindowRun& run, const char* name) {
  auto* item = run.window().findChild<QAction*>(QLatin1String(name));
  return item != nullptr && item->isEnabled();
}

void compareRequest(const MessageBoxRequest& request, const char* text, const char* title, MessageIcon icon,
                    MessageButtons buttons, MessageAnswer defaultAnswer) {
  QCOMPARE(request.text, std::string(text));
  QCOMPARE(request.title, std::string(title));
  QCOMPARE(request.icon, icon);
  QCOMPARE(request.buttons, buttons);
  QCOMPARE(request.defaultAnswer, defaultAnswer);
}

}  // namespace

void PlayerProgramTest::findsItsGameByItsNameAndEnablesTheSavesThatExist() {
  GameFolder folder(kThreeWays, "b");
  const QByteArray emptySave(6, '\0');
  folder.write("b2.SAV", emptySave);
  folder.write("b5.SAV", emptySave);
  folder.write("PRYXPlayer1.SAV", emptySave);  // another name's saves count for nothing
  WindowRun run(folder);
  bool checked = false;
  run.atWait(WaitKind::Choice, [&](WindowRun& r) {
    QCOMPARE(r.window().windowTitle(), QStringLiteral("b"));
    QCOMPARE(r.texts, std::vector<QString>{QStringLiteral("どうする？")});
    // Screen readers find the message on the picture, and the choices after it.
    QCOMPARE(r.window().view().accessibleName(), QStringLiteral("どうする？"));
    QCOMPARE(r.window().view().accessibleDescription(), QStringLiteral("どうする？\n北へ\n南へ\n東へ"));
    for (int slot = 1; slot <= kMenuSaveSlots; ++slot) {
      QCOMPARE(r.window().menus().loadItem(slot)->isEnabled(), slot == 2 || slot == 5);
    }
    QVERIFY(itemEnabled(r, "file_save"));
    QVERIFY(itemEnabled(r, "file_load"));
    QVERIFY(r.window().menus().speedMenu()->menuAction()->isEnabled());
    checked = true;
    r.clickButton(0);
  });
  QCOMPARE(run.run(), 0);
  QVERIFY(checked);
  QCOMPARE(run.program().endReason(), EndReason::End);
  QCOMPARE(run.labels, std::vector<int>({1, 2}));
  QVERIFY(!run.window().isVisible());
  QVERIFY(!run.timedOut());
}

void PlayerProgramTest::offersChoicesOnButtonsAndContinuesAtTheChosenPage() {
  GameFolder folder(kThreeWays);
  WindowRun run(folder);
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    const QStringList captions{"北へ", "南へ", "東へ"};
    for (int slot = 0; slot < kChoiceButtons; ++slot) {
      QPushButton* button = choiceButton(r, slot);
      QCOMPARE(button->isVisible(), slot < 3);
      QCOMPARE(button->text(), slot < 3 ? captions[slot] : QString());
      QCOMPARE(button->geometry(), QRect(456, 24 + 32 * slot, 177, 25));
    }
    // The picture under the buttons is the engine's, shown as it is.
    const Picture& engine = r.player().screen().picture();
    QCOMPARE(r.window().view().picture().constBits(), reinterpret_cast<const uchar*>(engine.pixels()));
    r.clickPicture();  // not a choice
    QTimer::singleShot(50, [&r] { r.clickButton(1); });
  });
  run.atWait(WaitKind::SingleButton, [](WindowRun& r) {
    for (int slot = 0; slot < 3; ++slot) QVERIFY(!choiceButton(r, slot)->isVisible());
    QCOMPARE(r.texts.back(), QStringLiteral("南"));
    r.clickPicture();
  });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.labels, std::vector<int>({1, 3}));
  QCOMPARE(run.player().state().variables[1], 2);
  QCOMPARE(run.waitsLeftUnanswered(), 0);
}

void PlayerProgramTest::escapeThenCancelReturnsToTheGame() {
  GameFolder folder(kThreeWays);
  WindowRun run(folder);
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    r.dialogs.queue(MessageAnswer::Cancel);
    r.pressEscape();
    QCOMPARE(r.dialogs.shown().size(), 1u);
    compareRequest(r.dialogs.shown()[0], text::kCloseQuestion, text::kConfirmTitle, MessageIcon::Question,
                   MessageButtons::OkCancel, MessageAnswer::Cancel);
    // Esc on a focused button asks as well.
    r.dialogs.queue(MessageAnswer::Cancel);
    choiceButton(r, 2)->setFocus();
    QTest::keyClick(choiceButton(r, 2), Qt::Key_Escape);
    QCOMPARE(r.dialogs.shown().size(), 2u);
    QTimer::singleShot(50, [&r] {
      QVERIFY(r.window().isVisible());
      QVERIFY(choiceButton(r, 2)->isVisible());
      r.clickButton(2);
    });
  });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.program().endReason(), EndReason::End);
  QCOMPARE(run.labels, std::vector<int>({1, 4}));
}

void PlayerProgramTest::escapeThenOkEndsTheGame() {
  GameFolder folder(kThreeWays);
  WindowRun run(folder);
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    r.dialogs.queue(MessageAnswer::Ok);
    r.pressEscape();
  });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.program().endReason(), EndReason::Closed);
  QCOMPARE(run.labels, std::vector<int>{1});
  QVERIFY(!run.window().isVisible());
}

void PlayerProgramTest::theCloseBoxAndTheEndItemAsk() {
  GameFolder folder(kThreeWays);
  WindowRun run(folder);
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    r.dialogs.queue(MessageAnswer::Cancel);
    QVERIFY(!r.window().close());
    QVERIFY(r.window().isVisible());
    r.dialogs.queue(MessageAnswer::No);
    QVERIFY(r.trigger("file_end"));
    QTimer::singleShot(50, [&r] {
      QVERIFY(r.window().isVisible());
      r.dialogs.queue(MessageAnswer::Yes);
      QVERIFY(r.trigger("file_end"));
    });
  });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.program().endReason(), EndReason::Closed);
  const auto& shown = run.dialogs.shown();
  QCOMPARE(shown.size(), 3u);
  compareRequest(shown[0], text::kCloseQuestion, text::kConfirmTitle, MessageIcon::Question, MessageButtons::OkCancel,
                 MessageAnswer::Cancel);
  compareRequest(shown[1], text::kEndQuestion, text::kEndConfirmTitle, MessageIcon::Question, MessageButtons::YesNo,
                 MessageAnswer::No);
  compareRequest(shown[2], text::kEndQuestion, text::kEndConfirmTitle, MessageIcon::Question, MessageButtons::YesNo,
                 MessageAnswer::No);
}

void PlayerProgramTest::menuSaveThenLoadReplaysThePage() {
  GameFolder folder(kHeader +
                    "@DEF,PARAM,count\n"
                    "#,first\n@,count,+,1\n@TEXT,{\n一\n}\n"
                    "@BTN,1,先へ,{\n@JMP,second\n}\n@BTN,2,もう一度,{\n@JMP,first\n}\n@EVTWAIT\n"
                    "#,second\n@,count,+,10\n@TEXT,{\n二\n}\n"
                    "@BTN,1,終わり,{\n@END\n}\n@BTN,2,終わり,{\n@END\n}\n@EVTWAIT\n");
  WindowRun run(folder);
  run.atWait(WaitKind::Choice, [&folder](WindowRun& r) {
    QVERIFY(!r.window().menus().loadItem(3)->isEnabled());
    r.dialogs.queue(MessageAnswer::Yes);
    QVERIFY(r.trigger("save(3)"));
    QVERIFY(folder.exists("b3.SAV"));
    QVERIFY(r.window().menus().loadItem(3)->isEnabled());
    r.clickButton(0);
  });
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    QCOMPARE(r.player().state().variables[1], 11);
    r.dialogs.queue(MessageAnswer::Yes);
    QVERIFY(r.trigger("load(3)"));
  });
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    // The saved page again, its own additions skipped.
    QCOMPARE(r.labels, std::vector<int>({1, 2, 1}));
    QCOMPARE(r.player().state().variables[1], 1);
    r.clickButton(0);
  });
  run.atWait(WaitKind::Choice, [](WindowRun& r) { r.clickButton(1); });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.program().endReason(), EndReason::End);
  QCOMPARE(run.labels, std::vector<int>({1, 2, 1, 2}));
  QCOMPARE(run.player().state().variables[1], 11);
  QCOMPARE(run.dialogs.texts(), QStringList({"セーブ 3にデータを保存しますか。", "セーブしました",
                                             "セーブ 3をロードしますか。", "ロードしました"}));
  compareRequest(run.dialogs.shown()[0], "セーブ 3にデータを保存しますか。", text::kConfirmTitle,
                 MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No);
  QCOMPARE(run.dialogs.shown()[1].icon, MessageIcon::Information);
}

void PlayerProgramTest::speedItemsChangeTheTyping() {
  GameFolder folder(
      "@VERSION,1,5\n@WAIT,40\n@GAMEMODE,1\n"
      "#,a\n@TEXT,{\n一\n二\n三\n四\n五\n六\n七\n}\n@BTN,1,次,{\n@JMP,b\n}\n@BTN,2,次,{\n@JMP,b\n}\n@EVTWAIT\n"
      "#,b\n@WAIT,30\n@TEXT,{\nあ\n}\n@BTN,1,次,{\n@END\n}\n@BTN,2,次,{\n@END\n}\n@EVTWAIT\n");
  WindowRun run(folder);
  run.atWait(WaitKind::PagePrompt, [](WindowRun& r) {
    // While a message is typed the speed cannot change.
    QVERIFY(!r.trigger("speed_quick"));
    QCOMPARE(r.player().state().messageWait, 40);
    r.clickPicture();
  });
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    QVERIFY(r.window().menus().speedItem(Speed::Normal)->isChecked());
    QVERIFY(r.trigger("speed_quick"));
    QCOMPARE(r.player().state().messageWait, 20);
    QVERIFY(r.window().menus().speedItem(Speed::Quick)->isChecked());
    QVERIFY(!r.window().menus().speedItem(Speed::Normal)->isChecked());
    r.clickButton(0);
  });
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    // The next page's wait keeps the chosen speed.
    QCOMPARE(r.player().state().baseWait, 30);
    QCOMPARE(r.player().state().messageWait, 15);
    QVERIFY(r.window().menus().speedItem(Speed::Quick)->isChecked());
    QVERIFY(r.trigger("speed_low"));
    QCOMPARE(r.player().state().messageWait, 45);
    QVERIFY(r.trigger("speed_nowait"));
    QCOMPARE(r.player().state().messageWait, 0);
    QVERIFY(r.window().menus().speedItem(Speed::NoWait)->isChecked());
    QVERIFY(!r.window().menus().speedItem(Speed::Slow)->isChecked());
    r.clickButton(0);
  });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.waitsLeftUnanswered(), 0);
}

void PlayerProgramTest::novelModeGoesFramelessFullScreen() {
  GameFolder folder(
      "@VERSION,1,5\n@WAIT,0\n@GAMEMODE,2\n"
      "#,a\n@TEXT,{\n月がきれい\n}\n@BTN,1,はい,{\n@JMP,b\n}\n@BTN,2,いいえ,{\n@END\n}\n@EVTWAIT\n"
      "#,b\n@END\n");
  WindowRun run(folder);
  bool triedWhileTyping = false;
  run.whileTyping([&triedWhileTyping](WindowRun& r) {
    QVERIFY(r.player().state().typing);
    r.movePointer(QPoint(100, 2));
    QVERIFY(!r.window().menuBarShown());
    triedWhileTyping = true;
  });
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    GameWindow& window = r.window();
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.isFullScreen());
    QCOMPARE(window.geometry(), window.screen()->geometry());
    QCOMPARE(window.windowTitle(), QString());
    QVERIFY(!window.menus().isVisible());
    QCOMPARE(window.view().geometry(), window.rect());
    QCOMPARE(window.view().pictureRect(), fittedRect(QSize(640, 480), window.size()));

    const int barHeight = window.menus().sizeHint().height();
    const QRect underTheBar(0, barHeight, window.width(), window.height() - barHeight);
    const QImage before = window.grab(underTheBar).toImage();
    r.movePointer(QPoint(200, 3));
    QVERIFY(window.menus().isVisible());
    QCOMPARE(window.menus().y(), 0);
    QCOMPARE(window.grab(underTheBar).toImage(), before);  // the picture has not moved
    r.movePointer(QPoint(200, 300));
    QVERIFY(!window.menus().isVisible());

    // Screen readers find the two lines as list items, over their rows.
    const auto& lines = window.choiceLines().items();
    QCOMPARE(lines.size(), 2u);
    QCOMPARE(lines[0]->accessibleName(), QStringLiteral("はい"));
    QCOMPARE(lines[1]->accessibleName(), QStringLiteral("いいえ"));
    QCOMPARE(lines[0]->line().top, 29 * 2);

    // The first choice lies on the text row after the message's line and the empty one.
    const QPoint choice(100, 29 * 2 + 10);
    QRect shown = window.view().pictureRect();
    r.movePointer(QPoint(shown.x() + choice.x() * shown.width() / 640, shown.y() + choice.y() * shown.height() / 480));
    r.keepClickingPicture(choice);
  });
  QCOMPARE(run.run(), 0);
  QVERIFY(triedWhileTyping);
  QVERIFY(run.window().choiceLines().items().empty());
  QCOMPARE(run.labels, std::vector<int>({1, 2}));
  QCOMPARE(run.program().endReason(), EndReason::End);
}

void PlayerProgramTest::restartsTheMusicWhenItHasPlayedItsLength() {
  GameFolder folder(kHeader + "@DEF,BGM,曲,kyoku.MID\n#,a\n@BGM,曲\n@TEXT,{\n♪\n}\n"
                              "@BTN,1,止める,{\n@END\n}\n@BTN,2,止める,{\n@END\n}\n@EVTWAIT\n");
  folder.write("kyoku.MID", "MThd");
  WindowRun run(folder);
  run.music.length = 200;
  run.atWait(WaitKind::Choice, [](WindowRun& r) {
    // The timer looks every half second: by 1.5 s the piece has started again at least once.
    QTimer::singleShot(1500, [&r] {
      QVERIFY(r.music.plays >= 2);
      QCOMPARE(r.music.rewinds, r.music.plays - 1);
      r.clickButton(0);
    });
  });
  QCOMPARE(run.run(), 0);
  QCOMPARE(run.music.opened.size(), 1u);
  QVERIFY(QString::fromStdString(run.music.opened[0]).endsWith("/kyoku.MID"));
}

void PlayerProgramTest::showsTheLoadFailure_data() {
  QTest::addColumn<QByteArray>("gameFile");
  QTest::addColumn<QString>("fileName");
  QTest::newRow("missing") << QByteArray() << QString();
  QTest::newRow("other letters") << QByteArray("PRYZ and more bytes after them") << QString("b.PRY");
  QTest::newRow("shorter than the magic") << QByteArray("PRY") << QString("b.PRY");
  QTest::newRow("a game under another name") << QByteArray() << QString("c.PRY");
}

void PlayerProgramTest::showsTheLoadFailure() {
  QFETCH(QByteArray, gameFile);
  QFETCH(QString, fileName);
  QTemporaryDir dir;
  if (!fileName.isEmpty()) {
    QFile file(dir.filePath(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(gameFile.isEmpty() ? QByteArray("PRYX") + QByteArray(64, '\0') : gameFile);
  }
  AnsweringDialogs dialogs;
  NotedSequencer music;
  PlayerProgram program({dir.filePath("b").toStdString(), &dialogs, &music, nullptr, nullptr, {}});
  QCOMPARE(program.run(), 1);
  QCOMPARE(dialogs.shown().size(), 1u);
  compareRequest(dialogs.shown()[0], text::kLoadFailed, text::kWarningTitle, MessageIcon::Critical,
                 MessageButtons::Ok, MessageAnswer::Ok);
  QVERIFY(program.window() == nullptr);
}

void PlayerProgramTest::endsInOrderWithoutItsDisplayLibrary_data() {
  QTest::addColumn<QByteArray>("library");
  QTest::addColumn<QString>("problem");
  QTest::addColumn<QString>("mode");
  QTest::newRow("missing, normal mode") << QByteArray() << "が見つかりません。" << "1";
  QTest::newRow("missing, novel mode") << QByteArray() << "が見つかりません。" << "2";
  QTest::newRow("not a library") << QByteArray("not a shared library") << "が壊れています。" << "1";
}

void PlayerProgramTest::endsInOrderWithoutItsDisplayLibrary() {
  QFETCH(QByteArray, library);
  QFETCH(QString, problem);
  QFETCH(QString, mode);
  GameFolder folder("@VERSION,1,5\n@WAIT,0\n@GAMEMODE," + mode.toStdString() +
                        "\n@DEF,CG,夜,yoru.BMP\n#,a\n@CG,夜\n@TEXT,{\n夜\n}\n"
                        "@BTN,1,次,{\n@END\n}\n@BTN,2,次,{\n@END\n}\n@EVTWAIT\n",
                    "b", false);
  if (!library.isEmpty()) folder.write("libZORVEX.so", library);
  WindowRun run(folder);
  QCOMPARE(run.run(), 1);
  QCOMPARE(run.program().endReason(), EndReason::Error);
  QCOMPARE(run.dialogs.shown().size(), 1u);
  QCOMPARE(QString::fromStdString(run.dialogs.shown()[0].text), QStringLiteral("表示ライブラリ libZORVEX.so ") + problem);
  QCOMPARE(run.dialogs.shown()[0].title, std::string("警告"));
  QCOMPARE(run.dialogs.shown()[0].icon, MessageIcon::Critical);
  QCOMPARE(run.waitsLeftUnanswered(), 0);
  QVERIFY(!run.timedOut());
}

void PlayerProgramTest::theProgramFindsItsGameBesideItselfFromAnyFolder() {
  GameFolder folder("@VERSION,1,5\n@GAMEMODE,1\n@DEF,PARAM,x\n#,a\n@,x,=,7\n@SAVE,7\n@END\n", "b");
  QVERIFY(QFile::copy(QStringLiteral(PRYX_PLAYER_PROGRAM), QString::fromStdString(folder.executablePath())));
  QTemporaryDir elsewhere;
  QProcess player;
  player.setWorkingDirectory(elsewhere.path());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  player.setProcessEnvironment(environment);
  player.start(QString::fromStdString(folder.executablePath()), {});
  QVERIFY(player.waitForFinished(60000));
  QCOMPARE(player.exitStatus(), QProcess::NormalExit);
  QCOMPARE(player.exitCode(), 0);
  // The silent save went beside the program, under its name.
  QFile save(QString::fromStdString(folder.path("b7.SAV")));
  QVERIFY(save.open(QIODevice::ReadOnly));
  QByteArray saved = save.readAll();
  QCOMPARE(saved.size(), 10);
  QCOMPARE(saved.first(2).toHex(), QByteArray("0100"));     // one variable
  QCOMPARE(saved.last(4).toHex(), QByteArray("07000000"));  // holding 7
  QVERIFY(QDir(elsewhere.path()).isEmpty());
}

}  // namespace pryx::player::testing

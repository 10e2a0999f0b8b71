// PRYXPlayer's window and the editor's stage on a real X display (Xvfb): the pixels
// the X server holds are the engine's, with nothing converted, blended or shifted on
// the way. Off screen, Qt would only show the test its own buffers.

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <fstream>
#include <sstream>

#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "player/player.h"
#include "player/screen/screen.h"
#include "project/project.h"
#include "tests/support/png_pixels.h"
#include "tests/support/scripted_dialogs.h"
#include "window_test_classes.h"
#include "window_test_support.h"

namespace pryx::player::testing {
namespace {

const std::string kSamples = PRYX_SOURCE_DIR "/samples/tsukiyo/";

// The hash recorded for the first frame of `source` along `route` whose wait is a choice.
std::string recordedChoiceFrame(const std::string& source, const std::string& route) {
  std::ifstream recorded(PRYX_SOURCE_DIR "/tests/data/sample-frames.txt");
  for (std::string s, r, frame, hash; recorded >> s >> r >> frame >> hash;) {
    if (s == source && r == route && frame.ends_with("-choice.png")) return hash;
  }
  return {};
}

// The picture `view` shows, as the X server holds it.
QImage shownOnScreen(const PictureView& view) {
  const QRect shown = view.pictureRect();
  const QPoint origin = view.mapToGlobal(shown.topLeft());
  return view.screen()->grabWindow(0, origin.x(), origin.y(), shown.width(), shown.height()).toImage().convertToFormat(
      QImage::Format_RGB32);
}

// The picture `view` shows, as the view paints it (its child widgets too).
QImage paintedByView(PictureView& view) {
  return view.grab(view.pictureRect()).toImage().convertToFormat(QImage::Format_RGB32);
}

// The frame's pixels as the recorded hashes take them: B, G, R, 255 from the top.
pryx::testing::PngPixels pixelsOf(const QImage& image, const std::vector<QRect>& covered) {
  pryx::testing::PngPixels pixels{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb rgb = image.pixel(x, y);
      for (const QRect& rect : covered) {
        if (rect.contains(x, y)) rgb = 0xFF000000;  // under a push button: the screen cannot show it
      }
      pixels.bgra.insert(pixels.bgra.end(), {static_cast<std::uint8_t>(qBlue(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                                             static_cast<std::uint8_t>(qRed(rgb)), 255});
    }
  }
  return pixels;
}

}  // namespace

void RealDisplayTest::initTestCase() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X display (CTest runs it under Xvfb)");
  // Away from the choice lines and the edge that brings up novel mode's menu bar.
  QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
}

void RealDisplayTest::thePlayerShowsTheRecordedFrame_data() {
  QTest::addColumn<QString>("source");
  QTest::newRow("normal mode") << "tsukiyo.PXJ";
  QTest::newRow("novel mode, full screen") << "tsukiyo_novel.PXJ";
}

void RealDisplayTest::thePlayerShowsTheRecordedFrame() {
  QFETCH(QString, source);
  const std::string recorded = recordedChoiceFrame(source.toStdString(), "1,1,1,1");
  QVERIFY(!recorded.empty());
  auto folder = GameFolder::builtFrom(kSamples + source.toStdString(), "tsukiyo");
  QVERIFY(folder);
  WindowRun run(*folder);
  bool checked = false;
  run.atWait(WaitKind::Choice, [&](WindowRun& r) {
    const Picture& engine = r.player().screen().picture();
    const QImage engineFrame(reinterpret_cast<const uchar*>(engine.pixels()), engine.width(), engine.height(),
                             engine.bytesPerLine(), QImage::Format_RGB32);
    QCOMPARE(pryx::testing::pixelHash(pixelsOf(engineFrame, {})), recorded);
    PictureView& view = r.window().view();
    // The X server shows what it is sent once it gets to it.
    QTRY_COMPARE_WITH_TIMEOUT(shownOnScreen(view), paintedByView(view), 5000);
    if (view.pictureRect().size() == engineFrame.size()) {
      // Unscaled, the screen holds the engine's own pixels, but where the buttons lie.
      std::vector<QRect> covered;
      for (auto* button : r.window().findChildren<QPushButton*>()) {
        if (button->isVisible()) covered.push_back(QRect(view.mapFrom(button->parentWidget(), button->pos()), button->size()));
      }
      QCOMPARE(pixelsOf(shownOnScreen(view), covered).bgra, pixelsOf(engineFrame, covered).bgra);
    }
    checked = true;
    r.player().endRequested(EndReason::NoMoreInput);
  });
  run.run();
  QVERIFY(checked);
  QVERIFY(!run.timedOut());
}

void RealDisplayTest::theStageShowsEachPagesCgStretched() {
  pryx::testing::ScriptedDialogs dialogs;
  NotedSequencer music;
  editor::EditorFrame frame{{&dialogs, &music, QFileInfo(PRYX_ZORVEX_LIBRARY).absolutePath().toStdString()}};
  frame.show();
  const std::string projectPath = kSamples + "tsukiyo.PXK";
  QVERIFY(frame.files().openPath(projectPath));
  const project::Project& project = frame.files().document()->project();
  frame.mainWindow()->raise();  // the other windows may lie over part of it
  auto& stage = *frame.mainWindow()->findChild<PictureView*>("BGCG");
  int pagesWithCg = 0;
  for (int page = 1; page <= project.pages.count(); ++page) {
    const std::int64_t cg = project.pages[page].backgroundCg.value();
    if (!project.cgs.contains(cg)) continue;
    ++pagesWithCg;
    frame.state().setCurrentPage(page);
    // Qt's own decoder and nearest-neighbour stretch: a reference made without the engine.
    const QImage file(QString::fromStdString(project::resourceFilePath(projectPath, project.cgs[cg].path)));
    QCOMPARE(stage.picture(), file.convertToFormat(QImage::Format_RGB32)
                                  .scaled(kScreenWidth, kScreenHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    QTRY_COMPARE_WITH_TIMEOUT(shownOnScreen(stage), paintedByView(stage), 5000);
  }
  QVERIFY(pagesWithCg > 1);
}

}  // namespace pryx::player::testing

// The page options dialog on its own, off screen.

#include "window_test_classes.h"

#include "editor_window_helpers.h"

#include "editor/colour_sample.h"
#include "editor/page_options_dialog.h"
#include "tests/support/scripted_dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

namespace pryx::player::testing {
namespace {

project::PageOptions options(std::int16_t speed, bool speedOn, std::int32_t text, std::int32_t shadow, bool quick,
                             std::int16_t save, std::int16_t load) {
  return {speed, speedOn, text, shadow, quick, save, load};
}

struct PageOptionsFixture {
  explicit PageOptionsFixture(const project::PageOptions& record = {})
      : document(withOptions(record)), dialog(document, dialogs) {
    dialog.openForPage(1);
  }

  static project::Project withOptions(const project::PageOptions& record) {
    project::Project project = project::newProject();
    project.pages[1].options = record;
    return project;
  }
  template <typename Control = QAbstractButton>
  Control* find(const char* name) const {
    return dialog.findChild<Control*>(name);
  }
  const project::PageOptions& stored() const { return document.project().pages[1].options; }

  pryx::testing::ScriptedDialogs dialogs;
  project::ProjectDocument document;
  editor::PageOptionsDialog dialog;
};

}  // namespace

void PageOptionsDialogTest::closingAtOnceKeepsEveryRecord() {
  for (const project::PageOptions& record :
       {project::PageOptions{}, options(40, true, 0, 0, false, 0, 0), options(0, true, 0, 0, false, 0, 0),
        options(0, false, 0xFF, 0, false, 0, 0), options(0, false, 0, 0x123456, true, 0, 0),
        options(0, false, 0, 0, false, 5, 0), options(0, false, 0, 0, false, 0, 99),
        options(100, true, 0xFFFFFF, 0x010203, true, 1, 0)}) {
    PageOptionsFixture f(record);
    QVERIFY(f.dialog.isVisible() && f.dialog.isModal());
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("TopPage のオプション"));
    f.find("Command1")->click();
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.stored(), record);
    QVERIFY(!f.document.canUndo());
  }
  PageOptionsFixture f;
  QStringList unnamed = unnamedControls(f.dialog);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
  f.dialog.close();
  QVERIFY(!f.dialog.openForPage(0) && !f.dialog.openForPage(2));
}

void PageOptionsDialogTest::theControlsFollowTheirBoxesAndWriteOnceOnClosing() {
  PageOptionsFixture f;
  auto* speed = f.find<QSlider>("Slider1");
  auto* slotText = f.find<QLineEdit>("Text1");
  auto* text = f.find<editor::ColourSample>("Picture1_0");
  QVERIFY(!speed->isEnabled() && !text->isEnabled() && !slotText->isEnabled());
  f.find("Check1_0")->click();
  QCOMPARE(speed->value(), 50);  // the project's message wait
  speed->setValue(70);
  QCOMPARE(f.find<QLabel>("Slider1Value")->text(), QStringLiteral("70 ms"));
  f.find("Check1_2")->click();
  QVERIFY(f.find("Option3")->isChecked() && slotText->text() == "6");
  f.find("Check1_1")->click();
  f.dialogs.colours = {std::nullopt, 0x0000FF};
  text->click();
  text->click();
  f.find("Option2")->click();
  QVERIFY(!f.document.canUndo());  // nothing is written while the dialog is open
  f.dialog.close();  // the close box
  QCOMPARE(f.stored(), options(70, true, 0xFF, 0, true, 6, 0));

  f.dialog.openForPage(1);
  for (const char* box : {"Check1_0", "Check1_1", "Check1_2"}) f.find(box)->click();
  QVERIFY(!speed->isEnabled() && speed->value() == 0);
  QCOMPARE(text->colour(), 0xFFFFFF);
  QVERIFY(slotText->text().isEmpty() && !f.find("Option3")->isChecked() && !f.find("Option4")->isChecked());
  f.find("Check1_2")->click();
  f.find("Option4")->click();
  f.find<QSlider>("Slider2")->setValue(12);
  QCOMPARE(slotText->text(), QStringLiteral("12"));
  QTest::keyClick(&f.dialog, Qt::Key_Escape);
  QCOMPARE(f.stored(), options(0, false, 0, 0, true, 0, 12));
  f.document.undo();
  QCOMPARE(f.stored(), options(70, true, 0xFF, 0, true, 6, 0));
}

void PageOptionsDialogTest::theSlotFieldIsHeldBetween1And99() {
  PageOptionsFixture f;
  f.find("Check1_2")->click();
  auto* slotText = f.find<QLineEdit>("Text1");
  for (const auto& [typed, slot] : {std::pair{"0", 1}, {"abc", 1}, {"150", 99}, {"-3", 1}, {" 7x", 7}, {"42", 42}}) {
    slotText->clear();
    QTest::keyClicks(slotText, typed);
    QCOMPARE(slotText->text(), QString::fromUtf8(typed));  // the field keeps what was typed
    QCOMPARE(f.find<QSlider>("Slider2")->value(), slot);
  }
  QTest::keyClick(slotText, Qt::Key_Return);  // Enter closes as "閉じる" does
  QVERIFY(!f.dialog.isVisible());
  QCOMPARE(f.stored(), options(0, false, 0, 0, false, 42, 0));
}

void PageOptionsDialogTest::coloursAreShownAsStored() {
  PageOptionsFixture f(options(0, false, 0x00336699, 0x00010203, false, 0, 0));
  for (auto [name, colour] :
       {std::pair{"Picture1_0", QColor(0x99, 0x66, 0x33)}, {"Picture1_1", QColor(0x03, 0x02, 0x01)}}) {
    QImage image = f.find<editor::ColourSample>(name)->grab().toImage();
    QCOMPARE(image.pixelColor(image.rect().center()), colour);
  }
}

}  // namespace pryx::player::testing

// The project options dialog on its own, off screen.

#include "window_test_classes.h"

#include "editor_window_helpers.h"

#include "editor/colour_sample.h"
#include "editor/project_options_dialog.h"
#include "tests/support/scripted_dialogs.h"

#include <QLabel>
#include <QRadioButton>
#include <QSlider>

namespace pryx::player::testing {
namespace {

using project::ProjectOption;

struct OptionsFixture {
  explicit OptionsFixture(project::Project project = project::newProject())
      : document(std::move(project)), dialog(document, dialogs) {
    dialog.showOptions();
  }

  QRadioButton* option(int number) const {
    return dialog.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(number));
  }
  const std::string& value(ProjectOption which) const { return document.project().option(which); }

  pryx::testing::ScriptedDialogs dialogs;
  project::ProjectDocument document;
  editor::ProjectOptionsDialog dialog;
  QSlider* wait = dialog.findChild<QSlider*>("Slider1");
  QComboBox* effect = dialog.findChild<QComboBox*>("Combo1");
  editor::ColourSample* sample = dialog.findChild<editor::ColourSample*>("Picture2");
};

}  // namespace

void ProjectOptionsDialogTest::showsTheOptionsWithoutStoringThem() {
  struct Case {
    std::array<const char*, 4> options;  // wait, game mode, effect, transparent colour
    int wait;
    int mode;  // the option button chosen
    int effect;
    int transparent;
  };
  for (const Case& c : {Case{{"50", "1", "0", "-1"}, 50, 1, 0, 3}, Case{{" 30", " 2", " 3", " 255"}, 30, 2, 3, 4},
                        Case{{"abc", "x", "5", "0"}, 0, 2, 0, 4}, Case{{"250", "1.4", "-1", "-7"}, 100, 1, 0, 3}}) {
    project::Project project = project::newProject();
    const ProjectOption shown[] = {ProjectOption::MessageWait, ProjectOption::GameMode, ProjectOption::EffectType,
                                   ProjectOption::TransparentColour};
    for (std::size_t i = 0; i < c.options.size(); ++i) project.option(shown[i]) = c.options[i];
    OptionsFixture f(project);
    QCOMPARE(f.wait->value(), c.wait);
    QCOMPARE(f.wait->toolTip(), QStringLiteral("Wait %1 ms").arg(c.wait));
    QCOMPARE(f.dialog.findChild<QLabel*>("Slider1Value")->text(), QStringLiteral("%1 ms").arg(c.wait));  // beside it
    QVERIFY(f.option(c.mode)->isChecked() && f.option(c.transparent)->isChecked());
    QCOMPARE(f.effect->currentIndex(), c.effect);
    QCOMPARE(f.sample->isEnabled(), c.transparent == 4);
    QCOMPARE(f.document.project(), project);
    QVERIFY(!f.document.canUndo());
  }
  OptionsFixture f;
  QStringList unnamed = unnamedControls(f.dialog);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
}

void ProjectOptionsDialogTest::writesEachChangeAtOnceAsOneUndoStep() {
  OptionsFixture f;
  const project::Project start = f.document.project();
  f.wait->triggerAction(QAbstractSlider::SliderPageStepSub);
  f.wait->setValue(30);
  QCOMPARE(f.value(ProjectOption::MessageWait), " 30");
  QCOMPARE(f.wait->accessibleDescription(), QStringLiteral("Wait 30 ms"));
  f.effect->setCurrentIndex(3);
  QCOMPARE(f.value(ProjectOption::EffectType), " 3");
  f.option(2)->click();
  QCOMPARE(f.value(ProjectOption::GameMode), "2");

  // Undo takes back one change at a time, and the dialog shows each state.
  f.document.undo();
  QVERIFY(f.option(1)->isChecked());
  f.document.undo();
  QCOMPARE(f.effect->currentIndex(), 0);
  f.document.undo();  // the slider's moves in a row are one step, as typing is
  QVERIFY(!f.document.canUndo());
  QCOMPARE(f.document.project(), start);
  QCOMPARE(f.wait->toolTip(), QStringLiteral("Wait 50 ms"));
}

void ProjectOptionsDialogTest::theGivenColourIsAskedForAndCancellingGoesBack() {
  OptionsFixture f;
  f.dialogs.colours = {std::nullopt, 0x00336699, std::nullopt, 0x10};
  f.option(4)->click();
  QCOMPARE(f.value(ProjectOption::TransparentColour), "-1");
  QVERIFY(f.option(3)->isChecked() && !f.sample->isEnabled());
  QVERIFY(!f.document.canUndo());

  f.option(4)->click();
  QCOMPARE(f.value(ProjectOption::TransparentColour), " 3368601");
  QCOMPARE(f.sample->colour(), 0x00336699);
  f.sample->click();
  QCOMPARE(f.value(ProjectOption::TransparentColour), " 3368601");
  f.sample->click();
  QCOMPARE(f.value(ProjectOption::TransparentColour), " 16");
  f.option(3)->click();
  QCOMPARE(f.value(ProjectOption::TransparentColour), "-1");
  f.sample->click();  // a disabled sample asks nothing
  QTest::keyClick(&f.dialog, Qt::Key_Escape);
  QVERIFY(!f.dialog.isVisible());
}

}  // namespace pryx::player::testing

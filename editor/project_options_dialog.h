#pragma once
// "プロジェクトのオプション": the options of the whole game. It stays open beside the
// other windows and writes each change into the project at once; it shows the
// options again whenever they change (undo, redo), without storing anything.

#include "editor/dialogs.h"
#include "editor/value_slider.h"

#include "project/document.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace pryx::editor {

class ColourSample;

class ProjectOptionsDialog final : public QDialog {
  Q_OBJECT

 public:
  ProjectOptionsDialog(project::ProjectDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the project's options and brings the dialog up, without waiting.
  void showOptions();

 private:
  void showProjectOptions();
  void showWaitTip();
  void Slider1_Change(int value);
  void Combo1_Click(int index);
  void Option3_Click();
  void Option4_Click();
  void Picture2_Click();
  // Asks for the transparent colour; false when the author cancelled.
  bool chooseTransparentColour();

  project::ProjectDocument& document_;
  Dialogs& dialogs_;
  ValueSlider* wait_;
  QComboBox* effect_;
  QRadioButton* normal_;
  QRadioButton* novel_;
  QRadioButton* cornerColour_;
  QRadioButton* givenColour_;
  ColourSample* sample_;
  platform::Subscription subscription_;
};

}  // namespace pryx::editor

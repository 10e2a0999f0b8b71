#pragma once
// The page options dialog (the page name + " のオプション"): message speed, colours,
// how the message window appears, and a save or load slot of one page. It works on
// its controls and writes the page's options once, when it closes.

#include "editor/dialogs.h"
#include "editor/value_slider.h"

#include "project/document.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace pryx::editor {

class ColourSample;

class PageOptionsDialog final : public QDialog {
  Q_OBJECT

 public:
  PageOptionsDialog(project::ProjectDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the page's options in a modal dialog without waiting for it; false (and
  // nothing shown) when the project has no such page.
  bool openForPage(int page);

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showOptions(const project::PageOptions& options);
  project::PageOptions chosenOptions() const;
  void Check1_0_Click(bool on);
  void Check1_1_Click(bool on);
  void Check1_2_Click(bool on);
  void Picture1_Click(ColourSample* sample);
  void Text1_Change(const QString& text);

  project::ProjectDocument& document_;
  Dialogs& dialogs_;
  int page_ = 0;  // the page being edited while the dialog is open
  QCheckBox* speedOn_;
  ValueSlider* speed_;
  QCheckBox* coloursOn_;
  ColourSample* textColour_;
  ColourSample* shadowColour_;
  QRadioButton* normalSpeed_;
  QRadioButton* quick_;
  QCheckBox* slotOn_;
  QRadioButton* save_;
  QRadioButton* load_;
  QSlider* slot_;
  QLineEdit* slotText_;
};

}  // namespace pryx::editor

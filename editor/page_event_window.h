#pragma once
// "ページのイベント設定": where the author chooses the page every window shows and sets
// its background CG, character and music and what each of its five command buttons
// does. Every control writes its field at once; controls are only ever filled
// from the model with their signals blocked, so showing a page or a tab stores
// nothing.

#include "editor/accessible.h"
#include "editor/child_window.h"
#include "editor/dialogs.h"
#include "editor/document_list_model.h"
#include "editor/editor_state.h"

#include "platform/progress.h"
#include "project/document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTabBar>

#include <array>

namespace pryx::editor {

class MainWindow;

class PageEventWindow final : public ChildWindow {
  Q_OBJECT

 public:
  PageEventWindow(EditorState& state, Dialogs& dialogs, platform::Progress& progress, MainWindow& stage,
                  QWidget* parent = nullptr);

  // The open project and its lists; null while none is open.
  void setDocument(project::ProjectDocument* document, ProjectLists* lists);

 signals:
  void pageListRequested();          // "ページの編集"
  void variableDeletionRequested();  // "変数の削除"
  void pageOptionsRequested(int page);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A list box that shows and writes one field of the current button event.
  struct FieldBox {
    QComboBox* box;
    project::ButtonField field;
  };
  struct ValueBox {
    QLineEdit* box;
    project::ButtonField field;
  };

  void buildControls();
  void Combo1_Click(int index);
  void resourceChosen(project::ResourceKind kind, int index);
  void TabStrip1_Click(int tab);
  void fieldEdited(project::ButtonField field, std::string text);
  void Check1_Click(bool ticked);
  void Label3_Click(int which);
  void Command1_Click(int which);
  void Command2_Click(int which);
  void Command3_Click(int which);
  void Command4_Click();

  void addPage();
  void addResource(project::ResourceKind kind);
  void offerRemoval(project::ResourceKind kind, int entry);
  void defineVariable();

  void showPage();
  void showButtonEvent();
  void showTabCaptions();
  // A tab without a caption is still named for screen readers.
  void showTabCaption(int slot, const QString& caption);
  // The tab bar shows the button event being edited, whatever was clicked.
  void showStoredTab();
  void showResource(project::ResourceKind kind);
  // Shows or plays the entry; a failure is reported and its removal offered when `report`.
  void applyResource(project::ResourceKind kind, int index, bool report);
  void follow(const project::Change& change);
  bool hasPage() const;
  std::string resourcePath(project::ResourceKind kind, int index) const;
  QComboBox* selectorOf(project::ResourceKind kind) const;

  EditorState& state_;
  Dialogs& dialogs_;
  platform::Progress& progress_;
  MainWindow& stage_;
  project::ProjectDocument* document_ = nullptr;
  bool choosing_ = false;  // the author's resource choice is being stored

  QComboBox* pageSelector_;                       // Combo1(0)
  std::array<QComboBox*, 3> resourceSelectors_{};  // Combo1(1) CG, (2) BGM, (3) CHR
  QTabBar* tabs_;                                 // TabStrip1
  std::array<FieldBox, 9> fieldBoxes_{};          // Combo2, Combo3, Combo4, Combo5, Combo6
  std::array<ValueBox, 3> valueBoxes_{};          // Text1(0..2)
  QCheckBox* timing_;                             // Check1
  std::array<QLabel*, 2> jumpLabels_{};           // Label3(0) "THEN GOTO", (1) "GOTO"
  std::array<QComboBox*, 2> pagePickers_{};       // Combo4(0), Combo4(1)

  BlankFirstListModel comparisons_;
  BlankFirstListModel assignments_;
  BlankFirstListModel logic_;
  QStringListModel empty_;  // what the lists show while no project is open

  platform::Subscription documentSubscription_;
  platform::Subscription stateSubscription_;
};

}  // namespace pryx::editor

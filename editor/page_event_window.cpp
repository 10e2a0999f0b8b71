#include "editor/page_event_window.h"

#include "editor/accessible.h"
#include "editor/editor_texts.h"
#include "editor/main_window.h"
#include "editor/undo_keys.h"

#include "authoring/page_operations.h"
#include "authoring/resource_operations.h"
#include "authoring/variable_operations.h"
#include "project/operators.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace pryx::editor {
namespace {

using F = project::ButtonField;
using project::ResourceKind;

QStringList entriesOf(std::span<const std::string_view> list) {
  QStringList entries;
  for (std::string_view entry : list) entries << QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
  return entries;
}

// The order of the resource rows: CG, BGM, character.
std::size_t rowOf(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return 0;
    case ResourceKind::Bgm: return 1;
    case ResourceKind::Chr: return 2;
  }
  return 0;
}

constexpr std::array<ResourceKind, 3> kRowKinds = {ResourceKind::Cg, ResourceKind::Bgm, ResourceKind::Chr};

QPushButton* button(const QString& name, const QString& caption, const QString& toolTip = {}) {
  auto* made = new QPushButton(caption);
  made->setObjectName(name);
  describe(made, caption, toolTip);
  return made;
}

QComboBox* listBox(const QString& name, const QString& label, const QString& toolTip) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  box->setMinimumContentsLength(5);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  describe(box, label, toolTip);
  return box;
}

void setJumpLabelColour(QLabel* label, bool red) {
  label->setStyleSheet(red ? QStringLiteral("color: rgb(255, 0, 0);") : QString());
}

}  // namespace

PageEventWindow::PageEventWindow(EditorState& state, Dialogs& dialogs, platform::Progress& progress, MainWindow& stage,
                                 QWidget* parent)
    : ChildWindow(QStringLiteral("ページのイベント設定"), parent),
      state_(state),
      dialogs_(dialogs),
      progress_(progress),
      stage_(stage),
      comparisons_(entriesOf(project::kComparisonOperators)),
      assignments_(entriesOf(project::kAssignmentOperators)),
      logic_(entriesOf(project::kLogicOperators)) {
  buildControls();
  stateSubscription_ = state_.subscribe([this](StateItem item) {
    if (item == StateItem::CurrentPage) showPage();
    if (item == StateItem::CurrentTab) {
      showStoredTab();
      showButtonEvent();
    }
  });
  setDocument(nullptr, nullptr);
}

void PageEventWindow::buildControls() {
  auto* content = new QWidget;
  auto* grid = new QGridLayout(content);
  const QString selectorLabels[] = {QStringLiteral("現在のページ"), QStringLiteral("ＣＧファイル"),
                                    QStringLiteral("ＢＧＭファイル"), QStringLiteral("キャラクターファイル")};
  const QString selectorTips[] = {QStringLiteral("現在編集中のページです"), QStringLiteral("背景＆イベント時のＣＧです"),
                                  QStringLiteral("ＢＧＭです"), QStringLiteral("人物画像です。ゲーム時以外は表示されません")};
  const QString addCaptions[] = {QStringLiteral("ページの追加"), QStringLiteral("CGの追加"), QStringLiteral("BGMの追加"),
                                 QStringLiteral("CGの追加")};
  const QString addTips[] = {QStringLiteral("ページの追加を行います"), QStringLiteral("背景＆イベント時のＣＧを追加します"),
                             QStringLiteral("ＢＧＭとして演奏するファイルを追加します"), QStringLiteral("人物などのＣＧを追加します")};
  const QString removeCaptions[] = {QStringLiteral("ページの編集"), QStringLiteral("CGの削除"), QStringLiteral("BGMの削除"),
                                    QStringLiteral("CGの削除")};
  const QString removeTips[] = {QStringLiteral("ページの編集を行います"),
                                QStringLiteral("現在選択されているＣＧをプロジェクトから外します。"),
                                QStringLiteral("現在選択されているＢＧＭファイルをプロジェクトから外します。"),
                                QStringLiteral("現在選択されているＣＧをプロジェクトから外します。")};
  for (int row = 0; row < 4; ++row) {
    auto* label = new QLabel(selectorLabels[row]);
    label->setObjectName(QStringLiteral("Label1_%1").arg(row));
    QComboBox* selector = listBox(QStringLiteral("Combo1_%1").arg(row), selectorLabels[row], selectorTips[row]);
    label->setBuddy(selector);
    QPushButton* add = button(QStringLiteral("Command1_%1").arg(row), addCaptions[row], addTips[row]);
    QPushButton* remove = button(QStringLiteral("Command2_%1").arg(row), removeCaptions[row], removeTips[row]);
    grid->addWidget(label, row, 0);
    grid->addWidget(selector, row, 1, 1, 4);
    grid->addWidget(add, row, 5);
    grid->addWidget(remove, row, 6);
    connect(add, &QPushButton::clicked, this, [this, row] { Command1_Click(row); });
    connect(remove, &QPushButton::clicked, this, [this, row] { Command2_Click(row); });
    if (row == 0) {
      pageSelector_ = selector;
      connect(selector, &QComboBox::activated, this, &PageEventWindow::Combo1_Click);
    } else {
      resourceSelectors_[static_cast<std::size_t>(row - 1)] = selector;
      ResourceKind kind = kRowKinds[static_cast<std::size_t>(row - 1)];
      connect(selector, &QComboBox::activated, this, [this, kind](int index) { resourceChosen(kind, index); });
    }
  }
  auto* defineVariable = button("Command3_0", QStringLiteral("変数の定義"), QStringLiteral("変数を新しく定義します"));
  auto* deleteVariable = button("Command3_1", QStringLiteral("変数の削除"), QStringLiteral("現在定義されている変数の削除を行います"));
  auto* options = button("Command4", QStringLiteral("オプション"));
  connect(defineVariable, &QPushButton::clicked, this, [this] { Command3_Click(0); });
  connect(deleteVariable, &QPushButton::clicked, this, [this] { Command3_Click(1); });
  connect(options, &QPushButton::clicked, this, &PageEventWindow::Command4_Click);
  auto* row4 = new QHBoxLayout;
  row4->addWidget(defineVariable);
  row4->addWidget(deleteVariable);
  row4->addStretch();
  row4->addWidget(options);
  grid->addLayout(row4, 4, 0, 1, 7);

  tabs_ = new QTabBar;
  tabs_->setObjectName("TabStrip1");
  for (int slot = 0; slot < project::kButtonSlots; ++slot) {
    tabs_->addTab(QString());
    showTabCaption(slot, {});
  }
  // A slot without a caption still has a tab to click.
  tabs_->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 48px; }"));
  tabs_->setElideMode(Qt::ElideRight);
  tabs_->setUsesScrollButtons(true);
  tabs_->setExpanding(false);
  // Long captions scroll in the tab strip instead of widening the window.
  tabs_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  describe(tabs_, QStringLiteral("コマンドボタン"), QStringLiteral("コマンドボタン毎にクリックされた時の処理を設定します"));
  connect(tabs_, &QTabBar::currentChanged, this, &PageEventWindow::TabStrip1_Click);
  grid->addWidget(tabs_, 5, 0, 1, 7);

  const QString variableTip = QStringLiteral("変数名を指定します");
  const QString comparisonTip = QStringLiteral("比較演算子を指定します");
  auto field = [&](const char* name, const QString& label, const QString& tip, F which, QAbstractItemModel* model) {
    QComboBox* box = listBox(name, label, tip);
    if (model != nullptr) box->setModel(model);
    connect(box, &QComboBox::activated, this, [this, which](int index) { fieldEdited(which, std::to_string(index)); });
    return FieldBox{box, which};
  };
  auto value = [&](const char* name, const QString& label, const QString& tip, F which) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMinimumWidth(64);
    describe(box, label, tip);
    leaveUndoKeysToTheProject(box);
    connect(box, &QLineEdit::textEdited, this,
            [this, which](const QString& text) { fieldEdited(which, text.toStdString()); });
    return ValueBox{box, which};
  };
  const QString valueTip = QStringLiteral("比較の対象となる値（数値）を入力します");
  fieldBoxes_ = {
      field("Combo2_0", QStringLiteral("IF 変数1"), variableTip, F::ConditionVariable1, nullptr),
      field("Combo3_0", QStringLiteral("比較演算子1"), comparisonTip, F::Comparison1, &comparisons_),
      field("Combo6", QStringLiteral("論理演算子"), QStringLiteral("論理演算子を指定します"), F::Logic, &logic_),
      field("Combo2_1", QStringLiteral("変数2"), variableTip, F::ConditionVariable2, nullptr),
      field("Combo3_1", QStringLiteral("比較演算子2"), comparisonTip, F::Comparison2, &comparisons_),
      field("Combo4_0", QStringLiteral("THEN GOTO"), QStringLiteral("ジャンプ先のページを指定します"), F::ConditionTarget, nullptr),
      field("Combo4_1", QStringLiteral("GOTO"), QStringLiteral("無条件のジャンプ先を指定します"), F::JumpTarget, nullptr),
      field("Combo2_2", QStringLiteral("代入する変数"), QStringLiteral("変数を選択します"), F::OperationVariable, nullptr),
      field("Combo5", QStringLiteral("演算子"), QStringLiteral("演算子を選択します"), F::OperationOperator, &assignments_),
  };
  valueBoxes_ = {
      value("Text1_0", QStringLiteral("値1"), valueTip, F::ConditionValue1),
      value("Text1_1", QStringLiteral("値2"), valueTip, F::ConditionValue2),
      value("Text1_2", QStringLiteral("値"),
            QStringLiteral("左の変数と演算子を用いて計算を行った結果を、左の変数へ代入します（数値を入力してください）"),
            F::OperationValue),
  };
  pagePickers_ = {fieldBoxes_[5].box, fieldBoxes_[6].box};

  auto* ifLabel = new QLabel(QStringLiteral("IF"));
  ifLabel->setObjectName("Label2");
  grid->addWidget(ifLabel, 6, 0);
  grid->addWidget(fieldBoxes_[0].box, 6, 1);
  grid->addWidget(fieldBoxes_[1].box, 6, 2);
  grid->addWidget(valueBoxes_[0].box, 6, 3);
  grid->addWidget(fieldBoxes_[2].box, 6, 4);
  grid->addWidget(fieldBoxes_[3].box, 7, 1);
  grid->addWidget(fieldBoxes_[4].box, 7, 2);
  grid->addWidget(valueBoxes_[1].box, 7, 3);
  for (int which = 0; which < 2; ++which) {
    auto* label = new QLabel(which == 0 ? QStringLiteral("THEN GOTO") : QStringLiteral("GOTO"));
    label->setObjectName(QStringLiteral("Label3_%1").arg(which));
    describe(label, label->text(), QStringLiteral("クリックすると設定されているページへジャンプします"));
    label->setBuddy(pagePickers_[static_cast<std::size_t>(which)]);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    jumpLabels_[static_cast<std::size_t>(which)] = label;
    grid->addWidget(label, 8 + which, 0);
    grid->addWidget(pagePickers_[static_cast<std::size_t>(which)], 8 + which, 1, 1, 4);
  }
  timing_ = new QCheckBox;
  timing_->setObjectName("Check1");
  describe(timing_, QStringLiteral("ページを開いた時に処理する"),
           QStringLiteral("このチェックボックスをＯＮにすると、ボタンが押される前に変数の処理を行います。"));
  connect(timing_, &QCheckBox::clicked, this, &PageEventWindow::Check1_Click);
  grid->addWidget(timing_, 10, 0);
  grid->addWidget(fieldBoxes_[7].box, 10, 1);
  grid->addWidget(fieldBoxes_[8].box, 10, 2);
  grid->addWidget(valueBoxes_[2].box, 10, 3, 1, 2);
  setWidget(content);
  resize(minimumSizeHint().width(), sizeHint().height());
}

void PageEventWindow::setDocument(project::ProjectDocument* document, ProjectLists* lists) {
  document_ = document;
  documentSubscription_.reset();
  QAbstractItemModel* pages = lists != nullptr ? static_cast<QAbstractItemModel*>(&lists->pages) : &empty_;
  auto set = [](QComboBox* box, QAbstractItemModel* model) {
    QSignalBlocker quiet(box);
    box->setModel(model);
  };
  set(pageSelector_, pages);
  for (QComboBox* picker : pagePickers_) set(picker, pages);
  for (ResourceKind kind : project::kResourceKinds) {
    DocumentListModel* list = nullptr;
    if (lists != nullptr) list = kind == ResourceKind::Cg ? &lists->cgs : kind == ResourceKind::Chr ? &lists->chrs : &lists->bgms;
    set(selectorOf(kind), list != nullptr ? static_cast<QAbstractItemModel*>(list) : &empty_);
  }
  for (std::size_t variable : {0u, 3u, 7u}) {
    set(fieldBoxes_[variable].box, lists != nullptr ? static_cast<QAbstractItemModel*>(&lists->variables) : &empty_);
  }
  if (document_ != nullptr) {
    documentSubscription_ = document_->subscribe([this](const project::Change& change) { follow(change); });
  }
  showPage();
}

QComboBox* PageEventWindow::selectorOf(ResourceKind kind) const { return resourceSelectors_[rowOf(kind)]; }

bool PageEventWindow::hasPage() const {
  return document_ != nullptr && document_->project().pages.contains(state_.currentPage());
}

std::string PageEventWindow::resourcePath(ResourceKind kind, int index) const {
  const project::Resource* resource = document_ != nullptr ? document_->project().resources(kind).find(index) : nullptr;
  return resource != nullptr ? project::resourceFilePath(document_->path(), resource->path) : std::string();
}

void PageEventWindow::showPage() {
  {
    QSignalBlocker quiet(pageSelector_);
    pageSelector_->setCurrentIndex(state_.currentPage());
  }
  showStoredTab();
  if (!hasPage()) return;
  showTabCaptions();
  for (ResourceKind kind : {ResourceKind::Cg, ResourceKind::Chr, ResourceKind::Bgm}) {
    showResource(kind);
    applyResource(kind, selectorOf(kind)->currentIndex(), true);
  }
  showButtonEvent();
}

void PageEventWindow::showStoredTab() {
  QSignalBlocker quiet(tabs_);
  tabs_->setCurrentIndex(state_.currentTab());
}

void PageEventWindow::showTabCaptions() {
  const project::Page& page = document_->project().pages[state_.currentPage()];
  for (int slot = 0; slot < project::kButtonSlots; ++slot) {
    showTabCaption(slot, QString::fromStdString(page.buttons[static_cast<std::size_t>(slot)].caption()));
  }
}

void PageEventWindow::showTabCaption(int slot, const QString& caption) {
  tabs_->setTabText(slot, caption);
  tabs_->setAccessibleTabName(slot, caption.isEmpty() ? QStringLiteral("ボタン%1").arg(slot + 1) : caption);
}

void PageEventWindow::showResource(ResourceKind kind) {
  const project::Page& page = document_->project().pages[state_.currentPage()];
  QSignalBlocker quiet(selectorOf(kind));
  selectorOf(kind)->setCurrentIndex(static_cast<int>(project::referenceTo(page, kind).value()));
}

void PageEventWindow::showButtonEvent() {
  if (!hasPage()) return;
  const project::ButtonEvent& button =
      document_->project().pages[state_.currentPage()].buttons[static_cast<std::size_t>(state_.currentTab())];
  for (const FieldBox& field : fieldBoxes_) {
    QSignalBlocker quiet(field.box);
    field.box->setCurrentIndex(static_cast<int>(button.number(field.field)));
  }
  for (const ValueBox& value : valueBoxes_) {
    QString text = QString::fromStdString(button[value.field]);
    if (value.box->text() != text) value.box->setText(text);
  }
  timing_->setChecked(button.number(F::OperationTiming) == 1);
}

void PageEventWindow::applyResource(ResourceKind kind, int index, bool report) {
  std::string path = resourcePath(kind, index);
  bool shown = true;
  switch (kind) {
    case ResourceKind::Cg: shown = stage_.showBackground(path); break;
    case ResourceKind::Chr: shown = stage_.showCharacter(path); break;
    case ResourceKind::Bgm:
      if (path.empty()) stage_.closeMusic();
      else shown = stage_.playMusic(path);
      break;
  }
  if (shown || !report) return;
  dialogs_.show(project::warning(kind == ResourceKind::Bgm ? "ＢＧＭファイルロード時にエラーが発生しました。"
                                                           : "ＣＧファイルロード時にエラーが発生しました。"));
  offerRemoval(kind, index);
}

void PageEventWindow::follow(const project::Change& change) {
  using Kind = project::Change::Kind;
  if (change.kind == Kind::RowsRemoved || change.kind == Kind::RowsInserted) {
    // The lists moved under the boxes: show the stored numbers again.
    if (hasPage()) {
      for (ResourceKind kind : project::kResourceKinds) showResource(kind);
      showButtonEvent();
    }
    return;
  }
  if (change.kind != Kind::PageContent || change.first != state_.currentPage() || !hasPage()) return;
  switch (change.field) {
    case project::PageField::Button:
      if (change.button == F::Caption) showTabCaptions();
      if (change.slot == state_.currentTab()) showButtonEvent();
      break;
    case project::PageField::BackgroundCg:
    case project::PageField::Character:
    case project::PageField::Music: {
      if (choosing_) break;
      ResourceKind kind = change.field == project::PageField::BackgroundCg ? ResourceKind::Cg
                          : change.field == project::PageField::Character  ? ResourceKind::Chr
                                                                           : ResourceKind::Bgm;
      showResource(kind);
      applyResource(kind, selectorOf(kind)->currentIndex(), false);
      break;
    }
    default: break;
  }
}

void PageEventWindow::Combo1_Click(int index) { state_.setCurrentPage(index); }

void PageEventWindow::resourceChosen(ResourceKind kind, int index) {
  if (!hasPage()) {
    dialogs_.show(noPageWarning());
    return;
  }
  // The window shows the choice itself below, with a failure reported.
  choosing_ = true;
  document_->setPageReference(state_.currentPage(), kind, project::PageReference::number(index));
  choosing_ = false;
  applyResource(kind, index, true);
}

void PageEventWindow::TabStrip1_Click(int tab) {
  if (!hasPage()) {
    showStoredTab();  // the tab refused is not the one edited later
    dialogs_.show(noPageWarning());
    return;
  }
  state_.setCurrentTab(tab);
  showButtonEvent();
}

void PageEventWindow::fieldEdited(F field, std::string text) {
  if (!hasPage()) {
    dialogs_.show(noPageWarning());
    return;
  }
  document_->setButtonField(state_.currentPage(), state_.currentTab(), field, std::move(text));
}

void PageEventWindow::Check1_Click(bool ticked) {
  if (!hasPage()) {
    dialogs_.show(project::warning("ページを指定してください。"));
    return;
  }
  fieldEdited(F::OperationTiming, ticked ? "1" : "0");
}

void PageEventWindow::Label3_Click(int which) {
  int target = pagePickers_[static_cast<std::size_t>(which)]->currentIndex();
  if (target >= 1) state_.setCurrentPage(target);
}

void PageEventWindow::Command1_Click(int which) {
  if (document_ == nullptr) return;
  if (which == 0) addPage();
  else addResource(kRowKinds[static_cast<std::size_t>(which - 1)]);
}

void PageEventWindow::Command2_Click(int which) {
  if (document_ == nullptr) return;
  if (which == 0) {
    emit pageListRequested();
    return;
  }
  ResourceKind kind = kRowKinds[static_cast<std::size_t>(which - 1)];
  offerRemoval(kind, selectorOf(kind)->currentIndex());
}

void PageEventWindow::Command3_Click(int which) {
  if (document_ == nullptr) return;
  if (which == 0) defineVariable();
  else emit variableDeletionRequested();
}

void PageEventWindow::Command4_Click() {
  if (hasPage()) emit pageOptionsRequested(state_.currentPage());
}

void PageEventWindow::addPage() {
  authoring::PageAdditionPrompt prompt = authoring::promptNewPage(document_->project(), state_.currentPage());
  if (prompt.refusal) {
    dialogs_.show(*prompt.refusal);
    return;
  }
  if (prompt.notice) dialogs_.show(*prompt.notice);
  if (auto title = dialogs_.input(prompt.title)) authoring::addPage(*document_, *title);
}

void PageEventWindow::addResource(ResourceKind kind) {
  auto path = dialogs_.openFile(authoring::resourceFileDialog(kind));
  if (!path) return;
  auto name = dialogs_.input(authoring::resourceNamePrompt(kind, *path));
  if (!name) return;
  if (auto refusal = authoring::addResource(*document_, kind, *name, *path)) dialogs_.show(*refusal);
}

void PageEventWindow::offerRemoval(ResourceKind kind, int entry) {
  auto question = authoring::resourceRemovalQuestion(document_->project(), kind, entry);
  if (question && accepted(dialogs_.show(*question))) authoring::removeResource(*document_, kind, entry, progress_);
}

void PageEventWindow::defineVariable() {
  if (auto name = dialogs_.input(authoring::variableNamePrompt())) {
    if (auto refusal = authoring::defineVariable(*document_, *name)) dialogs_.show(*refusal);
  }
}

bool PageEventWindow::eventFilter(QObject* watched, QEvent* event) {
  for (std::size_t which = 0; which < jumpLabels_.size(); ++which) {
    if (watched != jumpLabels_[which]) continue;
    if (event->type() == QEvent::Enter) setJumpLabelColour(jumpLabels_[which], true);
    if (event->type() == QEvent::Leave) setJumpLabelColour(jumpLabels_[which], false);
    if (event->type() == QEvent::MouseButtonRelease) Label3_Click(static_cast<int>(which));
  }
  return ChildWindow::eventFilter(watched, event);
}

}  // namespace pryx::editor

#include "editor/page_options_dialog.h"

#include "editor/colour_sample.h"
#include "editor/dialog_controls.h"

#include "platform/number_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace pryx::editor {
namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0;
constexpr int kFirstSlot = 1;
constexpr int kProposedSlot = 6;

template <typename Slider>
Slider* slider(Slider* made, const char* name, const QString& accessibleName, int low, int high) {
  auto* bar = named(made, name, accessibleName);
  bar->setRange(low, high);
  bar->setPageStep(10);
  return bar;
}

}  // namespace

PageOptionsDialog::PageOptionsDialog(project::ProjectDocument& document, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      document_(document),
      dialogs_(dialogs),
      speedOn_(captioned<QCheckBox>("Check1_0", QStringLiteral("表示速度の変更"))),
      speed_(slider(new ValueSlider(QStringLiteral(" ms")), "Slider1", speedOn_->text(), 0, 100)),
      coloursOn_(captioned<QCheckBox>("Check1_1", QStringLiteral("フォントの色を変更"))),
      textColour_(named(new ColourSample, "Picture1_0", QStringLiteral("文字色"))),
      shadowColour_(named(new ColourSample, "Picture1_1", QStringLiteral("文字色（影)"))),
      normalSpeed_(captioned<QRadioButton>("Option1", QStringLiteral("通常速度"))),
      quick_(captioned<QRadioButton>("Option2", QStringLiteral("瞬間表示"))),
      slotOn_(captioned<QCheckBox>("Check1_2", QStringLiteral("ゲームの Save/Load"))),
      save_(captioned<QRadioButton>("Option3", QStringLiteral("Save"))),
      load_(captioned<QRadioButton>("Option4", QStringLiteral("Load"))),
      slot_(slider(new QSlider(Qt::Horizontal), "Slider2", slotOn_->text(), kFirstSlot, project::kMaxPageSlot)),
      slotText_(named(new QLineEdit, "Text1", slotOn_->text())) {
  setWindowModality(Qt::ApplicationModal);

  auto* colours = new QGridLayout;
  colours->addWidget(coloursOn_, 0, 0, 1, 2);
  for (int row = 1; auto* sample : {textColour_, shadowColour_}) {
    auto* label = new QLabel(sample->accessibleName());
    label->setBuddy(sample);
    colours->addWidget(label, row, 0);
    colours->addWidget(sample, row++, 1, Qt::AlignLeft);
    connect(sample, &ColourSample::clicked, this, [this, sample] { Picture1_Click(sample); });
  }

  auto* display = new QGroupBox(QStringLiteral("メッセージウィンドウの表示方法"));
  auto* displayLayout = new QHBoxLayout(display);
  displayLayout->addWidget(normalSpeed_);
  displayLayout->addWidget(quick_);

  auto* slotKind = new QButtonGroup(this);
  slotKind->addButton(save_);
  slotKind->addButton(load_);
  slotText_->setMaxLength(10);
  slotText_->installEventFilter(this);
  auto* slotRow = new QHBoxLayout;
  slotRow->addWidget(save_);
  slotRow->addWidget(load_);
  slotRow->addWidget(slot_, 1);
  slotRow->addWidget(slotText_);

  auto* close = captioned<QPushButton>("Command1", QStringLiteral("閉じる"));
  close->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(speedOn_);
  layout->addLayout(speed_->withValue());
  layout->addLayout(colours);
  layout->addWidget(display);
  layout->addWidget(slotOn_);
  layout->addLayout(slotRow);
  layout->addWidget(close, 0, Qt::AlignRight);
  editor::setTabOrder({speedOn_, speed_, coloursOn_, textColour_, shadowColour_, normalSpeed_, quick_, slotOn_, save_,
                       load_, slot_, slotText_, close});

  connect(speedOn_, &QCheckBox::clicked, this, &PageOptionsDialog::Check1_0_Click);
  connect(coloursOn_, &QCheckBox::clicked, this, &PageOptionsDialog::Check1_1_Click);
  connect(slotOn_, &QCheckBox::clicked, this, &PageOptionsDialog::Check1_2_Click);
  connect(slot_, &QSlider::valueChanged, this, [this](int value) { slotText_->setText(QString::number(value)); });
  connect(slotText_, &QLineEdit::textEdited, this, &PageOptionsDialog::Text1_Change);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  showOptions({});
}

bool PageOptionsDialog::openForPage(int page) {
  const project::Page* edited = document_.project().pages.find(page);
  if (edited == nullptr) return false;
  page_ = page;
  setWindowTitle(QString::fromStdString(edited->name) + QStringLiteral(" のオプション"));
  showOptions(edited->options);
  show();
  return true;
}

void PageOptionsDialog::done(int result) {
  if (document_.project().pages.contains(page_)) document_.setPageOptions(page_, chosenOptions());
  page_ = 0;
  QDialog::done(result);
}

bool PageOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  // After the click has placed the cursor, the whole slot number is selected.
  if (watched == slotText_ && event->type() == QEvent::FocusIn) QTimer::singleShot(0, slotText_, &QLineEdit::selectAll);
  return QDialog::eventFilter(watched, event);
}

void PageOptionsDialog::showOptions(const project::PageOptions& options) {
  const QSignalBlocker quietSlot(slot_);
  speedOn_->setChecked(options.speedOn);
  speed_->setEnabled(options.speedOn);
  speed_->setValue(options.speedOn ? options.speed : 0);

  bool colours = options.changesColours();
  coloursOn_->setChecked(colours);
  textColour_->setEnabled(colours);
  shadowColour_->setEnabled(colours);
  textColour_->setColour(colours ? options.textColour : kWhite);
  shadowColour_->setColour(colours ? options.shadowColour : kBlack);

  (options.quick ? quick_ : normalSpeed_)->setChecked(true);

  bool slotSet = options.saveSlot >= kFirstSlot || options.loadSlot >= kFirstSlot;
  slotOn_->setChecked(slotSet);
  Check1_2_Click(slotSet);
  if (slotSet) {
    bool loads = options.saveSlot < kFirstSlot;
    (loads ? load_ : save_)->setChecked(true);
    slot_->setValue(loads ? options.loadSlot : options.saveSlot);
    slotText_->setText(QString::number(slot_->value()));
  }
}

project::PageOptions PageOptionsDialog::chosenOptions() const {
  project::PageOptions options;
  if (speedOn_->isChecked()) {
    options.speedOn = true;
    options.speed = static_cast<std::int16_t>(speed_->value());
  }
  if (coloursOn_->isChecked()) {
    options.textColour = textColour_->colour();
    options.shadowColour = shadowColour_->colour();
  }
  options.quick = quick_->isChecked();
  if (slotOn_->isChecked()) {
    auto slot = static_cast<std::int16_t>(slot_->value());
    if (save_->isChecked()) options.saveSlot = slot;
    if (load_->isChecked()) options.loadSlot = slot;
  }
  return options;
}

void PageOptionsDialog::Check1_0_Click(bool on) {
  speed_->setEnabled(on);
  speed_->setValue(on ? platform::saturate<int>(platform::leadingWholeNumber(
                            document_.project().option(project::ProjectOption::MessageWait)))
                      : 0);
}

void PageOptionsDialog::Check1_1_Click(bool on) {
  textColour_->setEnabled(on);
  shadowColour_->setEnabled(on);
  if (on) return;
  textColour_->setColour(kWhite);
  shadowColour_->setColour(kBlack);
}

void PageOptionsDialog::Check1_2_Click(bool on) {
  for (QWidget* slotControl : std::initializer_list<QWidget*>{save_, load_, slot_, slotText_})
    slotControl->setEnabled(on);
  if (on) {
    save_->setChecked(true);
    slot_->setValue(kProposedSlot);
    slotText_->setText(QString::number(kProposedSlot));
    return;
  }
  slot_->setValue(kFirstSlot);
  slotText_->clear();
  save_->group()->setExclusive(false);
  save_->setChecked(false);
  load_->setChecked(false);
  save_->group()->setExclusive(true);
}

void PageOptionsDialog::Picture1_Click(ColourSample* sample) {
  if (std::optional<std::int32_t> colour = dialogs_.chooseColour(sample->colour())) sample->setColour(*colour);
}

void PageOptionsDialog::Text1_Change(const QString& text) {
  const QSignalBlocker quiet(slot_);  // the field keeps what was typed
  slot_->setValue(static_cast<int>(
      std::clamp<std::int64_t>(platform::leadingWholeNumber(text.toStdString()), kFirstSlot, project::kMaxPageSlot)));
}

}  // namespace pryx::editor

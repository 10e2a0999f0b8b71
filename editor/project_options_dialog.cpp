#include "editor/project_options_dialog.h"

#include "editor/colour_sample.h"
#include "editor/dialog_controls.h"

#include "platform/number_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pryx::editor {
namespace {

using project::ProjectOption;

constexpr int kEffects = 5;
constexpr std::int32_t kCornerColour = -1;

QString qt(const std::string& text) { return QString::fromStdString(text); }

std::int64_t optionValue(const project::Project& project, ProjectOption option) {
  return platform::leadingWholeNumber(project.option(option));
}

}  // namespace

ProjectOptionsDialog::ProjectOptionsDialog(project::ProjectDocument& document, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      document_(document),
      dialogs_(dialogs),
      wait_(named(new ValueSlider(QStringLiteral(" ms")), "Slider1", QStringLiteral("メッセージ表示のウエイト(ms)"))),
      effect_(named(new QComboBox, "Combo1", QStringLiteral("画面切り替え時の特殊効果"))),
      normal_(captioned<QRadioButton>("Option1", QStringLiteral("ノーマル"))),
      novel_(captioned<QRadioButton>("Option2", QStringLiteral("ノベル"))),
      cornerColour_(captioned<QRadioButton>("Option3", QStringLiteral("画像の左下隅の色を透明色に利用"))),
      givenColour_(captioned<QRadioButton>("Option4", QStringLiteral("直接指定"))),
      sample_(named(new ColourSample, "Picture2", QStringLiteral("透明色"))) {
  setWindowTitle(QStringLiteral("プロジェクトのオプション"));

  wait_->setRange(0, 100);
  wait_->setSingleStep(1);
  wait_->setPageStep(10);
  auto* fields = new QFormLayout;
  for (QWidget* field : std::initializer_list<QWidget*>{wait_, effect_}) {
    auto* label = new QLabel(field->accessibleName());
    label->setBuddy(field);
    if (field == wait_) fields->addRow(label, wait_->withValue());
    else fields->addRow(label, field);
  }

  auto* mode = new QGroupBox(QStringLiteral("ゲームモード"));
  auto* modeLayout = new QHBoxLayout(mode);
  modeLayout->addWidget(normal_);
  modeLayout->addWidget(novel_);

  auto* transparent = new QGroupBox(sample_->accessibleName());
  auto* transparentLayout = new QVBoxLayout(transparent);
  auto* given = new QHBoxLayout;
  given->addWidget(givenColour_);
  given->addWidget(sample_);
  given->addStretch();
  transparentLayout->addWidget(cornerColour_);
  transparentLayout->addLayout(given);

  auto* close = captioned<QPushButton>("Command1", QStringLiteral("閉じる"));
  close->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(mode);
  layout->addWidget(transparent);
  layout->addWidget(close, 0, Qt::AlignRight);
  editor::setTabOrder({wait_, effect_, normal_, novel_, cornerColour_, givenColour_, sample_, close});

  connect(wait_, &QSlider::valueChanged, this, &ProjectOptionsDialog::Slider1_Change);
  connect(effect_, &QComboBox::currentIndexChanged, this, &ProjectOptionsDialog::Combo1_Click);
  connect(normal_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) document_.setProjectOption(ProjectOption::GameMode, "1");
  });
  connect(novel_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) document_.setProjectOption(ProjectOption::GameMode, "2");
  });
  connect(cornerColour_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option3_Click();
  });
  connect(givenColour_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option4_Click();
  });
  connect(sample_, &ColourSample::clicked, this, &ProjectOptionsDialog::Picture2_Click);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  subscription_ = document_.subscribe([this](const project::Change& change) {
    if (change.kind == project::Change::Kind::ProjectOption && isVisible()) showProjectOptions();
  });
}

void ProjectOptionsDialog::showOptions() {
  showProjectOptions();
  show();
  raise();
  activateWindow();
}

void ProjectOptionsDialog::showProjectOptions() {
  const QSignalBlocker quietWait(wait_), quietEffect(effect_), quietNormal(normal_), quietNovel(novel_),
      quietCorner(cornerColour_), quietGiven(givenColour_);
  const project::Project& project = document_.project();
  if (effect_->count() == 0) {
    effect_->addItems({QStringLiteral("エフェクト無し"), QStringLiteral("エフェクトタイプ１"),
                       QStringLiteral("エフェクトタイプ２"), QStringLiteral("エフェクトタイプ３"),
                       QStringLiteral("エフェクトタイプ４")});
  }
  wait_->setValue(platform::saturate<int>(optionValue(project, ProjectOption::MessageWait)));
  showWaitTip();
  (optionValue(project, ProjectOption::GameMode) == 1 ? normal_ : novel_)->setChecked(true);
  std::int64_t effect = optionValue(project, ProjectOption::EffectType);
  effect_->setCurrentIndex(effect >= 0 && effect < kEffects ? static_cast<int>(effect) : 0);
  std::int64_t colour = optionValue(project, ProjectOption::TransparentColour);
  bool given = colour >= 0;
  (given ? givenColour_ : cornerColour_)->setChecked(true);
  sample_->setEnabled(given);
  if (given) sample_->setColour(platform::saturate<std::int32_t>(colour));
}

void ProjectOptionsDialog::showWaitTip() {
  describe(wait_, wait_->accessibleName(),
           QStringLiteral("Wait") + qt(platform::signPaddedDecimal(wait_->value())) + QStringLiteral(" ms"));
}

void ProjectOptionsDialog::Slider1_Change(int value) {
  document_.setProjectOption(ProjectOption::MessageWait, platform::signPaddedDecimal(value));
  showWaitTip();
}

void ProjectOptionsDialog::Combo1_Click(int index) {
  if (index >= 0) document_.setProjectOption(ProjectOption::EffectType, platform::signPaddedDecimal(index));
}

void ProjectOptionsDialog::Option3_Click() {
  document_.setProjectOption(ProjectOption::TransparentColour, platform::plainDecimal(kCornerColour));
  sample_->setEnabled(false);
}

void ProjectOptionsDialog::Option4_Click() {
  if (!isVisible()) return;
  sample_->setEnabled(true);
  if (!chooseTransparentColour()) cornerColour_->setChecked(true);
}

void ProjectOptionsDialog::Picture2_Click() { chooseTransparentColour(); }

bool ProjectOptionsDialog::chooseTransparentColour() {
  std::optional<std::int32_t> colour = dialogs_.chooseColour(sample_->colour());
  if (!colour) return false;
  sample_->setColour(*colour);
  document_.setProjectOption(ProjectOption::TransparentColour, platform::signPaddedDecimal(*colour));
  return true;
}

}  // namespace pryx::editor

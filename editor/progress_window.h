#pragma once
// The progress window of long operations: a caption, the line "Label1" and the bar
// "ProgressBar1". It repaints itself at each step but runs no events, so that
// nothing can edit the project half-way through the operation it shows.

#include "platform/progress.h"

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace pryx::editor {

class ProgressWindow final : public QWidget, public platform::Progress {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  void show(std::string_view caption) override;
  void setLabel(std::string_view text) override;
  void setMaximum(int maximum) override;
  void setValue(int value) override;
  void hide() override;

 private:
  QLabel* label_;
  QProgressBar* bar_;
};

}  // namespace pryx::editor

#pragma once
// The editor's questions as Qt dialogs: message boxes with the button captions of a
// Japanese system, input boxes, file dialogs and the colour dialog.

#include "editor/dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <string_view>

namespace pryx::editor {

// A filter "description|*.PXK;*.BMP" as a Qt file dialog filter that takes the
// patterns in upper and lower case alike.
QString qtFileFilter(std::string_view filter);

class QtDialogs final : public Dialogs {
 public:
  // The window the dialogs are centred on.
  void setParent(QWidget* parent) { parent_ = parent; }

  Answer show(const project::Message& message) override;
  std::optional<std::string> input(const project::InputRequest& request) override;
  std::optional<std::string> openFile(const project::FileDialogRequest& request) override;
  std::optional<std::string> saveFile(const project::FileDialogRequest& request) override;
  std::optional<std::int32_t> chooseColour(std::int32_t initial) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace pryx::editor

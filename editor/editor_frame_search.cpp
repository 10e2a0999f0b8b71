// The frame's side of "検索と置換": a result chosen goes to its page and selects its field.

#include "editor/command_window.h"
#include "editor/editor_frame.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

namespace pryx::editor {

void EditorFrame::showSearchHit(const authoring::SearchHit& hit) {
  using authoring::SearchPlace;
  if (state_.runState() != 0 || !files_.isOpen()) return;  // a test run chooses its pages itself
  if (hit.page >= 1) state_.setCurrentPage(hit.page);
  auto bring = [this](ChildWindow* window) {
    const Child& child = *std::find_if(children_.begin(), children_.end(),
                                       [window](const Child& each) { return each.window == window; });
    if (!window->isVisible()) showChild(child);
    area_->setActiveSubWindow(window);
  };
  auto focusSelector = [&](const char* name) {
    bring(event_);
    if (auto* selector = event_->findChild<QComboBox*>(name)) selector->setFocus();
  };
  switch (hit.place) {
    case SearchPlace::Message: {
      bring(message_);
      const std::string& text = files_.document()->project().pages[hit.page].text;
      QTextCursor cursor = message_->textBox()->textCursor();
      cursor.setPosition(static_cast<int>(toTextBox(text.substr(0, hit.offset)).size()));
      cursor.setPosition(static_cast<int>(toTextBox(text.substr(0, hit.offset + hit.length)).size()),
                         QTextCursor::KeepAnchor);
      message_->textBox()->setTextCursor(cursor);
      message_->textBox()->setFocus();
      break;
    }
    case SearchPlace::Caption:
      state_.setCurrentTab(hit.slot);
      bring(command_);
      command_->button(hit.slot)->setFocus();
      break;
    case SearchPlace::PageName: focusSelector("Combo1_0"); break;
    case SearchPlace::Cg: focusSelector("Combo1_1"); break;
    case SearchPlace::Bgm: focusSelector("Combo1_2"); break;
    case SearchPlace::Chr: focusSelector("Combo1_3"); break;
    case SearchPlace::Variable: focusSelector("Combo2_0"); break;
  }
}

}  // namespace pryx::editor

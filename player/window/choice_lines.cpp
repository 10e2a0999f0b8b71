#include "player/window/choice_lines.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "player/screen/screen.h"

namespace pryx::player {
namespace {

class ChoiceLineAccessible final : public QAccessibleWidget {
 public:
  explicit ChoiceLineAccessible(ChoiceLineItem* item) : QAccessibleWidget(item, QAccessible::ListItem) {}
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = true;
    state.selected = static_cast<ChoiceLineItem*>(widget())->selected();
    return state;
  }
};

QAccessibleInterface* choiceLineAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(ChoiceLineItem::staticMetaObject.className())) return nullptr;
  return new ChoiceLineAccessible(static_cast<ChoiceLineItem*>(object));
}

}  // namespace

ChoiceLineItem::ChoiceLineItem(QWidget* parent, ChoiceLine line) : QWidget(parent), line_(std::move(line)) {
  setObjectName(QStringLiteral("choice_line(%1)").arg(line_.slot));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const QString caption = QString::fromStdString(line_.caption);
  setAccessibleName(caption);
  setToolTip(caption);
  setAccessibleDescription(caption);
}

void ChoiceLineItem::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  QAccessible::State changed;
  changed.selected = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

ChoiceLines::ChoiceLines(QWidget* view) : view_(view) {
  static const bool installed = (QAccessible::installFactory(choiceLineAccessible), true);
  (void)installed;
}

void ChoiceLines::show(const std::vector<ChoiceLine>& lines, int highlighted) {
  const bool same = lines.size() == items_.size() &&
                    std::equal(lines.begin(), lines.end(), items_.begin(), [](const ChoiceLine& line, ChoiceLineItem* item) {
                      return line.slot == item->line().slot && line.caption == item->line().caption &&
                             line.top == item->line().top;
                    });
  if (!same) {
    for (ChoiceLineItem* item : items_) delete item;
    items_.clear();
    for (const ChoiceLine& line : lines) {
      auto* item = new ChoiceLineItem(view_, line);
      item->show();
      items_.push_back(item);
    }
    place(pictureRect_);
  }
  for (ChoiceLineItem* item : items_) item->setSelected(item->line().slot == highlighted);
}

void ChoiceLines::place(QRect pictureRect) {
  pictureRect_ = pictureRect;
  if (pictureRect.isEmpty()) return;
  const double scale = static_cast<double>(pictureRect.height()) / kScreenHeight;
  for (ChoiceLineItem* item : items_) {
    const ChoiceLine& line = item->line();
    item->setGeometry(pictureRect.x(), pictureRect.y() + static_cast<int>(line.top * scale), pictureRect.width(),
                      static_cast<int>(line.height * scale));
  }
}

}  // namespace pryx::player

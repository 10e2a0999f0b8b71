#include "editor/recent_files.h"

#include <QFileInfo>

namespace pryx::editor {
namespace {

const QString kKey = QStringLiteral("recentFiles");

}  // namespace

QStringList RecentFiles::files() const { return settings_.value(kKey).toStringList(); }

void RecentFiles::add(const QString& path) {
  QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList list = files();
  list.removeAll(absolute);
  list.prepend(absolute);
  store(list.mid(0, kMost));
}

void RecentFiles::remove(const QString& path) {
  QStringList list = files();
  list.removeAll(path);
  store(list);
}

void RecentFiles::store(const QStringList& files) {
  settings_.setValue(kKey, files);
  settings_.sync();
}

}  // namespace pryx::editor

#pragma once
// The last projects opened, newest first, kept in the user's settings. Only the
// list of files lives there: everything that changes a game stays in its project.

#include "editor/user_settings.h"

#include <QStringList>

namespace pryx::editor {

class RecentFiles {
 public:
  static constexpr int kMost = 8;

  QStringList files() const;
  void add(const QString& path);
  void remove(const QString& path);

 private:
  void store(const QStringList& files);
  UserSettings settings_;
};

}  // namespace pryx::editor

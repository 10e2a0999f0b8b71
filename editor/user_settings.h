#pragma once
// The user's settings of the editor, outside every project: the recent files and
// the values typed before playing in the player. Nothing here changes a game.

#include <QSettings>

namespace pryx::editor {

class UserSettings final : public QSettings {
 public:
  UserSettings() : QSettings(QStringLiteral("PRYX"), QStringLiteral("PRYXTOOL")) {}
};

}  // namespace pryx::editor

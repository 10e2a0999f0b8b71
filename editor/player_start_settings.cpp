#include "editor/player_start_settings.h"

#include "editor/user_settings.h"

#include <QVariantMap>

namespace pryx::editor {
namespace {

// By variable name; a map keeps names with "/" whole, which keys of their own would split.
const QString kKey = QStringLiteral("playerStartValues");

}  // namespace

PlayerStartChoice storedPlayerStart() {
  PlayerStartChoice choice;
  const QVariantMap values = UserSettings().value(kKey).toMap();
  for (auto value = values.begin(); value != values.end(); ++value) {
    choice.setValue(value.key().toStdString(), value.value().toString().toStdString());
  }
  return choice;
}

void storePlayerStart(const PlayerStartChoice& choice) {
  QVariantMap values;
  for (const auto& [name, value] : choice.values()) values.insert(QString::fromStdString(name), QString::fromStdString(value));
  UserSettings settings;
  settings.setValue(kKey, values);
  settings.sync();
}

}  // namespace pryx::editor

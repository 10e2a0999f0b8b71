#pragma once
// The editor's name and version as it shows them.

#include <QString>

namespace pryx::editor {

inline const QString kProductTitle = QStringLiteral("ぷりくすつーる！");
inline const QString kApplicationTitle = QStringLiteral("PRYXTOOL");

// "ﾊﾞｰｼﾞｮﾝ " and major.minor.revision of the kit's version.
inline QString versionText() { return QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QStringLiteral(PRYX_VERSION); }

}  // namespace pryx::editor

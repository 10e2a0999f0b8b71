#pragma once
// Messages several editor windows show.

#include "project/message.h"

namespace pryx::editor {

inline project::Message noPageWarning() { return project::warning("ページを指定してください"); }

}  // namespace pryx::editor

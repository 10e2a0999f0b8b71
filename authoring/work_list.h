#pragma once
// The work list window, shared by page deletion and variable deletion: while it is
// in use, neither deletion may start.

#include "project/message.h"

#include <string_view>

namespace pryx::authoring {

enum class WorkListMode {
  Idle = 0,
  AffectedPages = 1,  // pages whose jumps pointed at a deleted page
  Variables = 4,      // variables to delete
};

inline constexpr std::string_view kWorkListBusyText = "作業中のプログラムがあるため、この処理を実行できません";

inline project::Message workListBusyMessage() { return project::warning(kWorkListBusyText); }

}  // namespace pryx::authoring

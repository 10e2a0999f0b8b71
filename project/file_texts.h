#pragma once
// How the project file writes numbers, and how the author is told where a text
// stands: shared by the file's reader and writer.

#include "project/project.h"

#include <cstdint>
#include <string>

namespace pryx::project {

// A number as the file holds it: one blank in front of a number that is not
// negative, one blank behind every number, the shortest decimal form (" 5 ", "-1 ",
// " 1.5 ").
std::string numberLine(double value);
std::string numberLine(std::int64_t value);

// "CG", "キャラクター", "BGM".
std::string resourceKindName(ResourceKind kind);

// "ページ 3「TopPage」".
std::string pagePlace(int position, const Page& page);

// "ボタン 2 のキャプション" for the text fields of a button.
std::string buttonFieldPlace(int slot, ButtonField field);

}  // namespace pryx::project

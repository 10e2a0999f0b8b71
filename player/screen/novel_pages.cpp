#include "player/screen/screen.h"

namespace pryx::player {

namespace {

constexpr int kNovelRowsPerPage = 16;
// Below the text: one empty row and the five rows of the choices.
constexpr int kRowsForChoices = 6;
// A last page with fewer rows cannot hold the choices well; the page before breaks
// early, before this line, and hands its remaining lines to the last page.
constexpr int kShortestLastPage = 7;
constexpr int kEarlyBreakLine = 8;

}  // namespace

NovelPagePlan planNovelPages(std::u32string_view fullWidthText) {
  int rows = 0;
  int x = kNovelTextLeft;
  for (std::size_t i = 0; i < fullWidthText.size(); ++i) {
    if (isLineBreakAt(fullWidthText, i)) {
      x = kNovelTextLeft;
      ++rows;
      ++i;
      continue;
    }
    x += kNovelCharacterStep;
    if (x > kNovelRightLimit) {
      ++rows;
      x = kNovelTextLeft;
    }
  }
  rows += kRowsForChoices;

  NovelPagePlan plan;
  plan.lastFullPage = rows / kNovelRowsPerPage;
  const int rowsOnLastPage = rows - kNovelRowsPerPage * plan.lastFullPage;
  plan.breakLine = rowsOnLastPage;
  if (plan.lastFullPage > 0 && rowsOnLastPage < kShortestLastPage) {
    plan.breakLine = kEarlyBreakLine;
    --plan.lastFullPage;
  }
  return plan;
}

}  // namespace pryx::player

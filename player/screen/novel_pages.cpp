#include "player/screen/screen.h"

namespace pryx::player {

namespace {

// The layout novel-mode typing uses: 30 pixels a character from x = 5, a new row once
// x passes 610, 16 rows a page.
constexpr int kNovelLeft = 5;
constexpr int kNovelCharacterStep = 30;
constexpr int kNovelRightLimit = 610;
constexpr int kNovelRowsPerPage = 16;
// Below the text: one empty row and the five rows of the choices.
constexpr int kRowsForChoices = 6;
// A last page with fewer rows cannot hold the choices well; the page before breaks
// early, before this line, and hands its remaining lines to the last page.
constexpr int kShortestLastPage = 7;
constexpr int kEarlyBreakLine = 8;

bool isLineBreakAt(const QString& text, qsizetype i) {
  return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
}

}  // namespace

NovelPagePlan planNovelPages(const QString& fullWidthText) {
  int rows = 0;
  int x = kNovelLeft;
  for (qsizetype i = 0; i < fullWidthText.size(); ++i) {
    if (isLineBreakAt(fullWidthText, i)) {
      x = kNovelLeft;
      ++rows;
      ++i;
      continue;
    }
    x += kNovelCharacterStep;
    if (x > kNovelRightLimit) {
      ++rows;
      x = kNovelLeft;
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

#pragma once
// What one edit of the open project changed, precisely enough that a view updates
// the rows or the one field concerned instead of reading a whole list again.

#include "project/project.h"

#include <optional>

namespace pryx::project {

enum class ListKind { Pages, Cgs, Chrs, Bgms, Variables };
ListKind listOf(ResourceKind kind);

// Which part of a page an edit touched; Button names the slot and field too.
enum class PageField { Text, BackgroundCg, Character, Music, Options, Button };
PageField pageFieldOf(ResourceKind kind);

// Rows are announced before they move, as Qt's item models expect: an observer told
// "about to" still sees the list as it was.
struct Change {
  enum class Kind {
    RowsAboutToBeInserted,  // list, first, count: as RowsInserted, told before the list changes
    RowsInserted,           // list, first, count: positions first..first+count-1 are new
    RowsAboutToBeRemoved,   // list, first, count: as RowsRemoved, told before the list changes
    RowsRemoved,            // list, first, count: the entries that were there are gone
    RowRenamed,     // list, first: the entry's name changed
    PageContent,    // first is the page; field (and slot, button) say what
    ProjectOption,  // option
    FileState,      // the path, the saved state, or what undo and redo offer
  };

  Kind kind = Kind::FileState;
  ListKind list = ListKind::Pages;
  int first = 0;
  int count = 0;
  PageField field = PageField::Text;
  int slot = 0;
  ButtonField button = ButtonField::Caption;
  ProjectOption option = ProjectOption::MessageWait;

  static Change rowsInserted(ListKind list, int first, int count = 1) { return {Kind::RowsInserted, list, first, count}; }
  static Change rowsRemoved(ListKind list, int first, int count = 1) { return {Kind::RowsRemoved, list, first, count}; }
  static Change rowRenamed(ListKind list, int row) { return {Kind::RowRenamed, list, row, 1}; }
  static Change pageContent(int page, PageField field) {
    Change change{Kind::PageContent, ListKind::Pages, page, 1};
    change.field = field;
    return change;
  }
  static Change buttonField(int page, int slot, ButtonField button) {
    Change change = pageContent(page, PageField::Button);
    change.slot = slot;
    change.button = button;
    return change;
  }
  static Change projectOption(ProjectOption option) {
    Change change{Kind::ProjectOption};
    change.option = option;
    return change;
  }
  static Change fileState() { return {}; }

  // What is told before this change is made: the announcement of rows that move, or
  // nothing for any other change.
  std::optional<Change> announcement() const {
    if (kind != Kind::RowsInserted && kind != Kind::RowsRemoved) return std::nullopt;
    Change coming = *this;
    coming.kind = kind == Kind::RowsInserted ? Kind::RowsAboutToBeInserted : Kind::RowsAboutToBeRemoved;
    return coming;
  }

  bool operator==(const Change&) const = default;
};

}  // namespace pryx::project

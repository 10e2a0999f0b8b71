#pragma once
// The page list operations behind the editor's buttons: new page, copy, new title
// and deletion. The editor asks its questions first (with the texts given here) and
// then calls the operation with the answer.

#include "authoring/work_list.h"

#include "project/document.h"
#include "project/message.h"

#include "platform/progress.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::authoring {

struct PageAdditionPrompt {
  std::optional<project::Message> refusal;  // the project is full: show it and stop
  std::optional<project::Message> notice;   // show it, then go on
  project::InputRequest title;              // then ask for the new page's title
};

// `currentPage` is the page chosen in the page event settings window.
PageAdditionPrompt promptNewPage(const project::Project& project, int currentPage);
PageAdditionPrompt promptPageCopy(const project::Project& project, int currentPage, int source);

// Appends a new empty page; returns its position, or 0 when the title is empty or the project is full.
int addPage(project::ProjectDocument& document, std::string_view title);

// Appends a copy of page `source` (buttons, text, pictures and music; new page
// options) under `title`; returns its position, or 0 as addPage.
int copyPage(project::ProjectDocument& document, int source, std::string_view title);

project::InputRequest promptRetitle(const project::Project& project, int page);

// False when the title is empty. References are positions, so no jump changes.
bool retitlePage(project::ProjectDocument& document, int page, std::string_view title);

struct PageDeletionPrompt {
  std::optional<project::Message> refusal;  // the work list is in use: show it and stop
  project::Message question;                // OK deletes
  std::string workListCaption;              // the work list window's caption during the deletion
};

PageDeletionPrompt promptPageDeletion(const project::Project& project, int page, WorkListMode mode);

struct AffectedPage {
  int position;  // after the deletion
  std::string name;

  bool operator==(const AffectedPage&) const = default;
};

// One entry per cleared jump or condition target, in page and button order. When
// it is empty, the work list window closes again; otherwise it lists these pages
// and the work list mode becomes AffectedPages.
struct PageDeletion {
  std::vector<AffectedPage> affected;
};

// Removes the page, moves the later pages down, renumbers every jump and condition
// target that pointed behind it and clears those that pointed at it.
PageDeletion deletePage(project::ProjectDocument& document, int page, platform::Progress& progress);

}  // namespace pryx::authoring

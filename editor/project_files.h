#pragma once
// The File menu's work on projects: new, open, save, save as, close and the
// questions before ending. It holds the open project's document; the frame
// follows what happens here and sets its windows, menus and toolbar to match.

#include "editor/dialogs.h"
#include "editor/recovery_copy.h"

#include "project/document.h"
#include "project/project_file.h"

#include "platform/observers.h"

#include <memory>
#include <optional>
#include <string>

namespace pryx::editor {

// Opened: a document is there. Closing: it is about to go; views let go of it now.
enum class ProjectEvent { Opened, Closing };

class ProjectFiles {
 public:
  explicit ProjectFiles(Dialogs& dialogs) : dialogs_(dialogs) {}

  // Null while no project is open.
  project::ProjectDocument* document() const { return document_.get(); }
  bool isOpen() const { return document_ != nullptr; }

  [[nodiscard]] platform::Subscription subscribe(platform::ObserverList<ProjectEvent>::Observer observer) {
    return events_.subscribe(std::move(observer));
  }

  // The new project of one page "TopPage"; only while none is open (the File menu
  // offers new, open and the recent files only then, so no project is replaced).
  void createNew();
  // Asks for a file and opens it; false when nothing was opened.
  bool open();
  // Opens `path` as the open dialog's choice would. A file that cannot be read is
  // refused with a message and leaves the editor as it was.
  bool openPath(const std::string& path);
  // Saves to the project's path, asking for one when it has none; true when written.
  bool save();
  bool saveAs();
  // Ends the work on the project; `ask` first asks the author (see mayLetGo).
  // False when the project stays.
  bool close(bool ask);
  // The question before the program ends while a project is open; true to end.
  bool confirmEnd();
  // Whether the project may go: with unsaved changes the author chose to save them
  // (and the save succeeded) or to let them go; without, `unchanged` is asked when
  // given. True when no project is open.
  bool mayLetGo(const std::optional<project::Message>& unchanged);
  // After a project file opened: when its recovery copy is newer, asks whether to go
  // on from the copy. Yes opens the copy under the file's name, with unsaved changes
  // (kept from then on like any); No removes the copy.
  void offerRecovery(const RecoveryCopy& recovery);

 private:
  // The file the open project was read from, where saving over it would lose text.
  struct ReadFrom {
    std::string partlyReadFile;  // read only in part: never written over
    std::string lossyFile;       // read with "?" or from UTF-8: asked about first
    project::ReadFidelity fidelity;
  };

  void replaceDocument(std::unique_ptr<project::ProjectDocument> document);
  // The question before 上書き保存 writes over `path` when that would lose text of the
  // file the project was read from.
  std::optional<project::Message> overwriteQuestion(const std::string& path) const;
  bool saveTo(const std::string& path);

  Dialogs& dialogs_;
  std::unique_ptr<project::ProjectDocument> document_;
  platform::ObserverList<ProjectEvent> events_;
  ReadFrom readFrom_;
};

}  // namespace pryx::editor

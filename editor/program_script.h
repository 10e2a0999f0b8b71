#pragma once
// Program mode's file work: the script the author edits as one text, read from and
// written to Shift-JIS with CR LF, the path a plain save writes, and the checker's
// findings for the text. The window only moves text between this and its editor.

#include "editor/dialogs.h"

#include "script/findings.h"

#include <optional>
#include <string>
#include <string_view>

namespace pryx::editor {

// The editor's text (UTF-8, lines ended by "\n") of script file bytes, without the
// line break that a save puts at the end.
std::string scriptTextOfFile(std::string_view bytes);
// The file bytes of the editor's text: Shift-JIS, CR LF after every line. `lossy`
// tells whether a character had no code and became "?".
std::string scriptFileOfText(std::string_view text, bool* lossy = nullptr);

// What the author is told when a script file opens, before anything is written:
// bytes that are no Shift-JIS are saved back as "?", and a CR without its LF (which
// the text editor cannot hold) becomes a line break. Nullopt when neither is there.
std::optional<project::Message> scriptFileNotice(std::string_view bytes);

class ProgramScript {
 public:
  explicit ProgramScript(Dialogs& dialogs) : dialogs_(dialogs) {}

  // The file a plain save writes; empty until one is opened or saved under a name.
  const std::string& path() const { return path_; }

  // The questions below take the editor's text when it has unsaved changes (nullopt
  // when it has none): they are saved first or let go, as the author answers.

  // After the question, true: the editor empties and the next save asks for a name,
  // so that an empty script never silently replaces the last file.
  bool startNew(std::optional<std::string_view> unsaved = std::nullopt);
  // Asks for a script and reads it; nullopt when cancelled or unreadable.
  std::optional<std::string> open(std::optional<std::string_view> unsaved = std::nullopt);
  // Reads `path`, which becomes the current path. A file that cannot be read is
  // refused with a warning and leaves the path as it was.
  std::optional<std::string> openPath(const std::string& path);
  // Writes to the current path, asking for one when there is none; true when written.
  bool save(std::string_view text);
  // A cancelled dialog forgets the current path.
  bool saveAs(std::string_view text);
  // The question before program mode ends; true to end.
  bool confirmReturn(std::optional<std::string_view> unsaved = std::nullopt);

  // What `pryx check` reports for the text, resource files looked for beside the
  // current path when there is one.
  script::Findings check(std::string_view text) const;

 private:
  bool saveTo(const std::string& path, std::string_view text);
  // True when the text may go: unchanged (and `unchanged`, if given, accepted), saved, or let go.
  bool mayLetGo(std::optional<std::string_view> unsaved, const std::optional<project::Message>& unchanged);

  Dialogs& dialogs_;
  std::string path_;
};

}  // namespace pryx::editor

#pragma once
// The project file (.PXK): Shift-JIS text, one item per line, CR LF. The writer
// stores format version 105; the reader takes files of any version below 106,
// versions below 105 without page options.

#include "project/document.h"
#include "project/message.h"
#include "project/project.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::project {

inline constexpr std::string_view kProjectFileVersion = "105";
inline constexpr int kFirstVersionWithPageOptions = 105;
inline constexpr int kFirstUnreadableVersion = 106;
inline constexpr std::string_view kOpenFailedText = "ファイルをオープンできませんでした。";

// A text that the file cannot hold as it is: it will come back changed on reopening.
struct UnstorableField {
  std::string place;    // where it is, for the author
  std::string problem;  // why, and what the file holds instead

  bool operator==(const UnstorableField&) const = default;
};

struct EncodedProject {
  std::string bytes;  // Shift-JIS
  std::vector<UnstorableField> unstorable;
  bool charactersLost = false;  // some characters have no Shift-JIS code and were written as "?"
};

// The file's bytes; option 2 is written as the current format version.
EncodedProject encodeProjectFile(const Project& project);


// How closely the project read holds what its file holds.
struct ReadFidelity {
  bool leftOut = false;        // pages or resources beyond the limits were not read
  bool bytesReplaced = false;  // bytes that are no Shift-JIS were read as "?"
  bool readAsUtf8 = false;     // the file was UTF-8 text, not Shift-JIS
};

struct DecodedProject {
  std::optional<Project> project;      // nullopt: the file was refused
  int version = 0;                     // the format version the file declared
  std::vector<std::string> warnings;   // what the file lacked or held beyond the limits
  ReadFidelity fidelity;
  std::string refusal;                 // why it was refused
};

DecodedProject decodeProjectFile(std::string_view bytes);

// Whether writing `encoded` over the file a project was read from loses text that the
// file holds (a partly read file is never written over at all).
inline bool overwriteLosesText(const ReadFidelity& read, const EncodedProject& encoded) {
  return read.bytesReplaced || (read.readAsUtf8 && encoded.charactersLost);
}

// Reads and decodes a file; a file that cannot be read is refused.
DecodedProject openProjectFile(std::string_view path);

// The message the editor shows for a refused file.
Message openFailureMessage();

struct SaveOutcome {
  bool saved = false;
  std::string error;                        // why the file could not be written
  std::vector<UnstorableField> unstorable;  // written, but they will not come back unchanged
};

// Stores the current format version into the project, writes the file through a
// temporary file and, on success, makes `path` the document's path. A failed save
// leaves the old file and the document's path as they were.
SaveOutcome saveProject(ProjectDocument& document, std::string_view path);

// The fields, one a line (each line begun with a line break), the first twenty of them.
std::string unstorableFieldList(const std::vector<UnstorableField>& fields);

// What the editor shows after a save that wrote texts which will not come back unchanged.
Message unstorableFieldsMessage(const std::vector<UnstorableField>& fields);

}  // namespace pryx::project

// Any bytes as a project file: the reader must end and stay inside the text, and
// whatever it reads must save, check, generate and build without harm. A file the
// writer produced reopens to the same bytes.

#include "authoring/script_generation.h"
#include "project/game_file_build.h"
#include "project/project_check.h"
#include "project/project_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace pryx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  project::DecodedProject decoded = project::decodeProjectFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!decoded.project) return 0;
  const project::Project& read = *decoded.project;
  platform::SilentProgress progress;
  project::checkProject(read);
  authoring::generateScript(read, progress);
  project::buildGameFile(read, progress);

  project::EncodedProject saved = project::encodeProjectFile(read);
  project::DecodedProject reopened = project::decodeProjectFile(saved.bytes);
  if (!reopened.project) std::abort();
  if (saved.unstorable.empty() && project::encodeProjectFile(*reopened.project).bytes != saved.bytes) std::abort();
  return 0;
}

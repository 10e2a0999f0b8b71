#pragma once
// The large script the benchmarks compile: per page a label, CG, character, music, a
// two-line message and five buttons, each with an operation, an @IFA, an @IFB and a
// jump; 48 resource definitions, as the editor's generator lays them out.

#include <filesystem>
#include <string>

namespace pryx::bench {

// The script's Shift-JIS bytes with CR LF line ends.
std::string generatedScript(int pages);

// Writes `folder`/game.PXJ of `pages` pages and the small resource files it defines
// under `folder`/res, replacing whatever was there.
void writeScriptFolder(const std::filesystem::path& folder, int pages);

}  // namespace pryx::bench

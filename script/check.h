#pragma once
// `pryx check`: everything the compiler would skip or turn into 0 in a script, with
// line numbers. It runs the compiler's own passes, so check and build never disagree.

#include <string>
#include <string_view>

#include "script/findings.h"

namespace pryx::script {

struct CheckResult {
  bool scriptRead = false;  // false: `error` says why
  std::string error;
  Findings findings;  // ordered by line
};

// Checks the script at `scriptPath` (UTF-8); resource files are looked for as the
// build would copy them. Writes nothing.
CheckResult checkScript(std::string_view scriptPath);

// The findings of script bytes, without looking at any file.
Findings checkScriptText(std::string_view script);
// The findings of script bytes as if they were a script in `scriptFolder`.
Findings checkScriptText(std::string_view script, std::string_view scriptFolder);

}  // namespace pryx::script

#pragma once
// The translating pass: one game-file record per command, in script order.

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/definitions.h"
#include "script/elements.h"
#include "script/findings.h"
#include "script/pass_progress.h"

namespace pryx::script {

// The whole game file. Names resolve through `definitions`, the collecting pass's
// result over the same script.
std::vector<std::uint8_t> translate(std::string_view script, const Definitions& definitions, PassProgress& progress,
                                    Findings* findings);

}  // namespace pryx::script

#pragma once
// The translating pass: one game-file record per command, in script order.

#include <cstdint>
#include <span>
#include <vector>

#include "script/definitions.h"
#include "script/elements.h"
#include "script/findings.h"
#include "script/pass_progress.h"

namespace pryx::script {

// The whole game file. Names resolve through `definitions`, the collecting pass's
// result over the same elements.
std::vector<std::uint8_t> translate(std::span<const Element> elements, const Definitions& definitions,
                                    PassProgress& progress, Findings* findings);

}  // namespace pryx::script

#pragma once
// The translating pass: one game-file record per command, in script order.

#include <cstdint>
#include <functional>
#include <string_view>
#include "platform/large_pages.h"
#include "script/definitions.h"
#include "script/elements.h"
#include "script/findings.h"
#include "script/pass_progress.h"

namespace pryx::script {

// The whole game file. Names resolve through `definitions`, the collecting pass's
// result over the same script.
platform::LargeBytes translate(std::string_view script, const Definitions& definitions, PassProgress& progress,
                               Findings* findings);

// The same game file in one pass, for a build, which reports no findings: the
// definitions are collected as they are met (`onResource` sees each resource), and
// operands naming what is defined further down are filled in once the script has
// been read. `reading` follows the pass, `betweenPasses` runs after it and `fillingIn`
// follows the filling in.
platform::LargeBytes translateInOnePass(std::string_view script, PassProgress& reading, const ResourceHook& onResource,
                                        const std::function<void()>& betweenPasses, PassProgress& fillingIn);

}  // namespace pryx::script

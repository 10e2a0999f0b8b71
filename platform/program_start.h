#pragma once
// Handing the rest of a run over to another program, as if it had been started
// itself: same arguments after its name, same standard streams, and its exit status.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pryx::platform {

// Runs the program at `path` with `arguments` in place of the running one. On POSIX
// systems the process becomes that program, so a return means it could not be
// started. On Windows it runs as a child on the same standard streams and its exit
// status is returned once it ends. nullopt, with the reason in `error`, when the
// program could not be started.
std::optional<int> runInstead(std::string_view path, std::span<const std::string> arguments, std::string* error);

}  // namespace pryx::platform

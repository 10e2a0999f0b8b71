#pragma once
// Projects for tests and benchmarks: varied enough to reach every line the project
// file, the builder and the generator write, and reproducible from a seed.

#include "project/project.h"

#include <cstdint>

namespace pryx::project::samples {

struct SampleOptions {
  int pages = 20;
  std::uint32_t seed = 1;
  // Only what plays the same when built directly and through the generated script:
  // unique page names without a leading "_", jumps to existing pages, set references.
  bool scriptCompatible = false;
};

// Every text can be stored in the project file and comes back unchanged.
Project sampleProject(const SampleOptions& options);

}  // namespace pryx::project::samples

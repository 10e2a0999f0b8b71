#pragma once
// Projects for tests and benchmarks: varied enough to reach every line the project
// file, the builder and the generator write, and reproducible from a seed.

#include "project/project.h"

#include <cstdint>

namespace pryx::project::samples {

struct SampleOptions {
  int pages = 20;
  std::uint32_t seed = 1;
  // Only what builds the same game directly and through the generated script:
  // unique page names, captions without a leading "_", texts, names and values
  // without commas, jumps to existing pages, and a target on every button of the
  // last page.
  bool scriptCompatible = false;
};

// Every text can be stored in the project file and comes back unchanged.
Project sampleProject(const SampleOptions& options);

}  // namespace pryx::project::samples

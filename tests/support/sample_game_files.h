#pragma once
// Real pictures and music for projects that are built and played: every resource
// points at a file of the bundled sample game (needs PRYX_SOURCE_DIR).

#include "project/project.h"

#include <string>
#include <utility>
#include <vector>

namespace pryx::project::samples {

inline void useSampleGameFiles(Project& project) {
  const std::string samples = PRYX_SOURCE_DIR "/samples/tsukiyo/";
  const std::pair<ResourceKind, std::vector<std::string>> files[] = {
      {ResourceKind::Cg, {"cg/yoru.BMP", "cg/roji.BMP", "cg/jinja.JPG", "cg/akatsuki.JPG"}},
      {ResourceKind::Chr, {"chr/sayo.BMP", "chr/usagi.BMP"}},
      {ResourceKind::Bgm, {"bgm/tsukiyo.MID", "bgm/matsuri.MID", "bgm/yoake.MID"}}};
  for (const auto& [kind, names] : files) {
    std::size_t next = 0;
    for (Resource& resource : project.resources(kind)) resource.path = samples + names[next++ % names.size()];
  }
}

}  // namespace pryx::project::samples

#pragma once
// The names inside a font file (its 'name' table). A font cut down from a licensed
// font is a font of its own and may not bear the original's name.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace pryx::platform {

struct FontName {
  std::string_view family;          // also the full and the unique name
  std::string_view postScriptName;  // letters and digits only
};

// `table` with every record of the family, full, unique and PostScript names (and of
// the typographic and variation names) replaced by `name` in English for Windows,
// which every font system reads; the copyright, version and other records kept.
// nullopt when `table` is no name table.
std::optional<std::vector<std::uint8_t>> renamedNameTable(std::span<const std::uint8_t> table, const FontName& name);

}  // namespace pryx::platform

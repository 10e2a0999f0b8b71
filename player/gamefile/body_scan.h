#pragma once

#include "player/gamefile/image.h"

#include <cstdint>
#include <optional>

namespace pryx::gamefile {

// The position of the block close (opcode 8) that ends a button body, scanning from
// `start` (the body's block open) one byte at a time and stepping over the operands
// of the instructions a body may hold. nullopt when the scan reaches the end of the
// file first.
std::optional<std::int64_t> findButtonBodyEnd(const GameImage& image, std::int64_t start);

}  // namespace pryx::gamefile

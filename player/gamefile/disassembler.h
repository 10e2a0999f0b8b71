#pragma once
// A listing of a game file that an author can read: the header, every instruction
// with its position and its operands resolved (labels to their positions, resource
// numbers to names, message and caption numbers to their texts, codes to their
// script texts), and the three chains. Texts are UTF-8. Any file can be listed:
// what does not fit the format is said so in the listing.

#include <string>

#include "player/gamefile/image.h"

namespace pryx::gamefile {

std::string disassemble(const GameImage& image);

}  // namespace pryx::gamefile

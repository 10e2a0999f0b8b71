#include "player/gamefile/image.h"

namespace pryx::gamefile {

bool GameImage::hasMagic() const {
  auto magic = textAt(1, static_cast<std::int64_t>(kMagic.size()));
  return magic && *magic == kMagic;
}

}  // namespace pryx::gamefile

#include "player/headless/headless_display.h"

#include "platform/zorvex/pixels.h"

namespace pryx::player::headless {

void HeadlessDisplay::ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                           std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) {
  ++boxes_;
  platform::ABox(surface, x1, y1, x2, y2, width, height, colour, strength);
}

void HeadlessDisplay::Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
                            const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY,
                            std::int32_t sourceWidth, std::int32_t sourceHeight) {
  platform::Blend(destination, destinationWidth, destinationHeight, source, sourceX, sourceY, sourceWidth,
                  sourceHeight);
}

}  // namespace pryx::player::headless

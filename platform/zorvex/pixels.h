#pragma once
// The pixel work of the display library as plain C++, so that the library, the
// programs' headless hosts and the tests share one implementation.

#include <cstdint>

#include "platform/zorvex.h"

namespace pryx::platform {

// Blends `colour` (0x00BBGGRR) over the rectangle from (x1, y1) up to, not including,
// (x2, y2), clipped to the surface and to width × height. `strength` runs from 0
// (the picture unchanged) to 100 (the colour alone); values outside are clamped.
// Every channel becomes (picture · (100 − strength) + colour · strength) / 100,
// rounded to the nearest value. A surface without valid pixels is left alone.
void ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
          std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength);

// Draws the source rectangle (sourceX, sourceY, sourceWidth × sourceHeight) scaled to
// destinationWidth × destinationHeight at the destination's origin, nearest pixel,
// clipped to both surfaces. The colour of the rectangle's bottom-left pixel is the
// transparent colour, as in the game's character pictures: those pixels leave the
// destination as it is, so a character shows over the background as in play.
void Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
           const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
           std::int32_t sourceHeight);

}  // namespace pryx::platform

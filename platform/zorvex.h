#pragma once
/* The display library (ZORVEX.dll on Windows, libZORVEX.so on Linux), loaded by the
 * player and the editor from their own folder at the first call. C linkage, so that
 * it is found by name.
 *
 * A device context here is a ZorvexSurface: a 32-bit picture whose pixels are
 * 0xAARRGGBB words (QImage::Format_RGB32). Colours are 0x00BBGGRR values, red in
 * the lowest byte. */

#include <stdint.h>

#ifdef _WIN32
#define ZORVEX_API __declspec(dllexport)
#else
#define ZORVEX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ZorvexSurface {
  uint32_t* pixels;
  int32_t width;
  int32_t height;
  int32_t bytesPerLine;
} ZorvexSurface;

/* 1: switch to the display of the full-screen game; 0: restore the user's display. */
ZORVEX_API void DispChange(int32_t mode);

/* The display last chosen with DispChange: 1 the full-screen game's, 0 the user's. */
ZORVEX_API int32_t DispMode(void);

/* Makes the given window (a QWidget*, already without frame and caption) cover the
 * whole screen. */
ZORVEX_API void FullScreenMode(void* window);

/* Blends a box of `colour` with `strength` over the rectangle (x1, y1)-(x2, y2) of
 * the surface; width and height are the surface's. */
ZORVEX_API void ABox(ZorvexSurface* surface, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                     int32_t height, int32_t colour, int32_t strength);

/* Blends the source picture (from its origin) into the destination. */
ZORVEX_API void Blend(ZorvexSurface* destination, int32_t destinationWidth, int32_t destinationHeight,
                      const ZorvexSurface* source, int32_t sourceX, int32_t sourceY, int32_t sourceWidth,
                      int32_t sourceHeight);

#ifdef __cplusplus
}
#endif

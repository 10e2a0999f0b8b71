// The display library itself: the C functions the programs look up by name. A
// modern desktop keeps its display mode; full screen means a frameless window over
// the whole screen, and the window scales the game's picture to it.

#include "platform/zorvex.h"
#include "platform/zorvex/pixels.h"

#include <QScreen>
#include <QWidget>

namespace {
int32_t chosenDisplayMode = 0;
}  // namespace

extern "C" {

ZORVEX_API void DispChange(int32_t mode) { chosenDisplayMode = mode == 0 ? 0 : 1; }

ZORVEX_API int32_t DispMode(void) { return chosenDisplayMode; }

ZORVEX_API void FullScreenMode(void* window) {
  auto* widget = static_cast<QWidget*>(window);
  if (widget == nullptr) return;
  widget->setWindowFlag(Qt::FramelessWindowHint, true);
  // Without a window manager (a bare X server) the full-screen state alone does not
  // move the window; the geometry does.
  if (QScreen* screen = widget->screen()) widget->setGeometry(screen->geometry());
  widget->showFullScreen();
}

ZORVEX_API void ABox(ZorvexSurface* surface, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                     int32_t height, int32_t colour, int32_t strength) {
  if (surface != nullptr) pryx::platform::ABox(*surface, x1, y1, x2, y2, width, height, colour, strength);
}

ZORVEX_API void Blend(ZorvexSurface* destination, int32_t destinationWidth, int32_t destinationHeight,
                      const ZorvexSurface* source, int32_t sourceX, int32_t sourceY, int32_t sourceWidth,
                      int32_t sourceHeight) {
  if (destination == nullptr || source == nullptr) return;
  pryx::platform::Blend(*destination, destinationWidth, destinationHeight, *source, sourceX, sourceY, sourceWidth,
                        sourceHeight);
}

}  // extern "C"

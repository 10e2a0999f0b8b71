#pragma once
// The display library without a screen: the pixel work is the library's own, the
// display mode and full-screen calls are written down.

#include <cstdint>
#include <vector>

#include "player/host.h"

namespace pryx::player::headless {

class HeadlessDisplay final : public DisplayFunctions {
 public:
  void DispChange(std::int32_t mode) override { modes_.push_back(mode); }
  void FullScreenMode(void* window) override { fullScreenWindows_.push_back(window); }
  void ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
            std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) override;
  void Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
             const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
             std::int32_t sourceHeight) override;

  const std::vector<std::int32_t>& modes() const { return modes_; }  // DispChange, in order
  const std::vector<void*>& fullScreenWindows() const { return fullScreenWindows_; }
  int boxes() const { return boxes_; }

 private:
  std::vector<std::int32_t> modes_;
  std::vector<void*> fullScreenWindows_;
  int boxes_ = 0;
};

}  // namespace pryx::player::headless

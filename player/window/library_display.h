#pragma once
// The display library as the engine calls it: libZORVEX.so / ZORVEX.dll from the
// player's folder, bound at the first call. When it is missing or broken the user
// is told once and the run ends in order.

#include <string>

#include "platform/zorvex/display_library.h"
#include "player/host.h"
#include "player/input.h"

namespace pryx::player {

class LibraryDisplay final : public DisplayFunctions {
 public:
  LibraryDisplay(std::string folder, MessageBoxes& messages);

  // The run that a failing library ends.
  void attach(PlayerInput& input) { input_ = &input; }

  void DispChange(std::int32_t mode) override;
  void FullScreenMode(void* window) override;
  void ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
            std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) override;
  void Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
             const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
             std::int32_t sourceHeight) override;

  const platform::DisplayLibrary& library() const { return library_; }

 private:
  void check(bool called);

  platform::DisplayLibrary library_;
  MessageBoxes& messages_;
  PlayerInput* input_ = nullptr;
  bool reported_ = false;
};

}  // namespace pryx::player

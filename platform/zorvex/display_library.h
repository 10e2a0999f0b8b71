#pragma once
// Finds the display library (libZORVEX.so, ZORVEX.dll) in a program's folder and
// binds its functions by name at the first call. A missing or broken library is
// reported by every call's result; the caller shows failureMessage() and ends in
// order.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/zorvex.h"

class QLibrary;
class QWidget;

namespace pryx::platform {

enum class DisplayLibraryState {
  NotLoaded,  // nothing called yet
  Ready,
  Missing,  // no library file in the folder
  Broken,   // a file that is not a library, or one without the functions
};

class DisplayLibrary {
 public:
  // The library in `folder`; the file name is the platform's (kDisplayLibraryFileName),
  // found ignoring case.
  explicit DisplayLibrary(std::string folder);
  // The library beside the running program.
  DisplayLibrary();
  ~DisplayLibrary();
  DisplayLibrary(const DisplayLibrary&) = delete;
  DisplayLibrary& operator=(const DisplayLibrary&) = delete;

  // Each call loads the library the first time; false when it cannot be used.
  [[nodiscard]] bool DispChange(std::int32_t mode);
  [[nodiscard]] bool DispMode(std::int32_t& mode);
  [[nodiscard]] bool FullScreenMode(QWidget* window);
  [[nodiscard]] bool ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength);
  [[nodiscard]] bool Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
                           const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY,
                           std::int32_t sourceWidth, std::int32_t sourceHeight);

  DisplayLibraryState state() const { return state_; }
  // For the user, in the programs' language; empty unless Missing or Broken.
  std::string failureMessage() const;
  // The loader's own reason (for standard error); empty unless Missing or Broken.
  const std::string& failureDetail() const { return failureDetail_; }

 private:
  bool ensureLoaded();

  std::string folder_;
  std::unique_ptr<QLibrary> library_;
  DisplayLibraryState state_ = DisplayLibraryState::NotLoaded;
  std::string failureDetail_;

  decltype(&::DispChange) dispChange_ = nullptr;
  decltype(&::DispMode) dispMode_ = nullptr;
  decltype(&::FullScreenMode) fullScreenMode_ = nullptr;
  decltype(&::ABox) aBox_ = nullptr;
  decltype(&::Blend) blend_ = nullptr;
};

}  // namespace pryx::platform

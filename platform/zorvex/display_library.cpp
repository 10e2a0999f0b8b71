#include "platform/zorvex/display_library.h"

#include "platform/files.h"
#include "platform/paths.h"

#include <QLibrary>

namespace pryx::platform {
namespace {

template <typename Function>
bool resolve(QLibrary& library, const char* name, Function& function, std::string& missing) {
  function = reinterpret_cast<Function>(library.resolve(name));
  if (function == nullptr) missing += missing.empty() ? name : std::string(", ") + name;
  return function != nullptr;
}

}  // namespace

DisplayLibrary::DisplayLibrary(std::string folder) : folder_(std::move(folder)) {}

DisplayLibrary::DisplayLibrary() : DisplayLibrary(folderOf(currentExecutablePath())) {}

DisplayLibrary::~DisplayLibrary() = default;  // the library stays loaded until the program ends

bool DisplayLibrary::ensureLoaded() {
  if (state_ != DisplayLibraryState::NotLoaded) return state_ == DisplayLibraryState::Ready;
  const std::string fileName(kDisplayLibraryFileName);
  std::optional<std::string> path = findFileIgnoringCase(folder_, fileName);
  if (!path) {
    state_ = DisplayLibraryState::Missing;
    failureDetail_ = GetPath(folder_, fileName) + " does not exist";
    return false;
  }
  library_ = std::make_unique<QLibrary>(QString::fromStdString(*path));
  if (!library_->load()) {
    state_ = DisplayLibraryState::Broken;
    failureDetail_ = library_->errorString().toStdString();
    return false;
  }
  std::string missing;
  bool complete = resolve(*library_, "DispChange", dispChange_, missing);
  complete = resolve(*library_, "DispMode", dispMode_, missing) && complete;
  complete = resolve(*library_, "FullScreenMode", fullScreenMode_, missing) && complete;
  complete = resolve(*library_, "ABox", aBox_, missing) && complete;
  complete = resolve(*library_, "Blend", blend_, missing) && complete;
  if (!complete) {
    state_ = DisplayLibraryState::Broken;
    failureDetail_ = *path + " lacks " + missing;
    return false;
  }
  state_ = DisplayLibraryState::Ready;
  return true;
}

std::string DisplayLibrary::failureMessage() const {
  const std::string fileName(kDisplayLibraryFileName);
  switch (state_) {
    case DisplayLibraryState::Missing:
      return "表示ライブラリ " + fileName + " が見つかりません。";
    case DisplayLibraryState::Broken:
      return "表示ライブラリ " + fileName + " が壊れています。";
    case DisplayLibraryState::NotLoaded:
    case DisplayLibraryState::Ready:
      break;
  }
  return {};
}

bool DisplayLibrary::DispChange(std::int32_t mode) {
  if (!ensureLoaded()) return false;
  dispChange_(mode);
  return true;
}

bool DisplayLibrary::DispMode(std::int32_t& mode) {
  if (!ensureLoaded()) return false;
  mode = dispMode_();
  return true;
}

bool DisplayLibrary::FullScreenMode(QWidget* window) {
  if (!ensureLoaded()) return false;
  fullScreenMode_(window);
  return true;
}

bool DisplayLibrary::ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) {
  if (!ensureLoaded()) return false;
  aBox_(&surface, x1, y1, x2, y2, width, height, colour, strength);
  return true;
}

bool DisplayLibrary::Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
                           const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY,
                           std::int32_t sourceWidth, std::int32_t sourceHeight) {
  if (!ensureLoaded()) return false;
  blend_(&destination, destinationWidth, destinationHeight, &source, sourceX, sourceY, sourceWidth, sourceHeight);
  return true;
}

}  // namespace pryx::platform

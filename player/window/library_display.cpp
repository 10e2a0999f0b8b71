#include "player/window/library_display.h"

#include <QWidget>

#include <iostream>

#include "player/messages.h"

namespace pryx::player {

LibraryDisplay::LibraryDisplay(std::string folder, MessageBoxes& messages)
    : library_(std::move(folder)), messages_(messages) {}

void LibraryDisplay::check(bool called) {
  if (called || reported_) return;
  reported_ = true;
  std::cerr << "PRYXPlayer: " << library_.failureDetail() << '\n';
  MessageBoxRequest request;
  request.text = library_.failureMessage();
  request.title = text::kWarningTitle;
  request.icon = MessageIcon::Critical;
  messages_.show(request);
  if (input_ != nullptr) input_->endRequested(EndReason::Error);
}

void LibraryDisplay::DispChange(std::int32_t mode) { check(library_.DispChange(mode)); }

void LibraryDisplay::FullScreenMode(void* window) {
  check(library_.FullScreenMode(static_cast<QWidget*>(window)));
}

void LibraryDisplay::ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) {
  check(library_.ABox(surface, x1, y1, x2, y2, width, height, colour, strength));
}

void LibraryDisplay::Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
                           const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY,
                           std::int32_t sourceWidth, std::int32_t sourceHeight) {
  check(library_.Blend(destination, destinationWidth, destinationHeight, source, sourceX, sourceY, sourceWidth,
                       sourceHeight));
}

}  // namespace pryx::player

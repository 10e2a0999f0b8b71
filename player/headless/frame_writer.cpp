#include "player/headless/frame_writer.h"

#include <png.h>

#include <cstdio>

#include "platform/files.h"
#include "platform/paths.h"

namespace pryx::player::headless {
namespace {

const char* kindName(WaitKind kind) {
  switch (kind) {
    case WaitKind::PagePrompt: return "prompt";
    case WaitKind::NovelPage: return "page";
    case WaitKind::SingleButton: return "click";
    case WaitKind::Choice: return "choice";
  }
  return "wait";
}

// The picture as an RGB PNG file's bytes (the fourth byte of the pixels is no alpha);
// empty when it could not be encoded.
platform::Bytes pngFile(const Picture& picture) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()) * 3);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Pixel pixel = picture.pixel(x, y);
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(redOf(pixel)), static_cast<std::uint8_t>(greenOf(pixel)),
                             static_cast<std::uint8_t>(blueOf(pixel))});
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width());
  image.height = static_cast<png_uint_32>(picture.height());
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  platform::Bytes bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  bytes.resize(size);
  return bytes;
}

}  // namespace

void FrameWriter::waitStarted(std::int32_t, WaitKind kind) {
  if (!screen_) return;
  char name[32];
  std::snprintf(name, sizeof name, "%04d-%s.png", ++waits_, kindName(kind));
  std::string path = platform::GetPath(folder_, name);
  const platform::Bytes bytes = pngFile(screen_->picture());
  if (!bytes.empty() && platform::writeFileReplacing(path, bytes)) {
    ++written_;
  } else if (failure_.empty()) {
    failure_ = path;
  }
}

}  // namespace pryx::player::headless

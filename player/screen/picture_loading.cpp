#include <QImageReader>

#include "platform/paths.h"
#include "player/screen/screen.h"

namespace pryx::player {

namespace {

// Game pictures are 640 × 480 or close to it; a camera photograph still fits, while
// a hostile header declaring a gigantic picture is refused before anything is decoded
// (a 1 KB run-length file can declare hundreds of megabytes of pixels).
constexpr int kMaxPictureSide = 8192;
constexpr qint64 kMaxPicturePixels = 16'000'000;

bool isGamePictureFormat(const QByteArray& format) { return format == "bmp" || format == "jpeg" || format == "jpg"; }

bool hasPlausibleSize(const QSize& size) {
  return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide && size.height() <= kMaxPictureSide &&
         static_cast<qint64>(size.width()) * size.height() <= kMaxPicturePixels;
}

}  // namespace

QImage loadPicture(const std::string& path) {
  if (path.empty()) return {};
  // The contents decide, not the name: a JPEG saved as ".BMP" still loads.
  QImageReader reader(QString::fromStdString(platform::toNativeSeparators(path)));
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead() || !isGamePictureFormat(reader.format())) return {};
  if (!hasPlausibleSize(reader.size())) return {};
  QImage picture = reader.read();
  if (picture.isNull() || !hasPlausibleSize(picture.size())) return {};
  return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace pryx::player

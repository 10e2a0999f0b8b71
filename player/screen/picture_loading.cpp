#include <QBuffer>
#include <QImageReader>
#include <cstdlib>
#include <limits>

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

// A BMP stored top-down declares a negative height; its size is the absolute value.
bool hasPlausibleSize(const QSize& size) {
  const int height = size.height() == std::numeric_limits<int>::min() ? 0 : std::abs(size.height());
  return size.width() > 0 && height > 0 && size.width() <= kMaxPictureSide && height <= kMaxPictureSide &&
         static_cast<qint64>(size.width()) * height <= kMaxPicturePixels;
}

// The contents decide, not the name: a JPEG saved as ".BMP" still loads.
QImage readGamePicture(QImageReader& reader) {
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead() || !isGamePictureFormat(reader.format())) return {};
  if (!hasPlausibleSize(reader.size())) return {};
  QImage picture = reader.read();
  if (picture.isNull() || !hasPlausibleSize(picture.size())) return {};
  return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage loadPicture(const std::string& path) {
  if (path.empty()) return {};
  QImageReader reader(QString::fromStdString(platform::toNativeSeparators(path)));
  return readGamePicture(reader);
}

QImage decodePicture(std::span<const std::uint8_t> bytes) {
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return readGamePicture(reader);
}

}  // namespace pryx::player

#include "screen_test_support.h"

#include <QFile>
#include <cstdint>

namespace pryx::player::testing {

QImage shown(const Picture& picture) {
  if (picture.isNull()) return {};
  return QImage(reinterpret_cast<const uchar*>(picture.pixels()), picture.width(), picture.height(),
                picture.bytesPerLine(), QImage::Format_RGB32);
}

QImage toQt(const Picture& picture) { return shown(picture).copy(); }

Picture fromQt(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  Picture picture(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x) picture.row(y)[x] = rgb.pixel(x, y);
  return picture;
}

QImage makePicture(int width, int height, const std::function<QRgb(int x, int y)>& colourAt) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, colourAt(x, y));
  return picture;
}

QImage solidPicture(int width, int height, QRgb colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

int countPixels(const QImage& picture, const QRect& region, QRgb colour) {
  int count = 0;
  const QRect inside = region & picture.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (picture.pixel(x, y) == (colour | 0xFF000000)) ++count;
  return count;
}

bool allPixelsAre(const QImage& picture, const QRect& region, QRgb colour) {
  const QRect inside = region & picture.rect();
  return !inside.isEmpty() && countPixels(picture, inside, colour) == inside.width() * inside.height();
}

QRect inkBounds(const QImage& picture, QRgb background) {
  QRect bounds;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) != (background | 0xFF000000)) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

namespace {

void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

QByteArray bmpFile(const QImage& picture, std::optional<QSize> declaredSize) {
  const QSize declared = declaredSize.value_or(picture.size());
  const int rowBytes = (picture.width() * 3 + 3) / 4 * 4;
  const auto pixelBytes = static_cast<std::uint32_t>(rowBytes * picture.height());
  QByteArray bytes("BM");
  appendLittleEndian(bytes, 54 + pixelBytes, 4);
  appendLittleEndian(bytes, 0, 4);
  appendLittleEndian(bytes, 54, 4);  // where the pixels start
  appendLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
  appendLittleEndian(bytes, static_cast<std::uint32_t>(declared.width()), 4);
  appendLittleEndian(bytes, static_cast<std::uint32_t>(declared.height()), 4);
  appendLittleEndian(bytes, 1, 2);   // planes
  appendLittleEndian(bytes, 24, 2);  // bits per pixel
  appendLittleEndian(bytes, 0, 4);   // no compression
  appendLittleEndian(bytes, pixelBytes, 4);
  for (int i = 0; i < 4; ++i) appendLittleEndian(bytes, 0, 4);
  for (int y = picture.height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      bytes.append(static_cast<char>(qBlue(pixel)));
      bytes.append(static_cast<char>(qGreen(pixel)));
      bytes.append(static_cast<char>(qRed(pixel)));
    }
    bytes.append(QByteArray(rowBytes - picture.width() * 3, '\0'));
  }
  return bytes;
}

std::string ScratchFolder::path(const std::string& name) const {
  return dir_.filePath(QString::fromStdString(name)).toStdString();
}

std::string ScratchFolder::write(const std::string& name, const QByteArray& bytes) const {
  const std::string target = path(name);
  QFile file(QString::fromStdString(target));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
  return target;
}

}  // namespace pryx::player::testing

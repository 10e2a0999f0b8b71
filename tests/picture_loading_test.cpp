// Reading CG and character files: every picture comes out as 32-bit pixels, and
// files that are missing, broken or hostile come out empty instead of crashing.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

#include "platform/files.h"

#include "player/screen/screen.h"
#include "screen_test_support.h"

namespace pryx::player {
namespace {

using namespace testing;

const std::string kSampleFolder = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/";

QImage fourColours() {
  return makePicture(3, 2, [](int x, int y) { return y == 0 ? qRgb(10 * x, 20, 30) : qRgb(200, 100 + x, 0); });
}

QByteArray jpegFile(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "JPEG", 95);
  return bytes;
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size())};
}

// Rewrites the size in a JPEG's frame header.
QByteArray withDeclaredJpegSize(QByteArray jpeg, int width, int height) {
  const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
  if (frame < 0) return {};
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height & 0xFF);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

TEST(PictureLoading, BmpPixelsArriveExactlyInTheirPlaces) {
  ScratchFolder folder;
  const QImage original = fourColours();
  const QImage loaded = toQt(loadPicture(folder.write("CG1.BMP", bmpFile(original))));
  ASSERT_EQ(loaded.size(), original.size());
  EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(loaded.pixel(x, y), original.pixel(x, y)) << x << "," << y;
}

TEST(PictureLoading, TopDownBmpLoadsLikeABottomUpOne) {
  // Many tools write the rows from the top and declare a negative height.
  ScratchFolder folder;
  const QImage original = fourColours();
  const QByteArray file = bmpFile(original.mirrored(false, true), QSize(original.width(), -original.height()));
  const QImage loaded = toQt(loadPicture(folder.write("CG1.BMP", file)));
  ASSERT_EQ(loaded.size(), original.size());
  for (int y = 0; y < original.height(); ++y)
    for (int x = 0; x < original.width(); ++x) EXPECT_EQ(loaded.pixel(x, y), original.pixel(x, y)) << x << "," << y;
  EXPECT_EQ(toQt(decodePicture(bytesOf(file))), loaded);
}

TEST(PictureLoading, JpegLoadsAlsoUnderABmpName) {
  ScratchFolder folder;
  const QByteArray jpeg = jpegFile(solidPicture(64, 48, qRgb(40, 120, 200)));
  for (const char* name : {"sky.JPG", "sky.BMP"}) {
    const QImage loaded = toQt(loadPicture(folder.write(name, jpeg)));
    ASSERT_EQ(loaded.size(), QSize(64, 48)) << name;
    EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
    const QRgb middle = loaded.pixel(32, 24);
    EXPECT_NEAR(qRed(middle), 40, 4);
    EXPECT_NEAR(qGreen(middle), 120, 4);
    EXPECT_NEAR(qBlue(middle), 200, 4);
  }
}

TEST(PictureLoading, SampleGamePicturesLoadAtTheirOwnSize) {
  EXPECT_EQ(toQt(loadPicture(kSampleFolder + "cg/roji.BMP")).size(), QSize(320, 240));
  EXPECT_EQ(toQt(loadPicture(kSampleFolder + "cg/jinja.JPG")).size(), QSize(640, 480));
  // Paths written on Windows use "\".
  EXPECT_EQ(toQt(loadPicture(kSampleFolder + "chr\\sayo.BMP")).size(), QSize(640, 480));
}

TEST(PictureLoading, MissingBrokenAndHostileFilesGiveAnEmptyPicture) {
  ScratchFolder folder;
  const QByteArray bmp = bmpFile(fourColours());
  const QByteArray jpeg = jpegFile(solidPicture(16, 16, qRgb(1, 2, 3)));
  QByteArray png;
  QBuffer pngBuffer(&png);
  pngBuffer.open(QIODevice::WriteOnly);
  solidPicture(4, 4, kWhite).save(&pngBuffer, "PNG");

  const std::pair<const char*, QByteArray> files[] = {
      {"empty.BMP", QByteArray()},
      {"text.BMP", QByteArray("@CG, 1\r\n")},
      {"header-only.BMP", bmp.left(20)},
      {"huge.BMP", bmpFile(fourColours(), QSize(100000, 100000))},
      {"wide.BMP", bmpFile(fourColours(), QSize(1 << 30, 1))},
      {"negative.BMP", bmpFile(fourColours(), QSize(-5, 2))},
      {"tall-top-down.BMP", bmpFile(fourColours(), QSize(3, -100000))},
      {"huge.JPG", withDeclaredJpegSize(jpeg, 65000, 65000)},
      {"cut.JPG", jpeg.left(12)},
      {"png.BMP", png},  // not a picture format games use
  };
  for (const auto& [name, bytes] : files) {
    const std::string path = folder.write(name, bytes);
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(toQt(loadPicture(path)).isNull()) << name;
    EXPECT_TRUE(toQt(decodePicture(bytesOf(bytes))).isNull()) << name;
  }
  EXPECT_TRUE(toQt(loadPicture(folder.path("missing.BMP"))).isNull());
  EXPECT_TRUE(toQt(loadPicture("")).isNull());
  EXPECT_TRUE(toQt(loadPicture(folder.path(""))).isNull());  // a folder
}

// Every flavour of BMP file (1 to 32 bits a pixel, run-length 4 and 8 bits, bit
// fields, OS/2 and V5 headers, rows from the top) and of JPEG (baseline, progressive,
// grey, CMYK, subsampled) decodes to exactly the pixels Qt's decoders give, which the
// player drew with before. Cut short anywhere, a file gives no picture or, where only
// its closing marker is lost, the whole one.
TEST(PictureLoading, EveryFlavourDecodesToThePixelsQtDecodedAndACutFileToNone) {
  const QString folder = QString::fromUtf8(PRYX_SOURCE_DIR) + QStringLiteral("/tests/data/pictures");
  QStringList files = QDir(folder).entryList(QDir::Files);
  files << QStringLiteral("../../../samples/tsukiyo/cg/jinja.JPG") << QStringLiteral("../../../samples/tsukiyo/chr/usagi.BMP");
  ASSERT_GT(files.size(), 25);
  for (const QString& name : files) {
    const auto bytes = platform::readWholeFile((folder + "/" + name).toStdString());
    ASSERT_TRUE(bytes) << name.toStdString();
    const QImage qt =
        QImage::fromData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes->data()),
                                                 static_cast<qsizetype>(bytes->size())))
            .convertToFormat(QImage::Format_RGB32);
    const Picture decoded = decodePicture(*bytes);
    ASSERT_FALSE(qt.isNull()) << name.toStdString();
    EXPECT_EQ(toQt(decoded), qt) << name.toStdString();
    const std::size_t step = bytes->size() > 4096 ? 211 : 1;
    for (std::size_t cut = 0; cut < bytes->size(); cut += step) {
      const Picture part = decodePicture(std::span(bytes->data(), cut));
      EXPECT_TRUE(part.isNull() || part == decoded) << name.toStdString() << " cut at " << cut;
    }
  }
}

// A run-length BMP of the declared size whose data only ends the picture: a few
// bytes that decode to width × height pixels.
QByteArray emptyRunLengthBmp(int width, int height) {
  QByteArray bytes("BM");
  const auto append = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.append(static_cast<char>(value >> (8 * i)));
  };
  append(14 + 40 + 8 + 2, 4);
  append(0, 4);
  append(14 + 40 + 8, 4);  // where the pixels start, after a two-colour palette
  append(40, 4);
  append(static_cast<std::uint32_t>(width), 4);
  append(static_cast<std::uint32_t>(height), 4);
  append(1, 2);
  append(8, 2);  // bits per pixel
  append(1, 4);  // run-length, 8 bits
  append(2, 4);
  append(0, 4);
  append(0, 4);
  append(2, 4);  // colours used
  append(0, 4);
  append(0x00FFFFFF, 4);
  append(0, 4);
  append(0x0100, 2);  // end of the picture
  return bytes;
}

TEST(PictureLoading, PicturesBeyondWhatAGameCanShowAreRefused) {
  ScratchFolder folder;
  EXPECT_EQ(toQt(loadPicture(folder.write("side.BMP", bmpFile(solidPicture(8192, 1, kWhite))))).size(), QSize(8192, 1));
  EXPECT_EQ(toQt(loadPicture(folder.write("small.BMP", emptyRunLengthBmp(640, 480)))).size(), QSize(640, 480));
  const std::pair<const char*, QByteArray> refused[] = {
      {"wide.BMP", bmpFile(solidPicture(8193, 1, kWhite))},
      {"band.BMP", emptyRunLengthBmp(16384, 2048)},
      {"square.BMP", emptyRunLengthBmp(4096, 4097)},
  };
  for (const auto& [name, bytes] : refused) EXPECT_TRUE(toQt(loadPicture(folder.write(name, bytes))).isNull()) << name;
}

}  // namespace
}  // namespace pryx::player

// BMP files of every flavour, read by one range-checked reader: every field is read
// through ByteReader, which answers nothing past the end of the file, and every
// pixel written lies inside the picture.

#include <array>
#include <bit>
#include <optional>

#include "player/screen/picture_decoders.h"

namespace pryx::player {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestHeaderSize = 124;  // BITMAPV5HEADER

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint8_t byte(std::size_t offset) const { return has(offset, 1) ? bytes_[offset] : 0; }
  std::uint32_t little(std::size_t offset, int size) const {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | byte(offset + static_cast<std::size_t>(i));
    return value;
  }
  std::size_t size() const { return bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

struct Header {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows stored from the top
  int bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue of 16- and 32-bit pixels
  std::vector<Pixel> palette;
  std::size_t pixelOffset = 0;
};

// One channel of a bit-field pixel widened or narrowed to 8 bits by shifting, so a
// 5-bit 31 becomes 248.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m)) {}
  std::uint32_t of(std::uint32_t value) const {
    const std::uint32_t raw = (value & mask) >> shift;
    return bits >= 8 ? raw >> (bits - 8) : raw << (8 - bits);
  }
};

std::optional<Header> readHeader(const ByteReader& file) {
  if (file.byte(0) != 'B' || file.byte(1) != 'M') return std::nullopt;
  const std::uint32_t headerSize = file.little(kFileHeaderSize, 4);
  if (headerSize < kCoreHeaderSize || headerSize > kLargestHeaderSize ||
      !file.has(kFileHeaderSize, headerSize))
    return std::nullopt;
  Header header;
  const std::size_t info = kFileHeaderSize;
  int paletteEntrySize = 4;
  std::uint32_t coloursUsed = 0;
  if (headerSize == kCoreHeaderSize) {
    header.width = file.little(info + 4, 2);
    header.height = file.little(info + 6, 2);
    header.bitsPerPixel = static_cast<int>(file.little(info + 10, 2));
    paletteEntrySize = 3;
  } else {
    if (headerSize < 16) return std::nullopt;
    header.width = static_cast<std::int32_t>(file.little(info + 4, 4));
    header.height = static_cast<std::int32_t>(file.little(info + 8, 4));
    header.bitsPerPixel = static_cast<int>(file.little(info + 14, 2));
    if (headerSize >= 20) header.compression = file.little(info + 16, 4);
    if (headerSize >= 36) coloursUsed = file.little(info + 32, 4);
  }
  if (file.little(info + (headerSize == kCoreHeaderSize ? 8 : 12), 2) != 1) return std::nullopt;  // planes

  std::size_t afterHeader = info + headerSize;
  const int bits = header.bitsPerPixel;
  switch (header.compression) {
    case kRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
      header.masks = bits == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
      break;
    case kRle8:
    case kRle4:
      if (bits != (header.compression == kRle8 ? 8 : 4) || header.height < 0) return std::nullopt;
      break;
    case kBitFields: {
      if ((bits != 16 && bits != 32) || headerSize < kInfoHeaderSize) return std::nullopt;
      // A BITMAPINFOHEADER is followed by the masks; later headers hold them.
      const std::size_t masksAt = info + kInfoHeaderSize;
      if (!file.has(masksAt, 12)) return std::nullopt;
      for (std::size_t i = 0; i < 3; ++i) header.masks[i] = file.little(masksAt + 4 * i, 4);
      if (headerSize == kInfoHeaderSize) afterHeader += 12;
      break;
    }
    default:
      return std::nullopt;
  }

  if (bits <= 8) {
    const std::uint32_t entries = coloursUsed != 0 ? coloursUsed : 1u << bits;
    if (entries > 256) return std::nullopt;
    const std::size_t paletteBytes = static_cast<std::size_t>(entries) * static_cast<std::size_t>(paletteEntrySize);
    if (!file.has(afterHeader, paletteBytes)) return std::nullopt;
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t entry = afterHeader + i * static_cast<std::size_t>(paletteEntrySize);
      header.palette.push_back(pixelOf(file.byte(entry + 2), file.byte(entry + 1), file.byte(entry)));
    }
    afterHeader += paletteBytes;
  }
  // The pixels begin where the file header says, or right after the palette when
  // that points into the headers or past the end.
  const std::uint32_t declared = file.little(10, 4);
  header.pixelOffset = declared >= afterHeader && declared <= file.size() ? declared : afterHeader;
  return header;
}

Pixel paletteColour(const Header& header, std::uint32_t index) {
  return index < header.palette.size() ? header.palette[index] : kBlackPixel;
}

// Uncompressed rows, each padded to four bytes.
bool readRows(const ByteReader& file, const Header& header, Picture& picture) {
  const auto width = static_cast<std::size_t>(header.width);
  const auto bits = static_cast<std::size_t>(header.bitsPerPixel);
  const std::size_t stride = (width * bits + 31) / 32 * 4;
  const int height = picture.height();
  if (!file.has(header.pixelOffset, stride * static_cast<std::size_t>(height))) return false;
  const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]);
  for (int stored = 0; stored < height; ++stored) {
    const int y = header.height < 0 ? stored : height - 1 - stored;
    const std::size_t start = header.pixelOffset + static_cast<std::size_t>(stored) * stride;
    Pixel* row = picture.row(y);
    for (std::size_t x = 0; x < width; ++x) {
      Pixel pixel = kBlackPixel;
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          const std::size_t bit = x * bits;
          const unsigned value = file.byte(start + bit / 8) >> (8 - bits - bit % 8) & ((1u << bits) - 1);
          pixel = paletteColour(header, value);
          break;
        }
        case 24:
          pixel = pixelOf(file.byte(start + 3 * x + 2), file.byte(start + 3 * x + 1), file.byte(start + 3 * x));
          break;
        default: {  // 16 and 32 bits, by their masks
          const std::uint32_t value = file.little(start + x * bits / 8, static_cast<int>(bits / 8));
          pixel = kOpaque | red.of(value) << 16 | green.of(value) << 8 | blue.of(value);
          break;
        }
      }
      row[x] = pixel;
    }
  }
  return true;
}

// Run-length rows from the bottom: pairs of a count and a colour index (two
// alternating indexes in RLE4), or escapes for the end of a row, the end of the
// picture, a jump ahead and a literal run. Pixels never written stay black.
bool readRunLength(const ByteReader& file, const Header& header, Picture& picture) {
  const bool fourBits = header.compression == kRle4;
  const int width = picture.width();
  int x = 0;
  int y = picture.height() - 1;
  std::size_t at = header.pixelOffset;
  auto put = [&](std::uint32_t index) {
    if (x < width && y >= 0) picture.row(y)[x] = paletteColour(header, index);
    ++x;
  };
  while (file.has(at, 2)) {
    const unsigned count = file.byte(at), value = file.byte(at + 1);
    at += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(fourBits ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
    } else if (value == 0) {  // end of the row
      x = 0;
      --y;
    } else if (value == 1) {  // end of the picture
      return true;
    } else if (value == 2) {  // jump right and up
      if (!file.has(at, 2)) return false;
      x += file.byte(at);
      y -= file.byte(at + 1);
      at += 2;
    } else {  // `value` pixels as they are, padded to 16 bits
      const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
      if (!file.has(at, bytes)) return false;
      for (unsigned i = 0; i < value; ++i) {
        const unsigned byte = file.byte(at + (fourBits ? i / 2 : i));
        put(fourBits ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
      }
      at += (bytes + 1) / 2 * 2;
    }
    if (y < 0) return true;  // every row written
  }
  return false;  // cut short before the end of the picture
}

}  // namespace

Picture decodeBmp(std::span<const std::uint8_t> bytes) {
  const ByteReader file(bytes);
  const std::optional<Header> header = readHeader(file);
  if (!header) return {};
  const std::int64_t height = header->height < 0 ? -header->height : header->height;
  if (!isGamePictureSize(header->width, height)) return {};
  Picture picture(static_cast<int>(header->width), static_cast<int>(height));
  const bool read = header->compression == kRle8 || header->compression == kRle4
                        ? readRunLength(file, *header, picture)
                        : readRows(file, *header, picture);
  return read ? picture : Picture();
}

}  // namespace pryx::player

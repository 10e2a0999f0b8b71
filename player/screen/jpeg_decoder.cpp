// JPEG files through libjpeg-turbo, which writes the pixels straight in the engine's
// layout. Its errors jump back here; a file cut short (the library would pad it with
// grey and warn) counts as broken.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "player/screen/picture_decoders.h"

namespace pryx::player {
namespace {

struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf escape;
  bool cutShort = false;
};

[[noreturn]] void escape(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }

void noteWarning(j_common_ptr info, int level) {
  // Level -1 is a warning about the data; only a missing end means pixels are lost.
  if (level == -1 && info->err->msg_code == JWRN_JPEG_EOF) reinterpret_cast<ErrorManager*>(info->err)->cutShort = true;
}

void stayQuiet(j_common_ptr) {}

// CMYK as Adobe writes it (inverted): each colour channel scaled by the black one.
void cmykToPixels(const JSAMPLE* cmyk, Pixel* row, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
    const int k = cmyk[3];
    row[x] = pixelOf(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
  }
}

// Only plain data lives in this frame, so the jump out of the library skips nothing
// that needs cleaning up; `picture` belongs to the caller.
bool decodeInto(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const std::uint8_t> bytes,
                Picture& picture, std::vector<JSAMPLE>& cmykRow) {
  if (setjmp(errors.escape) != 0) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!isGamePictureSize(info.image_width, info.image_height)) return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  picture = Picture(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  if (cmyk) cmykRow.resize(static_cast<std::size_t>(info.output_width) * 4);
  while (info.output_scanline < info.output_height) {
    Pixel* row = picture.row(static_cast<int>(info.output_scanline));
    JSAMPROW target = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(row);
    if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
    if (cmyk) cmykToPixels(cmykRow.data(), row, info.output_width);
  }
  jpeg_finish_decompress(&info);
  return !errors.cutShort;
}

}  // namespace

Picture decodeJpeg(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return {};
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.library);
  errors.library.error_exit = escape;
  errors.library.emit_message = noteWarning;
  errors.library.output_message = stayQuiet;
  Picture picture;
  std::vector<JSAMPLE> cmykRow;
  const bool decoded = decodeInto(info, errors, bytes, picture, cmykRow);
  jpeg_destroy_decompress(&info);
  return decoded ? picture : Picture();
}

}  // namespace pryx::player

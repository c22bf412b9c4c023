#include "buttons/JpegDecode.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE without including it

#include <jerror.h>
#include <jpeglib.h>

namespace korvi {

namespace {

// Progressive files may hold any number of scans; real ones have about ten.
// A hostile file with thousands would make the decode take minutes.
constexpr int kMaxScans = 500;
// Recoverable damage reported over and over means the data is noise, not a picture.
constexpr int kMaxWarnings = 10000;
// Memory libjpeg may take for its own buffers (whole-image coefficients of progressive files).
constexpr long kMaxLibjpegMemory = 384L * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr pub;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf escape;
  int warnings;
  bool truncated;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (level >= 0) return;  // trace messages
  ++err->warnings;
  if (err->pub.msg_code == JWRN_JPEG_EOF) err->truncated = true;
  if (err->warnings > kMaxWarnings) std::longjmp(err->escape, 1);
}

void OnProgress(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->input_scan_number > kMaxScans) std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

// Converts one row of C, M, Y, K samples to blue, green, red. Files with Adobe's
// marker (Photoshop's and most others) store every ink inverted, 255 meaning none;
// the rest store 0 for none.
void CmykToBgr(const JSAMPLE* inks, uint8_t* bgr, int32_t width, bool adobeInverted) {
  for (int32_t x = 0; x < width; ++x, inks += 4, bgr += 3) {
    unsigned c = inks[0], m = inks[1], y = inks[2], k = inks[3];
    if (!adobeInverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    // Now 255 means no ink: each colour is what its ink and the black let through.
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

// Only plain data lives in this frame: longjmp skips destructors.
JpegStatus Decode(jpeg_decompress_struct& cinfo, ErrorManager& err, Bytes file, JpegTarget& target,
                  JpegResult& result) {
  if (setjmp(err.escape)) return JpegStatus::Failed;

  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return JpegStatus::Failed;
  // Grey and YCbCr/RGB pictures convert to BGR in libjpeg. CMYK and YCCK ones come
  // out as CMYK (libjpeg turns YCCK into it) and are turned into BGR here.
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  cinfo.dct_method = JDCT_ISLOW;
  cinfo.do_fancy_upsampling = TRUE;
  cinfo.do_block_smoothing = TRUE;
  jpeg_calc_output_dimensions(&cinfo);
  const int64_t w = cinfo.output_width, h = cinfo.output_height;
  if (w <= 0 || h <= 0 || w * h > kMaxPicturePixels) return JpegStatus::Failed;
  result.width = static_cast<int32_t>(w);
  result.height = static_cast<int32_t>(h);
  if (!target.Allocate(result.width, result.height)) return JpegStatus::Failed;

  jpeg_start_decompress(&cinfo);
  // Released with the decompressor, also when an error jumps out.
  JSAMPARRAY inks = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                      static_cast<JDIMENSION>(w * 4), 1)
                         : nullptr;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = target.Row(static_cast<int32_t>(cinfo.output_scanline));
    if (jpeg_read_scanlines(&cinfo, inks ? inks : &row, 1) != 1) return JpegStatus::Failed;
    if (inks) CmykToBgr(inks[0], row, result.width, cinfo.saw_Adobe_marker != 0);
  }
  jpeg_finish_decompress(&cinfo);
  return err.truncated ? JpegStatus::Truncated : JpegStatus::Ok;
}

}  // namespace

JpegResult DecodeJpeg(Bytes file, JpegTarget& target) {
  JpegResult result;
  if (file.size() < 4 || file.size() > kMaxPictureFileBytes) return result;

  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = OnProgress;

  // jpeg_create_decompress itself reports a failed allocation through error_exit.
  if (setjmp(err.escape)) return result;
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress;
  cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;

  result.status = Decode(cinfo, err, file, target, result);
  result.warnings = err.warnings;
  jpeg_destroy_decompress(&cinfo);  // frees everything, also after an error
  return result;
}

}  // namespace korvi

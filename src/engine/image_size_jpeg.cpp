// JPEG: libjpeg reads the markers up to the first scan; no pixel is decoded.
//
// libjpeg reports errors by calling error_exit, whose default prints and ends
// the process. Ours jumps back to ReadJpeg instead, so a damaged file is just
// a failed read. The jump leaves libjpeg and the callbacks below; none of them
// holds an object with a destructor, so nothing is skipped over.
#include "engine/image_size_readers.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h, which it extends.
#include <jerror.h>

namespace corvane::image_size {
namespace {

constexpr int kBufferSize = 4096;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

struct FileSource {
  jpeg_source_mgr base;
  QFile* file;
  JOCTET buffer[kBufferSize];
};

void ExitByJump(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

void InitSource(j_decompress_ptr) {}

// A file that ends before the header does is damaged; libjpeg's own readers
// would pad it with an end marker and carry on.
boolean FillInputBuffer(j_decompress_ptr info) {
  FileSource* source = reinterpret_cast<FileSource*>(info->src);
  const qint64 got = source->file->read(reinterpret_cast<char*>(source->buffer), kBufferSize);
  if (got <= 0) ERREXIT(info, JERR_INPUT_EOF);
  source->base.next_input_byte = source->buffer;
  source->base.bytes_in_buffer = static_cast<size_t>(got);
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  FileSource* source = reinterpret_cast<FileSource*>(info->src);
  const size_t skip = static_cast<size_t>(count);
  if (skip <= source->base.bytes_in_buffer) {
    source->base.next_input_byte += skip;
    source->base.bytes_in_buffer -= skip;
    return;
  }
  const qint64 beyond = static_cast<qint64>(skip - source->base.bytes_in_buffer);
  source->base.bytes_in_buffer = 0;
  if (!source->file->seek(source->file->pos() + beyond)) ERREXIT(info, JERR_INPUT_EOF);
}

void TermSource(j_decompress_ptr) {}

}  // namespace

std::optional<ImageSize> ReadJpeg(QFile& file) {
  jpeg_decompress_struct info{};
  ErrorManager errors;
  FileSource source;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ExitByJump;
  errors.base.output_message = IgnoreMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  if (!file.seek(0)) ERREXIT(&info, JERR_INPUT_EOF);
  source.file = &file;
  source.base.next_input_byte = nullptr;
  source.base.bytes_in_buffer = 0;
  source.base.init_source = InitSource;
  source.base.fill_input_buffer = FillInputBuffer;
  source.base.skip_input_data = SkipInputData;
  source.base.resync_to_restart = jpeg_resync_to_restart;
  source.base.term_source = TermSource;
  info.src = &source.base;
  const int status = jpeg_read_header(&info, TRUE);
  const JDIMENSION width = info.image_width;
  const JDIMENSION height = info.image_height;
  jpeg_destroy_decompress(&info);
  if (status != JPEG_HEADER_OK) return std::nullopt;
  return CheckedSize(width, height);
}

}  // namespace corvane::image_size

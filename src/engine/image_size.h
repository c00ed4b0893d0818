// ReadImageSize: the pixel width and height of an image file, read from its
// headers only (no pixel data is decoded).
//
// The reader is chosen by the file name's extension, without regard to case:
// bmp, ico, emf, wmf, tif, tiff, jpg, jpeg, png. Any other extension, a missing
// file, and a truncated, damaged or inconsistent file give no size; so does a
// width or height of 0 or less. Failures are silent by design: the caller
// writes empty text in their place. Never ends the process, whatever the file.
#pragma once

#include <QString>

#include <optional>

namespace corvane {

struct ImageSize {
  int width = 0;
  int height = 0;

  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

std::optional<ImageSize> ReadImageSize(const QString& path);

}  // namespace corvane

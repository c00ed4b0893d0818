// The format readers behind ReadImageSize, and the byte helpers they share.
// Internal to the engine: callers use ReadImageSize (image_size.h).
//
// Each reader gets the opened file positioned anywhere and reads only the
// headers it needs. Every reader checks each length and offset against the
// file before trusting it, so truncated or lying files give std::nullopt.
#pragma once

#include "engine/image_size.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>

#include <cstdint>
#include <optional>

namespace corvane::image_size {

std::optional<ImageSize> ReadJpeg(QFile& file);
std::optional<ImageSize> ReadPng(QFile& file);
std::optional<ImageSize> ReadBmp(QFile& file);
std::optional<ImageSize> ReadIcon(QFile& file);
std::optional<ImageSize> ReadTiff(QFile& file);
std::optional<ImageSize> ReadEmf(QFile& file);
std::optional<ImageSize> ReadWmf(QFile& file);

// The size in a PNG signature and IHDR chunk at the start of `bytes` (CRC
// checked); ICO files may hold PNG images as well.
std::optional<ImageSize> PngHeaderSize(QByteArrayView bytes);

// Exactly `count` bytes at `offset`, or an empty array when the file is shorter.
QByteArray ReadAt(QFile& file, int64_t offset, int64_t count);

// A size when both sides are above 0 and fit in int.
std::optional<ImageSize> CheckedSize(int64_t width, int64_t height);

// Unsigned little- and big-endian numbers at `at`; the caller checks the bounds.
uint16_t Le16(QByteArrayView bytes, qsizetype at);
uint32_t Le32(QByteArrayView bytes, qsizetype at);
uint16_t Be16(QByteArrayView bytes, qsizetype at);
uint32_t Be32(QByteArrayView bytes, qsizetype at);

}  // namespace corvane::image_size

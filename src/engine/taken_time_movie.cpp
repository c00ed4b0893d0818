// The creation time in the movie header of ISO media (MP4, 3GP) and QuickTime
// (MOV) files: top-level boxes up to moov, then its boxes up to mvhd.

#include "engine/taken_time_readers.h"

#include <QtEndian>

#include <array>
#include <cstdint>

namespace corvane {
namespace {

struct Box {
  std::array<char, 4> type{};
  qint64 payload = 0;  // where the box's content starts
  qint64 end = 0;      // where the next box starts
};

bool IsType(const Box& box, const char (&type)[5]) {
  return std::equal(box.type.begin(), box.type.end(), type);
}

// The box at `at`, which must end by `limit`; none when its header is cut or
// its size lies.
std::optional<Box> ReadBox(QIODevice& file, qint64 at, qint64 limit) {
  uchar header[16];
  if (limit - at < 8 || !file.seek(at) || file.read(reinterpret_cast<char*>(header), 8) != 8) {
    return std::nullopt;
  }
  Box box;
  std::copy(header + 4, header + 8, box.type.begin());
  uint64_t size = qFromBigEndian<quint32>(header);
  box.payload = at + 8;
  if (size == 1) {  // the size follows as 64 bits
    if (limit - at < 16 || file.read(reinterpret_cast<char*>(header + 8), 8) != 8) {
      return std::nullopt;
    }
    size = qFromBigEndian<quint64>(header + 8);
    box.payload = at + 16;
  } else if (size == 0) {  // the box runs to the end
    size = uint64_t(limit - at);
  }
  if (size < uint64_t(box.payload - at) || size > uint64_t(limit - at)) return std::nullopt;
  box.end = at + qint64(size);
  return box;
}

// The first box of `type` among those from `from` to `limit`. Every box read
// moves on by at least its header, so the walk ends.
std::optional<Box> FindBox(QIODevice& file, qint64 from, qint64 limit, const char (&type)[5]) {
  for (qint64 at = from; at < limit;) {
    const std::optional<Box> box = ReadBox(file, at, limit);
    if (!box) return std::nullopt;
    if (IsType(*box, type)) return box;
    at = box->end;
  }
  return std::nullopt;
}

// Seconds from 1904-01-01 UTC, the epoch of these formats; beyond the year
// 9999 a value is taken for damage.
constexpr uint64_t kLatestSeconds = 254'000'000'000ull;

}  // namespace

bool LooksLikeMovie(QByteArrayView header) {
  if (header.size() < 8) return false;
  const QByteArrayView type = header.sliced(4, 4);
  for (const char* first : {"ftyp", "moov", "mdat", "wide", "free", "skip"}) {
    if (type == QByteArrayView(first, 4)) return true;
  }
  return false;
}

std::optional<QDateTime> ReadMovieCreationUtc(QIODevice& file) {
  const qint64 size = file.size();
  const std::optional<Box> movie = FindBox(file, 0, size, "moov");
  if (!movie) return std::nullopt;
  const std::optional<Box> header = FindBox(file, movie->payload, movie->end, "mvhd");
  if (!header) return std::nullopt;
  // Version and flags, then the creation time: 32 bits in version 0, 64 in 1.
  uchar fields[12];
  const qint64 available = header->end - header->payload;
  if (available < 8 || !file.seek(header->payload)) return std::nullopt;
  const qint64 wanted = qMin<qint64>(available, sizeof fields);
  if (file.read(reinterpret_cast<char*>(fields), wanted) != wanted) return std::nullopt;
  uint64_t seconds = 0;
  if (fields[0] == 1) {
    if (wanted < 12) return std::nullopt;
    seconds = qFromBigEndian<quint64>(fields + 4);
  } else if (fields[0] == 0) {
    seconds = qFromBigEndian<quint32>(fields + 4);
  } else {
    return std::nullopt;
  }
  if (seconds == 0 || seconds > kLatestSeconds) return std::nullopt;
  const QDateTime epoch(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC);
  return epoch.addSecs(qint64(seconds));
}

}  // namespace corvane

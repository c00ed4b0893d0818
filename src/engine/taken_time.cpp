#include "engine/taken_time.h"

#include "engine/date_format.h"
#include "engine/taken_time_readers.h"

#include <QFile>

namespace corvane {
namespace {

// Enough of the first box for LooksLikeMovie.
constexpr qint64 kHeaderBytes = 8;

QDateTime Floating(const QDateTime& local) {
  return QDateTime(local.date(), local.time(), Qt::UTC);
}

}  // namespace

std::optional<QDateTime> ReadTakenTime(const QString& path, const QTimeZone& zone) {
  {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray header = file.peek(kHeaderBytes);
    if (LooksLikeMovie(header)) {
      const std::optional<QDateTime> utc = ReadMovieCreationUtc(file);
      if (!utc) return std::nullopt;
      return Floating(ToLocalTime(*utc, zone));
    }
  }
  return ReadExifTakenTime(path);
}

std::optional<QDateTime> TakenTimeOf(const TRenameItem& item, const EngineContext& context) {
  if (item.TakenLocal) {
    if (!item.TakenLocal->isValid()) return std::nullopt;
    return item.TakenLocal;
  }
  return ReadTakenTime(item.OriginalPath, context.timeZone);
}

QDateTime TakenOrModifiedTime(const TRenameItem& item, const EngineContext& context) {
  if (std::optional<QDateTime> taken = TakenTimeOf(item, context)) return *taken;
  const QDateTime modified = item.ModifiedUtc.isValid() ? item.ModifiedUtc : ZeroTime();
  return Floating(ToLocalTime(modified, context.timeZone));
}

}  // namespace corvane

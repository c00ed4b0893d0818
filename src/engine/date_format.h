// The date-format language: how users write dates and times in patterns
// ({date:FMT} and friends) and how the regional standard formats are held.
//
// FormatMoment writes a local date-time by a format read left to right. A run
// of one character in one letter case is one specifier (dd, MMMM, hh...);
// letters are recognised in either case. Hours use the 24-hour clock unless an
// am/pm, a/p or ampm stands later in the format before the next h, or stood
// earlier; an m run whose last letter before it was h writes minutes. Text in
// single or double quotes is copied without its quotes; letters that are no
// specifier are copied as written. The standard formats (c, ddddd, dddddd, t,
// tt) come from `regional` and are read in this same language.
#pragma once

#include "engine/regional_settings.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTimeZone>

namespace corvane {

// `localMoment` is written as it stands (its date and time of day); convert
// UTC times with ToLocalTime first. An invalid moment writes zeros and no names.
QString FormatMoment(QStringView format, const QDateTime& localMoment,
                     const RegionalSettings& regional);

// A date and a time of day as the clocks of some zone show them. An invalid
// date or time stands for a moment that is not known.
struct LocalMoment {
  QDate date;
  QTime time;
};

// What FormatMoment writes, appended to `out`: no text of its own is made.
void AppendMoment(QString& out, QStringView format, const LocalMoment& moment,
                  const RegionalSettings& regional);

// `utc` in `zone`, by the zone's rules in force at that moment (daylight
// saving included). An invalid `utc` gives an invalid result.
QDateTime ToLocalTime(const QDateTime& utc, const QTimeZone& zone);

// Converts UTC times into one zone's local time as ToLocalTime does, but
// remembers the offsets from UTC of the last few periods it looked up, each
// with the times at which the zone's rules begin and end it. Times that lie
// close together (the files of one folder, the clock read again and again)
// then cost no look-up in the zone's rules. Keeps its own copy of the zone;
// Convert updates what it remembers, so a converter serves one thread at a
// time.
class LocalTimeConverter {
 public:
  explicit LocalTimeConverter(const QTimeZone& zone);

  // The moment `utc` with the date, time of day and offset from UTC that
  // ToLocalTime(utc, zone) gives it (its zone is that fixed offset).
  // An invalid `utc` gives an invalid result.
  QDateTime Convert(const QDateTime& utc);

  // The date and time of day of Convert(utc), without making a QDateTime.
  LocalMoment ToLocal(const QDateTime& utc);

 private:
  struct Period {
    qint64 from = 0;   // UTC milliseconds since the epoch, included
    qint64 until = 0;  // excluded; from == until marks an unused slot
    int offset = 0;    // seconds ahead of UTC
  };
  static constexpr int kPeriods = 16;

  int OffsetAt(const QDateTime& utc, qint64 msecs);
  Period LookUp(const QDateTime& utc, qint64 msecs) const;

  QTimeZone zone_;
  Period periods_[kPeriods];
  int last_ = 0;  // the slot that served the last conversion
  int next_ = 0;  // the slot the next look-up fills
};

// A Qt date/time pattern (QLocale::dateFormat and friends) rewritten in the
// date-format language. Qt's "t" (time-zone name) has no counterpart and is
// dropped. A "/" or ":" of the pattern stays a separator specifier only when it
// equals `dateSeparator` or `timeSeparator`; otherwise it is quoted.
QString TranslateQtDatePattern(QStringView qtPattern, QStringView dateSeparator,
                               QStringView timeSeparator);

// The regional settings of `locale` (what RegionalSettings::FromSystem uses
// for QLocale::system()).
RegionalSettings RegionalSettingsForLocale(const QLocale& locale);

}  // namespace corvane

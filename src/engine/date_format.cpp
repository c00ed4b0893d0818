#include "engine/date_format.h"

#include "engine/decimal_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane {
namespace {

// A standard format may itself name a standard format (a short date written
// as "ddddd", a long time holding "c"); inside a standard format those write
// nothing, so a format that refers to itself still ends.
constexpr int kMaxStandardFormatDepth = 1;

// Most formats write about as many characters as they have, a little more for
// a name or a four-digit year; reserving this much spares growing the text.
constexpr qsizetype kRoomForNames = 16;

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

QChar Lower(QChar c) { return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c; }

bool IsQuote(QChar c) { return c == u'\'' || c == u'"'; }

bool StartsWithCaseless(QStringView text, qsizetype at, QStringView word) {
  if (at + word.size() > text.size()) return false;
  for (qsizetype i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

// The length of the designator form (am/pm, a/p, ampm) at `at`, or 0.
qsizetype DesignatorLength(QStringView format, qsizetype at) {
  if (StartsWithCaseless(format, at, u"am/pm")) return 5;
  if (StartsWithCaseless(format, at, u"a/p")) return 3;
  if (StartsWithCaseless(format, at, u"ampm")) return 4;
  return 0;
}

// The end of the quoted text that opens at `at` (one past the closing quote,
// or the end of the format when the quote is never closed).
qsizetype QuotedEnd(QStringView format, qsizetype at) {
  const qsizetype close = format.indexOf(format[at], at + 1);
  return close < 0 ? format.size() : close + 1;
}

// Whether a designator stands after `from`, outside quotes, before the next h.
bool DesignatorBeforeNextHour(QStringView format, qsizetype from) {
  qsizetype i = from;
  while (i < format.size()) {
    const QChar c = format[i];
    if (IsQuote(c)) {
      i = QuotedEnd(format, i);
    } else if (Lower(c) == u'h') {
      return false;
    } else if (Lower(c) == u'a' && DesignatorLength(format, i) > 0) {
      return true;
    } else {
      ++i;
    }
  }
  return false;
}

// Appends `value` in decimal, zero-filled after any minus sign to at least
// `minimumWidth` characters in all (the sign counts).
void AppendDigits(QString& out, int value, int minimumWidth) {
  AppendDecimal(out, value, minimumWidth - (value < 0 ? 1 : 0));
}

QString NameAt(const QStringList& names, int index) {
  return index >= 0 && index < names.size() ? names[index] : QString();
}

// Copies the letter case of `written` onto `word` (a designator such as "pm").
QString InWrittenCase(QStringView word, QStringView written) {
  QString out = word.toString();
  for (qsizetype i = 0; i < out.size() && i < written.size(); ++i) {
    if (written[i].isUpper()) out[i] = out[i].toUpper();
  }
  return out;
}

// Writes one format; one instance per format text, because the 12-hour and
// minute rules look only within the format they stand in.
class MomentWriter {
 public:
  MomentWriter(const LocalMoment& moment, const RegionalSettings& regional, int depth)
      : date_(moment.date), time_(moment.time), regional_(regional), depth_(depth) {
    if (!date_.isValid() || !time_.isValid()) {
      date_ = QDate();
      time_ = QTime(0, 0);
    }
  }

  // Appends what `format` writes to `out`.
  void Write(QStringView format, QString& out) {
    format_ = format;
    out.reserve(out.size() + format.size() + kRoomForNames);
    qsizetype i = 0;
    while (i < format_.size()) i = WriteAt(i, out);
  }

 private:
  // Writes the element that starts at `i`; returns where the next one starts.
  qsizetype WriteAt(qsizetype i, QString& out) {
    const QChar c = format_[i];
    if (IsQuote(c)) {
      const qsizetype close = format_.indexOf(c, i + 1);
      if (close < 0) {
        out += format_.mid(i + 1);
        return format_.size();
      }
      out += format_.mid(i + 1, close - i - 1);
      return close + 1;
    }
    if (!IsAsciiLetter(c)) {
      if (c.isLetter()) lastLetter_ = c;
      if (c == u'/') {
        out += regional_.dateSeparator;
      } else if (c == u':') {
        out += regional_.timeSeparator;
      } else {
        out += c;
      }
      return i + 1;
    }
    if (Lower(c) == u'a') {
      if (const qsizetype length = DesignatorLength(format_, i); length > 0) {
        WriteDesignator(format_.mid(i, length), out);
        seenDesignator_ = true;
        lastLetter_ = format_[i + length - 1];
        return i + length;
      }
    }
    qsizetype end = i + 1;
    while (end < format_.size() && format_[end] == c) ++end;
    WriteRun(Lower(c), static_cast<int>(end - i), end, out);
    lastLetter_ = c;
    return end;
  }

  void WriteDesignator(QStringView written, QString& out) const {
    const bool pm = time_.hour() >= 12;
    if (written.size() == 4) {  // ampm: the regional designator
      out += pm ? regional_.pmDesignator : regional_.amDesignator;
    } else if (written.size() == 5) {  // am/pm
      out += pm ? InWrittenCase(u"pm", written.mid(3)) : InWrittenCase(u"am", written);
    } else {  // a/p
      out += pm ? InWrittenCase(u"p", written.mid(2)) : InWrittenCase(u"a", written);
    }
  }

  void WriteRun(QChar letter, int count, qsizetype runEnd, QString& out) {
    switch (letter.unicode()) {
      case u'c':
        if (depth_ >= kMaxStandardFormatDepth) return;
        out += Standard(regional_.shortDateFormat);
        if (time_ != QTime(0, 0)) out += u' ' + Standard(regional_.longTimeFormat);
        return;
      case u'd':
        return WriteDay(count, out);
      case u'e':
        if (count >= 3) {
          AppendDigits(out, date_.year(), 1);
        } else {
          AppendDigits(out, date_.year() % 100, count);
        }
        return;
      case u'g':
        out += regional_.eraName;
        return;
      case u'm':
        if (Lower(lastLetter_) == u'h') {
          AppendDigits(out, time_.minute(), count >= 2 ? 2 : 1);
        } else {
          WriteMonth(count, out);
        }
        return;
      case u'y':
        if (count >= 3) {
          AppendDigits(out, date_.year(), 4);
        } else {
          AppendDigits(out, date_.year() % 100, 2);
        }
        return;
      case u'h':
        AppendDigits(out, Hour(runEnd), count >= 2 ? 2 : 1);
        return;
      case u'n':
        AppendDigits(out, time_.minute(), count >= 2 ? 2 : 1);
        return;
      case u's':
        AppendDigits(out, time_.second(), count >= 2 ? 2 : 1);
        return;
      case u'z':
        AppendDigits(out, time_.msec(), count >= 3 ? 3 : count);
        return;
      case u't':
        out += Standard(count >= 2 ? regional_.longTimeFormat : regional_.shortTimeFormat);
        return;
      case u'a':  // aaa, aaaa: day names; a lone a or aa is copied
        if (count >= 3) return WriteDay(count >= 4 ? 4 : 3, out);
        [[fallthrough]];
      default:
        out += QString(count, format_[runEnd - 1]);
        return;
    }
  }

  void WriteDay(int count, QString& out) {
    const int weekday = date_.isValid() ? date_.dayOfWeek() % 7 : -1;  // Sunday first
    switch (count) {
      case 1:
      case 2:
        AppendDigits(out, date_.day(), count);
        return;
      case 3:
        out += NameAt(regional_.shortDayNames, weekday);
        return;
      case 4:
        out += NameAt(regional_.longDayNames, weekday);
        return;
      case 5:
        out += Standard(regional_.shortDateFormat);
        return;
      default:
        out += Standard(regional_.longDateFormat);
        return;
    }
  }

  void WriteMonth(int count, QString& out) {
    if (count <= 2) {
      AppendDigits(out, date_.month(), count);
    } else {
      const QStringList& names = count == 3 ? regional_.shortMonthNames : regional_.longMonthNames;
      out += NameAt(names, date_.month() - 1);
    }
  }

  int Hour(qsizetype runEnd) {
    const int hour = time_.hour();
    if (!seenDesignator_ && !DesignatorBeforeNextHour(format_, runEnd)) return hour;
    if (hour == 0) return 12;
    return hour > 12 ? hour - 12 : hour;
  }

  QString Standard(const QString& format) const {
    if (depth_ >= kMaxStandardFormatDepth) return QString();
    QString out;
    MomentWriter({date_, time_}, regional_, depth_ + 1).Write(format, out);
    return out;
  }

  QDate date_;
  QTime time_;
  const RegionalSettings& regional_;
  int depth_;
  QStringView format_;
  QChar lastLetter_;
  bool seenDesignator_ = false;
};

}  // namespace

QString FormatMoment(QStringView format, const QDateTime& localMoment,
                     const RegionalSettings& regional) {
  QString out;
  const LocalMoment moment =
      localMoment.isValid() ? LocalMoment{localMoment.date(), localMoment.time()} : LocalMoment{};
  AppendMoment(out, format, moment, regional);
  return out;
}

void AppendMoment(QString& out, QStringView format, const LocalMoment& moment,
                  const RegionalSettings& regional) {
  MomentWriter(moment, regional, 0).Write(format, out);
}

QDateTime ToLocalTime(const QDateTime& utc, const QTimeZone& zone) {
  if (!utc.isValid()) return QDateTime();
  return utc.toTimeZone(zone);
}

LocalTimeConverter::LocalTimeConverter(const QTimeZone& zone) : zone_(zone) {}

QDateTime LocalTimeConverter::Convert(const QDateTime& utc) {
  if (!utc.isValid()) return QDateTime();
  const qint64 msecs = utc.toMSecsSinceEpoch();
  return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, OffsetAt(utc, msecs));
}

LocalMoment LocalTimeConverter::ToLocal(const QDateTime& utc) {
  if (!utc.isValid()) return {};
  constexpr qint64 kMSecsPerDay = 86'400'000;
  constexpr qint64 kJulianDayOfTheEpoch = 2'440'588;  // 1 January 1970
  const qint64 msecs = utc.toMSecsSinceEpoch();
  const qint64 local = msecs + qint64(OffsetAt(utc, msecs)) * 1000;
  qint64 days = local / kMSecsPerDay;
  if (local % kMSecsPerDay < 0) --days;  // rounded down, also before the epoch
  return {QDate::fromJulianDay(days + kJulianDayOfTheEpoch),
          QTime::fromMSecsSinceStartOfDay(int(local - days * kMSecsPerDay))};
}

// The offset of the remembered period that holds `msecs`, after looking the
// period up when none does.
int LocalTimeConverter::OffsetAt(const QDateTime& utc, qint64 msecs) {
  const auto covers = [msecs](const Period& p) { return msecs >= p.from && msecs < p.until; };
  if (!covers(periods_[last_])) {
    int slot = 0;
    while (slot < kPeriods && !covers(periods_[slot])) ++slot;
    if (slot == kPeriods) {
      slot = next_;
      next_ = (next_ + 1) % kPeriods;
      periods_[slot] = LookUp(utc, msecs);
    }
    last_ = slot;
  }
  return periods_[last_].offset;
}

// The offset comes from the same conversion that ToLocalTime makes; the
// transitions around the moment only bound the period in which it holds. A
// zone that reports no transitions holds its offset for ever when it knows no
// daylight time (a fixed offset such as UTC+01:00); otherwise, and whenever the
// transitions disagree with the conversion, the period is this millisecond
// alone, so the result is still right, only not reused.
LocalTimeConverter::Period LocalTimeConverter::LookUp(const QDateTime& utc, qint64 msecs) const {
  constexpr qint64 kEarliest = std::numeric_limits<qint64>::min();
  constexpr qint64 kLatest = std::numeric_limits<qint64>::max();
  Period period{msecs, msecs + 1, ToLocalTime(utc, zone_).offsetFromUtc()};
  if (!zone_.hasTransitions()) {
    if (!zone_.hasDaylightTime()) period = {kEarliest, kLatest, period.offset};
    return period;
  }
  const QTimeZone::OffsetData before = zone_.previousTransition(utc.addMSecs(1));
  const QTimeZone::OffsetData after = zone_.nextTransition(utc);
  const qint64 from = before.atUtc.isValid() ? before.atUtc.toMSecsSinceEpoch() : kEarliest;
  const qint64 until = after.atUtc.isValid() ? after.atUtc.toMSecsSinceEpoch() : kLatest;
  const bool agrees = from <= msecs && msecs < until &&
                      (!before.atUtc.isValid() || before.offsetFromUtc == period.offset);
  if (agrees) {
    period.from = from;
    period.until = until;
  }
  return period;
}

}  // namespace corvane

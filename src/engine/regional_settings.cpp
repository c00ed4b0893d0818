#include "engine/regional_settings.h"

#include "engine/date_format.h"

#include <QLocale>

#if CORVANE_HAVE_ICU
#include <unicode/udat.h>
#endif

namespace corvane {
namespace {

// The Gregorian era of the fixed settings, and of every English locale.
const QString kEraName = QStringLiteral("A.D.");

// The abbreviated Gregorian era in the words of `locale`. Qt offers no era
// names; ICU, which Qt is built on, does. The Gregorian calendar is asked for
// by name, since some locales (Saudi Arabia, Iran) default to another one.
QString EraName(const QLocale& locale) {
  if (locale.language() == QLocale::English || locale.language() == QLocale::C) return kEraName;
#if CORVANE_HAVE_ICU
  const QByteArray id = locale.name().toLatin1() + "@calendar=gregorian";
  UErrorCode status = U_ZERO_ERROR;
  UDateFormat* format =
      udat_open(UDAT_DEFAULT, UDAT_DEFAULT, id.constData(), nullptr, 0, nullptr, 0, &status);
  if (U_FAILURE(status)) return kEraName;
  constexpr int32_t kCapacity = 64;
  UChar name[kCapacity];
  const int32_t length = udat_getSymbols(format, UDAT_ERAS, 1, name, kCapacity, &status);
  udat_close(format);
  if (U_FAILURE(status) || length <= 0 || length > kCapacity) return kEraName;
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(name), length);
#else
  return kEraName;
#endif
}

// Marks that only set the direction of text (U+200E, U+200F, U+061C, ...):
// invisible, so never a separator.
bool IsDirectionMark(QChar c) { return c.category() == QChar::Other_Format; }

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Collects text that a Qt pattern writes literally and writes it so that the
// date-format language copies it unchanged: letters, quotes and separator
// characters go into quotes, everything else stands as it is.
class LiteralWriter {
 public:
  explicit LiteralWriter(QString& out) : out_(out) {}
  ~LiteralWriter() { Flush(); }

  void Add(QChar c) {
    if (c == u'"') {
      Flush();
      out_ += QStringLiteral("'\"'");
    } else if (IsAsciiLetter(c) || c == u'\'' || c == u'/' || c == u':') {
      quoted_ += c;
    } else {
      Flush();
      out_ += c;
    }
  }

  void Flush() {
    if (quoted_.isEmpty()) return;
    out_ += u'"' + quoted_ + u'"';
    quoted_.clear();
  }

 private:
  QString& out_;
  QString quoted_;
};

// The run of one character starting at `at`.
qsizetype RunLength(QStringView text, qsizetype at) {
  qsizetype end = at + 1;
  while (end < text.size() && text[end] == text[at]) ++end;
  return end - at;
}

// The first separator character between fields of a Qt pattern, or `fallback`.
QString FirstSeparator(QStringView qtPattern, const QString& fallback) {
  bool inQuotes = false;
  bool sawField = false;
  for (const QChar c : qtPattern) {
    if (c == u'\'') {
      inQuotes = !inQuotes;
    } else if (!inQuotes && IsAsciiLetter(c)) {
      sawField = true;
    } else if (!inQuotes && sawField && !c.isSpace() && c != u',' && !IsDirectionMark(c)) {
      return QString(c);
    }
  }
  return fallback;
}

QString RepeatLetter(char16_t letter, qsizetype count) { return QString(count, QChar(letter)); }

// `qtPattern` without its time-zone names ("t" runs outside quotes), each
// with the brackets right around it and one space beside it, so that
// "H:mm:ss (t)" leaves "H:mm:ss" rather than "H:mm:ss ()".
QString WithoutZoneNames(QStringView qtPattern) {
  QString out;
  bool inQuotes = false;
  qsizetype i = 0;
  while (i < qtPattern.size()) {
    const QChar c = qtPattern[i];
    if (c == u'\'') inQuotes = !inQuotes;
    if (inQuotes || c != u't') {
      out += c;
      ++i;
      continue;
    }
    qsizetype end = i + RunLength(qtPattern, i);
    if (out.endsWith(u'(') && end < qtPattern.size() && qtPattern[end] == u')') {
      out.chop(1);
      ++end;
    }
    if (out.endsWith(u' ')) {
      out.chop(1);
    } else if (end < qtPattern.size() && qtPattern[end] == u' ') {
      ++end;
    }
    i = end;
  }
  return out;
}

}  // namespace

QString TranslateQtDatePattern(QStringView qtPattern, QStringView dateSeparator,
                               QStringView timeSeparator) {
  QString out;
  {
    LiteralWriter literal(out);
    qsizetype i = 0;
    while (i < qtPattern.size()) {
      const QChar c = qtPattern[i];
      if (c == u'\'') {
        // '' is one quote; otherwise the text up to the closing quote, in
        // which '' again stands for one quote.
        if (i + 1 < qtPattern.size() && qtPattern[i + 1] == u'\'') {
          literal.Add(c);
          i += 2;
          continue;
        }
        ++i;
        while (i < qtPattern.size()) {
          if (qtPattern[i] == u'\'') {
            if (i + 1 < qtPattern.size() && qtPattern[i + 1] == u'\'') {
              literal.Add(u'\'');
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          literal.Add(qtPattern[i++]);
        }
        continue;
      }
      const qsizetype run = RunLength(qtPattern, i);
      QString field;
      qsizetype used = run;
      switch (c.unicode()) {
        case u'd':
          field = RepeatLetter(u'd', qMin<qsizetype>(run, 4));
          break;
        case u'M':
          field = RepeatLetter(u'M', qMin<qsizetype>(run, 4));
          break;
        case u'y':
          field = run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
          break;
        case u'h':
        case u'H':
          field = RepeatLetter(u'h', qMin<qsizetype>(run, 2));
          break;
        case u'm':
          field = RepeatLetter(u'n', qMin<qsizetype>(run, 2));
          break;
        case u's':
          field = RepeatLetter(u's', qMin<qsizetype>(run, 2));
          break;
        case u'z':
          field = run >= 2 ? QStringLiteral("zzz") : QStringLiteral("z");
          break;
        case u'A':
        case u'a':
          field = QStringLiteral("ampm");
          used =
              (i + 1 < qtPattern.size() && (qtPattern[i + 1] == u'P' || qtPattern[i + 1] == u'p'))
                  ? 2
                  : 1;
          break;
        case u't':
          break;  // the time-zone name has no counterpart: dropped
        case u'/':
        case u':': {
          const QStringView separator = c == u'/' ? dateSeparator : timeSeparator;
          if (separator != QStringView(&c, 1)) {
            literal.Add(c);
            i += 1;
            continue;
          }
          field = QString(c);
          used = 1;
          break;
        }
        default:
          literal.Add(c);
          i += 1;
          continue;
      }
      literal.Flush();
      out += field;
      i += used;
    }
  }
  return out.trimmed();
}

RegionalSettings RegionalSettingsForLocale(const QLocale& locale) {
  RegionalSettings settings;
  const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
  const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
  settings.dateSeparator = FirstSeparator(shortDate, QStringLiteral("/"));
  settings.timeSeparator = FirstSeparator(shortTime, QStringLiteral(":"));
  const auto translate = [&settings](const QString& qtPattern) {
    return TranslateQtDatePattern(WithoutZoneNames(qtPattern), settings.dateSeparator,
                                  settings.timeSeparator);
  };
  settings.shortDateFormat = translate(shortDate);
  settings.longDateFormat = translate(locale.dateFormat(QLocale::LongFormat));
  settings.shortTimeFormat = translate(shortTime);
  settings.longTimeFormat = translate(locale.timeFormat(QLocale::LongFormat));
  for (int day : {7, 1, 2, 3, 4, 5, 6}) {  // Qt counts from Monday; the lists from Sunday
    settings.shortDayNames << locale.dayName(day, QLocale::ShortFormat);
    settings.longDayNames << locale.dayName(day, QLocale::LongFormat);
  }
  for (int month = 1; month <= 12; ++month) {
    settings.shortMonthNames << locale.monthName(month, QLocale::ShortFormat);
    settings.longMonthNames << locale.monthName(month, QLocale::LongFormat);
  }
  settings.amDesignator = locale.amText();
  settings.pmDesignator = locale.pmText();
  settings.eraName = EraName(locale);
  return settings;
}

RegionalSettings RegionalSettings::EnglishUnitedStates() {
  RegionalSettings settings;
  settings.shortDateFormat = QStringLiteral("M/d/yyyy");
  settings.longDateFormat = QStringLiteral("dddd, MMMM d, yyyy");
  settings.shortTimeFormat = QStringLiteral("h:mm AMPM");
  settings.longTimeFormat = QStringLiteral("h:mm:ss AMPM");
  settings.dateSeparator = QStringLiteral("/");
  settings.timeSeparator = QStringLiteral(":");
  settings.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  settings.longDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                           "Thursday", "Friday", "Saturday"};
  settings.shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  settings.longMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};
  settings.amDesignator = QStringLiteral("AM");
  settings.pmDesignator = QStringLiteral("PM");
  settings.eraName = kEraName;
  return settings;
}

RegionalSettings RegionalSettings::FromSystem() {
  return RegionalSettingsForLocale(QLocale::system());
}

}  // namespace corvane

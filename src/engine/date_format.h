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

// `utc` in `zone`, by the zone's rules in force at that moment (daylight
// saving included). An invalid `utc` gives an invalid result.
QDateTime ToLocalTime(const QDateTime& utc, const QTimeZone& zone);

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

// RegionalSettings: the user's date and time conventions, as one value.
//
// Names, separators and standard formats that the date-format language writes
// (see date_format.h). They come from the user's regional settings, never from
// the interface language. The program takes them from the system once at start;
// tests use the fixed English (United States) value.
#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

struct RegionalSettings {
  // Standard formats, written in the program's own date-format language.
  QString shortDateFormat;
  QString longDateFormat;
  QString shortTimeFormat;
  QString longTimeFormat;
  QString dateSeparator;
  QString timeSeparator;
  QStringList shortDayNames;    // 7 entries, Sunday first
  QStringList longDayNames;     // 7 entries, Sunday first
  QStringList shortMonthNames;  // 12 entries, January first
  QStringList longMonthNames;   // 12 entries, January first
  QString amDesignator;
  QString pmDesignator;
  QString eraName;

  // Fixed English (United States) settings: M/d/yyyy, dddd, MMMM d, yyyy,
  // h:mm AMPM, h:mm:ss AMPM, "/", ":", AM, PM, A.D.
  static RegionalSettings EnglishUnitedStates();

  // The settings of QLocale::system(), its Qt patterns translated into the
  // program's date-format language (time-zone names, which that language
  // cannot write, left out with their brackets), the era in the locale's
  // words where the system has them (A.D. for English and otherwise).
  static RegionalSettings FromSystem();

  friend bool operator==(const RegionalSettings&, const RegionalSettings&) = default;
};

}  // namespace corvane

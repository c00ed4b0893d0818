#include "engine/date_format.h"

#include <QLocale>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Wednesday 2 March 2005, 09:05:03.007: every field has a single digit.
const QDateTime kMorning(QDate(2005, 3, 2), QTime(9, 5, 3, 7));
// Saturday 17 October 2026, 14:07:09.045: an afternoon with two-digit fields.
const QDateTime kAfternoon(QDate(2026, 10, 17), QTime(14, 7, 9, 45));

struct FormatCase {
  const char* name;
  const char16_t* format;
  QDateTime moment;
  const char16_t* expected;
};

void CheckCases(const std::vector<FormatCase>& cases, const RegionalSettings& regional) {
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatMoment(c.format, c.moment, regional), QString::fromUtf16(c.expected))
        << "case " << c.name;
  }
}

TEST(FormatMomentTest, EverySpecifierWithEnglishUnitedStatesSettings) {
  const std::vector<FormatCase> cases = {
      {"d", u"d", kMorning, u"2"},
      {"dd", u"dd", kMorning, u"02"},
      {"ddd", u"ddd", kMorning, u"Wed"},
      {"dddd", u"dddd", kMorning, u"Wednesday"},
      {"ddddd", u"ddddd", kMorning, u"3/2/2005"},
      {"dddddd", u"dddddd", kMorning, u"Wednesday, March 2, 2005"},
      {"seven d", u"ddddddd", kMorning, u"Wednesday, March 2, 2005"},
      {"e", u"e", kMorning, u"5"},
      {"ee", u"ee", kMorning, u"05"},
      {"eee", u"eee", kMorning, u"2005"},
      {"g", u"g", kMorning, u"A.D."},
      {"gg", u"gg", kMorning, u"A.D."},
      {"m", u"m", kMorning, u"3"},
      {"mm", u"mm", kMorning, u"03"},
      {"mmm", u"mmm", kMorning, u"Mar"},
      {"mmmm", u"mmmm", kMorning, u"March"},
      {"five m", u"mmmmm", kMorning, u"March"},
      {"y", u"y", kMorning, u"05"},
      {"yy", u"yy", kMorning, u"05"},
      {"yyy", u"yyy", kMorning, u"2005"},
      {"yyyy", u"yyyy", kMorning, u"2005"},
      {"h", u"h", kMorning, u"9"},
      {"hh", u"hh", kMorning, u"09"},
      {"hhh", u"hhh", kMorning, u"09"},
      {"n", u"n", kMorning, u"5"},
      {"nn", u"nn", kMorning, u"05"},
      {"nnn", u"nnn", kMorning, u"05"},
      {"s", u"s", kMorning, u"3"},
      {"ss", u"ss", kMorning, u"03"},
      {"z", u"z", kMorning, u"7"},
      {"zz", u"zz", kMorning, u"07"},
      {"zzz", u"zzz", kMorning, u"007"},
      {"zzzz", u"zzzz", kMorning, u"007"},
      {"z afternoon", u"z", kAfternoon, u"45"},
      {"t", u"t", kMorning, u"9:05 AM"},
      {"tt", u"tt", kMorning, u"9:05:03 AM"},
      {"t afternoon", u"t", kAfternoon, u"2:07 PM"},
      {"c", u"c", kMorning, u"3/2/2005 9:05:03 AM"},
      {"c at midnight", u"c", QDateTime(QDate(2026, 10, 17), QTime(0, 0)), u"10/17/2026"},
      {"c a millisecond after midnight", u"c", QDateTime(QDate(2026, 10, 17), QTime(0, 0, 0, 1)),
       u"10/17/2026 12:00:00 AM"},
      {"am/pm", u"am/pm", kMorning, u"am"},
      {"AM/PM", u"AM/PM", kAfternoon, u"PM"},
      {"Am/pM", u"Am/pM", kAfternoon, u"pM"},
      {"a/p", u"a/p", kMorning, u"a"},
      {"A/P", u"A/P", kAfternoon, u"P"},
      {"ampm", u"ampm", kAfternoon, u"PM"},
      {"AMPM", u"AMPM", kMorning, u"AM"},
      {"aaa", u"aaa", kMorning, u"Wed"},
      {"aaaa", u"aaaa", kMorning, u"Wednesday"},
      {"lone a", u"a", kMorning, u"a"},
      {"aa", u"aa", kMorning, u"aa"},
      {"separators", u"d/m:y", kMorning, u"2/3:05"},
      {"copied letters", u"bfijklopqruvwx BFIJKLOPQRUVWX", kMorning,
       u"bfijklopqruvwx BFIJKLOPQRUVWX"},
      {"other characters", u"-_ .,#1é", kMorning, u"-_ .,#1é"},
      {"single quotes", u"'yyyy' yyyy", kMorning, u"yyyy 2005"},
      {"double quotes", u"\"d'\" d", kMorning, u"d' 2"},
      {"unclosed quote", u"yy'mm dd", kMorning, u"05mm dd"},
      {"word in quotes", u"'Week' ww", kMorning, u"Week ww"},
      {"unquoted word", u"day", kMorning, u"2a05"},
      {"upper case", u"YYYY-MM-DD", kMorning, u"2005-03-02"},
      {"runs by letter case", u"mM", kMorning, u"33"},
      {"runs by letter case d", u"Dd", kMorning, u"22"},
      {"empty format", u"", kMorning, u""},
  };
  CheckCases(cases, RegionalSettings::EnglishUnitedStates());
}

TEST(FormatMomentTest, TwelveHourClockFollowsDesignators) {
  const QDateTime halfPastMidnight(QDate(2026, 1, 1), QTime(0, 30));
  const QDateTime noon(QDate(2026, 1, 1), QTime(12, 0));
  const std::vector<FormatCase> cases = {
      {"24 hours without designator", u"h:nn", kAfternoon, u"14:07"},
      {"designator after", u"h:nn am/pm", kAfternoon, u"2:07 pm"},
      {"midnight is 12", u"h:nn am/pm", halfPastMidnight, u"12:30 am"},
      {"noon stays 12", u"h a/p", noon, u"12 p"},
      {"two digits", u"hh AM/PM", QDateTime(QDate(2026, 1, 1), QTime(9, 0)), u"09 AM"},
      {"regional designator", u"hh ampm", kAfternoon, u"02 PM"},
      {"designator earlier", u"am/pm h", kAfternoon, u"pm 2"},
      {"designator before the next h only", u"h h am/pm", kAfternoon, u"14 2 pm"},
      {"designator earlier counts for every h", u"a/p h h", kAfternoon, u"p 2 2"},
      {"quoted designator does not count", u"h 'am/pm'", kAfternoon, u"14 am/pm"},
      {"a that is no designator", u"h ax", kAfternoon, u"14 ax"},
  };
  CheckCases(cases, RegionalSettings::EnglishUnitedStates());
}

TEST(FormatMomentTest, MonthAfterHourIsMinute) {
  const std::vector<FormatCase> cases = {
      {"file stamp", u"yyyy-MM-dd_HH-mm-ss", kAfternoon, u"2026-10-17_14-07-09"},
      {"m after h", u"h:m", kMorning, u"9:5"},
      {"long run after h", u"hh mmmm", kMorning, u"09 05"},
      {"quoted text in between", u"hh'x'mm", kAfternoon, u"14x07"},
      {"another letter in between", u"h d m", kAfternoon, u"14 17 10"},
      {"copied letter in between", u"h x m", kAfternoon, u"14 x 10"},
      {"month first", u"mm hh", kAfternoon, u"10 14"},
  };
  CheckCases(cases, RegionalSettings::EnglishUnitedStates());
}

TEST(FormatMomentTest, SeparatorsAndNamesComeFromTheRegionalSettings) {
  RegionalSettings regional = RegionalSettings::EnglishUnitedStates();
  regional.dateSeparator = ".";
  regional.timeSeparator = "h";
  regional.longDayNames[3] = "Mittwoch";
  regional.shortMonthNames[2] = "Mär";
  regional.amDesignator = "vorm.";
  EXPECT_EQ(FormatMoment(u"dd/mm/yyyy hh:nn", kMorning, regional), "02.03.2005 09h05");
  EXPECT_EQ(FormatMoment(u"dddd mmm ampm", kMorning, regional), "Mittwoch Mär vorm.");
}

TEST(FormatMomentTest, StandardFormatsAreReadInTheSameLanguage) {
  RegionalSettings regional = RegionalSettings::EnglishUnitedStates();
  regional.shortDateFormat = "yyyy-mm-dd";
  regional.longTimeFormat = "hh:mm:ss ampm";  // minute rule and 12-hour rule inside
  EXPECT_EQ(FormatMoment(u"c", kAfternoon, regional), "2026-10-17 02:07:09 PM");
  // The standard format keeps its own 24-hour reading: its hours follow its rules,
  // not the designator of the outer format.
  regional.shortTimeFormat = "hh:nn";
  EXPECT_EQ(FormatMoment(u"t am/pm", kAfternoon, regional), "14:07 pm");
}

TEST(FormatMomentTest, StandardFormatThatNamesItselfEnds) {
  RegionalSettings regional = RegionalSettings::EnglishUnitedStates();
  regional.shortDateFormat = "ddddd|yy";
  regional.longTimeFormat = "c";
  // Inside a standard format, standard formats write nothing.
  EXPECT_EQ(FormatMoment(u"ddddd", kMorning, regional), "|05");
  EXPECT_EQ(FormatMoment(u"c", kMorning, regional), "|05 ");
}

TEST(FormatMomentTest, InvalidMomentWritesZerosAndNoNames) {
  EXPECT_EQ(
      FormatMoment(u"yyyy-mm-dd dddd|hh:nn", QDateTime(), RegionalSettings::EnglishUnitedStates()),
      "0000-00-00 |00:00");
}

TEST(ToLocalTimeTest, UsesTheRulesInForceAtThatMoment) {
  struct Case {
    const char* name;
    const char* zone;
    QDateTime utc;
    QDateTime local;  // date and time of day in the zone
  };
  const Case cases[] = {
      {"new year one hour ahead", "Europe/Berlin",
       QDateTime(QDate(2025, 12, 31), QTime(23, 30), QTimeZone::utc()),
       QDateTime(QDate(2026, 1, 1), QTime(0, 30))},
      {"new year behind", "America/New_York",
       QDateTime(QDate(2026, 1, 1), QTime(3, 0), QTimeZone::utc()),
       QDateTime(QDate(2025, 12, 31), QTime(22, 0))},
      {"last second of winter time", "Europe/Berlin",
       QDateTime(QDate(2026, 3, 29), QTime(0, 59, 59), QTimeZone::utc()),
       QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59))},
      {"first second of summer time", "Europe/Berlin",
       QDateTime(QDate(2026, 3, 29), QTime(1, 0), QTimeZone::utc()),
       QDateTime(QDate(2026, 3, 29), QTime(3, 0))},
      {"summer time in the repeated hour", "Europe/Berlin",
       QDateTime(QDate(2026, 10, 25), QTime(0, 30), QTimeZone::utc()),
       QDateTime(QDate(2026, 10, 25), QTime(2, 30))},
      {"winter time in the repeated hour", "Europe/Berlin",
       QDateTime(QDate(2026, 10, 25), QTime(1, 30), QTimeZone::utc()),
       QDateTime(QDate(2026, 10, 25), QTime(2, 30))},
      {"summer of another year", "Europe/Berlin",
       QDateTime(QDate(2019, 7, 1), QTime(10, 0), QTimeZone::utc()),
       QDateTime(QDate(2019, 7, 1), QTime(12, 0))},
  };
  for (const Case& c : cases) {
    const QTimeZone zone(c.zone);
    ASSERT_TRUE(zone.isValid()) << c.zone;
    const QDateTime local = ToLocalTime(c.utc, zone);
    EXPECT_EQ(local.date(), c.local.date()) << "case " << c.name;
    EXPECT_EQ(local.time(), c.local.time()) << "case " << c.name;
    EXPECT_EQ(local.toUTC(), c.utc) << "case " << c.name;
  }
  EXPECT_FALSE(ToLocalTime(QDateTime(), QTimeZone("Europe/Berlin")).isValid());
}

TEST(AppendMomentTest, AppendsToTheTextAndWritesZerosForAnUnknownMoment) {
  const RegionalSettings regional = RegionalSettings::EnglishUnitedStates();
  QString text = "photo_";
  AppendMoment(text, u"yyyy-mm-dd hh:nn:ss.zzz dddd", {QDate(2005, 3, 2), QTime(9, 5, 3, 7)},
               regional);
  EXPECT_EQ(text, "photo_2005-03-02 09:05:03.007 Wednesday");
  AppendMoment(text, u"|e ampm", {QDate(1899, 12, 30), QTime(23, 0)}, regional);
  EXPECT_EQ(text, "photo_2005-03-02 09:05:03.007 Wednesday|99 PM");
  QString unknown = "x";
  AppendMoment(unknown, u"yyyy-mm-dd dddd|hh:nn", {QDate(), QTime(9, 5)}, regional);
  EXPECT_EQ(unknown, "x0000-00-00 |00:00");
  QString noTime;
  AppendMoment(noTime, u"dd hh", {QDate(2005, 3, 2), QTime()}, regional);
  EXPECT_EQ(noTime, "00 00");
}

// One converter serves every case in turn, so a period remembered for one
// moment must never be applied to another moment outside it.
TEST(LocalTimeConverterTest, FollowsTheRulesAcrossTransitions) {
  struct Case {
    const char* name;
    QDateTime utc;
    QDateTime local;  // date and time of day in the zone
    int offset;       // seconds ahead of UTC
  };
  const auto utc = [](QDate date, QTime time) { return QDateTime(date, time, QTimeZone::utc()); };
  const Case cases[] = {
      {"summer", utc(QDate(2026, 7, 1), QTime(10, 0)), QDateTime(QDate(2026, 7, 1), QTime(12, 0)),
       7200},
      {"winter", utc(QDate(2026, 1, 15), QTime(10, 0)), QDateTime(QDate(2026, 1, 15), QTime(11, 0)),
       3600},
      {"last second of winter time", utc(QDate(2026, 3, 29), QTime(0, 59, 59)),
       QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59)), 3600},
      {"first second of summer time", utc(QDate(2026, 3, 29), QTime(1, 0)),
       QDateTime(QDate(2026, 3, 29), QTime(3, 0)), 7200},
      {"last millisecond of winter time", utc(QDate(2026, 3, 29), QTime(0, 59, 59, 999)),
       QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59, 999)), 3600},
      {"summer time in the repeated hour", utc(QDate(2026, 10, 25), QTime(0, 30)),
       QDateTime(QDate(2026, 10, 25), QTime(2, 30)), 7200},
      {"winter time in the repeated hour", utc(QDate(2026, 10, 25), QTime(1, 30)),
       QDateTime(QDate(2026, 10, 25), QTime(2, 30)), 3600},
      {"summer again", utc(QDate(2026, 7, 1), QTime(23, 0)),
       QDateTime(QDate(2026, 7, 2), QTime(1, 0)), 7200},
      {"the zero time", utc(QDate(1899, 12, 30), QTime(0, 0)),
       QDateTime(QDate(1899, 12, 30), QTime(1, 0)), 3600},
      {"local mean time before 1893", utc(QDate(1890, 1, 1), QTime(0, 0)),
       QDateTime(QDate(1890, 1, 1), QTime(0, 53, 28)), 3208},
      {"double summer time of 1947", utc(QDate(1947, 6, 1), QTime(12, 0)),
       QDateTime(QDate(1947, 6, 1), QTime(15, 0)), 10800},
      {"far future summer", utc(QDate(2100, 7, 1), QTime(0, 0)),
       QDateTime(QDate(2100, 7, 1), QTime(2, 0)), 7200},
  };
  LocalTimeConverter converter(QTimeZone("Europe/Berlin"));
  for (const Case& c : cases) {
    const QDateTime local = converter.Convert(c.utc);
    EXPECT_EQ(local.date(), c.local.date()) << "case " << c.name;
    EXPECT_EQ(local.time(), c.local.time()) << "case " << c.name;
    EXPECT_EQ(local.offsetFromUtc(), c.offset) << "case " << c.name;
    EXPECT_EQ(local.toUTC(), c.utc) << "case " << c.name;
    const LocalMoment moment = converter.ToLocal(c.utc);
    EXPECT_EQ(moment.date, c.local.date()) << "case " << c.name;
    EXPECT_EQ(moment.time, c.local.time()) << "case " << c.name;
  }
  EXPECT_FALSE(converter.Convert(QDateTime()).isValid());
  EXPECT_FALSE(converter.ToLocal(QDateTime()).date.isValid());
}

TEST(LocalTimeConverterTest, FixedOffsetsAndHalfHourDaylightTime) {
  const QDateTime winter(QDate(2026, 1, 15), QTime(10, 0), QTimeZone::utc());
  const QDateTime summer(QDate(2026, 7, 1), QTime(10, 0), QTimeZone::utc());
  LocalTimeConverter fixed(QTimeZone(-16200));  // UTC-04:30
  EXPECT_EQ(fixed.Convert(winter).time(), QTime(5, 30));
  EXPECT_EQ(fixed.Convert(summer).time(), QTime(5, 30));
  LocalTimeConverter utc(QTimeZone::utc());
  EXPECT_EQ(utc.Convert(summer).time(), QTime(10, 0));
  // Lord Howe Island moves its clocks by half an hour; January is its summer.
  LocalTimeConverter lordHowe(QTimeZone("Australia/Lord_Howe"));
  EXPECT_EQ(lordHowe.Convert(winter).time(), QTime(21, 0));
  EXPECT_EQ(lordHowe.Convert(summer).time(), QTime(20, 30));
  EXPECT_EQ(lordHowe.Convert(winter).time(), QTime(21, 0));
}

// Every quarter hour of three years, and jumps back and forth between them,
// give what the zone's own conversion gives.
TEST(LocalTimeConverterTest, AgreesWithToLocalTimeOverYears) {
  for (const char* id : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
    const QTimeZone zone(id);
    ASSERT_TRUE(zone.isValid()) << id;
    LocalTimeConverter converter(zone);
    const QDateTime start(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc());
    int mismatches = 0;
    for (qint64 step = 0; step < 3 * 366 * 96; ++step) {
      // Every other moment lies a year and a half away from its neighbour.
      const qint64 minutes = step % 2 == 0 ? step * 15 : (3 * 366 * 96 - step) * 15;
      const QDateTime utc = start.addSecs(minutes * 60 + 7);
      const QDateTime expected = ToLocalTime(utc, zone);
      const QDateTime actual = converter.Convert(utc);
      const LocalMoment moment = converter.ToLocal(utc);
      if (actual.date() != expected.date() || actual.time() != expected.time() ||
          actual.offsetFromUtc() != expected.offsetFromUtc() || moment.date != expected.date() ||
          moment.time != expected.time()) {
        if (++mismatches <= 3) {
          ADD_FAILURE() << id << " at " << utc.toString(Qt::ISODate).toStdString() << ": "
                        << actual.toString(Qt::ISODate).toStdString() << " instead of "
                        << expected.toString(Qt::ISODate).toStdString();
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << id;
  }
}

TEST(TranslateQtDatePatternTest, RewritesQtPatterns) {
  struct Case {
    const char* name;
    const char16_t* qt;
    const char16_t* dateSeparator;
    const char16_t* timeSeparator;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"us short date", u"M/d/yy", u"/", u":", u"M/d/yy"},
      {"german short date", u"dd.MM.yy", u".", u":", u"dd.MM.yy"},
      {"long date with words", u"d 'de' MMMM 'de' yyyy", u"/", u":", u"d \"de\" MMMM \"de\" yyyy"},
      {"day names", u"dddd, MMMM d, yyyy", u"/", u":", u"dddd, MMMM d, yyyy"},
      {"twelve hours", u"h:mm AP", u"/", u":", u"h:nn ampm"},
      {"lower-case designator", u"h:mm:ss ap", u"/", u":", u"h:nn:ss ampm"},
      {"time zone dropped", u"HH:mm:ss t", u"/", u":", u"hh:nn:ss"},
      {"milliseconds", u"H:mm:ss.zzz", u"/", u":", u"h:nn:ss.zzz"},
      {"quote inside quotes", u"h 'o''clock'", u"/", u":", u"h \"o'clock\""},
      {"lone quote", u"h''", u"/", u":", u"h\"'\""},
      {"cjk text stays", u"yyyy年M月d日", u"/", u":", u"yyyy年M月d日"},
      {"slash that is no separator", u"dd/MM", u"-", u":", u"dd\"/\"MM"},
      {"colon that is no separator", u"H:mm", u"/", u".", u"h\":\"nn"},
      {"double quote", u"d'\"'", u"/", u":", u"d'\"'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TranslateQtDatePattern(c.qt, c.dateSeparator, c.timeSeparator),
              QString::fromUtf16(c.expected))
        << "case " << c.name;
  }
}

TEST(RegionalSettingsTest, EnglishUnitedStatesFromTheLocaleMatchesTheFixedValue) {
  const RegionalSettings fixed = RegionalSettings::EnglishUnitedStates();
  const RegionalSettings fromLocale =
      RegionalSettingsForLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(fromLocale.dateSeparator, "/");
  EXPECT_EQ(fromLocale.timeSeparator, ":");
  EXPECT_EQ(fromLocale.shortTimeFormat, "h:nn ampm");
  EXPECT_EQ(fromLocale.longDayNames, fixed.longDayNames);
  EXPECT_EQ(fromLocale.shortDayNames, fixed.shortDayNames);
  EXPECT_EQ(fromLocale.longMonthNames, fixed.longMonthNames);
  EXPECT_EQ(fromLocale.shortMonthNames, fixed.shortMonthNames);
  EXPECT_EQ(fromLocale.amDesignator, "AM");
  EXPECT_EQ(fromLocale.pmDesignator, "PM");
  EXPECT_EQ(FormatMoment(u"dddddd tt", kAfternoon, fromLocale),
            "Saturday, October 17, 2026 2:07:09 PM");
}

TEST(RegionalSettingsTest, GermanNamesAndSeparators) {
  const RegionalSettings german =
      RegionalSettingsForLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(german.dateSeparator, ".");
  EXPECT_EQ(german.timeSeparator, ":");
  EXPECT_EQ(FormatMoment(u"ddddd t", kMorning, german), "02.03.05 09:05");
  EXPECT_EQ(FormatMoment(u"dddd, d. mmmm yyyy", kMorning, german), "Mittwoch, 2. März 2005");
}

// Locales where Qt's patterns or names used to come out wrong: the era was
// always English, a zone name in brackets left "()", and Arabic dates put a
// right-to-left mark where the separator was looked for.
TEST(RegionalSettingsTest, LocalesWriteTheirOwnEraNoEmptyZoneAndTheVisibleSeparator) {
  struct Case {
    const char* locale;
    const char16_t* format;
    QDateTime moment;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"de_DE", u"g", kMorning, u"n. Chr."},
      {"de_DE", u"gg yyyy", kMorning, u"n. Chr. 2005"},
      {"ja_JP", u"g", kMorning, u"西暦"},
      {"es_ES", u"g", kMorning, u"d. C."},
      {"ar_SA", u"g", kMorning, u"م"},
      {"en_GB", u"g", kMorning, u"A.D."},
      {"es_ES", u"tt", kAfternoon, u"14:07:09"},
      {"es_ES", u"c", kAfternoon, u"17/10/26 14:07:09"},
      {"de_DE", u"tt", kAfternoon, u"14:07:09"},
      {"ja_JP", u"tt", kAfternoon, u"14時07分09秒"},
      {"ar_EG", u"ddddd", kMorning, u"2\u200F/3\u200F/2005"},
      {"ar_EG", u"d/m", kMorning, u"2/3"},
  };
  for (const Case& c : cases) {
    const RegionalSettings regional =
        RegionalSettingsForLocale(QLocale(QString::fromLatin1(c.locale)));
    EXPECT_EQ(FormatMoment(c.format, c.moment, regional), QString::fromUtf16(c.expected))
        << c.locale << " " << QString::fromUtf16(c.format).toStdString();
  }
  EXPECT_EQ(RegionalSettingsForLocale(QLocale(QStringLiteral("ar_EG"))).dateSeparator, "/");
  EXPECT_EQ(RegionalSettingsForLocale(QLocale(QStringLiteral("es_ES"))).longTimeFormat, "h:nn:ss");
}

TEST(RegionalSettingsTest, FromSystemFollowsTheSystemLocale) {
  // ctest runs every test with LC_ALL=C.UTF-8; whatever the locale, the value
  // must be the one the system locale gives.
  EXPECT_EQ(RegionalSettings::FromSystem(), RegionalSettingsForLocale(QLocale::system()));
  const RegionalSettings system = RegionalSettings::FromSystem();
  EXPECT_EQ(system.longDayNames.size(), 7);
  EXPECT_EQ(system.longMonthNames.size(), 12);
  EXPECT_FALSE(system.shortDateFormat.isEmpty());
}

}  // namespace
}  // namespace corvane

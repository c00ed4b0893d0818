// EngineContext: everything outside the item and the options that decides a
// new name — the clock, the time zone, the regional settings and the locale of
// letter-case mapping. The program builds it from the system once at start;
// tests fix every part of it.
#pragma once

#include "engine/regional_settings.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <functional>

namespace corvane {

struct EngineContext {
  // The present moment in UTC. Called anew wherever the present is needed.
  std::function<QDateTime()> nowUtc = [] { return QDateTime::currentDateTimeUtc(); };
  // The zone that UTC times are converted into, with its daylight-saving rules.
  QTimeZone timeZone = QTimeZone::systemTimeZone();
  RegionalSettings regional = RegionalSettings::EnglishUnitedStates();
  // Linguistic upper- and lower-case mapping follows this locale.
  QLocale caseLocale = QLocale::system();

  // The context of the running program: system clock, zone, settings and locale.
  static EngineContext FromSystem();

  // A context for tests: a fixed clock, the given zone, English (United States)
  // settings and the C locale for case mapping.
  static EngineContext Fixed(const QDateTime& nowUtc, const QTimeZone& zone);
};

}  // namespace corvane

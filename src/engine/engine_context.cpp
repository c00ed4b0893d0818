#include "engine/engine_context.h"

namespace corvane {

EngineContext EngineContext::FromSystem() {
  EngineContext context;
  context.regional = RegionalSettings::FromSystem();
  return context;
}

EngineContext EngineContext::Fixed(const QDateTime& nowUtc, const QTimeZone& zone) {
  EngineContext context;
  context.nowUtc = [nowUtc] { return nowUtc; };
  context.timeZone = zone;
  context.regional = RegionalSettings::EnglishUnitedStates();
  context.caseLocale = QLocale::c();
  return context;
}

}  // namespace corvane

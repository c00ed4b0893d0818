#include "i18n/shown_messages.h"

#include "base/program_text.h"
#include "i18n/translation.h"

namespace corvane {

QString ErrorReportText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() <= u'.') return message;
  return message + u'.';
}

QString NoticeText(const Notice& notice) {
  return Translate(ProgramText{notice.text, notice.args});
}

QString ErrorReportText(const Error& error) { return ErrorReportText(Translate(error)); }

}  // namespace corvane

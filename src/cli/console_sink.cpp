#include "cli/console_sink.h"

#include "i18n/translation.h"

namespace corvane {

QString ErrorReportText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() <= u'.') return message;
  return message + u'.';
}

ConsoleSink::~ConsoleSink() { out_.flush(); }

void ConsoleSink::ShowNotice(const Notice& notice) { out_ << Translate(notice.text) << '\n'; }

void ConsoleSink::ShowError(const Error& error) {
  out_.flush();
  err_ << ErrorReportText(Translate(error)) << '\n';
  err_.flush();
}

void ConsoleSink::ShowLine(const QString& line) { out_ << line << '\n'; }

}  // namespace corvane

#include "cli/console_sink.h"

#include "i18n/shown_messages.h"

namespace corvane {

ConsoleSink::~ConsoleSink() { out_.flush(); }

void ConsoleSink::ShowNotice(const Notice& notice) { out_ << NoticeText(notice) << '\n'; }

void ConsoleSink::ShowError(const Error& error) {
  out_.flush();
  err_ << ErrorReportText(error) << '\n';
  err_.flush();
}

void ConsoleSink::ShowLine(const QString& line) { out_ << line << '\n'; }

void ConsoleSink::ShowErrorLine(const QString& line) {
  out_.flush();
  err_ << line << '\n';
  err_.flush();
}

}  // namespace corvane

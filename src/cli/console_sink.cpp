#include "cli/console_sink.h"

#include "base/format.h"
#include "i18n/translation.h"

namespace corvane {

QString ErrorReportText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() <= u'.') return message;
  return message + u'.';
}

namespace {

// Texts are looked up with their placeholders, then filled; a text without
// values is shown as it stands, "%" and all.
QString Filled(const QString& text, const QStringList& args) {
  return args.isEmpty() ? Translate(text) : FormatText(Translate(text), args);
}

}  // namespace

QString NoticeText(const Notice& notice) { return Filled(notice.text, notice.args); }

QString ErrorReportText(const Error& error) {
  return ErrorReportText(Translate(error));
}

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

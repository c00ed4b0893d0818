#include "cli/console_sink.h"

#include "base/format.h"
#include "i18n/translation.h"

namespace corvane {

QString ErrorReportText(const QString& message) {
  if (!message.isEmpty() && message.back().unicode() <= u'.') return message;
  return message + u'.';
}

ConsoleSink::~ConsoleSink() { out_.flush(); }

namespace {

// Texts are looked up with their placeholders, then filled; a text without
// values is shown as it stands, "%" and all.
QString Filled(const QString& text, const QStringList& args) {
  return args.isEmpty() ? Translate(text) : FormatText(Translate(text), args);
}

}  // namespace

void ConsoleSink::ShowNotice(const Notice& notice) {
  out_ << Filled(notice.text, notice.args) << '\n';
}

void ConsoleSink::ShowError(const Error& error) {
  out_.flush();
  err_ << ErrorReportText(Translate(error)) << '\n';
  err_.flush();
}

void ConsoleSink::ShowLine(const QString& line) { out_ << line << '\n'; }

void ConsoleSink::ShowErrorLine(const QString& line) {
  out_.flush();
  err_ << line << '\n';
  err_.flush();
}

}  // namespace corvane

#include "ui/dialog_sink.h"

#include <QCoreApplication>

#include "i18n/shown_messages.h"

namespace corvane {

void DialogSink::ShowNotice(const Notice& notice) {
  const Dialogs::Kind kind =
      notice.kind == Notice::Kind::kWarning ? Dialogs::Kind::kWarning : Dialogs::Kind::kInformation;
  dialogs_.ShowMessage(parent_, kind, QCoreApplication::applicationName(), NoticeText(notice));
}

void DialogSink::ShowError(const Error& error) {
  dialogs_.ShowMessage(parent_, Dialogs::Kind::kError, QCoreApplication::applicationName(),
                       ErrorReportText(error));
}

void DialogSink::ShowLine(const QString& line) {
  dialogs_.ShowMessage(parent_, Dialogs::Kind::kInformation, QCoreApplication::applicationName(),
                       line);
}

void DialogSink::ShowErrorLine(const QString& line) {
  dialogs_.ShowMessage(parent_, Dialogs::Kind::kError, QCoreApplication::applicationName(), line);
}

}  // namespace corvane

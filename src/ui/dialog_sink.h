// DialogSink: the MessageSink of the window. Notices become information or
// warning boxes, errors the general error report (an error box), each titled
// with the application title and shown through Dialogs.
#pragma once

#include "base/message_sink.h"
#include "ui/dialogs.h"

class QWidget;

namespace corvane {

class DialogSink final : public MessageSink {
 public:
  // `dialogs` and `parent` must outlive the sink.
  DialogSink(Dialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}

  void ShowNotice(const Notice& notice) override;
  void ShowError(const Error& error) override;
  void ShowLine(const QString& line) override;
  void ShowErrorLine(const QString& line) override;

 private:
  Dialogs& dialogs_;
  QWidget* parent_;
};

}  // namespace corvane

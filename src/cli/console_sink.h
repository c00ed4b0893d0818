// ConsoleSink: the MessageSink of a terminal.
//
// Information, warnings and lines go to `out`, errors and error lines to
// `err`, each as one translated line. The streams are borrowed and must
// outlive the sink; `out` is buffered and flushed when an error is written (so
// the two keep their order on one terminal) and when the sink is destroyed.
#pragma once

#include <QTextStream>

#include "base/message_sink.h"

namespace corvane {

class ConsoleSink : public MessageSink {
 public:
  ConsoleSink(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}
  ~ConsoleSink() override;

  void ShowNotice(const Notice& notice) override;
  void ShowError(const Error& error) override;
  void ShowLine(const QString& line) override;
  void ShowErrorLine(const QString& line) override;

 private:
  QTextStream& out_;
  QTextStream& err_;
};

}  // namespace corvane

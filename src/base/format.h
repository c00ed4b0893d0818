// FormatText: fills the "%s" and "%d" placeholders of a program text.
//
// Program texts are looked up through Translate with their placeholders still
// in them and formatted afterwards, so the placeholders follow the printf
// convention the translations keep. Each placeholder takes the next argument
// (callers pass numbers already written as text); "%%" writes one "%". A
// placeholder without an argument left is written as it stands, and so is any
// other "%" sequence, so a faulty translation shows its text rather than
// losing it.
#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

inline QString FormatText(QStringView format, const QStringList& args) {
  QString out;
  out.reserve(format.size() + 16);
  qsizetype next = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c != u'%' || i + 1 >= format.size()) {
      out.append(c);
      continue;
    }
    const QChar kind = format[i + 1];
    if (kind == u'%') {
      out.append(u'%');
      ++i;
    } else if ((kind == u's' || kind == u'd') && next < args.size()) {
      out.append(args[next++]);
      ++i;
    } else {
      out.append(c);
    }
  }
  return out;
}

}  // namespace corvane

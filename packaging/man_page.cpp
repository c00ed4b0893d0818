// Writes the manual page from its template, putting the switches and keys,
// the exit statuses and the examples of /help where the template names them,
// so that the page and /help cannot drift apart.
//   corvane_man_page <template> <out.1>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdio>

#include "cli/usage.h"

namespace {

// Text set literally: roff would read a backslash as an escape, a leading dot
// or quote as a request, and "-" as a hyphen that may break a command.
QString Literal(const char* text) {
  QString roff = QString::fromUtf8(text);
  roff.replace(u'\\', QStringLiteral("\\e"));
  roff.replace(u'-', QStringLiteral("\\-"));
  roff.replace(u'"', QStringLiteral("\\(dq"));
  return roff;
}

// Prose: only a leading dot or quote needs guarding.
QString Prose(const char16_t* text) {
  QString roff = QString::fromUtf16(text);
  roff.replace(u'\\', QStringLiteral("\\e"));
  if (roff.startsWith(u'.') || roff.startsWith(u'\'')) roff.prepend(QStringLiteral("\\&"));
  return roff;
}

QString Switches() {
  QString roff;
  for (const corvane::UsageEntry& entry : corvane::UsageSwitches()) {
    const QString syntax = Literal(entry.syntax);
    const qsizetype value = syntax.indexOf(u'=');
    roff += QStringLiteral(".TP\n");
    if (value < 0) {
      roff += QStringLiteral(".B \"%1\"\n").arg(syntax);
    } else {
      roff +=
          QStringLiteral(".BI \"%1\" \"%2\"\n").arg(syntax.left(value + 1), syntax.mid(value + 1));
    }
    roff += Prose(entry.description) + u'\n';
  }
  return roff;
}

QString ExitStatuses() {
  QString roff;
  for (const corvane::ExitStatusEntry& entry : corvane::UsageExitStatuses()) {
    roff += QStringLiteral(".TP\n.B %1\n").arg(entry.code) + Prose(entry.meaning) + u'\n';
  }
  return roff;
}

QString Examples() {
  QString roff = QStringLiteral(".PP\n.RS 4\n.EX\n");
  for (const char* example : corvane::UsageExamples()) roff += Literal(example) + u'\n';
  return roff + QStringLiteral(".EE\n.RE\n");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <template> <out.1>\n", argv[0]);
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 1;
  }
  const QString filled = QString::fromUtf8(in.readAll())
                             .replace(QStringLiteral("{{SWITCHES}}\n"), Switches())
                             .replace(QStringLiteral("{{EXIT_STATUSES}}\n"), ExitStatuses())
                             .replace(QStringLiteral("{{EXAMPLES}}\n"), Examples());
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(filled.toUtf8()) < 0) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}

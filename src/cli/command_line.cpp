#include "cli/command_line.h"

#include <QLocale>

#include "platform/native_name.h"
#include "platform/paths.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace corvane {
namespace {

bool IsSeparator(QChar c) { return c.unicode() >= 1 && c.unicode() <= 0x20; }

// Reads one argument starting at `pos` (after the separators before it) and
// leaves `pos` after it.
QString ReadArgument(QStringView raw, qsizetype& pos) {
  QString arg;
  while (pos < raw.size() && raw[pos].unicode() != 0 && !IsSeparator(raw[pos])) {
    if (raw[pos] != u'"') {
      arg.append(raw[pos++]);
      continue;
    }
    ++pos;
    while (pos < raw.size() && raw[pos].unicode() != 0 && raw[pos] != u'"') arg.append(raw[pos++]);
    if (pos < raw.size() && raw[pos] == u'"') ++pos;
  }
  return arg;
}

}  // namespace

QStringList SplitWindowsCommandLine(QStringView raw) {
  QStringList args;
  qsizetype pos = 0;
  while (true) {
    while (true) {
      while (pos < raw.size() && IsSeparator(raw[pos])) ++pos;
      if (pos + 1 < raw.size() && raw[pos] == u'"' && raw[pos + 1] == u'"') {
        pos += 2;
      } else {
        break;
      }
    }
    if (pos >= raw.size() || raw[pos].unicode() == 0) break;
    QString arg = ReadArgument(raw, pos);
    // Only a lone quote at the end of the line reads as nothing.
    if (!arg.isEmpty()) args << arg;
  }
  return args;
}

QStringList ProgramArguments(int argc, const char* const* argv) {
#ifdef Q_OS_WIN
  (void)argc;
  (void)argv;
  return SplitWindowsCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW())).mid(1);
#else
  QStringList args;
  args.reserve(argc);
  for (int i = 1; i < argc; ++i) args << DecodeNativeName(argv[i]);
  return args;
#endif
}

bool HasSwitch(const QStringList& args, QStringView name) {
  const QString wanted = u'/' + name.toString();
  for (const QString& arg : args) {
    if (EqualIgnoringAsciiCase(arg, wanted)) return true;
  }
  return false;
}

std::optional<QString> FindSwitchValue(const QStringList& args, QStringView key) {
  const QLocale locale;
  const QString prefix = locale.toLower(u'/' + key.toString() + u'=');
  for (const QString& arg : args) {
    if (!locale.toLower(arg).startsWith(prefix)) continue;
    QStringView value = QStringView(arg).mid(arg.indexOf(u'=') + 1);
    while (value.startsWith(u'"')) value = value.mid(1);
    while (value.endsWith(u'"')) value.chop(1);
    return value.toString();
  }
  return std::nullopt;
}

QString GetSwitchValue(const QStringList& args, QStringView key, const QString& fallback) {
  return FindSwitchValue(args, key).value_or(fallback);
}

}  // namespace corvane

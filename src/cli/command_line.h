// Reading the program's arguments: the Windows splitting rule, switches and
// values.
//
// A switch is an argument equal to "/" + name, the letters A to Z compared
// without case and every other character exactly: /cli and /CLI are the
// switch "cli"; /cli=1, -cli and cli are not. A value is an argument that,
// both lower-cased by the user's locale, begins with "/" + key + "="; its text
// is everything after the first "=", with every double quote at its start and
// at its end removed. Of several arguments carrying one key the first counts.
// Names and keys are passed in lower case.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace corvane {

// Splits a raw Windows command line into its arguments, the program's own path
// first. Characters U+0001 to U+0020 separate arguments and two double quotes
// in a row before an argument are passed over like a separator; inside an
// argument a double quote opens a run that lasts to the next double quote (or
// the end), in which separators belong to the argument. Quotes are removed;
// there is no escape character. U+0000 ends the line; a lone quote at its end
// gives no argument.
QStringList SplitWindowsCommandLine(QStringView raw);

// The arguments after the program's own path: on Windows the raw command line
// split by the rule above (`argv` is not read), elsewhere `argv` as the shell
// delivered it, each argument decoded as names are (platform/native_name.h),
// so that a file name that is not UTF-8 names that file.
QStringList ProgramArguments(int argc, const char* const* argv);

bool HasSwitch(const QStringList& args, QStringView name);

// The value of the first argument carrying `key`, or nullopt when none does.
std::optional<QString> FindSwitchValue(const QStringList& args, QStringView key);

// The value of the first argument carrying `key`, or `fallback`.
QString GetSwitchValue(const QStringList& args, QStringView key, const QString& fallback);

}  // namespace corvane

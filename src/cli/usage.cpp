#include "cli/usage.h"

#include "cli/run_command_line.h"
#include "i18n/translation.h"

namespace corvane {
namespace {

constexpr UsageEntry kEntries[] = {
    {"/cli", "Rename from the command line: set the options, preview, rename, then end."},
    {"/dryrun", "Preview only: print each file with its new name and change nothing."},
    {"/pattern=TEXT", "Pattern of the new name without extension, such as {name}_{counter}."},
    {"/start=N", "First value of the counter (default 1)."},
    {"/digits=N", "Minimum number of digits of the counter, 1 to 10 (default 3)."},
    {"/case=MODE", "Letter case of the new name: lower, upper or title."},
    {"/find=TEXT", "Text to find in the new name."},
    {"/replace=TEXT", "Text that replaces what was found."},
    {"/regex", "Read the find text as a regular expression."},
    {"/newext=EXT", "New extension, with or without its dot."},
    {"/conflict=MODE",
     "When a file with the new name exists: skip, overwrite or number (default)."},
    {"/preset=FILE", "Load a preset file first; options not given keep the preset's values."},
    {"/subfolders", "Add the files of subfolders too, when a folder is named."},
    {"/undo", "Undo the last rename."},
    {"/help", "Show this help."},
    {"/version", "Show the version of the program."},
};

constexpr ExitStatusEntry kExitStatuses[] = {
    {kExitCompleted, "Done."},
    {kExitStopped, "Stopped by an error or a warning."},
    {kExitUsage, "The command line was wrong and nothing was done."},
};

#ifdef Q_OS_WIN
constexpr const char* kExamples[] = {
    R"(corvane /cli /dryrun /pattern="{name}_{counter}" /case=lower C:\Photos\Trip)",
    R"(corvane /cli /pattern="{name}_{counter}" /case=lower C:\Photos\Trip)",
};
#else
constexpr const char* kExamples[] = {
    R"(corvane /cli /dryrun '/pattern={name}_{counter}' /case=lower ~/Pictures/trip)",
    R"(corvane /cli '/pattern={name}_{counter}' /case=lower ~/Pictures/trip)",
};
#endif

constexpr int kSyntaxWidth = 17;

}  // namespace

std::span<const UsageEntry> UsageSwitches() { return kEntries; }

std::span<const ExitStatusEntry> UsageExitStatuses() { return kExitStatuses; }

std::span<const char* const> UsageExamples() { return kExamples; }

QStringList UsageLines() {
  QStringList lines;
  lines << Translate(QStringLiteral("Usage: corvane /cli [options] [files or folders]"));
  for (const UsageEntry& entry : UsageSwitches()) {
    lines << QStringLiteral("  ") + QString::fromLatin1(entry.syntax).leftJustified(kSyntaxWidth) +
                 u' ' + Translate(QString::fromUtf8(entry.description));
  }
  lines << Translate(QStringLiteral("Files and folders are renamed in the order given."));
  lines << QString();
  lines << Translate(QStringLiteral("Exit status:"));
  for (const ExitStatusEntry& entry : UsageExitStatuses()) {
    lines << QStringLiteral("  %1  ").arg(entry.code) + Translate(QString::fromUtf8(entry.meaning));
  }
  lines << QString();
  lines << Translate(QStringLiteral("Examples:"));
  for (const char* example : UsageExamples())
    lines << QStringLiteral("  ") + QString::fromUtf8(example);
  return lines;
}

}  // namespace corvane

#include "cli/usage.h"

#include "base/english_text.h"
#include "cli/run_command_line.h"
#include "i18n/translation.h"

namespace corvane {
namespace {

constexpr UsageEntry kEntries[] = {
    {"/cli", EN_TEXT("Rename from the command line: set the options, preview, rename, then end.")},
    {"/dryrun", EN_TEXT("Preview only: print each file with its new name and change nothing.")},
    {"/pattern=TEXT",
     EN_TEXT("Pattern of the new name without extension, such as {name}_{counter}.")},
    {"/start=N", EN_TEXT("First value of the counter (default 1).")},
    {"/digits=N", EN_TEXT("Minimum number of digits of the counter, 1 to 10 (default 3).")},
    {"/case=MODE", EN_TEXT("Letter case of the new name: lower, upper or title.")},
    {"/extcase=MODE", EN_TEXT("Letter case of the extension: lower, upper or unchanged.")},
    {"/find=TEXT", EN_TEXT("Text to find in the new name.")},
    {"/replace=TEXT", EN_TEXT("Text that replaces what was found.")},
    {"/regex", EN_TEXT("Read the find text as a regular expression.")},
    {"/newext=EXT", EN_TEXT("New extension, with or without its dot.")},
    {"/conflict=MODE",
     EN_TEXT("When a file with the new name exists: skip, overwrite or number (default).")},
    {"/preset=FILE",
     EN_TEXT("Load a preset file first; options not given keep the preset's values.")},
    {"/subfolders", EN_TEXT("Add the files of subfolders too, when a folder is named.")},
    {"/sort=KEY", EN_TEXT("Sort the files before numbering: name, modified, taken or size.")},
    {"/reverse", EN_TEXT("Reverse the order of the files (after /sort).")},
    {"/undo", EN_TEXT("Undo the last rename.")},
    {"/help", EN_TEXT("Show this help.")},
    {"/version", EN_TEXT("Show the version of the program.")},
};

constexpr ExitStatusEntry kExitStatuses[] = {
    {kExitCompleted, EN_TEXT("Done.")},
    {kExitStopped, EN_TEXT("Stopped by an error or a warning.")},
    {kExitUsage, EN_TEXT("The command line was wrong and nothing was done.")},
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
  lines << Translate(QStringLiteral(EN_TEXT("Usage: corvane [files or folders]")));
  lines << Translate(
      QStringLiteral(EN_TEXT("Opens the window with these files and folders in its list.")));
  lines << QString();
  lines << Translate(QStringLiteral(EN_TEXT("Usage: corvane /cli [options] [files or folders]")));
  for (const UsageEntry& entry : UsageSwitches()) {
    lines << QStringLiteral("  ") + QString::fromLatin1(entry.syntax).leftJustified(kSyntaxWidth) +
                 u' ' + Translate(QString::fromUtf16(entry.description));
  }
  lines << Translate(QStringLiteral(EN_TEXT("Files and folders are renamed in the order given.")));
  lines << QString();
  lines << Translate(QStringLiteral(EN_TEXT("Exit status:")));
  for (const ExitStatusEntry& entry : UsageExitStatuses()) {
    lines << QStringLiteral("  %1  ").arg(entry.code) +
                 Translate(QString::fromUtf16(entry.meaning));
  }
  lines << QString();
  lines << Translate(QStringLiteral(EN_TEXT("Examples:")));
  for (const char* example : UsageExamples())
    lines << QStringLiteral("  ") + QString::fromUtf8(example);
  return lines;
}

}  // namespace corvane

#include "cli/run_command_line.h"

#include <QLocale>
#include <algorithm>
#include <optional>

#include "base/build_info.h"
#include "base/english_text.h"
#include "batch/batch_executor.h"
#include "batch/batch_verdicts.h"
#include "batch/undo.h"
#include "batch/verdict_texts.h"
#include "cli/argument_check.h"
#include "cli/command_line.h"
#include "cli/command_line_options.h"
#include "cli/usage.h"
#include "collect/add_files.h"
#include "collect/item_list.h"
#include "collect/item_order.h"
#include "engine/preview.h"
#include "engine/whole_number.h"
#include "i18n/translation.h"
#include "platform/native_files.h"
#include "platform/paths.h"
#include "presets/preset_file.h"

namespace corvane {
namespace {

// Shows what an operation ended with and gives the exit code it deserves:
// an error, or a warning (every warning stops what it reports), fails the run.
int Report(const std::optional<Notice>& notice, const Status& status, MessageSink& sink) {
  if (notice) sink.ShowNotice(*notice);
  if (!status.ok()) sink.ShowError(status.error());
  const bool warned = notice && notice->kind == Notice::Kind::kWarning;
  return (status.ok() && !warned) ? kExitCompleted : kExitStopped;
}

std::optional<TerminalProgress> ProgressOnTerminal(const CommandLineServices& services) {
  if (!services.progressLine) return std::nullopt;
  return std::optional<TerminalProgress>(std::in_place, services.progressLine);
}

int RunUndo(const QStringList& args, MessageSink& sink, const CommandLineServices& services) {
  if (HasSwitch(args, kSwitchDryRun)) {
    // Moving files back is not something to do by surprise when a dry run was asked for.
    sink.ShowNotice(
        Notice::Warning(QStringLiteral(EN_TEXT("The undo has no dry run; leave out /dryrun."))));
    return kExitStopped;
  }
  UndoOutcome outcome;
  {
    std::optional<TerminalProgress> progress = ProgressOnTerminal(services);
    if (services.stop) services.stop->Arm(true);
    outcome = UndoLastRename(services.fileSystem, services.undoLogPath, services.stop,
                             progress ? &*progress : nullptr);
    if (services.stop) services.stop->Arm(false);
  }
  const int exitCode = Report(outcome.notice, outcome.status, sink);
  return outcome.stopped ? kExitSignalBase + services.stop->reason() : exitCode;
}

// The options of the run: the current ones, or those of the preset named by
// /preset=FILE, with the keys of the command line applied. A relative
// destination is made absolute for the same reason as the file paths.
Result<RenameOptions> OptionsOfRun(const QStringList& args, const RenameOptions& current) {
  RenameOptions options;
  if (const std::optional<QString> presetPath = FindSwitchValue(args, kKeyPreset)) {
    Result<RenameOptions> preset =
        LoadPresetFile(AbsoluteFrom(CurrentFolder(), *presetPath), current);
    if (!preset.ok()) return preset.error();
    options = ApplyCommandLineKeys(args, std::move(preset).value(), AbsentKeys::kKeepCurrent);
  } else {
    options = ApplyCommandLineKeys(args, current, AbsentKeys::kTakeDefaults);
  }
  options.destination = AbsoluteFrom(CurrentFolder(), TrimControl(options.destination));
  return options;
}

// The files and folders named as arguments, relative ones made absolute, so
// that the undo log names each file wherever the undo is started from.
QStringList PathsOfRun(const QStringList& args) {
  const QString here = CurrentFolder();
  QStringList paths = PathArguments(args);
  for (QString& path : paths) path = AbsoluteFrom(here, path);
  return paths;
}

// What the batch would do: each file with the name it would get. Options the
// batch would refuse leave the names as asked, followed by its warning.
int ShowDryRun(const RenameItemList& list, const RenameOptions& options,
               const CommandLineServices& services, MessageSink& sink) {
  const BatchVerdicts judged = JudgeBatch(list.items(), options, services.fileSystem);
  const QList<TRenameItem>& items = list.items();
  for (qsizetype i = 0; i < items.size(); ++i) {
    const TRenameItem& item = items[i];
    if (judged.notice) {
      sink.ShowLine(item.OriginalPath + QStringLiteral(" -> ") + item.NewName);
      continue;
    }
    const ItemVerdict& verdict = judged.verdicts[i];
    sink.ShowLine(DryRunLine(item.OriginalPath, ShownName(verdict, item.NewName),
                             Translate(VerdictText(verdict, item.NewName))));
  }
  return judged.notice ? Report(judged.notice, Status::Ok(), sink) : kExitCompleted;
}

// Sorting by a date or a size needs them before the preview would read them.
bool NeedsSizesAndTimes(const QList<ListOrder>& orders) {
  return std::any_of(orders.begin(), orders.end(), [](ListOrder order) {
    return order != ListOrder::kByName && order != ListOrder::kReversed;
  });
}

// Puts the added files in the order the run asks for, then names them. Most
// names need no size or time of their file: those are read only for a sort
// that needs them or for names that turn out to use them. Dates taken are read
// by the sort or the preview, only where used, and kept so as not to be read
// twice.
Result<PreviewOutcome> OrderAndPreview(RenameItemList& list, const QStringList& args,
                                       const RenameOptions& options,
                                       const CommandLineServices& services) {
  const QList<ListOrder> orders = ListOrdersOfCommandLine(args);
  const bool sizesAndTimesRead = NeedsSizesAndTimes(orders);
  if (sizesAndTimesRead) {
    if (Status read = ReadSizesAndTimes(list, services.fileSystem); !read.ok()) return read.error();
  }
  for (const ListOrder order : orders) {
    list.Reorder(OrderOfList(list, order, QLocale(), services.context));
  }
  Result<PreviewOutcome> preview = BuildPreview(list.items(), options, services.context);
  if (!preview.ok()) return preview;
  list.KeepTakenTimes(preview->takenTimesRead);
  if (!preview->usedSizesOrTimes || sizesAndTimesRead) return preview;
  if (Status read = ReadSizesAndTimes(list, services.fileSystem); !read.ok()) return read.error();
  return BuildPreview(list.items(), options, services.context);
}

int RunRename(const QStringList& args, const RenameOptions& current, MessageSink& sink,
              const CommandLineServices& services) {
  const Result<RenameOptions> options = OptionsOfRun(args, current);
  if (!options.ok()) return Report(std::nullopt, options.status(), sink);
  RenameItemList list;
  const Status added = AddDroppedPaths(list, PathsOfRun(args), options->includeSubfolders,
                                       services.fileSystem, nullptr, nullptr, FileFacts::kKindOnly);
  if (!added.ok()) return Report(std::nullopt, added, sink);
  Result<PreviewOutcome> preview = OrderAndPreview(list, args, *options, services);
  if (!preview.ok()) return Report(std::nullopt, preview.status(), sink);
  // An empty list ends the run here: a batch over nothing would report a
  // completed batch and a saved log that were never made.
  if (preview->notice) return Report(preview->notice, Status::Ok(), sink);
  list.SetNewNames(preview->newNames);
  if (HasSwitch(args, kSwitchDryRun)) return ShowDryRun(list, *options, services, sink);
  BatchOutcome batch;
  {
    std::optional<TerminalProgress> progress = ProgressOnTerminal(services);
    if (services.stop) services.stop->Arm(true);
    batch = ExecuteBatch(list.items(), *options, services.fileSystem, services.undoLogPath,
                         services.stop, progress ? &*progress : nullptr);
    if (services.stop) services.stop->Arm(false);
  }
  const int exitCode = Report(batch.notice, batch.status, sink);
  return batch.stopped ? kExitSignalBase + services.stop->reason() : exitCode;
}

}  // namespace

bool IsCommandLineRun(const QStringList& args) {
  return HasSwitch(args, kSwitchCli) || AsksForHelp(args) || AsksForVersion(args);
}

int RunCommandLine(const QStringList& args, const RenameOptions& current, MessageSink& sink,
                   const CommandLineServices& services) {
  if (AsksForHelp(args)) {
    for (const QString& line : UsageLines()) sink.ShowLine(line);
    return kExitCompleted;
  }
  if (AsksForVersion(args)) {
    sink.ShowLine(QStringLiteral("Corvane ") + kVersionText.toString());
    return kExitCompleted;
  }
  if (!HasSwitch(args, kSwitchCli)) return kExitCompleted;
  if (const std::optional<ArgumentFault> fault =
          FindArgumentFault(args, CurrentFolder(), services.fileSystem)) {
    for (const QString& line : FaultLines(*fault)) sink.ShowErrorLine(line);
    return kExitUsage;
  }
  if (HasSwitch(args, kSwitchUndo)) return RunUndo(args, sink, services);
  return RunRename(args, current, sink, services);
}

}  // namespace corvane

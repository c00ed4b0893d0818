// RunCommandLine: the command-line mode.
//
// With /cli it first checks every argument (cli/argument_check.h) and stops
// at the first it cannot place, before anything is read, added or touched.
// Then it takes the options from the arguments (after a preset named by
// /preset=FILE, if any), adds the files and folders named as arguments in
// their order, builds the preview and, unless /dryrun, runs the batch; with
// /dryrun it shows one line per file, old path and the name the batch would
// give it, marked with what it would do unless it renames as shown
// (batch/verdict_texts.h). /undo undoes the
// last batch instead. /help (--help, -h) shows the usage and /version
// (--version) the version, with or without /cli. Everything it has to say goes
// to `sink`; it returns the process exit code. Without any of these it does
// nothing and returns kExitCompleted: the caller goes on to its window.
#pragma once

#include <QString>
#include <QStringList>

#include "base/message_sink.h"
#include "base/stop_request.h"
#include "cli/terminal_progress.h"
#include "engine/engine_context.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

namespace corvane {

// The run completed; an information such as "No files loaded. Add files
// first." may have been shown.
inline constexpr int kExitCompleted = 0;
// An error or a warning stopped the run.
inline constexpr int kExitStopped = 1;
// The command line was wrong (an unknown switch, a path that names nothing);
// nothing was done.
inline constexpr int kExitUsage = 2;

// A signal stopped the batch or the undo between two files: 128 + the
// signal's number (130 for SIGINT, 143 for SIGTERM), as shells report it.
inline constexpr int kExitSignalBase = 128;

// What the mode works with beyond its arguments.
struct CommandLineServices {
  FileSystem& fileSystem;
  QString undoLogPath;
  EngineContext context;
  // Armed while a batch or an undo runs; a request stops it between two files.
  StopRequest* stop = nullptr;
  // Where a long batch or undo keeps its progress line; empty: nowhere.
  TerminalWriter progressLine = {};
};

// Whether `args` ask for the command-line mode (/cli, help or version) rather
// than the window.
bool IsCommandLineRun(const QStringList& args);

// `current`: the option values the window holds (their start values at start-up).
int RunCommandLine(const QStringList& args, const RenameOptions& current, MessageSink& sink,
                   const CommandLineServices& services);

}  // namespace corvane

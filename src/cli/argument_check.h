// The check a command line passes before the mode does anything.
//
// Every argument must be a switch or key of the mode, or name something that
// exists, and a key that takes only some values must carry one of them. An
// argument the mode cannot place must stop the run rather than be passed over:
// a mistyped /dryrun would otherwise rename for real, and a mistyped path would
// quietly rename one file less.
#pragma once

#include "platform/file_system.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace corvane {

struct ArgumentFault {
  enum class Kind {
    kUnknownSwitch,  // shaped like a switch, and no path of that name exists
    kFileNotFound,   // any other argument that names nothing
    kBadValue,       // a key of kChoiceKeys with a value it does not take
  };

  Kind kind = Kind::kFileNotFound;
  QString argument;                   // as typed
  std::optional<QString> suggestion;  // for an unknown switch: what it was probably meant to be
  QString key = {};                   // for a bad value: the key, as the program names it
  QString value = {};                 // for a bad value: the value, as the run would read it

  friend bool operator==(const ArgumentFault&, const ArgumentFault&) = default;
};

// The first argument of `args` that is neither a switch or key of the mode
// nor a path where something exists in `fs` (links followed), or that gives
// /sort= a value it does not take, or nullopt. A
// relative path is looked up from `currentFolder`, as the run would use it. An argument
// is shaped like a switch when it begins with "/" or "-" and holds no folder
// delimiter before its first "=" ("/home/me/gone.txt" is a missing file).
std::optional<ArgumentFault> FindArgumentFault(const QStringList& args,
                                               const QString& currentFolder, FileSystem& fs);

// The switch ("/dryrun") or key ("/pattern=", with its "=") that `arg` is
// closest to, or nullopt when none is close. Only the text before the first
// "=" counts; leading "/" and "-", dashes and underscores inside, and the case
// of A to Z do not count; what remains may differ from a name by one edit
// (a letter added, left out, changed, or two neighbours swapped), or by two
// for names longer than four letters.
std::optional<QString> SuggestedName(QStringView arg);

// What to tell the user about `fault`, one translated line each.
QStringList FaultLines(const ArgumentFault& fault);

}  // namespace corvane

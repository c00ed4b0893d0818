// The usage of the command-line mode, as printed by /help: one line per switch
// and key, one per exit status, then two examples (a dry run, then the same
// rename for real). Every description passes through Translate; the switch
// names, the status numbers and the examples stay as they are typed.
#pragma once

#include <QStringList>

namespace corvane {

QStringList UsageLines();

}  // namespace corvane

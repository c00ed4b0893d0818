// JudgeBatch: what ExecuteBatch will do with each item, found without
// changing anything on disk.
//
// It plays the batch in list order against the disk as it is now and the
// names the earlier items take or free (a chain a->b, b->c in that order
// meets b still there; in the other order it does not), with the same rules
// as the batch (batch/target_path.h, batch/fate.h): the conflict rule, the
// auto-numbered name (too long a name cannot be made), Overwrite never
// replacing a file of the batch, a case-only rename.
// Each target costs one hash lookup and at most one metadata lookup, and in a
// folder that many targets go to, not even that: the folder is listed once
// (batch/free_names.h) and a name not listed is free. A conflict under
// Overwrite reads the identities of the batch's files once. The folders of a
// large rename in place are judged apart, two at a time
// (batch/verdict_groups.h).
//
// What it cannot see: files that others change between the verdicts and the
// batch, and sources that left their place since they were added (the batch
// stops at such a file). Names are compared as their folder's volume does:
// on FAT, "X.txt" and "x.txt" are one name (batch/batch_files.h). Each
// file's fate is DecideFate's (batch/fate.h), as for the batch.
//
// The first item that cannot be made is where the batch stops (an error or
// a warning; the items before it stay done). The verdicts after it tell what
// those items would do with that item left as it is.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "base/notice.h"
#include "batch/target_path.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

namespace corvane {

enum class VerdictKind {
  kUnchanged,     // the new name is the old one (in place): nothing is done
  kRenamed,       // renamed, copied or moved under the new name as shown
  kNumbered,      // the new name is taken: it gets the first free "name (n).ext"
  kSkipped,       // the new name is taken and Skip leaves the file as it is
  kReplaces,      // the new name is taken and Overwrite replaces that file
  kCannotBeMade,  // the batch stops at this item
};

enum class CannotBeMadeReason {
  kNoNewName,  // no preview yet
  kInvalidName,
  kTooLong,
  kNameTaken,  // no conflict rule selected
};

struct ItemVerdict {
  VerdictKind kind = VerdictKind::kUnchanged;
  CannotBeMadeReason reason = CannotBeMadeReason::kNoNewName;  // for kCannotBeMade
  // Where the file (or, for a copy, its copy) ends up; the source for an
  // item left as it is.
  QString finalPath;
  friend bool operator==(const ItemVerdict&, const ItemVerdict&) = default;
};

struct VerdictCounts {
  qsizetype numbered = 0;
  qsizetype skipped = 0;
  qsizetype replaces = 0;
  qsizetype cannotBeMade = 0;
  qsizetype unchanged = 0;
  friend bool operator==(const VerdictCounts&, const VerdictCounts&) = default;
};

struct BatchVerdicts {
  // The warning ExecuteBatch gives before touching anything (no batch mode,
  // no destination); the verdicts are empty then.
  std::optional<Notice> notice;
  QList<ItemVerdict> verdicts;       // one per item, in list order
  std::optional<qsizetype> stopsAt;  // the first item that cannot be made
  VerdictCounts counts;
};

// `fs` is only queried, for a large batch on this thread and one more at once.
BatchVerdicts JudgeBatch(const QList<TRenameItem>& items, const RenameOptions& options,
                         FileSystem& fs);

}  // namespace corvane

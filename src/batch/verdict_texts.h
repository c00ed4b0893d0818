// The words of the verdicts (batch/batch_verdicts.h), in the current
// language, for the preview cells and the dry run, the status line and the
// rename question. Pure functions of their arguments and the language.
#pragma once

#include <QString>
#include <QStringView>

#include "batch/batch_verdicts.h"

namespace corvane {

// What the batch does with the item, for every verdict but "renamed as
// shown" (empty for that one): "numbered: b.txt is taken", "cannot be made:
// file name too long", ... `askedName` is the item's new name.
QString VerdictText(const ItemVerdict& verdict, QStringView askedName);

// The name the file will have (for a copy, its copy): the final name of a
// numbered, skipped, replacing or unchanged item; for the others the asked
// name, since a name that cannot be made is worth seeing as it was asked.
QStringView ShownName(const ItemVerdict& verdict, QStringView askedName);

// A dry-run line: "source -> final name", followed by the verdict's text in
// brackets unless it is "renamed as shown".
QString DryRunLine(const QString& source, const ItemVerdict& verdict, QStringView askedName);

// The counts worth a look, those that are not 0, in this order: "3 numbered ·
// 1 skipped · 2 replace a file · 1 cannot be made"; empty when all are 0. The
// rename question shows it as a line of its own when it is not empty.
QString VerdictCountsText(const VerdictCounts& counts);

// The status line: `fileCountText` ("Files: 1204") followed by the counts,
// when there are any.
QString StatusLineText(const QString& fileCountText, const VerdictCounts& counts);

}  // namespace corvane

// The words of the verdicts (batch/batch_verdicts.h) for the preview cells and
// the dry run, the status line and the rename question: program texts in
// English with their values, which the caller shows in the user's language,
// and the lines put together from texts already shown so.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "base/program_text.h"
#include "batch/batch_verdicts.h"

namespace corvane {

// What the batch does with the item, for every verdict but "renamed as
// shown" (empty for that one): "numbered: %s is taken" with the asked name,
// "cannot be made: file name too long", ... `askedName` is the item's new name.
ProgramText VerdictText(const ItemVerdict& verdict, QStringView askedName);

// The name the file will have (for a copy, its copy): the final name of a
// numbered, skipped, replacing or unchanged item; for the others the asked
// name, since a name that cannot be made is worth seeing as it was asked.
QStringView ShownName(const ItemVerdict& verdict, QStringView askedName);

// A dry-run line: "source -> shown name", followed by `verdictText` (the
// shown VerdictText) in brackets unless it is empty.
QString DryRunLine(const QString& source, QStringView shownName, const QString& verdictText);

// The counts worth a look, those that are not 0, in this order: "%d numbered",
// "%d skipped", "%d replace a file", "%d cannot be made"; none when all are 0.
QList<ProgramText> VerdictCountTexts(const VerdictCounts& counts);

// The shown counts on one line: "3 numbered · 1 skipped"; empty when there
// are none. The rename question shows it as a line of its own when it is not
// empty.
QString VerdictCountsText(const QStringList& shownCounts);

// The status line: `fileCountText` ("Files: 1204") followed by the shown
// counts, when there are any.
QString StatusLineText(const QString& fileCountText, const QStringList& shownCounts);

}  // namespace corvane

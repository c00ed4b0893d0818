// How the file list marks a verdict (batch/batch_verdicts.h) in the "New
// Name (preview)" cell: an icon and a tint for every verdict but "renamed as
// shown", which keeps the plain look of a cell.
#pragma once

#include <QBrush>
#include <QColor>
#include <QIcon>

#include "batch/batch_verdicts.h"

namespace corvane {

// The null icon for kRenamed.
QIcon VerdictIcon(VerdictKind kind);

// The cell's background; Qt::NoBrush for kRenamed and kUnchanged.
QBrush VerdictBackground(VerdictKind kind);

// The cell's text colour; Qt::NoBrush (the view's own) but for kUnchanged,
// whose name is greyed as a thing that will not happen.
QBrush VerdictForeground(VerdictKind kind);

// The background of what cannot be done as it stands: a row that cannot be
// made, a find box holding an invalid expression.
QColor ProblemBackground();

}  // namespace corvane

// BuildJudgedPreview: a preview together with what the batch would then do
// with each item, as the window shows it.
//
// It is BuildPreview followed by JudgeBatch on the items carrying their new
// names; the caller's items are left as they are, so this may run on another
// thread over a copy of the window's list while the window goes on.
#pragma once

#include "base/error.h"
#include "batch/batch_verdicts.h"
#include "engine/engine_context.h"
#include "engine/preview.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

namespace corvane {

struct JudgedPreview {
  PreviewOutcome preview;
  // Empty (no verdicts, no notice) when the preview has a notice.
  BatchVerdicts verdicts;
};

// `fs` is only queried (see JudgeBatch).
Result<JudgedPreview> BuildJudgedPreview(QList<TRenameItem> items, const RenameOptions& options,
                                         const EngineContext& context, FileSystem& fs);

// The verdicts on the new names `items` already hold, carried with those
// names (and no changed rows), as BuildJudgedPreview carries its own.
JudgedPreview JudgeGivenNames(const QList<TRenameItem>& items, const RenameOptions& options,
                              FileSystem& fs);

}  // namespace corvane

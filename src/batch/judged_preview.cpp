#include "batch/judged_preview.h"

namespace corvane {

Result<JudgedPreview> BuildJudgedPreview(QList<TRenameItem> items, const RenameOptions& options,
                                         const EngineContext& context, FileSystem& fs) {
  Result<PreviewOutcome> preview = BuildPreview(items, options, context);
  if (!preview.ok()) return preview.error();
  JudgedPreview judged{std::move(preview).value(), {}};
  if (judged.preview.notice) return judged;
  for (qsizetype i = 0; i < items.size(); ++i) items[i].NewName = judged.preview.newNames.at(i);
  judged.verdicts = JudgeBatch(items, options, fs);
  return judged;
}

}  // namespace corvane

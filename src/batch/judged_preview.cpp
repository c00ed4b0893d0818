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

JudgedPreview JudgeGivenNames(const QList<TRenameItem>& items, const RenameOptions& options,
                              FileSystem& fs) {
  JudgedPreview judged;
  judged.preview.newNames.reserve(items.size());
  for (const TRenameItem& item : items) judged.preview.newNames.append(item.NewName);
  judged.verdicts = JudgeBatch(items, options, fs);
  return judged;
}

}  // namespace corvane

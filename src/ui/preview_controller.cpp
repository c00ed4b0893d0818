#include "ui/preview_controller.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <utility>

#include "base/message_sink.h"
#include "base/notice.h"
#include "batch/verdict_texts.h"
#include "collect/row_texts.h"
#include "engine/preview.h"
#include "i18n/shown_messages.h"
#include "i18n/translation.h"
#include "ui/file_list_model.h"
#include "ui/long_work.h"
#include "ui/verdict_look.h"

namespace corvane {

PreviewController::PreviewController(const EngineContext& context, FileSystem& fs, Parts parts,
                                     bool live, QObject* parent)
    : QObject(parent), context_(context), fs_(fs), parts_(std::move(parts)), live_(live) {
  worker_ = new PreviewWorker(
      context_, fs_,
      [this] {
        return PreviewWorker::Request{parts_.items.items(), parts_.readOptions(),
                                      parts_.model.version()};
      },
      this);
  worker_->setObjectName(QStringLiteral("previewWorker"));
  connect(worker_, &PreviewWorker::Ready, this, &PreviewController::Answered);
}

void PreviewController::SetLive(bool on) {
  live_ = on;
  if (on) return PreviewIfLive();
  worker_->Cancel();
  MarkFindBox({});
  ShowFileCount();
}

Result<std::optional<Notice>> PreviewController::PreviewNow() {
  Result<PreviewOutcome> preview =
      BuildPreview(parts_.items.items(), parts_.readOptions(), context_);
  if (!preview.ok()) return preview.error();
  if (preview->notice) return preview->notice;
  PreviewOutcome& outcome = preview.value();
  parts_.items.KeepTakenTimes(outcome.takenTimesRead);
  parts_.model.SetNewNames(std::move(outcome.newNames), outcome.changedRows);
  MarkFindBox({});
  // The names show at once; their verdicts follow from the worker, which
  // thereby drops any live preview older than this one. It starts once the
  // view has drawn the names, so as not to slow that down.
  QMetaObject::invokeMethod(worker_, &PreviewWorker::JudgeNow, Qt::QueuedConnection);
  return std::optional<Notice>();
}

BatchVerdicts PreviewController::JudgeNow() {
  worker_->Cancel();  // judged here and now instead
  BatchVerdicts judged = JudgeBatch(parts_.items.items(), parts_.readOptions(), fs_);
  ShowVerdicts(judged);
  return judged;
}

void PreviewController::ListEdited() {
  ShowFileCount();
  PreviewIfLive();
}

void PreviewController::OptionsEdited() {
  if (live_ && parts_.items.count() > 0) worker_->Schedule();
}

void PreviewController::PreviewIfLive() {
  if (live_ && parts_.items.count() > 0) worker_->RunNow();
}

void PreviewController::LongWorkEnded() {
  if (std::exchange(held_, false)) PreviewIfLive();
}

void PreviewController::ShowFileCount() {
  const QString files = Translate(FileCountText(parts_.items.count()));
  const QStringList counts = Translate(VerdictCountTexts(counts_));
  parts_.statusText.setText(parts_.model.hasVerdicts() ? StatusLineText(files, counts) : files);
}

void PreviewController::Answered(const PreviewWorker::Answer& answer, quint64 listVersion) {
  // A change of the list since the snapshot asked for a newer preview.
  if (listVersion != parts_.model.version()) return;
  // The work reads the items meanwhile; they change only once it is over.
  if (parts_.longWork.running()) {
    held_ = true;
    return;
  }
  Result<JudgedPreview>& judged = *answer;
  if (!judged.ok()) {
    // At every keystroke a box would be in the way: the status line says it.
    parts_.statusText.setText(ErrorReportText(judged.error()));
    MarkFindBox(judged.error().code() == Error::Code::kRegex ? ErrorReportText(judged.error())
                                                             : QString());
    return;
  }
  if (judged->preview.notice) return;
  JudgedPreview& shown = judged.value();
  // Read on the worker's thread; kept so that the next keystroke reads none.
  parts_.items.KeepTakenTimes(shown.preview.takenTimesRead);
  parts_.model.SetNewNames(std::move(shown.preview.newNames), shown.preview.changedRows);
  ShowVerdicts(shown.verdicts);
  MarkFindBox({});
}

void PreviewController::ShowVerdicts(const BatchVerdicts& judged) {
  // A batch that would be refused as a whole (no destination) has no
  // verdicts; the rename says why.
  if (!judged.notice) parts_.model.SetVerdicts(judged.verdicts);
  counts_ = judged.counts;
  ShowFileCount();
}

void PreviewController::MarkFindBox(const QString& problem) {
  QLineEdit& box = parts_.findBox;
  const bool invalid = !problem.isEmpty();
  if (box.property("invalid").toBool() == invalid && box.toolTip() == problem) return;
  box.setProperty("invalid", invalid);
  box.setToolTip(problem);
  box.setAccessibleDescription(problem);
  // A palette of no colours inherits the window's again.
  QPalette palette;
  if (invalid) palette.setColor(QPalette::Base, ProblemBackground());
  box.setPalette(palette);
}

}  // namespace corvane

#include "ui/long_work.h"

#include <QApplication>
#include <QEventLoop>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <algorithm>
#include <limits>
#include <memory>

#include "base/english_text.h"
#include "base/format.h"
#include "i18n/translation.h"

namespace corvane {
namespace {

// Before this, the counts are too young to tell how long the work will last.
constexpr std::chrono::milliseconds kTrustCountsAfter{50};
// The reason a stop is requested with from the window (StopRequest wants one).
constexpr int kCancelled = 1;

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

int ToInt(qsizetype n) { return int(std::clamp<qsizetype>(n, 0, std::numeric_limits<int>::max())); }

QProgressBar& Dress(QProgressDialog& dialog) {
  dialog.setObjectName(QStringLiteral("dlgProgress"));
  dialog.setWindowTitle(QCoreApplication::applicationName());
  dialog.setAccessibleName(Tr(EN_TEXT("Progress")));
  dialog.setWindowModality(Qt::WindowModal);
  // The dialog goes when the work has ended, not when the counts say so.
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  auto* bar = new QProgressBar;
  bar->setObjectName(QStringLiteral("pbWork"));
  bar->setAccessibleName(Tr(EN_TEXT("Progress")));
  dialog.setBar(bar);
  auto* cancel = new QPushButton(Tr(EN_TEXT("Cancel")));
  cancel->setObjectName(QStringLiteral("btnCancelWork"));
  cancel->setAccessibleName(Tr(EN_TEXT("Cancel")));
  dialog.setCancelButton(cancel);
  // The dialog would show itself on the wall clock; Run decides instead.
  dialog.setMinimumDuration(std::numeric_limits<int>::max());
  return *bar;
}

// A total not known yet shows as a bar without an end. The bar is set
// directly: QProgressDialog::setValue would show the dialog by its own
// estimate.
void ShowCounts(QProgressDialog& dialog, QProgressBar& bar, const WorkCounts& counts) {
  const qsizetype total = counts.total();
  const qsizetype done = counts.done();
  const int maximum = total == ProgressReport::kUnknownTotal ? 0 : ToInt(total);
  if (bar.maximum() != maximum) bar.setRange(0, maximum);
  dialog.setLabelText(WorkCountsText(done, total));
  bar.setValue(maximum == 0 ? 0 : std::min(ToInt(done), maximum));
}

}  // namespace

QString WorkCountsText(qsizetype done, qsizetype total) {
  // Read at a glance while they run: grouped as the user's locale groups digits.
  const QLocale locale;
  if (total == ProgressReport::kUnknownTotal) {
    if (done == 0) return QString();
    return FormatText(Tr(EN_TEXT("%d files found")), {locale.toString(qlonglong(done))});
  }
  return FormatText(Tr(EN_TEXT("%d of %d files")),
                    {locale.toString(qlonglong(done)), locale.toString(qlonglong(total))});
}

bool ProgressDialogDue(std::chrono::milliseconds elapsed, qsizetype done, qsizetype total) {
  if (elapsed >= std::chrono::milliseconds(LongWork::kShowAfterMs)) return true;
  // Nothing done yet tells nothing either.
  if (elapsed <= kTrustCountsAfter || total == ProgressReport::kUnknownTotal || done <= 0) {
    return false;
  }
  const qsizetype rest = std::max<qsizetype>(total - done, 0);
  return elapsed * rest >= std::chrono::milliseconds(LongWork::kShowAfterMs) * done;
}

bool LongWork::Run(const Work& work) {
  if (running()) return false;
  StopRequest stop;
  WorkCounts counts;
  stop_ = &stop;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  {
    QProgressDialog dialog(window_);
    QProgressBar& bar = Dress(dialog);
    const auto cancel = [&stop] { stop.Request(kCancelled); };
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, cancel);
    QObject::connect(&dialog, &QDialog::rejected, &dialog, cancel);
    ShowCounts(dialog, bar, counts);

    QEventLoop loop;
    std::atomic<bool> ended = false;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
      work(stop, counts);
      ended.store(true);
      QMetaObject::invokeMethod(
          &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    }));
    const Clock::TimePoint began = clock_.Now();
    std::unique_ptr<ClockTimer> reader;
    reader = clock_.MakeTimer([&] {
      // After a Cancel the dialog has gone and must not come back.
      if (stop.requested()) return;
      ShowCounts(dialog, bar, counts);
      const auto elapsed =
          std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now() - began);
      if (!dialog.isVisible() && ProgressDialogDue(elapsed, counts.done(), counts.total())) {
        dialog.resize(dialog.sizeHint());
        dialog.show();
      }
      reader->Start(std::chrono::milliseconds(kReadEveryMs));
    });
    reader->Start(std::chrono::milliseconds(kReadEveryMs));
    worker->start();
    loop.exec();
    // Only the program quitting ends the loop early: the work stops at its
    // next safe point, and nothing may outlive this frame while it runs.
    if (!ended.load()) stop.Request(kCancelled);
    worker->wait();
  }
  QApplication::restoreOverrideCursor();
  stop_ = nullptr;
  return true;
}

void LongWork::RequestStop() {
  if (stop_) stop_->Request(kCancelled);
}

}  // namespace corvane

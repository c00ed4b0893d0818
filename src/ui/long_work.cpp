#include "ui/long_work.h"

#include <QApplication>
#include <QEventLoop>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <memory>

#include "base/english_text.h"
#include "base/format.h"
#include "i18n/translation.h"

namespace corvane {
namespace {

// How often the window thread reads the counts, in ms.
constexpr int kReadEveryMs = 100;
// The reason a stop is requested with from the window (StopRequest wants one).
constexpr int kCancelled = 1;

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

int ToInt(qsizetype n) { return int(std::clamp<qsizetype>(n, 0, std::numeric_limits<int>::max())); }

void Dress(QProgressDialog& dialog) {
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
  dialog.setMinimumDuration(LongWork::kShowAfterMs);
}

// A total not known yet shows as a bar without an end. QProgressDialog shows
// itself from setValue when its estimate of the whole passes the minimum
// duration, and from its own timer once that has passed.
void ShowCounts(QProgressDialog& dialog, const WorkCounts& counts) {
  const qsizetype total = counts.total();
  const qsizetype done = counts.done();
  const int maximum = total == ProgressReport::kUnknownTotal ? 0 : ToInt(total);
  if (dialog.maximum() != maximum) dialog.setRange(0, maximum);
  dialog.setLabelText(WorkCountsText(done, total));
  dialog.setValue(maximum == 0 ? 0 : std::min(ToInt(done), maximum));
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

bool LongWork::Run(const Work& work) {
  if (running()) return false;
  StopRequest stop;
  WorkCounts counts;
  stop_ = &stop;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  {
    QProgressDialog dialog(window_);
    Dress(dialog);
    const auto cancel = [&stop] { stop.Request(kCancelled); };
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, cancel);
    QObject::connect(&dialog, &QDialog::rejected, &dialog, cancel);
    ShowCounts(dialog, counts);

    QEventLoop loop;
    std::atomic<bool> ended = false;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
      work(stop, counts);
      ended.store(true);
      QMetaObject::invokeMethod(
          &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    }));
    QTimer reader;
    // After a Cancel the dialog has gone and must not come back.
    QObject::connect(&reader, &QTimer::timeout, &dialog, [&] {
      if (!stop.requested()) ShowCounts(dialog, counts);
    });
    reader.start(kReadEveryMs);
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

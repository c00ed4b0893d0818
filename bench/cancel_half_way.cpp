// A batch of 100,000 renames in place, started from the window and cancelled
// half-way through its progress dialog, then undone from the window: checks
// that the files renamed are exactly those the message counts and that the
// undo brings every file back under its old name. Offscreen; exits 1 when a
// check fails.
//   build/bench/cancel_half_way
#include <QDir>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "shown_window.h"

namespace corvane {
namespace {

using namespace corvane::bench;

QStringList Listing() {
  QStringList names = QDir(Folder()).entryList(QDir::Files);
  names.sort();
  return names;
}

// Presses Cancel once the dialog shows half of the files done.
class HalfWayCanceller {
 public:
  explicit HalfWayCanceller(QWidget& window) {
    QObject::connect(&timer_, &QTimer::timeout, [this, &window] {
      auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("dlgProgress"));
      if (!dialog || !dialog->isVisible() || dialog->maximum() <= 0) return;
      if (dialog->value() < dialog->maximum() / 2) return;
      shownDone = dialog->value();
      dialog->findChild<QPushButton*>(QStringLiteral("btnCancelWork"))->click();
      timer_.stop();
    });
    timer_.start(5);
  }
  int shownDone = -1;

 private:
  QTimer timer_;
};

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  using namespace corvane::bench;
  corvane::bench::OffscreenApplication app(argc, argv);
  const QStringList before = Listing();
  ShownWindow shown;
  shown.dialogs.answer = true;
  shown.Drop(Folder());
  if (shown.Rows() != kFiles) Fail("the drop added too few rows");
  shown.Preview(QStringLiteral("{name}_renamed"));

  HalfWayCanceller canceller(shown.window);
  QElapsedTimer clock;
  clock.start();
  shown.window.findChild<QAction*>(QStringLiteral("Rename1"))->trigger();
  const qint64 batchMs = clock.elapsed();
  const QRegularExpressionMatch counted =
      QRegularExpression(QStringLiteral("(\\d+) of (\\d+)")).match(shown.dialogs.lastMessage);
  const QStringList renamed = Listing().filter(QStringLiteral("_renamed."));
  std::printf("cancel pressed at %d of %d; the batch ended after %lld ms: \"%s\"\n",
              canceller.shownDone, kFiles, batchMs, qPrintable(shown.dialogs.lastMessage));
  if (canceller.shownDone < 0) Fail("the progress dialog never showed half of the files");
  if (!counted.hasMatch() || counted.captured(2).toInt() != kFiles) Fail("no count of files");
  if (counted.captured(1).toInt() != renamed.size()) Fail("the message and the disk disagree");
  if (renamed.isEmpty() || renamed.size() == kFiles) Fail("the batch was not stopped half-way");

  clock.restart();
  shown.window.findChild<QAction*>(QStringLiteral("Undo1"))->trigger();
  std::printf("undo of %lld files took %lld ms: \"%s\"\n", qlonglong(renamed.size()),
              clock.elapsed(), qPrintable(shown.dialogs.lastMessage));
  if (Listing() != before) Fail("the undo did not bring every file back");
  std::printf("every one of the %d files is back under its old name\n", kFiles);
  return 0;
}

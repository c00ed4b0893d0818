// Typing into the find box of a window holding 100,000 rows, with live
// preview on and, as the baseline in the same run, off. Keys arrive as a
// quick typist's do, in bursts with pauses long enough for a preview to start,
// so that keys meet previews running and previews arriving.
//
// Two figures each way: the longest a key waited between being posted and
// reaching the box, and the longest gap in a 1 ms heartbeat of the event
// loop (the longest the window could not paint). Target: no key waits more
// than 50 ms with live preview on.
//   build/bench/live_typing_bench
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

#include "shown_window.h"

namespace corvane {
namespace {

using namespace corvane::bench;

constexpr char kTyped[] = " holiday";
constexpr int kKeyMilliseconds = 70;     // between keys of a burst
constexpr int kPauseMilliseconds = 260;  // after each burst: a preview starts
constexpr int kBurst = 3;

struct Waits {
  double longestKeyMs = 0;
  double longestGapMs = 0;
};

// Measures what the key's arrival sees, on the box itself.
class KeyClock final : public QObject {
 public:
  explicit KeyClock(const QElapsedTimer& clock) : clock_(clock) {}
  QList<qint64> postedNs;
  double longestMs = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && !postedNs.isEmpty()) {
      longestMs = std::max(longestMs, double(clock_.nsecsElapsed() - postedNs.takeFirst()) / 1e6);
    }
    return false;
  }

 private:
  const QElapsedTimer& clock_;
};

Waits Type(ShownWindow& shown, const QString& text) {
  QLineEdit* box = shown.window.findChild<QLineEdit*>(QStringLiteral("edtFind"));
  box->setFocus();
  box->clear();
  QElapsedTimer clock;
  clock.start();
  KeyClock keys(clock);
  box->installEventFilter(&keys);

  qint64 lastBeat = clock.nsecsElapsed();
  double longestGapMs = 0;
  QTimer heartbeat;
  heartbeat.setTimerType(Qt::PreciseTimer);
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longestGapMs = std::max(longestGapMs, double(now - lastBeat) / 1e6);
    lastBeat = now;
  });
  heartbeat.start(1);

  for (qsizetype i = 0; i < text.size(); ++i) {
    const int pause = (i + 1) % kBurst == 0 ? kPauseMilliseconds : kKeyMilliseconds;
    keys.postedNs.append(clock.nsecsElapsed());
    const QString key(text[i]);
    QApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, key));
    QApplication::postEvent(box, new QKeyEvent(QEvent::KeyRelease, 0, Qt::NoModifier, key));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < pause) QApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  shown.WaitForWorker();
  heartbeat.stop();
  box->removeEventFilter(&keys);
  if (box->text() != text) Fail("the find box did not get every key");
  return {keys.longestMs, longestGapMs};
}

void Report(const char* what, const Waits& waits) {
  std::printf("%-26s longest key wait %7.1f ms, longest event-loop gap %7.1f ms\n", what,
              waits.longestKeyMs, waits.longestGapMs);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  using namespace corvane::bench;
  corvane::bench::OffscreenApplication app(argc, argv);
  QElapsedTimer made;
  made.start();
  ShownWindow shown;
  shown.Drop(Folder());
  std::fprintf(stderr, "window with %d rows ready after %lld ms\n", kFiles, made.elapsed());
  if (shown.Rows() != kFiles) Fail("the drop added too few rows");
  const QString text = QString::fromLatin1(kTyped);

  const Waits off = Type(shown, text);
  shown.window.findChild<QAction*>(QStringLiteral("LivePreview1"))->trigger();
  shown.WaitForWorker();
  const Waits on = Type(shown, text);
  QTableView* view = shown.window.findChild<QTableView*>(QStringLiteral("lvFiles"));
  const QString shownName = view->model()->index(0, 1).data().toString();
  if (shownName != view->model()->index(0, 0).data().toString().remove(text)) {
    std::fprintf(stderr, "first row shows \"%s\"\n", qPrintable(shownName));
    Fail("the last live preview did not reach the rows");
  }
  Report("live preview off:", off);
  Report("live preview on:", on);
  std::printf("ratio on/off: key wait %.2f, gap %.2f\n", on.longestKeyMs / off.longestKeyMs,
              on.longestGapMs / off.longestGapMs);
  return 0;
}

// PreviewWorker: the judged preview (batch/judged_preview.h) run off the
// window's thread: live, shortly after the user stops editing, and for a
// preview made by hand, the verdicts on the names it has just shown.
//
// Schedule() waits for kQuietMilliseconds without a newer call, then takes a
// snapshot of the list and the options and computes on a worker thread;
// RunNow() and JudgeNow() start at once.
// One computation runs at a time: a request made meanwhile waits for it, and
// its result is then thrown away unheard, so only the newest request is ever
// answered (Ready). The snapshot is a copy of the list that shares its data,
// so taking it costs the window nothing; the caller decides from the list
// version carried back whether the answer still fits its list. The quiet is
// measured on the clock given, which must outlive this object.
#pragma once

#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <thread>

#include "base/clock.h"
#include "base/error.h"
#include "batch/judged_preview.h"
#include "engine/engine_context.h"
#include "engine/rename_item.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

namespace corvane {

class PreviewWorker final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kQuietMilliseconds = 200;

  struct Request {
    QList<TRenameItem> items;
    RenameOptions options;
    quint64 listVersion = 0;
  };
  using Answer = std::shared_ptr<Result<JudgedPreview>>;

  // `fs` must outlive this object and be safe to read from another thread.
  PreviewWorker(EngineContext context, FileSystem& fs, std::function<Request()> snapshot,
                QObject* parent = nullptr, Clock& clock = SystemClock());
  ~PreviewWorker() override;

  // Asks for a preview once editing has been quiet for a while.
  void Schedule();
  // Asks for a preview at once (files were added; live preview turned on).
  void RunNow();
  // Asks at once for the verdicts on the new names the items already hold;
  // the answer carries those names, unchanged.
  void JudgeNow();
  // Forgets every request made so far: no Ready follows for them.
  void Cancel();

  // Whether a request is waiting or computing.
  bool busy() const;

 signals:
  // The newest request's answer, for the list as it was at `listVersion`.
  void Ready(const corvane::PreviewWorker::Answer& answer, quint64 listVersion);

 private:
  void Start();
  void Finished(quint64 generation, const Answer& answer, quint64 listVersion);

  EngineContext context_;
  FileSystem& fs_;
  std::function<Request()> snapshot_;
  std::unique_ptr<ClockTimer> quiet_;
  quint64 generation_ = 0;  // of the newest request
  bool computing_ = false;
  bool waiting_ = false;     // a request came while computing
  bool namesGiven_ = false;  // the newest request is JudgeNow's
  // Lets a finished computation tell whether this object still exists.
  std::shared_ptr<PreviewWorker*> self_;
  // One thread per computation, joined before the next and on destruction:
  // what the window hands it is ordered before its start for every checker
  // (ThreadSanitizer cannot see into a thread pool's queue).
  std::thread thread_;
};

}  // namespace corvane

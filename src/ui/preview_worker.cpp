#include "ui/preview_worker.h"

#include <mutex>

#include <QCoreApplication>
#include <QMetaObject>

namespace corvane {
namespace {

// What the worker's thread hands back to the window's. Whichever thread lets
// go of it last takes the lock first, so that its end is ordered after the
// other thread's use (the posted call may be dropped by either thread).
struct Handover {
  ~Handover() { const std::lock_guard lock(mutex); }

  std::mutex mutex;
  std::shared_ptr<PreviewWorker::Request> request;
  PreviewWorker::Answer answer;
};

}  // namespace

PreviewWorker::PreviewWorker(EngineContext context, FileSystem& fs,
                             std::function<Request()> snapshot, QObject* parent, Clock& clock)
    : QObject(parent),
      context_(std::move(context)),
      fs_(fs),
      snapshot_(std::move(snapshot)),
      quiet_(clock.MakeTimer([this] { Start(); })),
      self_(std::make_shared<PreviewWorker*>(this)) {}

PreviewWorker::~PreviewWorker() {
  *self_ = nullptr;
  // The worker reads the file system the window owns: wait for it.
  if (thread_.joinable()) thread_.join();
}

void PreviewWorker::Schedule() {
  ++generation_;
  namesGiven_ = false;
  quiet_->Start(std::chrono::milliseconds(kQuietMilliseconds));
}

void PreviewWorker::RunNow() {
  ++generation_;
  namesGiven_ = false;
  quiet_->Stop();
  Start();
}

void PreviewWorker::JudgeNow() {
  ++generation_;
  namesGiven_ = true;
  quiet_->Stop();
  Start();
}

void PreviewWorker::Cancel() {
  ++generation_;
  quiet_->Stop();
  waiting_ = false;
}

bool PreviewWorker::busy() const { return quiet_->active() || computing_ || waiting_; }

void PreviewWorker::Start() {
  if (computing_) {
    waiting_ = true;
    return;
  }
  computing_ = true;
  waiting_ = false;
  const quint64 generation = generation_;
  // The snapshot is taken here, on the window's thread, and handed over whole.
  auto request = std::make_shared<Request>(snapshot_());
  // The one before has posted its answer already: joining it is brief.
  if (thread_.joinable()) thread_.join();
  thread_ = std::thread([self = self_, generation, request, context = context_, fs = &fs_,
                         namesGiven = namesGiven_]() mutable {
    auto answer = std::make_shared<Result<JudgedPreview>>(
        namesGiven ? JudgeGivenNames(request->items, request->options, *fs)
                   : BuildJudgedPreview(std::move(request->items), request->options, context, *fs));
    const quint64 listVersion = request->listVersion;
    // The snapshot and the answer end on the window's thread, handed over
    // under a lock: a reference let go of here would leave the window's next
    // change of the list unordered after this thread's reads (implicit
    // sharing checks its count relaxed). The snapshot is let go of before
    // the window hears of the answer, so that its next change of the list
    // need not copy 100,000 items.
    auto handover = std::make_shared<Handover>();
    {
      const std::lock_guard lock(handover->mutex);
      handover->request = std::move(request);
      handover->answer = std::move(answer);
    }
    // Whether this object still exists is asked on its own thread only.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, generation, handover, listVersion] {
          std::shared_ptr<Request> request;
          Answer answer;
          {
            const std::lock_guard lock(handover->mutex);
            request = std::move(handover->request);
            answer = std::move(handover->answer);
          }
          request.reset();
          if (PreviewWorker* alive = *self) alive->Finished(generation, answer, listVersion);
        },
        Qt::QueuedConnection);
  });
}

void PreviewWorker::Finished(quint64 generation, const Answer& answer, quint64 listVersion) {
  computing_ = false;
  if (generation == generation_ && !waiting_) {
    emit Ready(answer, listVersion);
    return;
  }
  if (waiting_) Start();
}

}  // namespace corvane

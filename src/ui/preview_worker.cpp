#include "ui/preview_worker.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace corvane {

PreviewWorker::PreviewWorker(EngineContext context, FileSystem& fs,
                             std::function<Request()> snapshot, QObject* parent, Clock& clock)
    : QObject(parent),
      context_(std::move(context)),
      fs_(fs),
      snapshot_(std::move(snapshot)),
      quiet_(clock.MakeTimer([this] { Start(); })),
      self_(std::make_shared<PreviewWorker*>(this)) {
  pool_.setMaxThreadCount(1);
}

PreviewWorker::~PreviewWorker() {
  *self_ = nullptr;
  // The worker reads the file system the window owns: wait for it.
  pool_.waitForDone();
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
  pool_.start([self = self_, generation, request, context = context_, fs = &fs_,
               namesGiven = namesGiven_]() mutable {
    auto answer = std::make_shared<Result<JudgedPreview>>(
        namesGiven ? JudgeGivenNames(request->items, request->options, *fs)
                   : BuildJudgedPreview(std::move(request->items), request->options, context, *fs));
    const quint64 listVersion = request->listVersion;
    // Let go of the list before the window may change it, so that changing
    // it never has to copy 100,000 items on the window's thread.
    request.reset();
    // Whether this object still exists is asked on its own thread only.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, generation, answer, listVersion] {
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

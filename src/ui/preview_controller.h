// PreviewController: the new names and verdicts the file list shows.
//
// It owns the PreviewWorker and decides when it runs: live, after an edit of
// the options or the list while live preview is on, and for the verdicts on
// a preview made by hand. An answer is shown only if the list has not changed
// since its snapshot (the model's version); one that comes while long work
// runs is put aside and asked again once the work is over. It keeps the
// status line's file count and verdict counts, and marks the find box when a
// live preview finds its expression invalid, since a box at every keystroke
// would be in the way.
#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "base/error.h"
#include "batch/batch_verdicts.h"
#include "collect/item_list.h"
#include "engine/engine_context.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"
#include "ui/preview_worker.h"

class QLabel;
class QLineEdit;

namespace corvane {

class FileListModel;
class LongWork;
struct Notice;

class PreviewController final : public QObject {
  Q_OBJECT

 public:
  // What the controller reads and shows; each must outlive it.
  struct Parts {
    // Written only to keep the dates taken that a preview read.
    RenameItemList& items;
    FileListModel& model;
    QLineEdit& findBox;
    QLabel& statusText;
    const LongWork& longWork;
    std::function<RenameOptions()> readOptions;
  };

  // `fs` must outlive the controller and be safe to read from another thread.
  PreviewController(const EngineContext& context, FileSystem& fs, Parts parts, bool live,
                    QObject* parent);

  // Turns live preview on, previewing at once, or off, forgetting any preview
  // under way and its marks.
  void SetLive(bool on);

  // Shows the new names at once and has their verdicts follow; returns the
  // notice to show instead (an empty list), or the error.
  Result<std::optional<Notice>> PreviewNow();

  // Judges the batch as it would run now, shows the verdicts and returns them;
  // any preview under way is forgotten.
  BatchVerdicts JudgeNow();

  // After files were added or removed or a batch moved them.
  void ListEdited();
  // After an option changed.
  void OptionsEdited();
  // Previews at once when live preview is on and the list has files.
  void PreviewIfLive();
  // After long work: a live preview put aside meanwhile is asked again.
  void LongWorkEnded();

  // The file count, and the verdicts' counts while the rows show verdicts.
  void ShowFileCount();

 private:
  void Answered(const PreviewWorker::Answer& answer, quint64 listVersion);
  void ShowVerdicts(const BatchVerdicts& judged);
  // Marks the find box as holding the problem given, or unmarks it.
  void MarkFindBox(const QString& problem);

  EngineContext context_;
  FileSystem& fs_;
  Parts parts_;
  PreviewWorker* worker_ = nullptr;
  bool live_ = false;
  // A live preview came while long work ran and was put aside.
  bool held_ = false;
  VerdictCounts counts_;  // of the verdicts the rows show
};

}  // namespace corvane

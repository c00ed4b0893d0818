// The main window's commands, its long work and its drops.
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <utility>

#include "base/english_text.h"
#include "base/notice.h"
#include "batch/batch_executor.h"
#include "batch/undo.h"
#include "batch/verdict_texts.h"
#include "collect/add_files.h"
#include "i18n/qt_texts.h"
#include "i18n/translation.h"
#include "presets/preset_file.h"
#include "ui/file_list_model.h"
#include "ui/help_texts.h"
#include "ui/layout_rules.h"
#include "ui/main_window.h"
#include "ui/preview_controller.h"

namespace corvane {
namespace {

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

// The wait cursor while a command works; a box shown afterwards gets the
// normal one back, so boxes are shown once this has gone.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

QList<int> TFormMain::SelectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : fileList_->selectionModel()->selectedRows())
    rows.append(index.row());
  return rows;
}

void TFormMain::ReportError(const Error& error) { sink_.ShowError(error); }

QStringList TFormMain::DroppedPaths(const QMimeData& data) {
  QStringList paths;
  if (!data.hasUrls()) return paths;
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile()) paths.append(QDir::toNativeSeparators(url.toLocalFile()));
  }
  return paths;
}

void TFormMain::AddWith(const std::function<Status(RenameItemList&)>& add) {
  if (longWork_.running()) return;
  Status status;
  {
    WaitCursor wait;
    status = model_->Append(add);
  }
  if (status.ok()) return preview_->ListEdited();
  // The status line keeps its text: the command did not complete.
  ReportError(status.error());
  preview_->PreviewIfLive();
}

template <typename F>
auto TFormMain::RunLongWork(F&& work) {
  actions_->EnableListCommands(false);
  auto result = longWork_.RunFor(std::forward<F>(work));
  actions_->EnableListCommands(true);
  preview_->LongWorkEnded();
  return result;
}

// The folders are searched and the files read off the window's thread, which
// meanwhile paints the list unchanged; the items are appended here afterwards.
// A cancelled drop adds nothing (collect/add_files.h).
void TFormMain::AddDroppedPaths(const QStringList& paths) {
  if (longWork_.running()) return;
  const bool subfolders = ReadOptions().includeSubfolders;
  std::optional<std::optional<FilesToAdd>> read =
      RunLongWork([&](const StopRequest& stop, ProgressReport& progress) {
        return ReadDroppedPaths(items_, paths, subfolders, services_.fileSystem, &stop, &progress);
      });
  if (!read || !*read) return;
  AddWith([&](RenameItemList& list) { return AddReadFiles(list, std::move(**read)); });
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (longWork_.running()) return;
  if (!DroppedPaths(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dragMoveEvent(QDragMoveEvent* event) {
  if (longWork_.running()) return;
  if (!DroppedPaths(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  const QStringList paths = DroppedPaths(*event->mimeData());
  if (paths.isEmpty() || longWork_.running()) return;
  event->acceptProposedAction();
  AddDroppedPaths(paths);
}

// Closing while work runs would leave it nobody to report to: the work is
// asked to stop instead, and the window closes when asked again.
void TFormMain::closeEvent(QCloseEvent* event) {
  if (!longWork_.running()) return QMainWindow::closeEvent(event);
  longWork_.RequestStop();
  event->ignore();
}

void TFormMain::AddFilesClicked() {
  const QStringList files = dialogs_.OpenFileNames(
      this, Tr(EN_TEXT("Select files to add")), DialogFilter(Tr(EN_TEXT("All files (*.*)|*.*"))));
  if (files.isEmpty()) return;
  AddWith([&](RenameItemList& list) { return AddFiles(list, files, services_.fileSystem); });
}

// A chosen folder is added as a dropped one is, subfolders and all when the
// option says so.
void TFormMain::AddFolderClicked() {
  const std::optional<QString> folder =
      dialogs_.ExistingFolder(this, Tr(EN_TEXT("Select a folder to add")), QDir::currentPath());
  if (folder) AddDroppedPaths({QDir::toNativeSeparators(*folder)});
}

void TFormMain::RemoveSelectedClicked() {
  const QList<int> rows = SelectedRows();
  if (rows.isEmpty()) return;
  model_->RemoveRows(rows);
  preview_->ListEdited();
}

void TFormMain::PopupRemoveClicked() {
  model_->RemoveRows(SelectedRows());
  preview_->ListEdited();
}

void TFormMain::ClearListClicked() {
  if (SelectedRows().isEmpty()) return;
  ClearList();
}

void TFormMain::ClearList() {
  model_->Clear();
  preview_->ShowFileCount();
}

void TFormMain::PreviewClicked() {
  std::optional<Result<std::optional<Notice>>> preview;
  {
    WaitCursor wait;
    preview.emplace(preview_->PreviewNow());
  }
  if (!preview->ok()) return ReportError(preview->error());
  if (const std::optional<Notice>& notice = preview->value()) sink_.ShowNotice(*notice);
}

void TFormMain::RenameClicked() {
  if (items_.count() == 0) {
    sink_.ShowNotice(Notice::Information(
        QStringLiteral(EN_TEXT("Nothing to rename. Add files and build a preview first."))));
    return;
  }
  QString question = Tr(EN_TEXT("Proceed to rename files as shown in the preview?"));
  {
    // Judged again, since files may have come or gone on disk since the
    // preview: the question tells what the batch will do now.
    WaitCursor wait;
    const BatchVerdicts judged = preview_->JudgeNow();
    const QString counts =
        judged.notice ? QString() : VerdictCountsText(Translate(VerdictCountTexts(judged.counts)));
    if (!counts.isEmpty()) question += u'\n' + counts;
  }
  if (!dialogs_.AskYesNo(this, QCoreApplication::applicationName(), question)) return;
  RunBatch();
}

void TFormMain::RunBatch() {
  const RenameOptions options = ReadOptions();
  std::optional<BatchOutcome> batch =
      RunLongWork([&](const StopRequest& stop, ProgressReport& progress) {
        return ExecuteBatch(items_.items(), options, services_.fileSystem, services_.undoLogPath,
                            &stop, &progress);
      });
  if (!batch) return;
  // Files renamed before a failure or a stop stay renamed; their rows say where they are.
  model_->ApplyUpdates(batch->updates);
  if (!batch->updates.isEmpty()) preview_->ListEdited();
  if (batch->notice) sink_.ShowNotice(*batch->notice);
  if (!batch->status.ok()) ReportError(batch->status.error());
}

void TFormMain::UndoClicked() {
  std::optional<UndoOutcome> undo =
      RunLongWork([&](const StopRequest& stop, ProgressReport& progress) {
        return UndoLastRename(services_.fileSystem, services_.undoLogPath, &stop, &progress);
      });
  if (!undo) return;
  if (undo->clearList) ClearList();
  if (undo->notice) sink_.ShowNotice(*undo->notice);
  if (!undo->status.ok()) ReportError(undo->status.error());
}

void TFormMain::ShowOptionsPanel(bool shown) { optionsPanel_->setVisible(shown); }

void TFormMain::LivePreviewToggled(bool on) {
  // Remembered like the language; a store that cannot be written only
  // forgets the choice.
  static_cast<void>(services_.userChoices.WriteLivePreview(on));
  preview_->SetLive(on);
}

void TFormMain::PickDestinationClicked() {
  const QString typed = destinationBox_->text();
  const QString start =
      !typed.isEmpty() && services_.fileSystem.FolderExists(typed) ? typed : QDir::currentPath();
  const std::optional<QString> chosen =
      dialogs_.ExistingFolder(this, Tr(EN_TEXT("Select destination folder")), start);
  if (chosen) destinationBox_->setText(QDir::toNativeSeparators(*chosen));
}

void TFormMain::SavePresetClicked() {
  const std::optional<QString> chosen = dialogs_.SaveFileName(
      this, Tr(EN_TEXT("Save Preset As...")), DialogFilter(Tr(EN_TEXT("Preset JSON|*.json"))));
  if (!chosen) return;
  const Status saved =
      SavePresetFile(WithDefaultExtension(*chosen, u"json"), ReadOptions(), services_.fileSystem);
  if (!saved.ok()) ReportError(saved.error());
}

void TFormMain::LoadPresetClicked() {
  const std::optional<QString> chosen = dialogs_.OpenFileName(
      this, Tr(EN_TEXT("Load Preset...")), DialogFilter(Tr(EN_TEXT("Preset JSON|*.json"))));
  if (!chosen) return;
  // The whole file is read before any control changes.
  const Result<RenameOptions> loaded = LoadPresetFile(*chosen, ReadOptions());
  if (!loaded.ok()) return ReportError(loaded.error());
  WriteOptions(loaded.value());
}

void TFormMain::OpenSettingsClicked() {
  dialogs_.RunModal(*settings_);
  preview_->OptionsEdited();
}

void TFormMain::PatternHelpClicked() {
  dialogs_.ShowMessage(this, Dialogs::Kind::kInformation, QCoreApplication::applicationName(),
                       PatternHelpText());
}

void TFormMain::AboutClicked() {
  dialogs_.ShowMessage(this, Dialogs::Kind::kInformation, QCoreApplication::applicationName(),
                       AboutText());
}

void TFormMain::LanguagePicked(QAction* item) {
  for (QAction* each : languageMenu_->actions()) each->setChecked(false);
  SelectLanguage(item->data().toInt());
  UseQtTextsInCurrentLanguage();
  item->setChecked(true);
  // Saved before re-captioning, so the choice holds at the next start.
  static_cast<void>(services_.userChoices.WriteCurrentLanguage(Translations().currentCode()));
  ApplyTranslation();
}

void TFormMain::OpenPage(const QUrl& address) {
  if (services_.openPage) {
    services_.openPage(address);
  } else {
    QDesktopServices::openUrl(address);
  }
}

}  // namespace corvane

// TFormMain: the main window, the program's whole command surface.
//
// It owns the item list FRenameItems and shows it through a FileListModel in
// the file list. The option controls are the store of the options: every
// command reads them into one RenameOptions when it starts (ReadOptions) and
// hands that value and the items to the libraries, which do the work and
// return what to show. Every box and file or folder dialog goes through the
// Dialogs given, which must outlive the window; errors a command does not
// handle become the general error report, and the window stays usable with
// what the command had done.
//
// Controls carry their names as object names (edtFind, cbBatchMode, btnAdd,
// lvFiles, ...), so tests and UI automation find them; each has an accessible
// name, and the tab order follows the visual order.
//
// A batch, an undo and a drop run off the window's thread (ui/long_work.h),
// with a progress dialog and Cancel when they last; meanwhile the commands
// and drops that change the list, or start such work, are refused, and
// closing the window asks the work to stop instead.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

#include "batch/batch_verdicts.h"
#include "batch/judged_preview.h"
#include "collect/item_list.h"
#include "engine/engine_context.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"
#include "platform/user_choices.h"
#include "ui/dialog_sink.h"
#include "ui/dialogs.h"
#include "ui/long_work.h"
#include "ui/preview_worker.h"
#include "ui/settings_dialog.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QTableView;
class QToolBar;
class QWidget;

namespace corvane {

class FileListModel;
class HomepageLink;
class NumberBox;

// What the window works with beyond its controls.
struct WindowServices {
  WindowServices(FileSystem& files, QString undoLog, EngineContext engineContext)
      : fileSystem(files), undoLogPath(std::move(undoLog)), context(std::move(engineContext)) {}

  FileSystem& fileSystem;
  QString undoLogPath;
  EngineContext context;
  // Where a language picked in the menu is remembered.
  UserChoices userChoices = UserChoices::ForUser();
  // Opens a web page in the default browser; nothing is reported when none
  // opens. Unset, the desktop's own handler is used.
  std::function<void(const QUrl&)> openPage;
};

class TFormMain final : public QMainWindow {
  Q_OBJECT

 public:
  // `settings` is the settings dialog made at start-up; without one the
  // window makes its own. The window owns it from here on.
  TFormMain(const WindowServices& services, Dialogs& dialogs,
            std::unique_ptr<TFormSettings> settings = nullptr, QWidget* parent = nullptr);
  ~TFormMain() override;

  // The options of the controls, the settings dialog's five included.
  RenameOptions ReadOptions() const;

  // Puts every option of `options` into the controls and the settings
  // dialog, and runs the enable rules.
  void WriteOptions(const RenameOptions& options);

  // Adds files and folders as a drop would (the paths a file manager hands
  // over on the command line).
  void AddDroppedPaths(const QStringList& paths);

  // The local paths of dropped data: the file URLs of a text/uri-list, in
  // order; anything else gives none.
  static QStringList DroppedPaths(const QMimeData& data);

  // Re-captions every control, menu item, tool tip, list entry, column header
  // and accessible name in the current language and resets the status line.
  void ApplyTranslation();

  const RenameItemList& items() const { return FRenameItems; }
  TFormSettings& settings() const { return *settings_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  QMenu* createPopupMenu() override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolbar();
  QWidget* CreateOptionsPanel();
  QWidget* CreateOperationPanel();
  void CreateFileList();
  void CreateStatusLine();
  void SetStartValues();
  void SetTabOrder();
  void LayOut();
  void BuildLanguageMenu();

  void ConnectOptionEdits();
  QList<int> SelectedRows() const;
  // The file count, and the verdicts' counts while the rows show verdicts.
  void ShowFileCount();
  // After files were added or removed or a batch moved them.
  void ListEdited();
  void PreviewIfLive();
  void ShowJudgedPreview(JudgedPreview&& judged);
  void ShowVerdicts(const BatchVerdicts& judged);
  // Marks the find box as holding the problem given, or unmarks it.
  void MarkFindBox(const QString& problem);
  void OptionsEdited();
  // Shows the worker's newest preview or verdicts, if they fit the list.
  void WorkerAnswered(const PreviewWorker::Answer& answer, quint64 listVersion);
  void ReportError(const Error& error);
  void AddWith(const std::function<Status(RenameItemList&)>& add);
  // Runs `work` as LongWork::RunFor does, with the commands that change the
  // list or start long work disabled meanwhile.
  template <typename F>
  auto RunLongWork(F&& work);
  void EnableListCommands(bool enabled);
  // Renames as the preview shows, and shows how it ended.
  void RunBatch();

  // Commands.
  void btnAddClick();
  void btnRemoveClick();
  void miRemoveSelectedClick();
  void Clearlist1Click();
  void Clear();
  void btnPreviewClick();
  void btnRenameClick();
  void btnUndoClick();
  void ShowSettings1Click(bool checked);
  void LivePreview1Click(bool checked);
  void chkNewExtClick();
  void cbBatchModeChange();
  void Button2Click();
  void SavePreset1Click();
  void LoadPreset1Click();
  void SpeedButton1Click();
  void Button1Click();
  void About1Click();
  void LanguageMenuClick(QAction* item);
  void OpenPage(const QUrl& address);

  WindowServices services_;
  Dialogs& dialogs_;
  DialogSink sink_;
  RenameItemList FRenameItems;
  FileListModel* model_ = nullptr;
  std::unique_ptr<TFormSettings> settings_;
  PreviewWorker* worker_ = nullptr;
  // A live preview came while long work ran and was put aside.
  bool livePreviewHeld_ = false;
  VerdictCounts counts_;  // of the verdicts the rows show
  bool laidOutOnce_ = false;
  LongWork longWork_{this};

  QAction* AddFiles1 = nullptr;
  QAction* RemoveSelected1 = nullptr;
  QAction* SavePreset1 = nullptr;
  QAction* LoadPreset1 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Preview1 = nullptr;
  QAction* Rename1 = nullptr;
  QAction* Undo1 = nullptr;
  QAction* ShowSettings1 = nullptr;
  QAction* LivePreview1 = nullptr;
  QAction* utorial1 = nullptr;
  QAction* ContactUs1 = nullptr;
  QAction* VisitWebsite1 = nullptr;
  QAction* About1 = nullptr;
  QAction* Settings1 = nullptr;
  QAction* miRemoveSelected = nullptr;
  QAction* Clearlist1 = nullptr;
  QAction* deleteRows_ = nullptr;
  QMenu* File1 = nullptr;
  QMenu* Operation1 = nullptr;
  QMenu* View1 = nullptr;
  QMenu* mmLanguage = nullptr;
  QMenu* Help1 = nullptr;
  QMenu* PopupMenu1 = nullptr;

  QToolBar* Panel1 = nullptr;
  QList<QWidget*> toolButtons_;
  QCheckBox* chkIncludeSubfolders = nullptr;
  QWidget* Panel2 = nullptr;
  QLineEdit* edtFind = nullptr;
  QLineEdit* edtReplace = nullptr;
  QLineEdit* edtPattern = nullptr;
  QPushButton* Button1 = nullptr;
  QCheckBox* chkNewExt = nullptr;
  QLineEdit* edtNewExt = nullptr;
  QComboBox* cbCase = nullptr;
  QLineEdit* edtInsertText = nullptr;
  NumberBox* edtInsertPos = nullptr;
  NumberBox* edtRemoveFirst = nullptr;
  NumberBox* edtRemoveLast = nullptr;
  NumberBox* edtRemoveFromPos = nullptr;
  NumberBox* edtRemoveTillPos = nullptr;
  QLineEdit* edtCropBefore = nullptr;
  QLineEdit* edtCropAfter = nullptr;
  QLineEdit* edtCharactersToRemove = nullptr;
  QCheckBox* chkCollapseDoubleSpaces = nullptr;
  NumberBox* edtPadNumbers = nullptr;
  QTableView* lvFiles = nullptr;
  QWidget* Panel5 = nullptr;
  QLabel* lblOperation = nullptr;
  QComboBox* cbBatchMode = nullptr;
  QLabel* lblDestination = nullptr;
  QLineEdit* edtDestination = nullptr;
  QPushButton* Button2 = nullptr;
  QLabel* statusText_ = nullptr;
  HomepageLink* lbHomepageURL = nullptr;

  // Each label beside a control, with its English text; the control takes
  // the text as its accessible name.
  struct Caption {
    QLabel* label;
    QWidget* control;
    const char16_t* english;
  };
  QList<Caption> captions_;
};

}  // namespace corvane

// TFormMain: the main window, the program's whole command surface.
//
// It owns the item list and shows it through a FileListModel in the file
// list. The option controls are the store of the options: every
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
// Its rooms: the option controls come from the tables of ui/option_rows.h
// (ui/option_form.h), the commands from the action table
// (main_window_actions.cpp, ui/action_table.h), the preview and its verdicts
// from ui/preview_controller.h; the commands themselves and the drops are in
// main_window_commands.cpp; this file's own .cpp lays the window out.
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
#include <vector>

#include "collect/item_list.h"
#include "collect/item_order.h"
#include "engine/engine_context.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"
#include "platform/user_choices.h"
#include "ui/action_table.h"
#include "ui/dialog_sink.h"
#include "ui/dialogs.h"
#include "ui/long_work.h"
#include "ui/preview_worker.h"
#include "ui/settings_dialog.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QTableView;
class QToolBar;
class QToolButton;
class QWidget;

namespace corvane {

class FileListModel;
class HomepageLink;
class OptionForm;
class PreviewController;

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

  const RenameItemList& items() const { return items_; }
  TFormSettings& settings() const { return *settings_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  QMenu* createPopupMenu() override;
  // Files dragged from elsewhere onto the file list are the window's drop;
  // rows dragged within it are the list's own move.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The window's commands (main_window_actions.cpp).
  std::vector<ActionRow> ActionRows();
  void CreateMenus();
  void CreateToolbar();
  QWidget* CreateOptionsPanel();
  QWidget* CreateOperationPanel();
  void CreateFileList();
  void CreateStatusLine();
  void SetTabOrder();
  void LayOut();
  void BuildLanguageMenu();
  // The destination's parts are enabled only for an operation into a folder.
  void EnableDestination();

  QList<int> SelectedRows() const;
  void ReportError(const Error& error);
  void AddWith(const std::function<Status(RenameItemList&)>& add);
  // Runs `work` as LongWork::RunFor does, with the commands that change the
  // list or start long work disabled meanwhile.
  template <typename F>
  auto RunLongWork(F&& work);
  // Renames as the preview shows, and shows how it ended.
  void RunBatch();

  // Commands (main_window_commands.cpp).
  void AddFilesClicked();
  void AddFolderClicked();
  // The toolbar's and the Delete key's: nothing without a selection.
  void RemoveSelectedClicked();
  // The pop-up menu's: the file count is shown even without a selection.
  void PopupRemoveClicked();
  // Clears the list only while a row is selected.
  void ClearListClicked();
  void ClearList();
  void PreviewClicked();
  void RenameClicked();
  void UndoClicked();
  void ShowOptionsPanel(bool shown);
  void LivePreviewToggled(bool on);
  void PickDestinationClicked();
  void SavePresetClicked();
  void LoadPresetClicked();
  void OpenSettingsClicked();
  void PatternHelpClicked();
  void AboutClicked();
  void LanguagePicked(QAction* item);
  void OpenPage(const QUrl& address);

  // Ordering the list (main_window_order.cpp): the items move, the selection
  // and the current row go with them, and the preview follows.
  void ConnectListOrder();
  void SortListBy(ListOrder order);
  void MoveUpClicked();
  void MoveDownClicked();

  WindowServices services_;
  Dialogs& dialogs_;
  DialogSink sink_;
  RenameItemList items_;
  FileListModel* model_ = nullptr;
  std::unique_ptr<TFormSettings> settings_;
  bool laidOutOnce_ = false;
  LongWork longWork_{this};
  std::unique_ptr<ActionTable> actions_;
  PreviewController* preview_ = nullptr;

  QMenu* fileMenu_ = nullptr;
  QMenu* operationMenu_ = nullptr;
  QMenu* sortMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QMenu* languageMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QMenu* listPopupMenu_ = nullptr;

  QToolBar* toolbar_ = nullptr;
  QList<QToolButton*> toolButtons_;
  QWidget* optionsPanel_ = nullptr;
  OptionForm* panelOptions_ = nullptr;  // the options panel's controls
  QPushButton* patternHelpButton_ = nullptr;
  QTableView* fileList_ = nullptr;
  OptionForm* operationOptions_ = nullptr;  // the operation line's controls
  QComboBox* batchModeBox_ = nullptr;
  QLineEdit* destinationBox_ = nullptr;
  QPushButton* destinationButton_ = nullptr;
  QLabel* statusText_ = nullptr;
  HomepageLink* homepageLink_ = nullptr;
};

}  // namespace corvane

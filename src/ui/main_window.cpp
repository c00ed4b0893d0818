#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "base/build_info.h"
#include "base/english_text.h"
#include "batch/batch_executor.h"
#include "batch/undo.h"
#include "batch/verdict_texts.h"
#include "collect/add_files.h"
#include "collect/row_texts.h"
#include "engine/preview.h"
#include "i18n/shown_messages.h"
#include "i18n/translation.h"
#include "presets/preset_file.h"
#include "ui/file_list_model.h"
#include "ui/help_texts.h"
#include "ui/homepage_link.h"
#include "ui/layout_rules.h"
#include "ui/number_box.h"
#include "ui/settings_dialog.h"
#include "ui/theme.h"
#include "ui/verdict_look.h"

namespace corvane {
namespace {

// Design metrics, in logical pixels.
constexpr int kWindowWidth = 1262;
constexpr int kWindowHeight = 657;
constexpr int kToolbarHeight = 58;
constexpr int kToolButtonWidth = 62;
constexpr int kPresetButtonWidth = 66;
constexpr int kOptionsPanelHeight = 215;
constexpr int kOperationPanelHeight = 53;
constexpr int kRowHeight = 22;

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

QAction* NewAction(QObject* parent, const char* name, const char* icon = nullptr) {
  auto* action = new QAction(parent);
  action->setObjectName(QString::fromLatin1(name));
  if (icon) {
    action->setIcon(ProgramIcon(QString::fromLatin1(icon)));
    action->setIconVisibleInMenu(false);
  }
  return action;
}

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QGroupBox* NewGroup(const char* name) {
  auto* group = Named(new QGroupBox, name);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace

TFormMain::TFormMain(const WindowServices& services, Dialogs& dialogs,
                     std::unique_ptr<TFormSettings> settings, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      dialogs_(dialogs),
      sink_(dialogs, this),
      settings_(settings ? std::move(settings) : std::make_unique<TFormSettings>()) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowIcon(ProgramIcon(QStringLiteral("corvane")));
  setWindowTitle(QCoreApplication::applicationName() + u' ' + kVersionText.toString());
  resize(kWindowWidth, kWindowHeight);
  model_ = new FileListModel(FRenameItems, this);

  CreateActions();
  CreateMenus();
  CreateToolbar();
  auto* central = Named(new QWidget, "ClientArea");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(CreateOptionsPanel());
  CreateFileList();
  column->addWidget(lvFiles, 1);
  column->addWidget(CreateOperationPanel());
  setCentralWidget(central);
  CreateStatusLine();
  SetStartValues();
  SetTabOrder();
  setAcceptDrops(true);
  BuildLanguageMenu();
  worker_ = new PreviewWorker(
      services_.context, services_.fileSystem,
      [this] { return PreviewWorker::Request{FRenameItems.items(), ReadOptions(), model_->version()}; },
      this);
  worker_->setObjectName(QStringLiteral("previewWorker"));
  connect(worker_, &PreviewWorker::Ready, this, &TFormMain::WorkerAnswered);
  LivePreview1->setChecked(services_.userChoices.ReadLivePreview());
  connect(LivePreview1, &QAction::toggled, this, &TFormMain::LivePreview1Click);
  ConnectOptionEdits();
  ApplyTranslation();
}

TFormMain::~TFormMain() = default;

void TFormMain::CreateActions() {
  AddFiles1 = NewAction(this, "AddFiles1", "plus");
  AddFiles1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(AddFiles1, &QAction::triggered, this, &TFormMain::btnAddClick);
  RemoveSelected1 = NewAction(this, "RemoveSelected1", "cross");
  connect(RemoveSelected1, &QAction::triggered, this, &TFormMain::btnRemoveClick);
  SavePreset1 = NewAction(this, "SavePreset1", "save");
  connect(SavePreset1, &QAction::triggered, this, &TFormMain::SavePreset1Click);
  LoadPreset1 = NewAction(this, "LoadPreset1", "folder-open");
  connect(LoadPreset1, &QAction::triggered, this, &TFormMain::LoadPreset1Click);
  Exit1 = NewAction(this, "Exit1");
  Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(Exit1, &QAction::triggered, this, &QWidget::close);

  Preview1 = NewAction(this, "Preview1", "eye");
  Preview1->setShortcut(QKeySequence(Qt::Key_F5));
  connect(Preview1, &QAction::triggered, this, &TFormMain::btnPreviewClick);
  Rename1 = NewAction(this, "Rename1", "write");
  connect(Rename1, &QAction::triggered, this, &TFormMain::btnRenameClick);
  Undo1 = NewAction(this, "Undo1", "reply");
  connect(Undo1, &QAction::triggered, this, &TFormMain::btnUndoClick);

  ShowSettings1 = NewAction(this, "ShowSettings1");
  ShowSettings1->setCheckable(true);
  ShowSettings1->setChecked(true);
  connect(ShowSettings1, &QAction::toggled, this, &TFormMain::ShowSettings1Click);
  // Off unless the user left it on: a preview at every keystroke is a choice.
  LivePreview1 = NewAction(this, "LivePreview1");
  LivePreview1->setCheckable(true);

  utorial1 = NewAction(this, "utorial1");
  connect(utorial1, &QAction::triggered, this, [this] { OpenPage(TutorialPageUrl()); });
  ContactUs1 = NewAction(this, "ContactUs1");
  connect(ContactUs1, &QAction::triggered, this, [this] { OpenPage(SupportPageUrl()); });
  VisitWebsite1 = NewAction(this, "VisitWebsite1");
  connect(VisitWebsite1, &QAction::triggered, this, [this] { OpenPage(HomePageUrl()); });
  About1 = NewAction(this, "About1", "info");
  connect(About1, &QAction::triggered, this, &TFormMain::About1Click);
  Settings1 = NewAction(this, "Settings1", "setting");
  connect(Settings1, &QAction::triggered, this, &TFormMain::SpeedButton1Click);

  miRemoveSelected = NewAction(this, "miRemoveSelected");
  connect(miRemoveSelected, &QAction::triggered, this, &TFormMain::miRemoveSelectedClick);
  Clearlist1 = NewAction(this, "Clearlist1");
  connect(Clearlist1, &QAction::triggered, this, &TFormMain::Clearlist1Click);
}

void TFormMain::CreateMenus() {
  File1 = Named(menuBar()->addMenu(QString()), "File1");
  File1->addAction(AddFiles1);
  File1->addAction(RemoveSelected1);
  File1->addSeparator();
  File1->addAction(SavePreset1);
  File1->addAction(LoadPreset1);
  File1->addSeparator();
  File1->addAction(Exit1);

  Operation1 = Named(menuBar()->addMenu(QString()), "Operation1");
  Operation1->addAction(Preview1);
  Operation1->addAction(Rename1);
  Operation1->addSeparator();
  Operation1->addAction(Undo1);

  View1 = Named(menuBar()->addMenu(QString()), "View1");
  View1->addAction(ShowSettings1);
  View1->addAction(LivePreview1);
  View1->addSeparator();
  mmLanguage = Named(View1->addMenu(QString()), "mmLanguage");

  Help1 = Named(menuBar()->addMenu(QString()), "Help1");
  Help1->addAction(utorial1);
  Help1->addSeparator();
  Help1->addAction(ContactUs1);
  Help1->addAction(VisitWebsite1);
  Help1->addSeparator();
  Help1->addAction(About1);

  PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
  PopupMenu1->addAction(miRemoveSelected);
  PopupMenu1->addAction(Clearlist1);
}

void TFormMain::CreateToolbar() {
  Panel1 = Named(addToolBar(QString()), "Panel1");
  Panel1->setMovable(false);
  Panel1->setFloatable(false);
  Panel1->setFixedHeight(kToolbarHeight);
  Panel1->setIconSize(QSize(28, 28));
  Panel1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const auto button = [this](QAction* action, const char* name, int width) {
    auto* b = Named(new QToolButton, name);
    b->setDefaultAction(action);
    b->setAutoRaise(true);
    b->setFixedWidth(width);
    b->setFocusPolicy(Qt::TabFocus);
    Panel1->addWidget(b);
    toolButtons_.append(b);
  };
  button(AddFiles1, "btnAdd", kToolButtonWidth);
  button(RemoveSelected1, "btnRemove", kToolButtonWidth);
  Panel1->addSeparator();
  button(Preview1, "btnPreview", kToolButtonWidth);
  button(Rename1, "btnRename", kToolButtonWidth);
  button(Undo1, "btnUndo", kToolButtonWidth);
  Panel1->addSeparator();
  button(SavePreset1, "btnSavePreset", kPresetButtonWidth);
  button(LoadPreset1, "btnLoadPreset", kPresetButtonWidth);
  auto* spring = new QWidget;
  spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  Panel1->addWidget(spring);
  button(Settings1, "SpeedButton1", kToolButtonWidth);
  button(About1, "SpeedButton4", kToolButtonWidth);

  // Presets save and load this value and drops read it; it is never shown.
  chkIncludeSubfolders = Named(new QCheckBox(Panel1), "chkIncludeSubfolders");
  chkIncludeSubfolders->setVisible(false);
}

QWidget* TFormMain::CreateOptionsPanel() {
  Panel2 = Named(new QWidget, "Panel2");
  Panel2->setFixedHeight(kOptionsPanelHeight);
  auto* columns = new QHBoxLayout(Panel2);
  columns->setContentsMargins(8, 6, 8, 6);
  columns->setSpacing(8);
  QVBoxLayout* column = nullptr;
  const auto newColumn = [&] {
    column = new QVBoxLayout;
    column->setSpacing(6);
    columns->addLayout(column, 1);
  };
  QGroupBox* group = nullptr;
  const auto newGroup = [&](const char* name) {
    group = NewGroup(name);
    column->addWidget(group);
  };
  const auto grid = [&] { return static_cast<QGridLayout*>(group->layout()); };
  // A captioned row: the label, then the control spanning the rest.
  const auto row = [&](const char16_t* english, QWidget* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    auto* label = new QLabel;
    label->setBuddy(control);
    const int r = grid()->rowCount();
    grid()->addWidget(label, r, 0);
    grid()->addWidget(control, r, 1, 1, 2);
    captions_.append({label, control, english});
  };

  newColumn();
  newGroup("GroupBox1");
  row(EN_TEXT("Find in name:"), edtFind = new QLineEdit, "edtFind");
  row(EN_TEXT("Replace with:"), edtReplace = new QLineEdit, "edtReplace");
  newGroup("GroupBox2");
  edtPattern = Named(new QLineEdit, "edtPattern");
  Button1 = Named(new QPushButton(QStringLiteral("?")), "Button1");
  Button1->setFixedWidth(28);
  connect(Button1, &QPushButton::clicked, this, &TFormMain::Button1Click);
  {
    auto* label = new QLabel;
    label->setBuddy(edtPattern);
    const int r = grid()->rowCount();
    grid()->addWidget(label, r, 0);
    grid()->addWidget(edtPattern, r, 1);
    grid()->addWidget(Button1, r, 2);
    captions_.append({label, edtPattern, EN_TEXT("Pattern:")});
  }
  chkNewExt = Named(new QCheckBox, "chkNewExt");
  edtNewExt = Named(new QLineEdit, "edtNewExt");
  {
    const int r = grid()->rowCount();
    grid()->addWidget(chkNewExt, r, 0);
    grid()->addWidget(edtNewExt, r, 1, 1, 2);
  }
  row(EN_TEXT("Case:"), cbCase = new QComboBox, "cbCase");
  column->addStretch();

  newColumn();
  newGroup("GroupBox3");
  row(EN_TEXT("Insert text"), edtInsertText = new QLineEdit, "edtInsertText");
  row(EN_TEXT("at position:"), edtInsertPos = new NumberBox, "edtInsertPos");
  newGroup("GroupBox4");
  row(EN_TEXT("Remove first:"), edtRemoveFirst = new NumberBox, "edtRemoveFirst");
  row(EN_TEXT("Remove last:"), edtRemoveLast = new NumberBox, "edtRemoveLast");
  newGroup("GroupBox8");
  row(EN_TEXT("Remove from position"), edtRemoveFromPos = new NumberBox, "edtRemoveFromPos");
  row(EN_TEXT("until position:"), edtRemoveTillPos = new NumberBox, "edtRemoveTillPos");
  column->addStretch();

  newColumn();
  newGroup("GroupBox5");
  row(EN_TEXT("Trim from text:"), edtCropBefore = new QLineEdit, "edtCropBefore");
  row(EN_TEXT("Trim until text:"), edtCropAfter = new QLineEdit, "edtCropAfter");
  newGroup("GroupBox7");
  row(EN_TEXT("Remove characters:"), edtCharactersToRemove = new QLineEdit, "edtCharactersToRemove");
  chkCollapseDoubleSpaces = Named(new QCheckBox, "chkCollapseDoubleSpaces");
  grid()->addWidget(chkCollapseDoubleSpaces, grid()->rowCount(), 0, 1, 3);
  newGroup("GroupBox6");
  {
    edtPadNumbers = Named(new NumberBox, "edtPadNumbers");
    auto* label = new QLabel;
    label->setWordWrap(true);
    label->setBuddy(edtPadNumbers);
    grid()->addWidget(label, 0, 0, 1, 2);
    grid()->addWidget(edtPadNumbers, 0, 2);
    grid()->setColumnStretch(1, 0);
    grid()->setColumnStretch(0, 1);
    captions_.append({label, edtPadNumbers, EN_TEXT("Add leading zeroes to the numbers. Digits count:")});
  }
  column->addStretch();

  for (NumberBox* box : {edtInsertPos, edtRemoveFirst, edtRemoveLast, edtRemoveFromPos,
                         edtRemoveTillPos, edtPadNumbers}) {
    box->setFixedWidth(72);
  }
  connect(chkNewExt, &QCheckBox::toggled, this, &TFormMain::chkNewExtClick);
  return Panel2;
}

QWidget* TFormMain::CreateOperationPanel() {
  Panel5 = Named(new QWidget, "Panel5");
  Panel5->setFixedHeight(kOperationPanelHeight);
  auto* line = new QHBoxLayout(Panel5);
  line->setContentsMargins(8, 8, 8, 8);
  line->setSpacing(8);
  lblOperation = Named(new QLabel, "lblOperation");
  cbBatchMode = Named(new QComboBox, "cbBatchMode");
  cbBatchMode->setMinimumWidth(160);
  lblOperation->setBuddy(cbBatchMode);
  lblDestination = Named(new QLabel, "lblDestination");
  edtDestination = Named(new QLineEdit, "edtDestination");
  lblDestination->setBuddy(edtDestination);
  Button2 = Named(new QPushButton(QStringLiteral("...")), "Button2");
  Button2->setFixedWidth(36);
  line->addWidget(lblOperation);
  line->addWidget(cbBatchMode);
  line->addSpacing(12);
  line->addWidget(lblDestination);
  line->addWidget(edtDestination, 1);
  line->addWidget(Button2);
  captions_.append({lblOperation, cbBatchMode, EN_TEXT("Operation:")});
  captions_.append({lblDestination, edtDestination, EN_TEXT("Destination:")});
  connect(cbBatchMode, &QComboBox::currentIndexChanged, this, &TFormMain::cbBatchModeChange);
  connect(Button2, &QPushButton::clicked, this, &TFormMain::Button2Click);
  return Panel5;
}

void TFormMain::CreateFileList() {
  lvFiles = Named(new QTableView, "lvFiles");
  lvFiles->setModel(model_);
  lvFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvFiles->setSortingEnabled(false);
  lvFiles->setShowGrid(true);
  lvFiles->setWordWrap(false);
  lvFiles->setTabKeyNavigation(false);
  lvFiles->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // One fixed row height and nothing sized to its contents: the view then
  // places 100,000 rows by arithmetic instead of measuring them.
  QHeaderView* rows = lvFiles->verticalHeader();
  rows->setVisible(false);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(kRowHeight);
  rows->setDefaultSectionSize(kRowHeight);
  QHeaderView* columns = lvFiles->horizontalHeader();
  columns->setSectionsClickable(false);
  columns->setSortIndicatorShown(false);
  columns->setHighlightSections(false);
  columns->setStretchLastSection(false);
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->resizeSection(FileListModel::kOriginalName, kOriginalNameWidth);
  columns->resizeSection(FileListModel::kNewName, kNewNameWidth);
  columns->resizeSection(FileListModel::kFolder, kFolderStartWidth);
  columns->resizeSection(FileListModel::kSize, kSizeWidth);

  lvFiles->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lvFiles, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenu1->popup(lvFiles->viewport()->mapToGlobal(at));
  });
  deleteRows_ = NewAction(lvFiles, "deleteRows");
  deleteRows_->setShortcut(QKeySequence::Delete);
  deleteRows_->setShortcutContext(Qt::WidgetShortcut);
  lvFiles->addAction(deleteRows_);
  connect(deleteRows_, &QAction::triggered, this, &TFormMain::btnRemoveClick);
}

void TFormMain::CreateStatusLine() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  bar->setFixedHeight(kStatusLineHeight);
  statusText_ = Named(new QLabel, "StatusText");
  bar->addWidget(statusText_, 1);
  lbHomepageURL = Named(new HomepageLink(this), "lbHomepageURL");
  lbHomepageURL->setFixedSize(kLinkWidth, kLinkHeight);
  lbHomepageURL->setText(WebSiteAddress());
  lbHomepageURL->setAccessibleName(WebSiteAddress());
  connect(lbHomepageURL, &HomepageLink::clicked, this, [this] { OpenPage(HomePageUrl()); });
}

void TFormMain::SetStartValues() {
  cbCase->clear();
  cbCase->addItems({QString(), QString(), QString(), QString()});
  cbCase->setCurrentIndex(static_cast<int>(CaseMode::Unchanged));
  chkNewExt->setChecked(false);
  edtNewExt->setEnabled(false);
  edtPattern->setText(QStringLiteral("{name}"));
  cbBatchMode->clear();
  cbBatchMode->addItems({QString(), QString(), QString()});
  cbBatchMode->setCurrentIndex(static_cast<int>(BatchMode::RenameInPlace));
  edtInsertPos->setValue(QStringLiteral("1"));
  edtRemoveFirst->setValue(QStringLiteral("0"));
  edtRemoveLast->setValue(QStringLiteral("0"));
  edtPadNumbers->setValue(QStringLiteral("0"));
  edtRemoveFromPos->setValue(QStringLiteral("0"));
  edtRemoveTillPos->setValue(QStringLiteral("0"));
  edtCharactersToRemove->clear();
  chkCollapseDoubleSpaces->setChecked(false);
  cbBatchModeChange();
}

void TFormMain::SetTabOrder() {
  QList<QWidget*> order = toolButtons_;
  order << edtFind << edtReplace << edtPattern << Button1 << chkNewExt << edtNewExt << cbCase
        << edtInsertText << edtInsertPos << edtRemoveFirst << edtRemoveLast << edtRemoveFromPos
        << edtRemoveTillPos << edtCropBefore << edtCropAfter << edtCharactersToRemove
        << chkCollapseDoubleSpaces << edtPadNumbers << lvFiles << cbBatchMode << edtDestination
        << Button2;
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TFormMain::ConnectOptionEdits() {
  for (QLineEdit* box : {edtFind, edtReplace, edtPattern, edtNewExt, edtInsertText, edtCropBefore,
                         edtCropAfter, edtCharactersToRemove, edtDestination}) {
    connect(box, &QLineEdit::textChanged, this, &TFormMain::OptionsEdited);
  }
  for (NumberBox* box : {edtInsertPos, edtRemoveFirst, edtRemoveLast, edtRemoveFromPos,
                         edtRemoveTillPos, edtPadNumbers}) {
    connect(box, &NumberBox::valueEdited, this, &TFormMain::OptionsEdited);
  }
  for (QCheckBox* box : {chkNewExt, chkCollapseDoubleSpaces, chkIncludeSubfolders}) {
    connect(box, &QCheckBox::toggled, this, &TFormMain::OptionsEdited);
  }
  for (QComboBox* box : {cbCase, cbBatchMode}) {
    connect(box, &QComboBox::currentIndexChanged, this, &TFormMain::OptionsEdited);
  }
}

void TFormMain::BuildLanguageMenu() {
  const TranslationCatalogue& catalogue = Translations();
  for (int column = 0; column < catalogue.languageCount(); ++column) {
    // Each language in its own words, whatever the current one is.
    QAction* item = mmLanguage->addAction(catalogue.LanguageName(column));
    item->setData(column);
    item->setCheckable(true);
    item->setChecked(column == catalogue.currentIndex());
    connect(item, &QAction::triggered, this, [this, item] { LanguageMenuClick(item); });
  }
}

void TFormMain::ApplyTranslation() {
  File1->setTitle(Tr(EN_TEXT("File")));
  Operation1->setTitle(Tr(EN_TEXT("Operation")));
  View1->setTitle(Tr(EN_TEXT("View")));
  mmLanguage->setTitle(Tr(EN_TEXT("Language")));
  Help1->setTitle(Tr(EN_TEXT("Help")));
  const auto caption = [](QAction* action, const char16_t* english) {
    action->setText(Tr(english));
    action->setToolTip(Tr(english));
  };
  caption(AddFiles1, EN_TEXT("Add Files..."));
  caption(RemoveSelected1, EN_TEXT("Remove Selected Items"));
  caption(SavePreset1, EN_TEXT("Save Preset As..."));
  caption(LoadPreset1, EN_TEXT("Load Preset..."));
  caption(Exit1, EN_TEXT("Exit"));
  caption(Preview1, EN_TEXT("Preview Result"));
  caption(Rename1, EN_TEXT("Rename Files!"));
  caption(Undo1, EN_TEXT("Undo Last Rename"));
  caption(ShowSettings1, EN_TEXT("Show Options"));
  caption(LivePreview1, EN_TEXT("Live preview"));
  caption(utorial1, EN_TEXT("Tutorial"));
  caption(ContactUs1, EN_TEXT("Contact Us"));
  caption(VisitWebsite1, EN_TEXT("Visit Website"));
  caption(About1, EN_TEXT("About..."));
  caption(Settings1, EN_TEXT("Settings..."));
  caption(miRemoveSelected, EN_TEXT("Remove selected"));
  caption(Clearlist1, EN_TEXT("Clear list"));
  caption(deleteRows_, EN_TEXT("Remove Selected Items"));
  for (QWidget* button : toolButtons_) {
    button->setAccessibleName(static_cast<QToolButton*>(button)->defaultAction()->text());
  }

  for (const Caption& c : captions_) {
    c.label->setText(Tr(c.english));
    c.control->setAccessibleName(Tr(c.english));
  }
  chkNewExt->setText(Tr(EN_TEXT("New extension:")));
  chkNewExt->setAccessibleName(Tr(EN_TEXT("New extension:")));
  edtNewExt->setAccessibleName(Tr(EN_TEXT("New extension:")));
  chkCollapseDoubleSpaces->setText(Tr(EN_TEXT("Collapse double spaces")));
  chkCollapseDoubleSpaces->setAccessibleName(Tr(EN_TEXT("Collapse double spaces")));
  chkIncludeSubfolders->setText(Tr(EN_TEXT("Include subfolders")));
  Button1->setAccessibleName(Tr(EN_TEXT("Pattern help")));
  Button1->setToolTip(Tr(EN_TEXT("Pattern help")));
  Button2->setAccessibleName(Tr(EN_TEXT("Select destination folder")));
  Button2->setToolTip(Tr(EN_TEXT("Select destination folder")));
  lvFiles->setAccessibleName(Tr(EN_TEXT("File list")));
  NumberBox::NameEditors(*this);

  const char16_t* cases[] = {EN_TEXT("Unchanged"), EN_TEXT("lowercase"), EN_TEXT("UPPERCASE"), EN_TEXT("Title Case")};
  for (int i = 0; i < cbCase->count(); ++i) cbCase->setItemText(i, Tr(cases[i]));
  const char16_t* modes[] = {EN_TEXT("Rename in place"), EN_TEXT("Copy to folder"), EN_TEXT("Move to folder")};
  for (int i = 0; i < cbBatchMode->count(); ++i) cbBatchMode->setItemText(i, Tr(modes[i]));
  model_->RetranslateHeaders();
  statusText_->setText(QStringLiteral("  ") + Tr(EN_TEXT("Add the files")));
}

RenameOptions TFormMain::ReadOptions() const {
  RenameOptions o;
  settings_->ReadInto(o);
  o.find = edtFind->text();
  o.replace = edtReplace->text();
  o.pattern = edtPattern->text();
  o.caseMode = cbCase->currentIndex();
  o.changeExt = chkNewExt->isChecked();
  o.newExt = edtNewExt->text();
  o.insertText = edtInsertText->text();
  o.insertPos = edtInsertPos->value();
  o.removeFirst = edtRemoveFirst->value();
  o.removeLast = edtRemoveLast->value();
  o.removeFromPos = edtRemoveFromPos->value();
  o.removeTillPos = edtRemoveTillPos->value();
  o.charactersToRemove = edtCharactersToRemove->text();
  o.collapseDoubleSpaces = chkCollapseDoubleSpaces->isChecked();
  o.cropBefore = edtCropBefore->text();
  o.cropAfter = edtCropAfter->text();
  o.padNumbers = edtPadNumbers->value();
  o.includeSubfolders = chkIncludeSubfolders->isChecked();
  o.batchMode = cbBatchMode->currentIndex();
  o.destination = edtDestination->text();
  return o;
}

void TFormMain::WriteOptions(const RenameOptions& o) {
  edtFind->setText(o.find);
  edtReplace->setText(o.replace);
  edtPattern->setText(o.pattern);
  cbCase->setCurrentIndex(SelectedCaseMode(o.caseMode) ? o.caseMode : -1);
  chkNewExt->setChecked(o.changeExt);
  edtNewExt->setText(o.newExt);
  edtInsertText->setText(o.insertText);
  edtInsertPos->setValue(o.insertPos);
  edtRemoveFirst->setValue(o.removeFirst);
  edtRemoveLast->setValue(o.removeLast);
  edtRemoveFromPos->setValue(o.removeFromPos);
  edtRemoveTillPos->setValue(o.removeTillPos);
  edtCharactersToRemove->setText(o.charactersToRemove);
  chkCollapseDoubleSpaces->setChecked(o.collapseDoubleSpaces);
  edtCropBefore->setText(o.cropBefore);
  edtCropAfter->setText(o.cropAfter);
  edtPadNumbers->setValue(o.padNumbers);
  chkIncludeSubfolders->setChecked(o.includeSubfolders);
  cbBatchMode->setCurrentIndex(SelectedBatchMode(o.batchMode) ? o.batchMode : -1);
  edtDestination->setText(o.destination);
  settings_->Write(o);
  chkNewExtClick();
  cbBatchModeChange();
}

QMenu* TFormMain::createPopupMenu() { return nullptr; }

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (laidOutOnce_) return;
  laidOutOnce_ = true;
  if (const QScreen* s = screen()) {
    move(s->availableGeometry().center() - frameGeometry().center() + pos());
  }
  LayOut();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayOut();
}

void TFormMain::LayOut() {
  const QStatusBar* bar = statusBar();
  lbHomepageURL->move(HomepageLinkLeft(width(), lbHomepageURL->width()),
                      HomepageLinkTop(bar->y(), bar->height(), lbHomepageURL->height()));
  lbHomepageURL->raise();
  const auto widths = ColumnWidths(lvFiles->viewport()->width(), model_->columnCount());
  if (!widths) return;
  for (int c = 0; c < kColumnCount; ++c) lvFiles->horizontalHeader()->resizeSection(c, (*widths)[c]);
}

QList<int> TFormMain::SelectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : lvFiles->selectionModel()->selectedRows()) rows.append(index.row());
  return rows;
}

void TFormMain::ShowFileCount() {
  const QString files = Translate(FileCountText(FRenameItems.count()));
  const QStringList counts = Translate(VerdictCountTexts(counts_));
  statusText_->setText(model_->hasVerdicts() ? StatusLineText(files, counts) : files);
}

void TFormMain::ListEdited() {
  ShowFileCount();
  PreviewIfLive();
}

void TFormMain::PreviewIfLive() {
  if (LivePreview1->isChecked() && FRenameItems.count() > 0) worker_->RunNow();
}

void TFormMain::ShowJudgedPreview(JudgedPreview&& judged) {
  model_->SetNewNames(std::move(judged.preview.newNames), judged.preview.changedRows);
  ShowVerdicts(judged.verdicts);
  MarkFindBox({});
}

void TFormMain::ShowVerdicts(const BatchVerdicts& judged) {
  // A batch that would be refused as a whole (no destination) has no
  // verdicts; the rename says why.
  if (!judged.notice) model_->SetVerdicts(judged.verdicts);
  counts_ = judged.counts;
  ShowFileCount();
}

void TFormMain::MarkFindBox(const QString& problem) {
  const bool invalid = !problem.isEmpty();
  if (edtFind->property("invalid").toBool() == invalid && edtFind->toolTip() == problem) return;
  edtFind->setProperty("invalid", invalid);
  edtFind->setToolTip(problem);
  edtFind->setAccessibleDescription(problem);
  // A palette of no colours inherits the window's again.
  QPalette palette;
  if (invalid) palette.setColor(QPalette::Base, ProblemBackground());
  edtFind->setPalette(palette);
}

void TFormMain::OptionsEdited() {
  if (LivePreview1->isChecked() && FRenameItems.count() > 0) worker_->Schedule();
}

void TFormMain::WorkerAnswered(const PreviewWorker::Answer& answer, quint64 listVersion) {
  // A change of the list since the snapshot asked for a newer preview.
  if (listVersion != model_->version()) return;
  // The work reads the items meanwhile; they change only once it is over.
  if (longWork_.running()) {
    livePreviewHeld_ = true;
    return;
  }
  Result<JudgedPreview>& judged = *answer;
  if (!judged.ok()) {
    // At every keystroke a box would be in the way: the status line says it.
    statusText_->setText(ErrorReportText(judged.error()));
    MarkFindBox(judged.error().code() == Error::Code::kRegex ? ErrorReportText(judged.error())
                                                             : QString());
    return;
  }
  if (judged->preview.notice) return;
  ShowJudgedPreview(std::move(judged.value()));
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
  if (status.ok()) return ListEdited();
  // The status line keeps its text: the command did not complete.
  ReportError(status.error());
  PreviewIfLive();
}

template <typename F>
auto TFormMain::RunLongWork(F&& work) {
  EnableListCommands(false);
  auto result = longWork_.RunFor(std::forward<F>(work));
  EnableListCommands(true);
  if (std::exchange(livePreviewHeld_, false)) PreviewIfLive();
  return result;
}

void TFormMain::EnableListCommands(bool enabled) {
  for (QAction* command : {AddFiles1, RemoveSelected1, miRemoveSelected, Clearlist1, deleteRows_,
                           Preview1, Rename1, Undo1}) {
    command->setEnabled(enabled);
  }
}

// The folders are searched and the files read off the window's thread, which
// meanwhile paints the list unchanged; the items are appended here afterwards.
// A cancelled drop adds nothing (collect/add_files.h).
void TFormMain::AddDroppedPaths(const QStringList& paths) {
  if (longWork_.running()) return;
  const bool subfolders = chkIncludeSubfolders->isChecked();
  std::optional<std::optional<FilesToAdd>> read =
      RunLongWork([&](const StopRequest& stop, ProgressReport& progress) {
        return ReadDroppedPaths(FRenameItems, paths, subfolders, services_.fileSystem, &stop,
                                &progress);
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

void TFormMain::btnAddClick() {
  const QStringList files = dialogs_.OpenFileNames(this, Tr(EN_TEXT("Select files to add")),
                                                   DialogFilter(Tr(EN_TEXT("All files (*.*)|*.*"))));
  if (files.isEmpty()) return;
  AddWith([&](RenameItemList& list) { return AddFiles(list, files); });
}

void TFormMain::btnRemoveClick() {
  const QList<int> rows = SelectedRows();
  if (rows.isEmpty()) return;
  model_->RemoveRows(rows);
  ListEdited();
}

void TFormMain::miRemoveSelectedClick() {
  model_->RemoveRows(SelectedRows());
  ListEdited();
}

void TFormMain::Clearlist1Click() {
  if (SelectedRows().isEmpty()) return;
  Clear();
}

void TFormMain::Clear() {
  model_->Clear();
  ShowFileCount();
}

void TFormMain::btnPreviewClick() {
  std::optional<Result<PreviewOutcome>> preview;
  {
    WaitCursor wait;
    preview.emplace(BuildPreview(FRenameItems.items(), ReadOptions(), services_.context));
    if (preview->ok() && !(*preview)->notice) {
      PreviewOutcome& outcome = preview->value();
      model_->SetNewNames(std::move(outcome.newNames), outcome.changedRows);
      MarkFindBox({});
      // The names show at once; their verdicts follow from the worker, which
      // thereby drops any live preview older than this one. It starts once
      // the view has drawn the names, so as not to slow that down.
      QMetaObject::invokeMethod(worker_, &PreviewWorker::JudgeNow, Qt::QueuedConnection);
    }
  }
  if (!preview->ok()) return ReportError(preview->error());
  if ((*preview)->notice) sink_.ShowNotice(*(*preview)->notice);
}

void TFormMain::btnRenameClick() {
  if (FRenameItems.count() == 0) {
    sink_.ShowNotice(
        Notice::Information(QStringLiteral(EN_TEXT("Nothing to rename. Add files and build a preview first."))));
    return;
  }
  QString question = Tr(EN_TEXT("Proceed to rename files as shown in the preview?"));
  worker_->Cancel();  // judged here and now instead
  {
    // Judged again, since files may have come or gone on disk since the
    // preview: the question tells what the batch will do now.
    WaitCursor wait;
    const BatchVerdicts judged = JudgeBatch(FRenameItems.items(), ReadOptions(), services_.fileSystem);
    ShowVerdicts(judged);
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
        return ExecuteBatch(FRenameItems.items(), options, services_.fileSystem,
                            services_.undoLogPath, &stop, &progress);
      });
  if (!batch) return;
  // Files renamed before a failure or a stop stay renamed; their rows say where they are.
  model_->ApplyUpdates(batch->updates);
  if (!batch->updates.isEmpty()) ListEdited();
  if (batch->notice) sink_.ShowNotice(*batch->notice);
  if (!batch->status.ok()) ReportError(batch->status.error());
}

void TFormMain::btnUndoClick() {
  std::optional<UndoOutcome> undo =
      RunLongWork([&](const StopRequest& stop, ProgressReport& progress) {
        return UndoLastRename(services_.fileSystem, services_.undoLogPath, &stop, &progress);
      });
  if (!undo) return;
  if (undo->clearList) Clear();
  if (undo->notice) sink_.ShowNotice(*undo->notice);
  if (!undo->status.ok()) ReportError(undo->status.error());
}

void TFormMain::ShowSettings1Click(bool checked) { Panel2->setVisible(checked); }

void TFormMain::LivePreview1Click(bool checked) {
  // Remembered like the language; a store that cannot be written only
  // forgets the choice.
  static_cast<void>(services_.userChoices.WriteLivePreview(checked));
  if (checked) return PreviewIfLive();
  worker_->Cancel();
  MarkFindBox({});
  ShowFileCount();
}

void TFormMain::chkNewExtClick() { edtNewExt->setEnabled(chkNewExt->isChecked()); }

void TFormMain::cbBatchModeChange() {
  const bool toFolder = cbBatchMode->currentIndex() > 0;
  lblDestination->setEnabled(toFolder);
  edtDestination->setEnabled(toFolder);
  Button2->setEnabled(toFolder);
}

void TFormMain::Button2Click() {
  const QString typed = edtDestination->text();
  const QString start =
      !typed.isEmpty() && services_.fileSystem.FolderExists(typed) ? typed : QDir::currentPath();
  const std::optional<QString> chosen =
      dialogs_.ExistingFolder(this, Tr(EN_TEXT("Select destination folder")), start);
  if (chosen) edtDestination->setText(QDir::toNativeSeparators(*chosen));
}

void TFormMain::SavePreset1Click() {
  const std::optional<QString> chosen =
      dialogs_.SaveFileName(this, Tr(EN_TEXT("Save Preset As...")), DialogFilter(Tr(EN_TEXT("Preset JSON|*.json"))));
  if (!chosen) return;
  const Status saved = SavePresetFile(WithDefaultExtension(*chosen, u"json"), ReadOptions());
  if (!saved.ok()) ReportError(saved.error());
}

void TFormMain::LoadPreset1Click() {
  const std::optional<QString> chosen =
      dialogs_.OpenFileName(this, Tr(EN_TEXT("Load Preset...")), DialogFilter(Tr(EN_TEXT("Preset JSON|*.json"))));
  if (!chosen) return;
  // The whole file is read before any control changes.
  const Result<RenameOptions> loaded = LoadPresetFile(*chosen, ReadOptions());
  if (!loaded.ok()) return ReportError(loaded.error());
  WriteOptions(loaded.value());
}

void TFormMain::SpeedButton1Click() {
  dialogs_.RunModal(*settings_);
  OptionsEdited();
}

void TFormMain::Button1Click() {
  dialogs_.ShowMessage(this, Dialogs::Kind::kInformation, QCoreApplication::applicationName(),
                       PatternHelpText());
}

void TFormMain::About1Click() {
  dialogs_.ShowMessage(this, Dialogs::Kind::kInformation, QCoreApplication::applicationName(),
                       AboutText());
}

void TFormMain::LanguageMenuClick(QAction* item) {
  for (QAction* each : mmLanguage->actions()) each->setChecked(false);
  SelectLanguage(item->data().toInt());
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

#include "ui/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/build_info.h"
#include "base/english_text.h"
#include "i18n/translation.h"
#include "ui/file_list_model.h"
#include "ui/file_list_view.h"
#include "ui/help_texts.h"
#include "ui/homepage_link.h"
#include "ui/layout_rules.h"
#include "ui/number_box.h"
#include "ui/option_form.h"
#include "ui/option_rows.h"
#include "ui/preview_controller.h"
#include "ui/theme.h"

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

// The options panel's group boxes, column by column, top to bottom.
constexpr const char* kOptionGroups[][3] = {{"GroupBox1", "GroupBox2", nullptr},
                                            {"GroupBox3", "GroupBox4", "GroupBox8"},
                                            {"GroupBox5", "GroupBox7", "GroupBox6"}};

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

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
  model_ = new FileListModel(items_, this);

  actions_ = std::make_unique<ActionTable>(ActionRows(), *this);
  CreateMenus();
  CreateToolbar();
  auto* central = Named(new QWidget, "ClientArea");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(CreateOptionsPanel());
  CreateFileList();
  column->addWidget(fileList_, 1);
  column->addWidget(CreateOperationPanel());
  setCentralWidget(central);
  CreateStatusLine();
  SetTabOrder();
  setAcceptDrops(true);
  BuildLanguageMenu();

  preview_ = new PreviewController(services_.context, services_.fileSystem,
                                   {items_, *model_, *panelOptions_->Control<QLineEdit>("edtFind"),
                                    *statusText_, longWork_, [this] { return ReadOptions(); }},
                                   (*actions_)["LivePreview1"]->isChecked(), this);
  for (OptionForm* form : {panelOptions_, operationOptions_}) {
    connect(form, &OptionForm::Edited, preview_, &PreviewController::OptionsEdited);
  }
  ConnectListOrder();
  ApplyTranslation();
}

TFormMain::~TFormMain() = default;

void TFormMain::CreateMenus() {
  const ActionTable& a = *actions_;
  fileMenu_ = Named(menuBar()->addMenu(QString()), "File1");
  fileMenu_->addActions({a["AddFiles1"], a["AddFolder1"], a["RemoveSelected1"]});
  fileMenu_->addSeparator();
  fileMenu_->addActions({a["SavePreset1"], a["LoadPreset1"]});
  fileMenu_->addSeparator();
  fileMenu_->addAction(a["Exit1"]);

  operationMenu_ = Named(menuBar()->addMenu(QString()), "Operation1");
  operationMenu_->addActions({a["Preview1"], a["Rename1"]});
  operationMenu_->addSeparator();
  operationMenu_->addAction(a["Undo1"]);
  operationMenu_->addSeparator();
  sortMenu_ = Named(operationMenu_->addMenu(QString()), "SortList1");
  sortMenu_->addActions(
      {a["SortByName1"], a["SortByModified1"], a["SortByTaken1"], a["SortBySize1"]});
  sortMenu_->addSeparator();
  sortMenu_->addAction(a["ReverseOrder1"]);
  operationMenu_->addActions({a["MoveUp1"], a["MoveDown1"]});

  viewMenu_ = Named(menuBar()->addMenu(QString()), "View1");
  viewMenu_->addActions({a["ShowSettings1"], a["LivePreview1"]});
  viewMenu_->addSeparator();
  languageMenu_ = Named(viewMenu_->addMenu(QString()), "mmLanguage");

  helpMenu_ = Named(menuBar()->addMenu(QString()), "Help1");
  helpMenu_->addAction(a["utorial1"]);
  helpMenu_->addSeparator();
  helpMenu_->addActions({a["ContactUs1"], a["VisitWebsite1"]});
  helpMenu_->addSeparator();
  helpMenu_->addAction(a["About1"]);

  listPopupMenu_ = Named(new QMenu(this), "PopupMenu1");
  listPopupMenu_->addActions({a["miRemoveSelected"], a["Clearlist1"]});
  listPopupMenu_->addSeparator();
  listPopupMenu_->addActions({a["MoveUp1"], a["MoveDown1"]});
}

void TFormMain::CreateToolbar() {
  toolbar_ = Named(addToolBar(QString()), "Panel1");
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setFixedHeight(kToolbarHeight);
  toolbar_->setIconSize(QSize(28, 28));
  toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const auto button = [this](const char* action, const char* name, int width) {
    auto* b = Named(new QToolButton, name);
    b->setDefaultAction((*actions_)[action]);
    b->setAutoRaise(true);
    b->setFixedWidth(width);
    b->setFocusPolicy(Qt::TabFocus);
    toolbar_->addWidget(b);
    toolButtons_.append(b);
  };
  button("AddFiles1", "btnAdd", kToolButtonWidth);
  button("RemoveSelected1", "btnRemove", kToolButtonWidth);
  toolbar_->addSeparator();
  button("Preview1", "btnPreview", kToolButtonWidth);
  button("Rename1", "btnRename", kToolButtonWidth);
  button("Undo1", "btnUndo", kToolButtonWidth);
  toolbar_->addSeparator();
  button("SavePreset1", "btnSavePreset", kPresetButtonWidth);
  button("LoadPreset1", "btnLoadPreset", kPresetButtonWidth);
  auto* spring = new QWidget;
  spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  toolbar_->addWidget(spring);
  button("Settings1", "SpeedButton1", kToolButtonWidth);
  button("About1", "SpeedButton4", kToolButtonWidth);
}

QWidget* TFormMain::CreateOptionsPanel() {
  optionsPanel_ = Named(new QWidget, "Panel2");
  optionsPanel_->setFixedHeight(kOptionsPanelHeight);
  auto* columns = new QHBoxLayout(optionsPanel_);
  columns->setContentsMargins(8, 6, 8, 6);
  columns->setSpacing(8);
  for (const auto& groups : kOptionGroups) {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    for (const char* group : groups) {
      if (group) column->addWidget(NewGroup(group));
    }
    column->addStretch();
    columns->addLayout(column, 1);
  }
  panelOptions_ = new OptionForm(OptionsPanelRows(), *optionsPanel_);
  panelOptions_->Write(RenameOptions());
  for (NumberBox* box : optionsPanel_->findChildren<NumberBox*>()) box->setFixedWidth(72);
  patternHelpButton_ = Named(new QPushButton(QStringLiteral("?")), "Button1");
  patternHelpButton_->setFixedWidth(28);
  panelOptions_->AddBeside("edtPattern", patternHelpButton_);
  connect(patternHelpButton_, &QPushButton::clicked, this, &TFormMain::PatternHelpClicked);
  return optionsPanel_;
}

QWidget* TFormMain::CreateOperationPanel() {
  auto* panel = Named(new QWidget, "Panel5");
  panel->setFixedHeight(kOperationPanelHeight);
  operationOptions_ = new OptionForm(OperationRows(), *panel);
  operationOptions_->Write(RenameOptions());
  batchModeBox_ = operationOptions_->Control<QComboBox>("cbBatchMode");
  batchModeBox_->setMinimumWidth(160);
  destinationBox_ = operationOptions_->Control<QLineEdit>("edtDestination");
  destinationButton_ = Named(new QPushButton(QStringLiteral("...")), "Button2");
  destinationButton_->setFixedWidth(36);
  auto* line = new QHBoxLayout(panel);
  line->setContentsMargins(8, 8, 8, 8);
  line->setSpacing(8);
  line->addWidget(operationOptions_->Label("cbBatchMode"));
  line->addWidget(batchModeBox_);
  line->addSpacing(12);
  line->addWidget(operationOptions_->Label("edtDestination"));
  line->addWidget(destinationBox_, 1);
  line->addWidget(destinationButton_);
  EnableDestination();
  connect(batchModeBox_, &QComboBox::currentIndexChanged, this, &TFormMain::EnableDestination);
  connect(destinationButton_, &QPushButton::clicked, this, &TFormMain::PickDestinationClicked);
  return panel;
}

void TFormMain::CreateFileList() {
  fileList_ = NewFileListView(*model_);
  fileList_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(fileList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    listPopupMenu_->popup(fileList_->viewport()->mapToGlobal(at));
  });
  fileList_->addAction((*actions_)["deleteRows"]);
  fileList_->viewport()->installEventFilter(this);
}

void TFormMain::CreateStatusLine() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  bar->setFixedHeight(kStatusLineHeight);
  statusText_ = Named(new QLabel, "StatusText");
  bar->addWidget(statusText_, 1);
  homepageLink_ = Named(new HomepageLink(this), "lbHomepageURL");
  homepageLink_->setFixedSize(kLinkWidth, kLinkHeight);
  homepageLink_->setText(WebSiteAddress());
  homepageLink_->setAccessibleName(WebSiteAddress());
  connect(homepageLink_, &HomepageLink::clicked, this, [this] { OpenPage(HomePageUrl()); });
}

void TFormMain::SetTabOrder() {
  QList<QWidget*> order(toolButtons_.begin(), toolButtons_.end());
  order << panelOptions_->TabOrder() << fileList_ << operationOptions_->TabOrder()
        << destinationButton_;
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TFormMain::BuildLanguageMenu() {
  const TranslationCatalogue& catalogue = Translations();
  for (int column = 0; column < catalogue.languageCount(); ++column) {
    // Each language in its own words, whatever the current one is.
    QAction* item = languageMenu_->addAction(catalogue.LanguageName(column));
    item->setData(column);
    item->setCheckable(true);
    item->setChecked(column == catalogue.currentIndex());
    connect(item, &QAction::triggered, this, [this, item] { LanguagePicked(item); });
  }
}

void TFormMain::ApplyTranslation() {
  fileMenu_->setTitle(Tr(EN_TEXT("File")));
  operationMenu_->setTitle(Tr(EN_TEXT("Operation")));
  sortMenu_->setTitle(Tr(EN_TEXT("Sort List")));
  sortMenu_->setAccessibleName(sortMenu_->title());
  viewMenu_->setTitle(Tr(EN_TEXT("View")));
  languageMenu_->setTitle(Tr(EN_TEXT("Language")));
  helpMenu_->setTitle(Tr(EN_TEXT("Help")));
  actions_->ApplyTranslation();
  for (QToolButton* button : toolButtons_)
    button->setAccessibleName(button->defaultAction()->text());

  panelOptions_->ApplyTranslation();
  operationOptions_->ApplyTranslation();
  patternHelpButton_->setAccessibleName(Tr(EN_TEXT("Pattern help")));
  patternHelpButton_->setToolTip(Tr(EN_TEXT("Pattern help")));
  destinationButton_->setAccessibleName(Tr(EN_TEXT("Select destination folder")));
  destinationButton_->setToolTip(Tr(EN_TEXT("Select destination folder")));
  fileList_->setAccessibleName(Tr(EN_TEXT("File list")));
  NumberBox::NameEditors(*this);
  model_->RetranslateHeaders();
  statusText_->setText(QStringLiteral("  ") + Tr(EN_TEXT("Add the files")));
}

RenameOptions TFormMain::ReadOptions() const {
  RenameOptions options;
  settings_->ReadInto(options);
  panelOptions_->ReadInto(options);
  operationOptions_->ReadInto(options);
  return options;
}

void TFormMain::WriteOptions(const RenameOptions& options) {
  panelOptions_->Write(options);
  operationOptions_->Write(options);
  settings_->Write(options);
  EnableDestination();
}

void TFormMain::EnableDestination() {
  const bool toFolder = batchModeBox_->currentIndex() > 0;
  operationOptions_->Label("edtDestination")->setEnabled(toFolder);
  destinationBox_->setEnabled(toFolder);
  destinationButton_->setEnabled(toFolder);
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
  homepageLink_->move(HomepageLinkLeft(width(), homepageLink_->width()),
                      HomepageLinkTop(bar->y(), bar->height(), homepageLink_->height()));
  homepageLink_->raise();
  const auto widths = ColumnWidths(fileList_->viewport()->width(), model_->columnCount());
  if (!widths) return;
  for (int c = 0; c < kColumnCount; ++c)
    fileList_->horizontalHeader()->resizeSection(c, (*widths)[c]);
}

}  // namespace corvane

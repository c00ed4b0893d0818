#include "ui/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "base/english_text.h"
#include "i18n/translation.h"
#include "ui/number_box.h"

namespace corvane {
namespace {

constexpr int kClientWidth = 433;
constexpr int kClientHeight = 412;

constexpr const char16_t* kConflictEntries[] = {EN_TEXT("Skip"), EN_TEXT("Overwrite"), EN_TEXT("Auto-number")};

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

void Caption(QLabel* label, QWidget* control, const char16_t* english) {
  label->setText(Tr(english));
  control->setAccessibleName(Tr(english));
}

void Caption(QAbstractButton* button, const char16_t* english) {
  button->setText(Tr(english));
  button->setAccessibleName(Tr(english));
}

}  // namespace

TFormSettings::TFormSettings(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormSettings"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(12, 12, 12, 12);
  column->setSpacing(10);
  const auto group = [&](const char* name) {
    auto* box = Named(new QGroupBox, name);
    column->addWidget(box);
    return box;
  };

  GroupBox1 = group("GroupBox1");
  {
    auto* grid = new QGridLayout(GroupBox1);
    Label1 = Named(new QLabel, "Label1");
    Label1->setWordWrap(true);
    lblCounterStart = Named(new QLabel, "lblCounterStart");
    edtCounterStart = Named(new NumberBox(nullptr, NumberBox::Steps::kNone), "edtCounterStart");
    lblDigits = Named(new QLabel, "lblDigits");
    edtDigits = Named(new NumberBox(nullptr, NumberBox::Steps::kNone), "edtDigits");
    lblCounterStart->setBuddy(edtCounterStart);
    lblDigits->setBuddy(edtDigits);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(lblCounterStart, 1, 0);
    grid->addWidget(edtCounterStart, 1, 1);
    grid->addWidget(lblDigits, 2, 0);
    grid->addWidget(edtDigits, 2, 1);
    grid->setColumnStretch(1, 1);
  }
  GroupBox4 = group("GroupBox4");
  {
    auto* grid = new QGridLayout(GroupBox4);
    Label2 = Named(new QLabel, "Label2");
    Label2->setWordWrap(true);
    Label3 = Named(new QLabel, "Label3");
    cbConflict = Named(new QComboBox, "cbConflict");
    Label3->setBuddy(cbConflict);
    grid->addWidget(Label2, 0, 0, 1, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(cbConflict, 1, 1);
    grid->setColumnStretch(1, 1);
  }
  GroupBox2 = group("GroupBox2");
  cbRegex = Named(new QCheckBox, "cbRegex");
  (new QVBoxLayout(GroupBox2))->addWidget(cbRegex);
  GroupBox3 = group("GroupBox3");
  chkTouchModifiedNow = Named(new QCheckBox, "chkTouchModifiedNow");
  (new QVBoxLayout(GroupBox3))->addWidget(chkTouchModifiedNow);
  column->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  Button1 = Named(new QPushButton, "Button1");
  buttons->addWidget(Button1);
  column->addLayout(buttons);
  connect(Button1, &QPushButton::clicked, this, &QDialog::close);

  for (NumberBox* box : {edtCounterStart, edtDigits}) box->setFixedWidth(90);
  setTabOrder(edtCounterStart, edtDigits);
  setTabOrder(edtDigits, cbConflict);
  setTabOrder(cbConflict, cbRegex);
  setTabOrder(cbRegex, chkTouchModifiedNow);
  setTabOrder(chkTouchModifiedNow, Button1);

  // The start values, which every run begins with.
  edtCounterStart->setValue(QStringLiteral("1"));
  edtDigits->setValue(QStringLiteral("3"));
  for (int i = 0; i < int(std::size(kConflictEntries)); ++i) cbConflict->addItem(QString());
  cbConflict->setCurrentIndex(static_cast<int>(ConflictMode::AutoNumber));
  ApplyTranslation();
}

void TFormSettings::ReadInto(RenameOptions& options) const {
  options.counterStart = edtCounterStart->value();
  options.digits = edtDigits->value();
  options.conflict = cbConflict->currentIndex();
  options.regex = cbRegex->isChecked();
  options.touchModifiedNow = chkTouchModifiedNow->isChecked();
}

void TFormSettings::Write(const RenameOptions& options) {
  edtCounterStart->setValue(options.counterStart);
  edtDigits->setValue(options.digits);
  cbConflict->setCurrentIndex(SelectedConflictMode(options.conflict) ? options.conflict : -1);
  cbRegex->setChecked(options.regex);
  chkTouchModifiedNow->setChecked(options.touchModifiedNow);
}

void TFormSettings::ApplyTranslation() {
  setWindowTitle(Tr(EN_TEXT("Settings")));
  GroupBox1->setTitle(Tr(EN_TEXT("Counter")));
  GroupBox4->setTitle(Tr(EN_TEXT("Conflict")));
  GroupBox2->setTitle(Tr(EN_TEXT("Renaming")));
  GroupBox3->setTitle(Tr(EN_TEXT("Timestamp")));
  Label1->setText(Tr(EN_TEXT("If {counter} keyword is used in Pattern, then apply the following rules:")));
  Caption(lblCounterStart, edtCounterStart, EN_TEXT("Counter start:"));
  Caption(lblDigits, edtDigits, EN_TEXT("Digits:"));
  Label2->setText(Tr(EN_TEXT("If the file name already exists, then apply the following change:")));
  Caption(Label3, cbConflict, EN_TEXT("Change:"));
  Caption(cbRegex, EN_TEXT("Use Regular Expressions"));
  Caption(chkTouchModifiedNow, EN_TEXT("Update modified date/time"));
  Caption(Button1, EN_TEXT("Close"));
  NumberBox::NameEditors(*this);
  // Replacing the entries' texts keeps the selection, so no option changes.
  for (int i = 0; i < cbConflict->count(); ++i) cbConflict->setItemText(i, Tr(kConflictEntries[i]));
}

void TFormSettings::showEvent(QShowEvent* event) {
  ApplyTranslation();
  if (const QScreen* s = screen(); s && !parentWidget()) {
    move(s->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(event);
}

}  // namespace corvane

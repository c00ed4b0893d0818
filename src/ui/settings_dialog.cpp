#include "ui/settings_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "base/english_text.h"
#include "i18n/translation.h"
#include "ui/number_box.h"
#include "ui/option_form.h"
#include "ui/option_rows.h"
#include "ui/wrapped_label.h"

namespace corvane {
namespace {

constexpr int kClientWidth = 433;
constexpr int kClientHeight = 412;

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
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
  // Each group's grid: its explanation across the top, then the rows of the form.
  const auto group = [&](const char* name, WrappedLabel* explanation = nullptr) {
    auto* box = Named(new QGroupBox, name);
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    if (explanation) grid->addWidget(explanation, 0, 0, 1, 2);
    column->addWidget(box);
    return box;
  };
  counterGroup_ = group("GroupBox1", counterNote_ = Named(new WrappedLabel, "Label1"));
  conflictGroup_ = group("GroupBox4", conflictNote_ = Named(new WrappedLabel, "Label2"));
  renamingGroup_ = group("GroupBox2");
  timestampGroup_ = group("GroupBox3");
  column->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  closeButton_ = Named(new QPushButton, "Button1");
  buttons->addWidget(closeButton_);
  column->addLayout(buttons);
  connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);

  form_ = new OptionForm(SettingsRows(), *this);
  for (NumberBox* box : findChildren<NumberBox*>()) box->setFixedWidth(90);
  const QList<QWidget*> order = form_->TabOrder() << closeButton_;
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  // The start values, which every run begins with.
  form_->Write(RenameOptions());
  ApplyTranslation();
}

void TFormSettings::ReadInto(RenameOptions& options) const { form_->ReadInto(options); }

void TFormSettings::Write(const RenameOptions& options) { form_->Write(options); }

void TFormSettings::ApplyTranslation() {
  setWindowTitle(Tr(EN_TEXT("Settings")));
  counterGroup_->setTitle(Tr(EN_TEXT("Counter")));
  conflictGroup_->setTitle(Tr(EN_TEXT("Conflict")));
  renamingGroup_->setTitle(Tr(EN_TEXT("Renaming")));
  timestampGroup_->setTitle(Tr(EN_TEXT("Timestamp")));
  counterNote_->SetWrappedText(
      Tr(EN_TEXT("If {counter} keyword is used in Pattern, then apply the following rules:")));
  conflictNote_->SetWrappedText(
      Tr(EN_TEXT("If the file name already exists, then apply the following change:")));
  form_->ApplyTranslation();
  closeButton_->setText(Tr(EN_TEXT("Close")));
  closeButton_->setAccessibleName(Tr(EN_TEXT("Close")));
  NumberBox::NameEditors(*this);
}

bool TFormSettings::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  // The layout has just been redone: a language whose explanations wrap to
  // more lines makes the dialog taller than its design, never shorter.
  if (event->type() == QEvent::LayoutRequest) {
    const int needed = std::max(kClientHeight, layout()->totalMinimumSize().height());
    if (needed != height()) setFixedHeight(needed);
  }
  return handled;
}

void TFormSettings::showEvent(QShowEvent* event) {
  ApplyTranslation();
  if (const QScreen* s = screen(); s && !parentWidget()) {
    move(s->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(event);
}

}  // namespace corvane

#include "ui/option_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "i18n/translation.h"
#include "ui/number_box.h"

namespace corvane {
namespace {

QString Tr(const char16_t* english) { return Translate(QString::fromUtf16(english)); }

QGridLayout& GridOf(QWidget& root, const char* group) {
  auto* box = root.findChild<QWidget*>(QString::fromLatin1(group));
  Q_ASSERT(box && qobject_cast<QGridLayout*>(box->layout()));
  return *static_cast<QGridLayout*>(box->layout());
}

int RowOf(QGridLayout& grid, QWidget* widget) {
  int row = 0, column = 0, rows = 0, columns = 0;
  grid.getItemPosition(grid.indexOf(widget), &row, &column, &rows, &columns);
  return row;
}

bool HasLabel(const OptionRow& row) {
  return row.field.control != OptionControl::kCheck && row.place != OptionPlace::kBesideCheck;
}

}  // namespace

OptionForm::OptionForm(std::span<const OptionRow> rows, QWidget& root) : QObject(&root) {
  for (const OptionRow& row : rows) {
    MadeRow made{&row, MakeControl(row), HasLabel(row) ? new QLabel : nullptr};
    made.control->setObjectName(QString::fromLatin1(row.name));
    if (made.label) {
      made.label->setBuddy(made.control);
      if (row.labelName) made.label->setObjectName(QString::fromLatin1(row.labelName));
    }
    made_.append(made);
    Place(made_.last(), root);
    ConnectEdits(made);
  }
  ApplyTranslation();
}

QWidget* OptionForm::MakeControl(const OptionRow& row) {
  switch (row.field.control) {
    case OptionControl::kText:
      return new QLineEdit;
    case OptionControl::kNumber:
      return new NumberBox;
    case OptionControl::kCount:
      return new NumberBox(nullptr, NumberBox::Steps::kNone);
    case OptionControl::kCheck:
      return new QCheckBox;
    case OptionControl::kChoice: {
      auto* list = new QComboBox;
      for (std::size_t i = 0; i < row.field.entries.size(); ++i) list->addItem(QString());
      return list;
    }
  }
  return nullptr;
}

void OptionForm::Place(MadeRow& made, QWidget& root) {
  const OptionRow& row = *made.row;
  if (row.place == OptionPlace::kByOwner || row.place == OptionPlace::kHidden) {
    made.control->setParent(&root);
    if (made.label) made.label->setParent(&root);
    if (row.place == OptionPlace::kHidden) made.control->hide();
    return;
  }
  QGridLayout& grid = GridOf(root, row.group);
  const int r = grid.rowCount();
  switch (row.place) {
    case OptionPlace::kCaptioned:
      grid.addWidget(made.label, r, 0);
      grid.addWidget(made.control, r, 1, 1, 2);
      break;
    case OptionPlace::kBesideButton:
      grid.addWidget(made.label, r, 0);
      grid.addWidget(made.control, r, 1);
      break;
    case OptionPlace::kCheckCaption:
      grid.addWidget(made.control, r, 0);
      break;
    case OptionPlace::kBesideCheck: {
      auto* check = static_cast<QCheckBox*>(made_[made_.size() - 2].control);
      grid.addWidget(made.control, RowOf(grid, check), 1, 1, 2);
      made.control->setEnabled(check->isChecked());
      connect(check, &QCheckBox::toggled, made.control, &QWidget::setEnabled);
      break;
    }
    case OptionPlace::kAcross:
      grid.addWidget(made.control, r, 0, 1, 3);
      break;
    case OptionPlace::kWrappedCaption:
      made.label->setWordWrap(true);
      grid.addWidget(made.label, r, 0, 1, 2);
      grid.addWidget(made.control, r, 2);
      grid.setColumnStretch(1, 0);
      grid.setColumnStretch(0, 1);
      break;
    case OptionPlace::kByOwner:
    case OptionPlace::kHidden:
      break;
  }
}

void OptionForm::ConnectEdits(const MadeRow& made) {
  switch (made.row->field.control) {
    case OptionControl::kText:
      connect(static_cast<QLineEdit*>(made.control), &QLineEdit::textChanged, this,
              &OptionForm::Edited);
      break;
    case OptionControl::kNumber:
    case OptionControl::kCount:
      connect(static_cast<NumberBox*>(made.control), &NumberBox::valueEdited, this,
              &OptionForm::Edited);
      break;
    case OptionControl::kCheck:
      connect(static_cast<QCheckBox*>(made.control), &QCheckBox::toggled, this,
              &OptionForm::Edited);
      break;
    case OptionControl::kChoice:
      connect(static_cast<QComboBox*>(made.control), &QComboBox::currentIndexChanged, this,
              &OptionForm::Edited);
      break;
  }
}

void OptionForm::ReadInto(RenameOptions& options) const {
  for (const MadeRow& made : made_) {
    const OptionField& field = made.row->field;
    switch (field.control) {
      case OptionControl::kText:
        options.*std::get<QString RenameOptions::*>(field.member) =
            static_cast<const QLineEdit*>(made.control)->text();
        break;
      case OptionControl::kNumber:
      case OptionControl::kCount:
        options.*std::get<QString RenameOptions::*>(field.member) =
            static_cast<const NumberBox*>(made.control)->value();
        break;
      case OptionControl::kCheck:
        options.*std::get<bool RenameOptions::*>(field.member) =
            static_cast<const QCheckBox*>(made.control)->isChecked();
        break;
      case OptionControl::kChoice:
        options.*std::get<int RenameOptions::*>(field.member) =
            static_cast<const QComboBox*>(made.control)->currentIndex();
        break;
    }
  }
}

void OptionForm::Write(const RenameOptions& options) {
  for (const MadeRow& made : made_) {
    const OptionField& field = made.row->field;
    switch (field.control) {
      case OptionControl::kText:
        static_cast<QLineEdit*>(made.control)
            ->setText(options.*std::get<QString RenameOptions::*>(field.member));
        break;
      case OptionControl::kNumber:
      case OptionControl::kCount:
        static_cast<NumberBox*>(made.control)
            ->setValue(options.*std::get<QString RenameOptions::*>(field.member));
        break;
      case OptionControl::kCheck:
        static_cast<QCheckBox*>(made.control)
            ->setChecked(options.*std::get<bool RenameOptions::*>(field.member));
        break;
      case OptionControl::kChoice: {
        auto* list = static_cast<QComboBox*>(made.control);
        const int value = options.*std::get<int RenameOptions::*>(field.member);
        list->setCurrentIndex(value >= 0 && value < list->count() ? value : kNoSelection);
        break;
      }
    }
  }
}

void OptionForm::ApplyTranslation() {
  for (const MadeRow& made : made_) {
    const QString caption = Tr(made.row->caption);
    if (made.label) made.label->setText(caption);
    made.control->setAccessibleName(caption);
    if (auto* check = qobject_cast<QCheckBox*>(made.control)) check->setText(caption);
    if (auto* list = qobject_cast<QComboBox*>(made.control)) {
      // Replacing the entries' texts keeps the selection, so no option changes.
      const auto entries = made.row->field.entries;
      for (int i = 0; i < list->count(); ++i) list->setItemText(i, Tr(entries[i]));
    }
  }
}

QList<QWidget*> OptionForm::TabOrder() const {
  QList<QWidget*> order;
  for (const MadeRow& made : made_) {
    if (made.row->place == OptionPlace::kHidden) continue;
    order << made.control;
    if (made.beside) order << made.beside;
  }
  return order;
}

void OptionForm::AddBeside(const char* name, QWidget* button) {
  MadeRow& made = Made(name);
  QGridLayout& grid = *static_cast<QGridLayout*>(made.control->parentWidget()->layout());
  grid.addWidget(button, RowOf(grid, made.control), 2);
  made.beside = button;
}

OptionForm::MadeRow& OptionForm::Made(const char* name) {
  return const_cast<MadeRow&>(std::as_const(*this).Made(name));
}

const OptionForm::MadeRow& OptionForm::Made(const char* name) const {
  const auto found = std::find_if(made_.begin(), made_.end(), [name](const MadeRow& made) {
    return qstrcmp(made.row->name, name) == 0;
  });
  Q_ASSERT(found != made_.end());
  return *found;
}

}  // namespace corvane

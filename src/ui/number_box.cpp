#include "ui/number_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

#include "engine/whole_number.h"

namespace corvane {

NumberBox::NumberBox(QWidget* parent, Steps steps) : QAbstractSpinBox(parent), steps_(steps) {
  if (steps_ == Steps::kNone) setButtonSymbols(QAbstractSpinBox::NoButtons);
  setWrapping(false);
  setAccelerated(false);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  connect(lineEdit(), &QLineEdit::textChanged, this, &NumberBox::valueEdited);
}

QString NumberBox::value() const { return lineEdit()->text(); }

void NumberBox::setValue(const QString& text) {
  lineEdit()->setText(text);
  update();
}

int NumberBox::Number() const { return ReadWholeNumber(value(), 0); }

void NumberBox::stepBy(int steps) {
  if (steps_ == Steps::kNone) return;
  const int next = std::clamp<qint64>(qint64(Number()) + steps, kMinimum, kMaximum);
  setValue(QString::number(next));
  lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (steps_ == Steps::kNone) return enabled;
  const int number = Number();
  if (number < kMaximum) enabled |= StepUpEnabled;
  if (number > kMinimum) enabled |= StepDownEnabled;
  return enabled;
}

void NumberBox::NameEditors(const QWidget& root) {
  for (NumberBox* box : root.findChildren<NumberBox*>()) {
    box->lineEdit()->setAccessibleName(box->accessibleName());
  }
}

QValidator::State NumberBox::validate(QString&, int&) const { return QValidator::Acceptable; }

void NumberBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool command =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
  if (printable && !command) {
    for (const QChar c : typed) {
      if (c < u'0' || c > u'9') {
        event->ignore();
        return;
      }
    }
  }
  QAbstractSpinBox::keyPressEvent(event);
}

}  // namespace corvane

// NumberBox: a one-line box for a whole number, with spin buttons.
//
// Typed characters other than digits are refused; pasted text is taken as it
// is, since the option that reads the box decides how to read it (text is
// what the options hold). The spin buttons and the Up and Down keys step the
// number read from the text by 1 between 0 and 100, without wrapping round.
// A box made without steps has no spin buttons and the arrow keys leave its
// number alone, for numbers that have no upper limit.
#pragma once

#include <QAbstractSpinBox>

namespace corvane {

class NumberBox final : public QAbstractSpinBox {
  Q_OBJECT

 public:
  static constexpr int kMinimum = 0;
  static constexpr int kMaximum = 100;

  enum class Steps { kSpin, kNone };

  explicit NumberBox(QWidget* parent = nullptr, Steps steps = Steps::kSpin);

  QString value() const;
  void setValue(const QString& text);

  void stepBy(int steps) override;

  // Gives the line edit of every number box under `root` its box's accessible
  // name: the focus goes to that edit, which is what a screen reader names.
  static void NameEditors(const QWidget& root);

 signals:
  // The text changed, by typing, stepping or setValue.
  void valueEdited();

 protected:
  StepEnabled stepEnabled() const override;
  QValidator::State validate(QString& input, int& pos) const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int Number() const;

  Steps steps_;
};

}  // namespace corvane

// NumberBox: a one-line box for a whole number, with spin buttons.
//
// Typed characters other than digits are refused; pasted text is taken as it
// is, since the option that reads the box decides how to read it (text is
// what the options hold). The spin buttons and the Up and Down keys step the
// number read from the text by 1 between 0 and 100, without wrapping round.
#pragma once

#include <QAbstractSpinBox>

namespace corvane {

class NumberBox final : public QAbstractSpinBox {
  Q_OBJECT

 public:
  static constexpr int kMinimum = 0;
  static constexpr int kMaximum = 100;

  explicit NumberBox(QWidget* parent = nullptr);

  QString value() const;
  void setValue(const QString& text);

  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;
  QValidator::State validate(QString& input, int& pos) const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int Number() const;
};

}  // namespace corvane

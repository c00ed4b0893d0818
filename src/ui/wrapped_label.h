// WrappedLabel: a label that wraps its text and keeps, as its minimum height,
// the height its lines need at its present width. A grid whose row it spans
// over several columns sizes the row from the label's size hint, which is
// taken at a width of the label's own choosing, and so cut off the second
// line of a long text.
#pragma once

#include <QLabel>

namespace corvane {

class WrappedLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit WrappedLabel(QWidget* parent = nullptr);

  // Sets the text and the height its lines need at the present width.
  void SetWrappedText(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void KeepLinesWhole();
};

}  // namespace corvane

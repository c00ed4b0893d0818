#include "ui/wrapped_label.h"

#include <QEvent>

namespace corvane {

WrappedLabel::WrappedLabel(QWidget* parent) : QLabel(parent) { setWordWrap(true); }

void WrappedLabel::SetWrappedText(const QString& text) {
  setText(text);
  KeepLinesWhole();
}

void WrappedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  KeepLinesWhole();
}

void WrappedLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    KeepLinesWhole();
  }
}

// Setting the same minimum again changes nothing, so the layout settles.
void WrappedLabel::KeepLinesWhole() { setMinimumHeight(heightForWidth(width())); }

}  // namespace corvane

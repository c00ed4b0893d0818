#include "ui/homepage_link.h"

#include <QMouseEvent>

namespace corvane {

HomepageLink::HomepageLink(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setCursor(Qt::PointingHandCursor);
  // A style sheet of the widget's own outranks the application's, so the
  // theme cannot take this colour; the text colour is left to the theme.
  setStyleSheet(QStringLiteral("background-color: rgb(231, 233, 238);"));
}

void HomepageLink::SetUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void HomepageLink::enterEvent(QEnterEvent* event) {
  SetUnderline(true);
  QLabel::enterEvent(event);
}

void HomepageLink::leaveEvent(QEvent* event) {
  SetUnderline(false);
  QLabel::leaveEvent(event);
}

void HomepageLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace corvane
